// The main window's Help menu: each command reaches the help viewer with its argument,
// Other products leaves the program's help file in place, the close tells the viewer to
// quit, and the About box shows the program's version.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/AboutUnit.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

Q_DECLARE_METATYPE(ui::HelpCommand)

class TestHelpCommands : public QObject {
    Q_OBJECT
private:
    TestProgram *program = nullptr;
    QList<HelpCall> &helpCalls() { return program->responder.helpCalls; }

    void start() {
        MainForm->show();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() { SetUpWindowTests(); }
    void init() { program = new TestProgram(); }
    void cleanup() { delete program; }

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
        QCOMPARE(helpCalls().size(), 1);
        const HelpCall &call = helpCalls()[0];
        QCOMPARE(call.file, file.isEmpty() ? program->file("CATALOG.HLP") : file);
        QCOMPARE(call.command, command);
        if (command == ui::HelpCommand::Context)
            QCOMPARE(call.context, context);
        // The search opens with an empty entry.
        QVERIFY(call.keyword.isEmpty());
        QVERIFY(program->responder.messages.isEmpty());
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
        QCOMPARE(helpCalls().size(), 1);
        QCOMPARE(helpCalls()[0].command, command);
    }

    // F1 anywhere in a window with a Help button opens that window's own topic, from
    // whichever control has the focus.
    void helpKeyInEachWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<unsigned>("context");
        QTest::newRow("category editor") << "CatEditForm" << 4u;
        QTest::newRow("shop copy") << "CopyShop" << 5u;
        QTest::newRow("item editor") << "ItemEditForm" << 7u;
        QTest::newRow("preferences") << "PrefForm" << 8u;
        QTest::newRow("shop editor") << "ShopEditForm" << 10u;
        QTest::newRow("shopping list") << "ShopListForm" << 11u;
        QTest::newRow("price analysis") << "AnalForm" << 3u;
    }
    void helpKeyInEachWindow() {
        QFETCH(QString, window);
        QFETCH(unsigned, context);
        start();
        BuildShoppingTrip();
        QWidget *form = nullptr;
        for (QWidget *w : ProgramWindows())
            if (w->objectName() == window)
                form = w;
        QVERIFY(form);
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QWidget *focus = form->focusWidget() ? form->focusWidget() : form;
        QTest::keyClick(focus, Qt::Key_F1);
        QCOMPARE(helpCalls().size(), 1);
        QCOMPARE(helpCalls()[0].command, ui::HelpCommand::Context);
        QCOMPARE(helpCalls()[0].context, context);
        form->hide();
    }

    void helpContentsAfterOtherProducts() {
        const QString own = QStringLiteral("Shopping.hlp");
        start();
        MainForm->Otherproducts1->trigger();
        MainForm->Helptopics1->trigger();
        MainForm->Gettingstarted1->trigger();
        QCOMPARE(helpCalls().size(), 3);
        QCOMPARE(helpCalls()[0].file, program->file("CATALOG.HLP"));
        QCOMPARE(helpCalls()[1].file, own);
        QCOMPARE(helpCalls()[1].command, ui::HelpCommand::Contents);
        QCOMPARE(helpCalls()[2].file, own);
    }

    void closeTellsTheViewerToQuit_data() {
        QTest::addColumn<QByteArray>("dataFile"); // empty: none
        QTest::newRow("after a normal run") << QByteArray();
        QTest::newRow("after a declined load") << QByteArray("not a catalogue at all");
    }
    void closeTellsTheViewerToQuit() {
        QFETCH(QByteArray, dataFile);
        if (!dataFile.isEmpty()) {
            WriteAll(program->file("Shopping.dat"), dataFile);
            program->responder.answers = {ui::MsgResult::No}; // do not overwrite it
        }
        start(); // a declined load closes the window by itself
        if (dataFile.isEmpty()) {
            QVERIFY(helpCalls().isEmpty());
            MainForm->Exit1->trigger();
        } else {
            QTRY_VERIFY(!MainForm->isVisible());
        }
        QCOMPARE(helpCalls().size(), 1);
        QCOMPARE(helpCalls()[0].command, ui::HelpCommand::Quit);
    }

    void aboutBox() {
        start();
        const auto checkAndClose = [] {
            QCOMPARE(AboutForm->windowTitle(), QStringLiteral("About Trolleymind"));
            QVERIFY(!AboutForm->ProgramIcon->pixmap().isNull());
            QCOMPARE(AboutForm->ProgramIcon->parentWidget(), AboutForm->Panel1);
            QVERIFY(AboutForm->Panel1->frameShape() != QFrame::NoFrame);
            for (QLabel *line : {AboutForm->ProductName, AboutForm->Comments, AboutForm->Version}) {
                QCOMPARE(line->parentWidget(), AboutForm->Panel1);
                QVERIFY(line->alignment() & Qt::AlignHCenter);
                // The whole text fits, centred in the panel.
                QVERIFY(line->sizeHint().width() <= line->width());
                QVERIFY(qAbs(line->geometry().center().x() - AboutForm->Panel1->width() / 2) <= 1);
            }
            QCOMPARE(AboutForm->ProductName->text(), QStringLiteral("Trolleymind"));
            QCOMPARE(AboutForm->Version->text(), QStringLiteral("Version 1.10 (WIN95)"));
            QVERIFY(SaveShot(AboutForm, "about"));
            QTest::mouseClick(AboutForm->OKButton, Qt::LeftButton); // OK closes the box
            QVERIFY(!AboutForm->isVisible());
        };
        QVERIFY(RunModal(
            AboutForm, [] { MainForm->AboutTrolleymind1->trigger(); }, checkAndClose));
        QCOMPARE(AboutForm->result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_HelpCommands.moc"
