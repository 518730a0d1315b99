// The main window's life cycle on a prepared program folder: load at the first showing,
// save on File > Save and at every close, and quit without saving when the user declines.

#include "FaultInjection.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "catalogue/SafeSave.h"
#include "catalogue/ShopData.h"
#include "editors/CatEditU.h"
#include "editors/ItemEdit.h"
#include "editors/ShopCopy.h"
#include "editors/ShopEdit.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"
#include "shopping/Analysis.h"
#include "shopping/ShopLstU.h"
#include "ui/Application.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <csignal>
#include <map>
#include <memory>
#include <vector>

class TestMainForm : public QObject {
    Q_OBJECT
    TestProgram *program = nullptr;
    QString dataFile() const { return program->file(QStringLiteral("Shopping.dat")); }
    TestResponder &responder() { return program->responder; }
    // The main window on the prepared folder, shown and settled.
    void start() {
        MainForm->show();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() { program = new TestProgram(); }
    void cleanup() { delete program; }

    void loadsAtFirstShowAndSavesAtEveryClose_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("File > Exit") << "exit";
        QTest::newRow("Exit program button") << "button";
        QTest::newRow("close box") << "closebox";
        // The session ending, Ctrl+C in a terminal, the terminal closed.
        QTest::newRow("SIGTERM") << "SIGTERM";
        QTest::newRow("SIGINT") << "SIGINT";
        QTest::newRow("SIGHUP") << "SIGHUP";
    }
    void loadsAtFirstShowAndSavesAtEveryClose() {
        QFETCH(QString, how);
        WriteAll(dataFile(), ExampleCatalogueBytes());
        start();
        QCOMPARE(Categories.Count(), 1);
        QCOMPARE(Items.Count(), 1);

        Items[0]->Quantity = 7; // a change made while running reaches the file at the close
        if (how == "exit")
            MainForm->Exit1->trigger();
        else if (how == "button")
            QTest::mouseClick(MainForm->CloseBtn, Qt::LeftButton);
        else if (how == "closebox")
            MainForm->close();
        else {
            ui::Application::QuitOnTerminationSignals();
            const std::map<QString, int> signals_{
                {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
            QCOMPARE(::raise(signals_.at(how)), 0);
            QTRY_VERIFY(!MainForm->isVisible());
            // The quit that ended the program leaves the next event loop ending at once;
            // one pass of the application's own loop clears that for the next tests.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        }
        QVERIFY(!MainForm->isVisible());
        QCOMPARE(Items.Count(), 0); // the lists are released

        QByteArray expected = ExampleCatalogueBytes();
        expected[expected.size() - 33] = 7; // the item's quantity (low byte)
        QCOMPARE(ReadAll(dataFile()), expected);
        QVERIFY(responder().messages.isEmpty());
    }

    void saveReportsAndTwoSavesAreIdentical() {
        start();
        QCOMPARE(Categories.Count(), 0); // no file: empty catalogue, nothing asked
        QVERIFY(responder().messages.isEmpty());
        BuildExampleCatalogue();

        QTest::keyClick(MainForm, Qt::Key_F2);
        QCOMPARE(responder().texts(), QStringList{"File saved"});
        QCOMPARE(responder().messages[0].caption, QStringLiteral("Information"));
        const QByteArray first = ReadAll(dataFile());
        QCOMPARE(first, ExampleCatalogueBytes());

        MainForm->close();
        QCOMPARE(ReadAll(dataFile()), first);
    }

    void failedSaveIsReportedAndNotCalledSaved() {
        start();
        BuildExampleCatalogue();
        // The data file's name is taken by a folder: nothing can be written there.
        QVERIFY(QDir(program->dir.path()).mkdir(QStringLiteral("Shopping.dat")));
        MainForm->Save1->trigger();
        QCOMPARE(responder().texts(), QStringList{"Unable to save data file - SHOPPING.DAT"});
        QCOMPARE(responder().messages[0].caption, QStringLiteral("Error"));
        MainForm->close(); // the close reports again and still ends
        QCOMPARE(responder().messages.size(), 2);
        QVERIFY(!MainForm->isVisible());
    }

    // A save whose data the disk did not take in is reported, never "File saved", and the
    // old file stays.
    void unsyncedSaveIsAFailedSave() {
        WriteAll(dataFile(), ExampleCatalogueBytes());
        start();
        Items[0]->Quantity = 7;
        FaultInjection faults;
        faults.FailFirst("fdatasync", EIO);
        QTest::keyClick(MainForm, Qt::Key_F2);
        QCOMPARE(responder().texts(), QStringList{"Unable to save data file - SHOPPING.DAT"});
        QCOMPARE(ReadAll(dataFile()), ExampleCatalogueBytes());
    }

    // Somebody else's file: No quits without touching it, Yes starts empty and saves.
    void fileNotOurs_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("declined") << false;
        QTest::newRow("overwrite") << true;
    }
    void fileNotOurs() {
        QFETCH(bool, overwrite);
        const QByteArray notOurs("This is somebody else's file, not a catalogue.");
        WriteAll(dataFile(), notOurs);
        responder().answers = {overwrite ? ui::MsgResult::Yes : ui::MsgResult::No};
        start();
        QCOMPARE(responder().texts(),
                 QStringList{"The SHOPPING.DAT file does not appear to be a valid "
                             "Trolleymind file.\rDo you want to overwrite this file?"});
        QCOMPARE(responder().messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(MainForm->QuitWithoutSave, !overwrite);
        if (overwrite) {
            QVERIFY(MainForm->isVisible());
            MainForm->close();
            // An empty catalogue: signature, version and four zero counts.
            QCOMPARE(ReadAll(dataFile()), ExampleCatalogueBytes().left(16) + QByteArray(8, 0));
        } else {
            QTRY_VERIFY(!MainForm->isVisible());
            QCOMPARE(ReadAll(dataFile()), notOurs);
        }
    }

    // What a save cut short by a crash left beside the files goes at start-up; the user's
    // own copies stay, however alike their names (the temporary names of older versions
    // among them).
    void unfinishedSavesAreRemovedAtStart() {
        WriteAll(dataFile(), ExampleCatalogueBytes());
        const auto temporary = [&](const QString &name, const char *random) {
            return QFileInfo(QString::fromStdString(
                                 SaveTemporaryName(program->file(name).toStdString(), random)))
                .fileName();
        };
        const QStringList leftovers = {temporary("Shopping.dat", "Ab12Cd"),
                                       temporary("Shopping.ini", "QwErTy")};
        const QStringList others = {
            "SHOPPING.DAT.backup", "Shopping.ini.before", "shopping.dat.old001",
            "SHOPPING.DAT.bak",    "SHOPPING.DAT.2024q1", "Shopping.dat.BEFORE",
            "SHOPPING.DAT.copy01", "Shopping.dat.Ab12Cd", "Shopping.ini.QwErTy",
            "Other.dat.abcdef",    "Shopping.hlp.abcdef"};
        for (const QString &name : leftovers + others)
            WriteAll(program->file(name), "x");
        start();
        QCOMPARE(Items.Count(), 1);
        QStringList expected = others + QStringList{"Shopping.dat"};
        expected.sort();
        QStringList found = QDir(program->dir.path())
                                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        found.sort();
        QCOMPARE(found, expected);
    }

    // Something that is no file in the data file's place, under any case of its name, is
    // asked about at start-up like a file that cannot be read: No quits leaving it as it
    // was; Yes goes on, and the close saves through a link to the file it names but never
    // puts a second catalogue beside what holds the name.
    void dataFileNameTakenByNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("goOn");
        for (const char *kind : {"fifo", "link to nothing", "folder"})
            for (const bool goOn : {false, true})
                QTest::addRow("%s, %s", kind, goOn ? "go on" : "quit") << kind << goOn;
    }
    void dataFileNameTakenByNoFile() {
        QFETCH(QString, kind);
        QFETCH(bool, goOn);
        const QString taken = program->file("SHOPPING.DAT");
        const QString elsewhere = program->file("catalogue.dat");
        if (kind == "fifo")
            QVERIFY(MakeSpecialFile(taken, kind));
        else if (kind == "folder")
            QVERIFY(QDir(program->dir.path()).mkdir("SHOPPING.DAT"));
        else
            QVERIFY(QFile::link(elsewhere, taken));
        const auto entries = [&] {
            QStringList found = QDir(program->dir.path())
                                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
            found.removeAll("Shopping.ini");
            found.sort();
            return found;
        };
        const QStringList before = entries();

        responder().answers = {goOn ? ui::MsgResult::Yes : ui::MsgResult::No};
        start();
        QCOMPARE(responder().texts(),
                 QStringList{"The SHOPPING.DAT file cannot be opened for reading.\rDo you want "
                             "to go on with an empty catalogue? Saving will then overwrite the "
                             "file."});
        QCOMPARE(MainForm->QuitWithoutSave, !goOn);
        MainForm->close();
        QTRY_VERIFY(!MainForm->isVisible());
        const bool saved = goOn && kind == "link to nothing";
        const QStringList after = saved ? QStringList{"SHOPPING.DAT", "catalogue.dat"} : before;
        QCOMPARE(entries(), after);
        if (saved) {
            QVERIFY(QFileInfo(taken).isSymLink());
            QCOMPARE(ReadAll(taken), ExampleCatalogueBytes().left(16) + QByteArray(8, 0));
        } else if (goOn) {
            QCOMPARE(responder().texts().last(), "Unable to save data file - SHOPPING.DAT");
        }
    }

    void laterShowingsDoNotReload() {
        WriteAll(dataFile(), ExampleCatalogueBytes());
        start();
        Categories[0]->Name = "Chilled";
        MainForm->showMinimized();
        MainForm->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(Names(Categories), QStringList{"Chilled"});
    }

    void closeRefusedWhileAnotherWindowHasTakenOver() {
        WriteAll(dataFile(), ExampleCatalogueBytes());
        start();
        // As the shop editor does while it is open: the close box must not release the
        // catalogue that window is still working on.
        MainForm->setEnabled(false);
        MainForm->close();
        QVERIFY(MainForm->isVisible());
        QCOMPARE(Shops.Count(), 1);
        MainForm->setEnabled(true);
        MainForm->close();
        QVERIFY(!MainForm->isVisible());
        QCOMPARE(ReadAll(dataFile()), ExampleCatalogueBytes());
    }

    // Enter presses the focused picture button, as Space does.
    void enterPressesFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterPressesFocusedButton() {
        QFETCH(int, key);
        start();
        QVERIFY(ShowActive(MainForm));
        MainForm->ShopBtn->setFocus(Qt::TabFocusReason);
        QTest::keyClick(MainForm->ShopBtn, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(ShopEditForm->isVisible());
        ShopEditForm->close();
        QVERIFY(MainForm->isEnabled());
    }

    // A request to end the program (from the desktop session or the platform) goes to the
    // main window alone. Left to Qt it would close the windows in an order that changes with
    // every run, and the floor plan editor could close under the disabled main window. The
    // windows are made afresh several times, so that Qt's order would differ.
    void quitRequestLeavesOpenPlanAlone() {
        WriteAll(dataFile(), ExampleCatalogueBytes());
        std::vector<std::unique_ptr<char[]>> spread; // new windows at new addresses
        for (int attempt = 0; attempt < 12; ++attempt) {
            if (attempt > 0) {
                delete program;
                spread.emplace_back(new char[997 * attempt]);
                program = new TestProgram();
                WriteAll(dataFile(), ExampleCatalogueBytes());
            }
            start();
            QTest::mouseClick(MainForm->ShopBtn, Qt::LeftButton);
            QVERIFY(ClickRow(ShopEditForm->ShopListBox, 0));
            QTest::mouseClick(ShopEditForm->FloorBtn, Qt::LeftButton);
            QVERIFY(FloorPlanEditForm->isVisible());

            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
            QCoreApplication::processEvents();
            QVERIFY2(FloorPlanEditForm->isVisible(), qPrintable(QString::number(attempt)));
            QVERIFY(ShopEditForm->isVisible() && MainForm->isVisible());
            QCOMPARE(Shops.Count(), 1); // the catalogue is still there

            // Once the plan and the shop editor are closed, a quit request closes the main
            // window, which saves.
            FloorPlanEditForm->Close1->trigger();
            QTest::mouseClick(ShopEditForm->CloseBtn, Qt::LeftButton);
            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
            QCoreApplication::processEvents();
            QVERIFY(!MainForm->isVisible());
            QCOMPARE(Shops.Count(), 0);
        }
        // An accepted quit leaves every later event loop ending at once, as it should in the
        // program; one pass of the application's own loop clears that for the next tests.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    void pictureFollowsPreference() {
        // The first showing reads the preference from the settings file.
        WriteAll(program->file(QStringLiteral("Shopping.ini")), "[Prefs]\r\nMainBitMap=N\r\n");
        start();
        QVERIFY(!MainForm->Image1->isVisible());
        MainBitMap = true;
        MainForm->ShowMainPicture();
        QVERIFY(MainForm->Image1->isVisible());
        // The buttons keep their places whatever the picture does.
        QCOMPARE(MainForm->CatBtn->geometry(), QRect(8, 72, 75, 64));
        QCOMPARE(MainForm->CloseBtn->geometry(), QRect(208, 160, 75, 64));
        QCOMPARE(MainForm->centralWidget()->size(), QSize(290, 238));
        QVERIFY(SaveShot(MainForm, "main"));
        if (!ShotsFolder().isEmpty()) {
            for (auto *b : MainForm->findChildren<QToolButton *>())
                b->setEnabled(true);
            QVERIFY(SaveShot(MainForm, "main-enabled", 3));
        }
    }

    // A window that listed the catalogue lets go of its rows when it closes, whichever
    // command opened it, so a closed window costs no memory at the file's limit.
    void closedWindowsKeepNoRows_data() {
        QTest::addColumn<QString>("command");
        for (const char *command : {"Categories1", "Items1", "Shoppinglist1", "Prices1",
                                    "Analyseshoppinglist1", "Createcopyofshop1"})
            QTest::newRow(command) << command;
    }
    void closedWindowsKeepNoRows() {
        QFETCH(QString, command);
        // The windows are made anew for each test, so they are looked up here.
        const std::map<QString, QDialog *> windows = {
            {"Categories1", CatEditForm},       {"Items1", ItemEditForm},
            {"Shoppinglist1", ShopListForm},    {"Prices1", ShopListForm},
            {"Analyseshoppinglist1", AnalForm}, {"Createcopyofshop1", CopyShop}};
        QDialog *window = windows.at(command);
        start();
        BuildShoppingTrip();
        QAction *action = MainForm->findChild<QAction *>(command);
        QVERIFY(action);
        int shownRows = 0;
        QVERIFY(RunModal(
            window, [action] { action->trigger(); },
            [&] {
                for (auto *view : window->findChildren<QAbstractItemView *>())
                    shownRows += view->model()->rowCount();
                window->close();
            }));
        QVERIFY(shownRows > 0);
        for (auto *view : window->findChildren<QAbstractItemView *>())
            QVERIFY2(view->model()->rowCount() == 0, qPrintable(view->objectName()));
        QVERIFY(responder().messages.isEmpty());
    }
};

// The program's own application object, which routes a request to quit.
int main(int argc, char **argv) {
    ui::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMainForm test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_MainForm.moc"
