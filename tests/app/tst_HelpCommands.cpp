// The main window's Help menu: each command reaches the help viewer with its argument,
// Other products leaves the program's help file in place, the close tells the viewer to
// quit, and the About box shows the program's version.

#include "TestCatalogue.h"
#include "TestResponder.h"
#include "app/AboutUnit.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/Regional.h"
#include "settings/Preferences.h"
#include "ui/WindowFont.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(ui::HelpCommand)

class TestHelpCommands : public QObject {
    Q_OBJECT
private:
    QTemporaryDir *dir = nullptr;
    TestResponder *responder = nullptr;

    void start() {
        SetProgramDir(dir->path());
        MainForm->show();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() {
        ui::SetUpApplication(*qApp);
        SetCurrentRegional(Regional::EnglishUS());
    }
    void init() {
        dir = new QTemporaryDir();
        QVERIFY(dir->isValid());
        ResetPreferences();
        ui::SetHelpFile(QStringLiteral("Shopping.hlp"));
        responder = new TestResponder();
        CreateForms();
    }
    void cleanup() {
        if (MainForm->isVisible())
            MainForm->close();
        DestroyForms();
        ClearCatalogue();
        delete responder;
        delete dir;
    }

    void menuCommandsReachTheViewer_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file"); // empty: ProgramDir + "CATALOG.HLP"
        QTest::addColumn<ui::HelpCommand>("command");
        QTest::addColumn<unsigned>("context");
        QTest::newRow("Help contents") << "Helptopics1"
                                       << "Shopping.hlp" << ui::HelpCommand::Contents << 0u;
        QTest::newRow("Search for help on") << "Searchforhelpon1"
                                            << "Shopping.hlp" << ui::HelpCommand::PartialKey << 0u;
        QTest::newRow("Using help") << "Usinghelp1"
                                    << "Shopping.hlp" << ui::HelpCommand::HelpOnHelp << 0u;
        QTest::newRow("Getting started") << "Gettingstarted1"
                                         << "Shopping.hlp" << ui::HelpCommand::Context << 2u;
        QTest::newRow("Other products") << "Otherproducts1"
                                        << "" << ui::HelpCommand::Contents << 0u;
    }
    void menuCommandsReachTheViewer() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(ui::HelpCommand, command);
        QFETCH(unsigned, context);
        start();
        auto *item = MainForm->findChild<QAction *>(action);
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        item->trigger();
        QCOMPARE(responder->helpCalls.size(), 1);
        const HelpCall &call = responder->helpCalls[0];
        QCOMPARE(call.file, file.isEmpty() ? dir->path() + "/CATALOG.HLP" : file);
        QCOMPARE(call.command, command);
        if (command == ui::HelpCommand::Context)
            QCOMPARE(call.context, context);
        // The search opens with an empty entry.
        QVERIFY(call.keyword.isEmpty());
        QCOMPARE(ui::HelpFile(), QStringLiteral("Shopping.hlp"));
        QVERIFY(responder->messages.isEmpty());
    }

    void shortcuts_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<ui::HelpCommand>("command");
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << ui::HelpCommand::Contents;
        QTest::newRow("Ctrl+F1") << QKeySequence(Qt::CTRL | Qt::Key_F1)
                                 << ui::HelpCommand::PartialKey;
    }
    void shortcuts() {
        QFETCH(QKeySequence, keys);
        QFETCH(ui::HelpCommand, command);
        start();
        QApplication::setActiveWindow(MainForm);
        QVERIFY(QTest::qWaitForWindowActive(MainForm));
        QTest::keySequence(MainForm, keys);
        QCOMPARE(responder->helpCalls.size(), 1);
        QCOMPARE(responder->helpCalls[0].command, command);
    }

    void helpContentsAfterOtherProducts_data() {
        QTest::addColumn<QString>("own");
        QTest::newRow("by name") << "Shopping.hlp";
        QTest::newRow("by path") << "/opt/help/Shopping.hlp";
    }
    void helpContentsAfterOtherProducts() {
        QFETCH(QString, own);
        start();
        ui::SetHelpFile(own);
        MainForm->Otherproducts1->trigger();
        MainForm->Helptopics1->trigger();
        MainForm->Gettingstarted1->trigger();
        QCOMPARE(responder->helpCalls.size(), 3);
        QCOMPARE(responder->helpCalls[0].file, dir->path() + "/CATALOG.HLP");
        QCOMPARE(responder->helpCalls[1].file, own);
        QCOMPARE(responder->helpCalls[1].command, ui::HelpCommand::Contents);
        QCOMPARE(responder->helpCalls[2].file, own);
    }

    void closeTellsTheViewerToQuit_data() {
        QTest::addColumn<QByteArray>("dataFile"); // empty: none
        QTest::newRow("after a normal run") << QByteArray();
        QTest::newRow("after a declined load") << QByteArray("not a catalogue at all");
    }
    void closeTellsTheViewerToQuit() {
        QFETCH(QByteArray, dataFile);
        if (!dataFile.isEmpty())
            WriteAll(dir->filePath(QStringLiteral("Shopping.dat")), dataFile);
        start(); // a declined load (the responder answers No) closes the window by itself
        if (dataFile.isEmpty()) {
            QVERIFY(responder->helpCalls.isEmpty());
            MainForm->Exit1->trigger();
        } else {
            QTRY_VERIFY(!MainForm->isVisible());
        }
        QCOMPARE(responder->helpCalls.size(), 1);
        QCOMPARE(responder->helpCalls[0].command, ui::HelpCommand::Quit);
    }

    void aboutBox() {
        start();
        QString shown;
        bool wasModal = false;
        QTimer::singleShot(0, MainForm, [&] {
            const auto done = qScopeGuard([] {
                if (AboutForm->isVisible())
                    AboutForm->reject();
            });
            wasModal = QApplication::activeModalWidget() == AboutForm;
            QCOMPARE(AboutForm->windowTitle(), QStringLiteral("About Trolleymind"));
            QVERIFY(!AboutForm->ProgramIcon->pixmap().isNull());
            QCOMPARE(AboutForm->ProgramIcon->parentWidget(), AboutForm->Panel1);
            QVERIFY(AboutForm->Panel1->frameShape() != QFrame::NoFrame);
            const QList<QLabel *> lines = {AboutForm->ProductName, AboutForm->Comments,
                                           AboutForm->Version};
            for (QLabel *line : lines) {
                QCOMPARE(line->parentWidget(), AboutForm->Panel1);
                QVERIFY(line->alignment() & Qt::AlignHCenter);
                // The whole text fits, centred in the panel.
                QVERIFY(line->sizeHint().width() <= line->width());
                QVERIFY(qAbs(line->geometry().center().x() - AboutForm->Panel1->width() / 2) <= 1);
            }
            QCOMPARE(AboutForm->ProductName->text(), QStringLiteral("Trolleymind"));
            shown = AboutForm->Version->text();
            if (qEnvironmentVariableIsSet("TM_SHOTS"))
                AboutForm->grab().save(qEnvironmentVariable("TM_SHOTS") + "/about.png");
            QTest::mouseClick(AboutForm->OKButton, Qt::LeftButton); // OK closes the box
            QVERIFY(!AboutForm->isVisible());
        });
        MainForm->AboutTrolleymind1->trigger();
        QVERIFY(wasModal);
        QCOMPARE(shown, QStringLiteral("Version 1.10 (WIN95)"));
        QCOMPARE(AboutForm->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_HelpCommands.moc"
