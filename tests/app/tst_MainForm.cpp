// The main window's life cycle on a prepared program folder: load at the first showing,
// save on File > Save and at every close, and quit without saving when the user declines.

#include "TestCatalogue.h"
#include "TestResponder.h"
#include "app/Forms.h"
#include "app/MainUnit.h"
#include "app/ProgramFiles.h"
#include "catalogue/DataFile.h"
#include "catalogue/Regional.h"
#include "settings/Preferences.h"
#include "ui/WindowFont.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestMainForm : public QObject {
    Q_OBJECT
private:
    QTemporaryDir *dir = nullptr;
    QString dataFile() const { return dir->filePath(QStringLiteral("Shopping.dat")); }
    // A fresh main window on the prepared folder, shown and settled.
    TMainForm *start()
    {
        SetProgramDir(dir->path());
        auto *form = new TMainForm();
        form->show();
        QCoreApplication::processEvents();
        return form;
    }

private Q_SLOTS:
    void initTestCase()
    {
        ui::SetUpApplication(*qApp);
        SetCurrentRegional(Regional::EnglishUS());
    }
    void init()
    {
        dir = new QTemporaryDir();
        QVERIFY(dir->isValid());
        ResetPreferences();
    }
    void cleanup()
    {
        ClearCatalogue();
        delete dir;
        dir = nullptr;
    }

    void loadsAtFirstShowAndSavesAtEveryClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("File > Exit") << "exit";
        QTest::newRow("Exit program button") << "button";
        QTest::newRow("close box") << "closebox";
    }
    void loadsAtFirstShowAndSavesAtEveryClose()
    {
        QFETCH(QString, how);
        TestResponder responder;
        WriteAll(dataFile(), ExampleCatalogueBytes());
        TMainForm *form = start();
        QCOMPARE(Categories.Count(), 1);
        QCOMPARE(Items.Count(), 1);
        QVERIFY(responder.messages.isEmpty());

        Items[0]->Quantity = 7; // a change made while running reaches the file at the close
        if (how == "exit")
            form->Exit1->trigger();
        else if (how == "button")
            QTest::mouseClick(form->CloseBtn, Qt::LeftButton);
        else
            form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(Items.Count(), 0); // the lists are released

        QByteArray expected = ExampleCatalogueBytes();
        expected[expected.size() - 33] = 7; // the item's quantity (low byte)
        QCOMPARE(ReadAll(dataFile()), expected);
        QVERIFY(responder.messages.isEmpty());
        delete form;
    }

    void saveReportsAndTwoSavesAreIdentical()
    {
        TestResponder responder;
        TMainForm *form = start();
        QCOMPARE(Categories.Count(), 0); // no file: empty catalogue, nothing asked
        QVERIFY(responder.messages.isEmpty());
        BuildExampleCatalogue();

        QTest::keyClick(form, Qt::Key_F2);
        QCOMPARE(responder.messages.size(), 1);
        QCOMPARE(responder.messages[0].caption, QStringLiteral("Information"));
        QCOMPARE(responder.messages[0].text, QStringLiteral("File saved"));
        const QByteArray first = ReadAll(dataFile());
        QCOMPARE(first, ExampleCatalogueBytes());

        form->close();
        QCOMPARE(ReadAll(dataFile()), first);
        delete form;
    }

    void failedSaveIsReportedAndNotCalledSaved()
    {
        TestResponder responder;
        TMainForm *form = start();
        BuildExampleCatalogue();
        // The data file's name is taken by a folder: nothing can be written there.
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Shopping.dat")));
        form->Save1->trigger();
        QCOMPARE(responder.texts(), QStringList{QStringLiteral("Unable to save data file - SHOPPING.DAT")});
        QCOMPARE(responder.messages[0].caption, QStringLiteral("Error"));
        form->close(); // the close reports again and still ends
        QCOMPARE(responder.messages.size(), 2);
        QVERIFY(!form->isVisible());
        delete form;
    }

    void declinedLoadQuitsWithoutSaving()
    {
        TestResponder responder;
        const QByteArray notOurs("This is somebody else's file, not a catalogue.");
        WriteAll(dataFile(), notOurs);
        responder.answers = {ui::MsgResult::No};
        TMainForm *form = start();
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(form->QuitWithoutSave);
        QCOMPARE(responder.texts(),
                 QStringList{QStringLiteral("The SHOPPING.DAT file does not appear to be a valid "
                                            "Trolleymind file.\rDo you want to overwrite this file?")});
        QCOMPARE(responder.messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(ReadAll(dataFile()), notOurs);
        delete form;
    }

    void acceptedOverwriteStartsEmptyAndSaves()
    {
        TestResponder responder;
        WriteAll(dataFile(), QByteArray("junk"));
        responder.answers = {ui::MsgResult::Yes};
        TMainForm *form = start();
        QVERIFY(form->isVisible());
        QVERIFY(!form->QuitWithoutSave);
        form->close();
        // An empty catalogue: signature, version and four zero counts.
        QCOMPARE(ReadAll(dataFile()), QByteArray::fromHex("0B54726F6C6C65796D696E64CDCC8C3F"
                                                           "0000000000000000"));
        delete form;
    }

    void laterShowingsDoNotReload()
    {
        TestResponder responder;
        WriteAll(dataFile(), ExampleCatalogueBytes());
        TMainForm *form = start();
        Categories[0]->Name = "Chilled";
        form->showMinimized();
        form->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(Categories.Count(), 1);
        QCOMPARE(Categories[0]->Name, std::string("Chilled"));
        form->close();
        delete form;
    }

    void closeRefusedWhileAnotherWindowHasTakenOver()
    {
        TestResponder responder;
        WriteAll(dataFile(), ExampleCatalogueBytes());
        TMainForm *form = start();
        // As the shop editor does while it is open: the close box must not release the
        // catalogue that window is still working on.
        form->setEnabled(false);
        form->close();
        QVERIFY(form->isVisible());
        QCOMPARE(Shops.Count(), 1);
        form->setEnabled(true);
        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(ReadAll(dataFile()), ExampleCatalogueBytes());
        delete form;
    }

    void pictureFollowsPreference()
    {
        TestResponder responder;
        // The first showing reads the preference from the settings file.
        WriteAll(dir->filePath(QStringLiteral("Shopping.ini")), "[Prefs]\r\nMainBitMap=N\r\n");
        TMainForm *form = start();
        QVERIFY(!form->Image1->isVisible());
        MainBitMap = true;
        form->ShowMainPicture();
        QVERIFY(form->Image1->isVisible());
        // The buttons keep their places whatever the picture does.
        QCOMPARE(form->CatBtn->geometry(), QRect(8, 72, 75, 64));
        QCOMPARE(form->CloseBtn->geometry(), QRect(208, 160, 75, 64));
        QCOMPARE(form->centralWidget()->size(), QSize(290, 238));
        if (qEnvironmentVariableIsSet("TM_SHOTS")) {
            const QString shots = qEnvironmentVariable("TM_SHOTS");
            form->grab().save(shots + "/main.png");
            for (auto *b : form->findChildren<QToolButton *>())
                b->setEnabled(true);
            form->grab().scaled(870, 714).save(shots + "/main-enabled.png");
        }
        form->close();
        delete form;
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
