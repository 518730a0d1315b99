// The thin layer over the window system: text conversion at the catalogue's boundary,
// the sorted list box, the program's own message boxes, the report font dialog and the
// top-level error box.

#include "TestCatalogue.h"
#include "TestResponder.h"
#include "WidgetDriver.h"
#include "catalogue/NumberFormat.h"
#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/Application.h"
#include "ui/FormBase.h"
#include "ui/ListBox.h"
#include "ui/Seam.h"
#include "ui/WindowFont.h"

#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>
#include <stdexcept>

Q_DECLARE_METATYPE(ReportFont)

namespace {

// A window on the shared base that counts its showings.
class CountingForm : public ui::FormBase<QDialog> {
public:
    bool centred = true;
    int shown = 0;

protected:
    void FormShow() override {
        ++shown;
        resize(200 + 10 * shown, 100); // the show logic may size the window
    }
    bool Centred() const override { return centred; }
};

// Fills `list` with the records given, each showing the text beside it.
void FillWith(ui::ListBox<int> &list, const std::vector<std::pair<QString, int *>> &entries) {
    std::vector<int *> records;
    std::map<const int *, QString> texts;
    for (const auto &[text, record] : entries) {
        records.push_back(record);
        texts[record] = text;
    }
    list.Fill(records, [&texts](const int &record) { return texts.at(&record); });
}

// A list of `texts`, each entry carrying its position in `texts`.
struct NumberedList {
    explicit NumberedList(const QStringList &texts, bool sorted = true) : list(nullptr, sorted) {
        numbers.resize(std::size_t(texts.size()));
        std::vector<int *> records;
        for (int i = 0; i < texts.size(); ++i) {
            numbers[std::size_t(i)] = i;
            records.push_back(&numbers[std::size_t(i)]);
        }
        list.Fill(records, [&texts](const int &number) { return texts[number]; });
    }
    std::vector<int> numbers;
    ui::ListBox<int> list;
};

} // namespace

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

    // What Windows-1252 cannot hold is refused with one beep per key or paste; the rest
    // of the input is kept and the cursor stays behind it.
    void editBoxRefusesWhatTheFileCannotHold_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("typed") << ""
                               << "Tofu 豆腐"
                               << ""
                               << "Tofu " << 2;
        QTest::newRow("typed, held accented letter kept") << "Crème"
                                                          << "→ü"
                                                          << ""
                                                          << "Crèmeü" << 1;
        QTest::newRow("pasted in the middle") << "ab"
                                              << ""
                                              << "豆x😀y"
                                              << "axyb" << 1;
        QTest::newRow("all held, no beep") << ""
                                           << "€2 “hot”"
                                           << ""
                                           << "€2 “hot”" << 0;
    }
    void editBoxRefusesWhatTheFileCannotHold() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        QLineEdit edit;
        ui::MakeAnsiEdit(&edit, 20);
        edit.setText(start);
        edit.show();
        TestResponder responder;
        TypeText(&edit, typed);
        if (!pasted.isEmpty()) {
            edit.setCursorPosition(1);
            edit.insert(pasted);
            QCOMPARE(edit.cursorPosition(), 3);
        }
        QCOMPARE(edit.text(), expected);
        QCOMPARE(responder.beeps, beeps);
    }

    // A real paste (Ctrl+V from the clipboard) that drops characters beeps once too.
    void pasteThatDropsCharactersBeeps() {
        QLineEdit edit;
        ui::MakeAnsiEdit(&edit, 30);
        edit.show();
        TestResponder responder;
        QApplication::clipboard()->setText(QStringLiteral("Café ☕ Ωmega €5"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("Café  mega €5"));
        QCOMPARE(responder.beeps, 1);
    }

    void editBoxKeepsItsLength() {
        QLineEdit edit;
        ui::MakeAnsiEdit(&edit, 20);
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(edit.text().size(), 20);
        QVERIFY(!ui::IsAnsi(QStringLiteral("日本")));
    }

    void sortedListIgnoresCaseAndCarriesRecords() {
        ui::ListBox<int> list(nullptr, true);
        int a = 1, b = 2, c = 3, d = 4;
        FillWith(list, {{"bread", &a}, {"Apples", &b}, {"apple", &c}});
        QCOMPARE(Entries(&list), QStringList({"apple", "Apples", "bread"}));
        QCOMPARE(list.AddEntry(QStringLiteral("BEANS"), &d), 2);
        QCOMPARE(list.At(2), &d);
        QCOMPARE(list.RowOf(&a), 3);
        // A changed text stays where it stands until the list is filled again.
        list.SetEntryText(0, QStringLiteral("zucchini"));
        QCOMPARE(list.Text(0), QStringLiteral("zucchini"));
        QCOMPARE(list.At(0), &c);

        ui::ListBox<int> unsorted(nullptr, false);
        FillWith(unsorted, {{"b", &a}, {"a", &b}});
        QCOMPARE(unsorted.AddEntry(QStringLiteral("0"), &c), 2);
        QCOMPARE(unsorted.Text(0), QStringLiteral("b"));
    }

    // A record's row found from its text: by its order key in a sorted list, and still when
    // its entry was renamed in place (out of order) or shares its key with others.
    void rowOfRecordByText_data() {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QString>("renameTo");
        QTest::newRow("sorted") << true << QString();
        QTest::newRow("sorted, renamed out of order") << true << QStringLiteral("aardvark");
        QTest::newRow("unsorted") << false << QString();
    }
    void rowOfRecordByText() {
        QFETCH(bool, sorted);
        QFETCH(QString, renameTo);
        ui::ListBox<int> list(nullptr, sorted);
        int records[5] = {0, 1, 2, 3, 4};
        FillWith(list, {{"pear", &records[0]},
                        {"Fig", &records[1]},
                        {"fig", &records[2]},
                        {"Lime", &records[3]},
                        {"FIG", &records[4]}});
        QString pear = QStringLiteral("pear");
        if (!renameTo.isEmpty()) {
            list.SetEntryText(list.RowOf(&records[0]), renameTo);
            pear = renameTo;
        }
        const QStringList texts = {pear, "Fig", "fig", "Lime", "FIG"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(list.RowOf(&records[i], texts[i]), list.RowOf(&records[i]));
            QCOMPARE(list.At(list.RowOf(&records[i], texts[i])), &records[i]);
        }
        int stranger = 9;
        QCOMPARE(list.RowOf(&stranger, QStringLiteral("fig")), -1);
    }

    // A list filled at once, and again, shows and selects its entries as one filled entry by
    // entry would.
    void filledListWorksAsView() {
        QStringList texts;
        for (int i = 0; i < 500; ++i)
            texts << QStringLiteral("Entry %1").arg(499 - i, 3, 10, QLatin1Char('0'));
        NumberedList numbered(texts);
        ui::ListBox<int> &list = numbered.list;
        list.resize(200, 100);
        list.show();
        QCOMPARE(list.Count(), 500);
        const QRect first = list.visualRect(list.model()->index(0, 0));
        QVERIFY(!first.isEmpty());
        QCOMPARE(list.indexAt(first.center()).row(), 0);
        QSignalSpy clicks(&list, &ui::ListBoxBase::UserSelect);
        list.SelectRow(250);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(list.Text(250), QStringLiteral("Entry 250"));
        QCOMPARE(*list.Selected(), 249);
        int record = 7;
        FillWith(list, {{"only", &record}});
        QCOMPARE(list.Count(), 1);
        QVERIFY(!list.HasSelection());
        list.SelectRow(0);
        QCOMPARE(list.Selected(), &record);
    }

    // The catalogue's name order: a..z folded to capitals, every other byte by its
    // Windows-1252 value, a prefix first.
    void sortedListInNameOrder_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("letter case ignored, prefix first")
            << QStringList{"bread", "Apples", "apple", "APPLE pie"}
            << QStringList{"apple", "APPLE pie", "Apples", "bread"};
        // '_' lies between the capitals and the small letters.
        QTest::newRow("underscore after letters")
            << QStringList{"_ends", "zeta", "Alpha"} << QStringList{"Alpha", "zeta", "_ends"};
        // Accented letters are not folded: É (C9) before é (E9), and the euro (80) before both.
        QTest::newRow("Windows-1252 values")
            << QStringList{"éclair", "Éclair", "€ coin", "Zucchini"}
            << QStringList{"Zucchini", "€ coin", "Éclair", "éclair"};
    }
    void sortedListInNameOrder() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, sorted);
        NumberedList numbered(texts);
        QCOMPARE(Entries(&numbered.list), sorted);
        // Each entry keeps its own record.
        for (int row = 0; row < numbered.list.Count(); ++row)
            QCOMPARE(texts[*numbered.list.At(row)], sorted[row]);
        // An entry added later goes to its place in the same order.
        ui::ListBox<int> grown(nullptr, true);
        int record = 0;
        for (const QString &text : texts)
            grown.AddEntry(text, &record);
        QCOMPARE(Entries(&grown), sorted);
    }

    // Typing in the item editor selects the nearest entry: the first not less than the text.
    void selectNearest_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::newRow("empty text selects nothing") << "" << -1;
        QTest::newRow("before all") << "0" << 0;
        QTest::newRow("prefix") << "br" << 1;
        QTest::newRow("exact in other case") << "BREAD" << 1;
        QTest::newRow("between two") << "Apples" << 1;
        QTest::newRow("after all: the last") << "zz" << 2;
        QTest::newRow("underscore sorts after letters") << "_" << 2;
    }
    void selectNearest() {
        QFETCH(QString, typed);
        QFETCH(int, row);
        NumberedList numbered({"Milk", "apple", "Bread"});
        numbered.list.SelectRow(0); // what was typed before replaces this selection
        QSignalSpy clicks(&numbered.list, &ui::ListBoxBase::UserSelect);
        QCOMPARE(numbered.list.SelectNearest(typed), row);
        QCOMPARE(numbered.list.currentIndex().row(), row);
        QCOMPARE(numbered.list.Selected() ? Entries(&numbered.list)[row] : QString(),
                 row < 0 ? QString() : Entries(&numbered.list)[row]);
        QCOMPARE(numbered.list.HasSelection(), row >= 0);
        QCOMPARE(clicks.count(), 0); // the window's click handler does not run

        ui::ListBox<int> empty(nullptr, true);
        QCOMPARE(empty.SelectNearest(typed), -1);
    }

    // Over a list as long as the file allows, the search halves its way to the entry.
    void selectNearestInFullList() {
        QStringList texts;
        for (int i = 0; i < 32767; ++i)
            texts << QStringLiteral("Item %1").arg(i, 5, 10, QLatin1Char('0'));
        NumberedList numbered(texts, true);
        QCOMPARE(numbered.list.SelectNearest(QStringLiteral("item 12345")), 12345);
        QCOMPARE(numbered.list.SelectNearest(QStringLiteral("Item 123456")), 12346);
        QCOMPARE(numbered.list.SelectNearest(QStringLiteral("Z")), 32766);
    }

    // In a list without a selection Home and Down select the first entry, End and Up the
    // last, and the list reports the selection; with a selection the keys move it as usual.
    void keysSelectInListWithoutSelection_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        for (int n : {1, 3}) {
            const QByteArray count = n == 1 ? "one entry: " : "three entries: ";
            QTest::newRow(count + "Home") << n << int(Qt::Key_Home) << 0;
            QTest::newRow(count + "Down") << n << int(Qt::Key_Down) << 0;
            QTest::newRow(count + "End") << n << int(Qt::Key_End) << n - 1;
            QTest::newRow(count + "Up") << n << int(Qt::Key_Up) << n - 1;
        }
    }
    void keysSelectInListWithoutSelection() {
        QFETCH(int, entries);
        QFETCH(int, key);
        QFETCH(int, row);
        NumberedList numbered(QStringList{"a", "b", "c"}.mid(0, entries));
        ui::ListBox<int> &list = numbered.list;
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        // Focus arriving by Tab puts the focus frame on the first entry, selecting nothing.
        list.ClearSelection();
        list.clearFocus();
        list.setFocus(Qt::TabFocusReason);
        QCOMPARE(list.currentIndex().row(), 0);
        QVERIFY(!list.HasSelection());
        QSignalSpy userClicks(&list, &ui::ListBoxBase::UserSelect);
        QTest::keyClick(&list, Qt::Key(key));
        QCOMPARE(list.Selected(), &numbered.numbers[std::size_t(row)]);
        QCOMPARE(userClicks.count(), 1);
        // Once something is selected, Down moves on from it; a key that moves nothing is no
        // choice.
        if (entries > 1 && row == 0) {
            QTest::keyClick(&list, Qt::Key_Down);
            QCOMPARE(list.currentIndex().row(), 1);
            QCOMPARE(userClicks.count(), 2);
        }
        QTest::keyClick(&list, row == 0 ? Qt::Key_Home : Qt::Key_End);
        QTest::keyClick(&list, row == 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(userClicks.count(), entries > 1 && row == 0 ? 3 : 1);
    }

    // UserSelect reports the user's clicks, on the selected entry too, and no selection the
    // program makes or clears; a click below the last entry or with the right button leaves
    // the selection alone, and so does Ctrl with a click or Space on the selected entry.
    void userSelectOnlyForTheUser() {
        NumberedList numbered({"a", "b", "c"});
        ui::ListBox<int> &list = numbered.list;
        list.resize(120, 200); // room below the last entry
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy userClicks(&list, &ui::ListBoxBase::UserSelect);
        list.SelectRow(2);
        list.SelectNearest(QStringLiteral("a"));
        list.ClearSelection();
        QCOMPARE(userClicks.count(), 0);

        const auto click = [&list](int row, Qt::MouseButton button = Qt::LeftButton,
                                   Qt::KeyboardModifiers keys = {}) {
            const auto rect = [&list](int r) { return list.visualRect(list.model()->index(r, 0)); };
            const QRect last = rect(list.Count() - 1);
            const QPoint at = row < list.Count() ? rect(row).center()
                                                 : last.center() + QPoint(0, 3 * last.height());
            QTest::mouseClick(list.viewport(), button, keys, at);
        };
        click(1);
        QCOMPARE(list.currentIndex().row(), 1);
        QCOMPARE(userClicks.count(), 1);
        click(1);
        QCOMPARE(userClicks.count(), 2);
        click(1, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(userClicks.count(), 3);
        QTest::keyClick(&list, Qt::Key_Space, Qt::ControlModifier);
        click(3); // below the last entry
        click(0, Qt::RightButton);
        QCOMPARE(list.Selected(), &numbered.numbers[1]);
        QCOMPARE(userClicks.count(), 3);
    }

    // In a list of extended selection every change the user makes is a choice, taking the last
    // entry away too, and a key that moves only the focus frame is none; the records of the
    // selection come in list order.
    void userSelectInExtendedList_data() {
        QTest::addColumn<int>("row"); // clicked after row 1, or -1: `key` pressed
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("choices");
        const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        const int down = Qt::Key_Down;
        QTest::newRow("click on the selected") << 1 << 0 << 0 << QList<int>{1} << 2;
        QTest::newRow("Ctrl+click adds before") << 0 << 0 << ctrl << QList<int>{0, 1} << 2;
        QTest::newRow("Shift+click extends") << 3 << 0 << shift << QList<int>{1, 2, 3} << 2;
        QTest::newRow("Ctrl+click takes the last away") << 1 << 0 << ctrl << QList<int>{} << 2;
        QTest::newRow("Shift+Down extends") << -1 << down << shift << QList<int>{1, 2} << 2;
        QTest::newRow("Ctrl+Down moves no selection") << -1 << down << ctrl << QList<int>{1} << 1;
    }
    void userSelectInExtendedList() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QList<int>, selected);
        QFETCH(int, choices);
        NumberedList numbered({"a", "b", "c", "d"});
        ui::ListBox<int> &list = numbered.list;
        list.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        QSignalSpy userClicks(&list, &ui::ListBoxBase::UserSelect);
        QVERIFY(ClickRow(&list, 1));
        const auto keys = Qt::KeyboardModifiers(modifiers);
        if (row >= 0)
            QTest::mouseClick(list.viewport(), Qt::LeftButton, keys,
                              list.visualRect(list.model()->index(row, 0)).center());
        else
            QTest::keyClick(&list, Qt::Key(key), keys);
        QList<int> records;
        for (const int *record : list.SelectedRecords())
            records << *record;
        QCOMPARE(records, selected);
        QCOMPARE(userClicks.count(), choices);
    }

    // Captions reach the window system exactly as given: no display name of the program's
    // own, which the window system would append to every title. (A display name that is not
    // set follows the application name.)
    void captionsWithoutProgramName() {
        const QString name = QCoreApplication::applicationName();
        ui::SetUpApplication(*qApp);
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
        QCoreApplication::setApplicationName(name);
    }

    // The shared base of the windows: show logic once per showing by the program, centred at
    // the size it gives (unless it keeps its place), the opener taken over and given back.
    void formBase() {
        CountingForm opener;
        CountingForm form;
        form.SetOpener(&opener);
        opener.show();
        QCOMPARE(opener.shown, 1);
        form.show();
        QCOMPARE(form.shown, 1);
        QVERIFY(!opener.isEnabled());
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY((form.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        // The window system showing it again is no new showing.
        form.showMinimized();
        form.showNormal();
        QCOMPARE(form.shown, 1);
        // A taken-over window refuses to close; the opener comes back however the window
        // closes, and is taken again at the next showing.
        QVERIFY(!opener.close());
        QVERIFY(opener.isVisible());
        form.reject();
        QVERIFY(opener.isEnabled());
        form.show();
        QCOMPARE(form.shown, 2);
        QVERIFY((form.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        QVERIFY(!opener.isEnabled());
        form.close();
        QVERIFY(opener.isEnabled());
        QVERIFY(opener.close());
        CountingForm placed;
        placed.centred = false;
        placed.move(10, 20);
        placed.show();
        QCOMPARE(placed.shown, 1);
        QCOMPARE(placed.pos(), QPoint(10, 20));
    }

    void rightButtonDoesNotSelect() {
        ui::ListBox<int> list(nullptr, true);
        int a = 1;
        FillWith(list, {{"one", &a}});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(ClickRow(&list, 0, Qt::RightButton));
        QCOMPARE(list.Selected(), nullptr);
        QVERIFY(ClickRow(&list, 0));
        QCOMPARE(list.Selected(), &a);
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

    // The dialog lists families only, so it opens on the family that draws the stored name;
    // the stored name stays unless the user picks another family.
    void fontDialogKeepsNameUnlessFamilyPicked_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<ReportFont>("chosen");
        QTest::addColumn<ReportFont>("kept");
        const uint8_t bold = ReportFont::Bold;
        const ReportFont stored{"Arial", 10, 0x030201, bold};
        QTest::newRow("OK, nothing changed")
            << true << ReportFont{"Liberation Sans", 10, 0x030201, bold} << stored;
        QTest::newRow("other family") << true << ReportFont{"Liberation Serif", 10, 0x030201, bold}
                                      << ReportFont{"Liberation Serif", 10, 0x030201, bold};
        QTest::newRow("size only") << true << ReportFont{"Liberation Sans", 12, 0x030201, bold}
                                   << ReportFont{"Arial", 12, 0x030201, bold};
        QTest::newRow("style only")
            << true << ReportFont{"Liberation Sans", 10, 0x030201, ReportFont::Italic}
            << ReportFont{"Arial", 10, 0x030201, ReportFont::Italic};
        QTest::newRow("Cancel") << false << ReportFont{"Liberation Serif", 12, 0, 0} << stored;
    }
    void fontDialogKeepsNameUnlessFamilyPicked() {
        QFETCH(bool, confirm);
        QFETCH(ReportFont, chosen);
        QFETCH(ReportFont, kept);
        ui::SetUpApplication(*qApp);
        TestResponder responder;
        responder.confirmFont = confirm;
        responder.chosenFont = chosen;
        ReportFont font{"Arial", 10, 0x030201, ReportFont::Bold};
        QCOMPARE(ui::ExecFontDialog(font), confirm);
        QCOMPARE(responder.shownFont,
                 (ReportFont{"Liberation Sans", 10, 0x030201, ReportFont::Bold}));
        QCOMPARE(font, kept);
    }

    // The real dialog shows that family selected, with the stored style and size.
    void fontDialogOpensOnDrawingFamily() {
        ui::SetUpApplication(*qApp);
        QFont shown;
        bool found = false, saved = false;
        QTimer::singleShot(0, this, [&] {
            QFontDialog *dialog = nullptr;
            found = QTest::qWaitFor([&] {
                dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
                return dialog != nullptr;
            });
            if (!found)
                return;
            shown = dialog->currentFont();
            saved = SaveShot(dialog, "report-font");
            dialog->accept();
        });
        ReportFont font{"Arial", 10, 0x030201, ReportFont::Bold | ReportFont::Underline};
        const ReportFont stored = font;
        QVERIFY(ui::ExecFontDialog(font));
        QVERIFY(found && saved);
        QCOMPARE(shown.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(shown.bold() && shown.underline() && !shown.italic());
        QCOMPARE(shown.pointSize(), 10);
        QCOMPARE(font, stored);
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

    // The windows carry the program's icon and name the desktop entry that scripts/run
    // installs; the entry starts the program in its folder, whatever characters the
    // folder's name holds, and goes away again on --remove.
    void desktopIntegration() {
        ui::SetUpApplication(*qApp);
        QWidget window;
        QVERIFY(!window.windowIcon().isNull());
        QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("trolleymind"));

        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("My $hop's 100% \"x\" a\\b"));
        QVERIFY(QDir().mkpath(folder));
        const QString source = QDir::cleanPath(QStringLiteral(TM_TEST_DATA "/../.."));
        const auto run = [&](const QString &argument) {
            QProcess script;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
            script.setProcessEnvironment(env);
            script.start(source + QStringLiteral("/scripts/desktop-entry"), {argument});
            return script.waitForFinished() && script.exitCode() == 0;
        };
        QVERIFY(run(folder));
        const QString entry = dir.filePath(QStringLiteral("data/applications/trolleymind.desktop"));
        const QString icon =
            dir.filePath(QStringLiteral("data/icons/hicolor/scalable/apps/trolleymind.svg"));
        const QStringList lines = QString::fromUtf8(ReadAll(entry)).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Icon=trolleymind")));
        // Quoted once for the command line, then backslashes doubled as in every value.
        const QString exec =
            "Exec=\"" + dir.path() +
            QStringLiteral("/My \\\\$hop's 100%% \\\\\"x\\\\\" a\\\\\\\\b/trolleymind\"");
        QVERIFY2(lines.contains(exec), qPrintable(lines.join('\n')));
        QCOMPARE(ReadAll(icon), ReadAll(source + QStringLiteral("/resources/pictures/icon.svg")));
        if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
            QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), {entry}), 0);

        QVERIFY(run(QStringLiteral("--remove")));
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!QFile::exists(icon));
    }
};

int main(int argc, char **argv) {
    ui::Application app(argc, argv);
    TestUiLayer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_UiLayer.moc"
