// The thin layer over the window system: text conversion at the catalogue's boundary,
// the sorted list box, the program's own message boxes and the top-level error box.

#include "TestResponder.h"
#include "WidgetDriver.h"
#include "catalogue/NumberFormat.h"
#include "ui/Ansi.h"
#include "ui/Application.h"
#include "ui/Seam.h"
#include "ui/SortedListBox.h"
#include "ui/WindowFont.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <stdexcept>

class TestUiLayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ansiRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Milk") << QStringLiteral("Milk");
        QTest::newRow("latin-1") << QByteArray("Cr\xe8me br\xfbl\xe9"
                                               "e")
                                 << QStringLiteral("Crème brûlée");
        QTest::newRow("euro and quotes")
            << QByteArray("\x80\x32 \x93hot\x94") << QStringLiteral("€2 “hot”");
        QTest::newRow("unassigned byte kept") << QByteArray("a\x81z") << QStringLiteral("a\u0081z");
    }
    void ansiRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(ui::FromAnsi(bytes.toStdString()), text);
        QCOMPARE(QByteArray::fromStdString(ui::ToAnsi(text)), bytes);
        QVERIFY(ui::IsAnsi(text));
    }

    // Amounts as the user's regional settings write them, in the file's character set.
    void regionalAmounts_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("C falls back to English (US)") << "C" << -1234.5 << "($1,234.50)";
        QTest::newRow("German") << "de_DE" << -1234.5 << "-1.234,50 \u20AC";
        QTest::newRow("French groups with a blank") << "fr_FR" << 1234.5 << "1 234,50 \u20AC";
        // Its own minus sign (U+2212) is still a minus sign before the amount.
        QTest::newRow("Swedish minus sign") << "sv_SE" << -1234.5 << "-1 234,50 kr";
        // Separators and a symbol the file cannot hold: plain ones, never "?".
        QTest::newRow("Arabic separators") << "ar_EG" << -1234.5 << "-1,234.50 EGP";
    }
    void regionalAmounts() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        const Regional r = ui::RegionalFor(QLocale(locale));
        QCOMPARE(ui::FromAnsi(FormatCurrency(value, r)), expected);
    }

    void editBoxRefusesWhatTheFileCannotHold() {
        QLineEdit edit;
        ui::MakeAnsiEdit(&edit, 20);
        edit.show();
        TypeText(&edit, QStringLiteral("Crème"));
        QCOMPARE(edit.text(), QStringLiteral("Crème"));
        TypeText(&edit, QStringLiteral("→ü")); // the arrow has no byte; ü has
        QCOMPARE(edit.text(), QStringLiteral("Crèmeü"));
        QTest::keyClicks(&edit, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(edit.text().size(), 20);
        QVERIFY(!ui::IsAnsi(QStringLiteral("日本")));
    }

    void sortedListIgnoresCaseAndCarriesRecords() {
        ui::SortedListBox list(nullptr, true);
        int a = 1, b = 2, c = 3, d = 4;
        list.Fill({{"bread", &a}, {"Apples", &b}, {"apple", &c}});
        QCOMPARE(Entries(&list), QStringList({"apple", "Apples", "bread"}));
        QCOMPARE(list.AddEntry(QStringLiteral("BEANS"), &d), 2);
        QCOMPARE(list.At<int>(2), &d);
        QCOMPARE(list.RowOf(&a), 3);
        // A changed text stays where it stands until the list is filled again.
        list.SetEntryText(0, QStringLiteral("zucchini"));
        QCOMPARE(list.item(0)->text(), QStringLiteral("zucchini"));
        QCOMPARE(list.At<int>(0), &c);

        ui::SortedListBox unsorted(nullptr, false);
        unsorted.Fill({{"b", &a}, {"a", &b}});
        QCOMPARE(unsorted.AddEntry(QStringLiteral("0"), &c), 2);
        QCOMPARE(unsorted.item(0)->text(), QStringLiteral("b"));
    }

    void rightButtonDoesNotSelect() {
        ui::SortedListBox list(nullptr, true);
        int a = 1;
        list.Fill({{"one", &a}});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(ClickRow(&list, 0, Qt::RightButton));
        QCOMPARE(list.SelectedRecord(), nullptr);
        QVERIFY(ClickRow(&list, 0));
        QCOMPARE(list.Selected<int>(), &a);
    }

    // The program's own boxes: Enter answers Yes, Escape No, "\r" starts a new line.
    void messageBoxKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(ui::MsgResult::Yes);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(ui::MsgResult::No);
    }
    void messageBoxKeys() {
        QFETCH(int, key);
        QFETCH(int, expected);
        QString shownText, shownTitle;
        bool active = false;
        QTimer::singleShot(0, this, [&] {
            QMessageBox *box = nullptr;
            active = QTest::qWaitFor([&] {
                box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                return box && box->isActiveWindow();
            });
            if (!active) {
                // Closed all the same, so that the test fails instead of waiting for ever.
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (auto *shown = qobject_cast<QMessageBox *>(w); shown && shown->isVisible())
                        shown->reject();
                return;
            }
            shownText = box->text();
            shownTitle = box->windowTitle();
            QTest::keyClick(box, Qt::Key(key));
        });
        const auto r = ui::MessageBox(ui::MsgKind::Confirmation, QStringLiteral("First\rSecond"),
                                      ui::MsgButtons::YesNo);
        QVERIFY(active);
        QCOMPARE(int(r), expected);
        QCOMPARE(shownText, QStringLiteral("First\nSecond"));
        QCOMPARE(shownTitle, QStringLiteral("Confirm"));
    }

    void unhandledErrorShowsOneBoxAndGoesOn() {
        TestResponder responder;
        struct Thrower : QObject {
            bool event(QEvent *e) override {
                if (e->type() == QEvent::User)
                    throw std::runtime_error("Out of memory");
                return QObject::event(e);
            }
        } thrower;
        auto *app = static_cast<ui::Application *>(qApp);
        QEvent ev(QEvent::User);
        QVERIFY(!app->notify(&thrower, &ev));
        QCOMPARE(responder.messages.size(), 1);
        QCOMPARE(responder.messages[0].caption, QStringLiteral("Trolleymind"));
        QCOMPARE(responder.messages[0].text, QStringLiteral("Out of memory."));
        QCOMPARE(int(responder.messages[0].kind), int(ui::MsgKind::Error));
    }
};

int main(int argc, char **argv) {
    ui::Application app(argc, argv);
    TestUiLayer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_UiLayer.moc"
