// The Preferences dialog opened from the main window: OK copies the controls back,
// Cancel changes nothing, choices without a button survive, the last page comes back;
// and the main window reads the settings at its first showing and writes them at its close.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/PrefUnit.h"
#include "app/ProgramFiles.h"
#include "settings/Preferences.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

namespace {

// Runs the Preferences command; `act` works on the open dialog, then OK or Cancel closes it.
// True when the dialog was modal while `act` ran and is closed afterwards.
[[nodiscard]] bool RunPreferences(const std::function<void(TPrefForm *)> &act, bool ok) {
    const bool modal = RunModal(
        PrefForm, [] { MainForm->Preferences1->trigger(); },
        [&] {
            act(PrefForm);
            if (PrefForm->isVisible()) // unless `act` closed it
                QTest::mouseClick(ok ? PrefForm->OkBtn : PrefForm->CancelBtn, Qt::LeftButton);
        });
    return modal && !PrefForm->isVisible();
}

QList<bool> Checked(std::initializer_list<QRadioButton *> buttons) {
    QList<bool> on;
    for (QRadioButton *b : buttons)
        on.append(b->isChecked());
    return on;
}

} // namespace

class TestPrefForm : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    QString ini() const { return program->file(QStringLiteral("Shopping.ini")); }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() { program = new TestProgram(); }
    void cleanup() { delete program; }

    void controlsCopyBackOnOkOnly_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("preference");
        QTest::addColumn<int>("expected");
        const std::pair<const char *, const char *> boxes[] = {
            {"AskDeleteCatCB", "DeleteCat"}, {"AskDeleteShopCB", "DeleteShop"},
            {"AskClearQtysCB", "ClearQtys"}, {"IDR_ErrorsCB", "IDR_Errors"},
            {"FL_CatCB", "FL_Cat"},          {"MainBitMapCB", "MainBitMap"}};
        for (const auto &[box, pref] : boxes) {
            QTest::addRow("%s OK", box) << box << true << pref << 0;
            QTest::addRow("%s Cancel", box) << box << false << pref << 1;
        }
        QTest::newRow("IDR_SortCatCB OK") << "IDR_SortCatCB" << true << "IDR_Sort" << 1;
        QTest::newRow("IDR_SortProdCB OK") << "IDR_SortProdCB" << true << "IDR_Sort" << 2;
        QTest::newRow("IDR_SortProdCB Cancel") << "IDR_SortProdCB" << false << "IDR_Sort" << 0;
        QTest::newRow("FL_SortProdCB OK") << "FL_SortProdCB" << true << "FL_Sort" << 1;
        QTest::newRow("FL_SortProdCB Cancel") << "FL_SortProdCB" << false << "FL_Sort" << 0;
    }
    void controlsCopyBackOnOkOnly() {
        QFETCH(QString, control);
        QFETCH(bool, ok);
        QFETCH(QString, preference);
        QFETCH(int, expected);
        QVERIFY(RunPreferences(
            [&](TPrefForm *form) {
                auto *button = form->findChild<QAbstractButton *>(control);
                QVERIFY(button);
                // Each control is on its own page; the page is chosen with the tab strip.
                for (int page = 0; !button->isVisible(); ++page) {
                    QVERIFY(page < form->TabSet1->count());
                    QTest::mouseClick(form->TabSet1, Qt::LeftButton, {},
                                      form->TabSet1->tabRect(page).center());
                }
                // On the box or circle itself: the space right of the text does not count.
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            },
            ok));
        const std::pair<const char *, int> values[] = {
            {"DeleteCat", DeleteCat},   {"DeleteShop", DeleteShop}, {"ClearQtys", ClearQtys},
            {"IDR_Errors", IDR_Errors}, {"FL_Cat", FL_Cat},         {"MainBitMap", MainBitMap},
            {"IDR_Sort", IDR_Sort},     {"FL_Sort", FL_Sort}};
        for (const auto &[name, value] : values) {
            const int byDefault = QByteArray(name).endsWith("Sort") ? 0 : 1;
            QCOMPARE(value, preference == name ? expected : byDefault);
        }
        QCOMPARE(MainForm->Image1->isHidden(), !MainBitMap);
    }

    void choiceWithoutButtonSurvives_data() {
        QTest::addColumn<int>("idrSort");
        QTest::addColumn<int>("flSort");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("idrAfter");
        QTest::addColumn<int>("flAfter");
        QTest::newRow("master list 5") << 5 << 0 << "" << 5 << 0;
        QTest::newRow("fridge list 2") << 1 << 2 << "" << 1 << 2;
        QTest::newRow("both 255") << 255 << 255 << "" << 255 << 255;
        QTest::newRow("5, then Category chosen") << 5 << 3 << "IDR_SortCatCB" << 1 << 3;
    }
    void choiceWithoutButtonSurvives() {
        QFETCH(int, idrSort);
        QFETCH(int, flSort);
        QFETCH(QString, click);
        QFETCH(int, idrAfter);
        QFETCH(int, flAfter);
        // The first showing turns the first buttons on; the second must turn them off.
        QVERIFY(RunPreferences([](TPrefForm *) {}, false));
        IDR_Sort = uint8_t(idrSort);
        FL_Sort = uint8_t(flSort);
        QVERIFY(RunPreferences(
            [&](TPrefForm *f) {
                QList<bool> idr = {idrSort == 0, idrSort == 1, idrSort == 2};
                QList<bool> fl = {flSort == 0, flSort == 1};
                QCOMPARE(Checked({f->IDR_SortShopCB, f->IDR_SortCatCB, f->IDR_SortProdCB}), idr);
                QCOMPARE(Checked({f->FL_SortCatCB, f->FL_SortProdCB}), fl);
                if (click.isEmpty())
                    return;
                f->TabSet1->setCurrentIndex(1);
                QTest::mouseClick(f->findChild<QRadioButton *>(click), Qt::LeftButton);
                QTest::mouseClick(f->IDR_SortProdCB, Qt::LeftButton);
                QTest::mouseClick(f->IDR_SortCatCB, Qt::LeftButton);
                // The group is exclusive again once one of its buttons is chosen.
                QCOMPARE(Checked({f->IDR_SortShopCB, f->IDR_SortCatCB, f->IDR_SortProdCB}),
                         (QList<bool>{false, true, false}));
            },
            true));
        QCOMPARE(int(IDR_Sort), idrAfter);
        QCOMPARE(int(FL_Sort), flAfter);
    }

    void lastChosenPageComesBack() {
        QVERIFY(RunPreferences(
            [](TPrefForm *f) {
                QCOMPARE(f->Notebook1->currentIndex(), 0);
                QCOMPARE(f->focusWidget(), f->AskDeleteCatCB); // first in the tab order
                QCOMPARE(f->TabSet1->tabText(0), QStringLiteral("Confirms"));
                QCOMPARE(f->TabSet1->tabText(1), QStringLiteral("Reports"));
                QCOMPARE(f->TabSet1->tabText(2), QStringLiteral("Appearance"));
                // The tab strip lies under the pages.
                QVERIFY(f->TabSet1->y() >= f->Notebook1->geometry().bottom());
                QTest::mouseClick(f->TabSet1, Qt::LeftButton, {}, f->TabSet1->tabRect(2).center());
                QCOMPARE(f->Notebook1->currentIndex(), 2);
                QVERIFY(f->MainBitMapCB->isVisible());
                QTest::mouseClick(f->HelpBtn, Qt::LeftButton);
            },
            false));
        QCOMPARE(program->responder.helpCalls.size(), 1);
        QCOMPARE(program->responder.helpCalls[0].command, ui::HelpCommand::Context);
        QCOMPARE(program->responder.helpCalls[0].context, 8u);
        QVERIFY(
            RunPreferences([](TPrefForm *f) { QCOMPARE(f->Notebook1->currentIndex(), 2); }, true));
    }

    void escapeCancelsAndEnterAccepts() {
        for (const auto &[key, kept] : {std::pair{Qt::Key_Escape, true}, {Qt::Key_Return, false}}) {
            QVERIFY(RunPreferences(
                [key = key](TPrefForm *f) {
                    f->AskDeleteCatCB->setChecked(false);
                    QTest::keyClick(f, key);
                },
                false));
            QCOMPARE(DeleteCat, kept);
        }
    }

    void settingsReadAtFirstShowAndWrittenAtClose_data() {
        QTest::addColumn<bool>("declineLoad");
        QTest::newRow("catalogue saved") << false;
        QTest::newRow("catalogue load declined") << true;
    }
    void settingsReadAtFirstShowAndWrittenAtClose() {
        QFETCH(bool, declineLoad);
        WriteAll(ini(), "[Prefs]\r\nMainBitMap=N\r\nIDR_Sort=2\r\n[Mine]\r\nKeep=1\r\n");
        if (declineLoad) {
            WriteAll(DataFileName, "not a catalogue");
            program->responder.answers = {ui::MsgResult::No}; // do not overwrite it
        }
        MainForm->show();
        QCOMPARE(int(IDR_Sort), 2);
        QVERIFY(MainForm->Image1->isHidden());
        if (!declineLoad) {
            // Turning the picture back on shows it at once; the file learns of it at the close.
            QVERIFY(RunPreferences([](TPrefForm *f) { f->MainBitMapCB->setChecked(true); }, true));
            QVERIFY(!MainForm->Image1->isHidden());
            MainForm->close();
        }
        QTRY_VERIFY(!MainForm->isVisible());
        const QByteArray written = ReadAll(ini());
        QVERIFY(written.contains("\r\nMainBitMap=" + QByteArray(declineLoad ? "N" : "Y")));
        QVERIFY(written.contains("\r\nIDR_Sort=2\r\n"));
        QVERIFY(written.contains("[Mine]\r\nKeep=1\r\n"));
        QVERIFY(written.contains("[Font]\r\nName=Arial\r\n"));
        // The settings are written whether or not the catalogue was.
        QCOMPARE(ReadAll(DataFileName) == "not a catalogue", declineLoad);
    }

    void unwritableSettingsFileIsReported() {
        QVERIFY(QDir(program->dir.path()).mkdir(QStringLiteral("Shopping.ini")));
        MainForm->show();
        MainForm->close();
        QCOMPARE(program->responder.texts(), QStringList{"Unable to write to " + ini()});
        QCOMPARE(program->responder.messages[0].kind, ui::MsgKind::Error);
    }

    void screenshots() {
        if (ShotsFolder().isEmpty())
            QSKIP("set TM_SHOTS to a folder to save pictures of the pages");
        QVERIFY(RunPreferences(
            [&](TPrefForm *f) {
                const char *names[] = {"confirms", "reports", "appearance"};
                for (int page = 0; page < 3; ++page) {
                    f->TabSet1->setCurrentIndex(page);
                    QVERIFY(SaveShot(f, QStringLiteral("prefs-") + names[page]));
                    QVERIFY(SaveShot(f, QStringLiteral("prefs-") + names[page] + "-x3", 3));
                }
            },
            false));
    }
};

QTEST_MAIN(TestPrefForm)
#include "tst_PrefForm.moc"
