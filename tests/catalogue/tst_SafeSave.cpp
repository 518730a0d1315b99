// Saving safely: a save made to fail at each of its system calls in turn (the new file's
// creation, every write, the sync to disk, the close and the rename) leaves the old file byte
// for byte as it was, reports the failure and leaves no temporary file behind; the catalogue
// and the settings file alike. Written in place, for a folder that refuses new files, the same
// holds; and only a save's own temporary files are ever cleared away.

#include "FaultInjection.h"
#include "TestCatalogue.h"
#include "catalogue/DataFile.h"
#include "settings/Settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

class TestSafeSave : public QObject {
    Q_OBJECT
    QTemporaryDir *dir = nullptr;

private Q_SLOTS:
    void init() { dir = new QTemporaryDir; }
    void cleanup() {
        ClearCatalogue();
        delete dir;
    }

    void everyFailingCallKeepsTheOldFile_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<int>("error");
        for (const bool catalogue : {true, false})
            for (const auto &[name, error] : {std::pair{"EIO", EIO}, std::pair{"ENOSPC", ENOSPC}})
                QTest::addRow("%s, %s", catalogue ? "catalogue" : "settings", name)
                    << catalogue << error;
    }
    void everyFailingCallKeepsTheOldFile() {
        QFETCH(bool, catalogue);
        QFETCH(int, error);
        const QString name = catalogue ? "Shopping.dat" : "Shopping.ini";
        const QString path = dir->filePath(name);
        const QByteArray old = catalogue ? ExampleCatalogueBytes() + "tail"
                                         : QByteArray("; kept as it is\r\n[Options]\r\nA=1\r\n");
        BuildExampleCatalogue();
        RecordingUser user;
        const auto save = [&] {
            return catalogue ? WriteDataFile(path.toStdString(), user) : WriteSettings(path);
        };

        FaultInjection faults;
        WriteAll(path, old);
        QVERIFY(save()); // learns the calls a save makes
        const QByteArray saved = ReadAll(path);
        QVERIFY(saved != old);
        const QStringList calls = FaultInjection::Calls();
        QCOMPARE(calls.first(), "create");
        QVERIFY(calls.count("write") >= 2);
        QCOMPARE(calls.mid(calls.size() - 3), QStringList({"fdatasync", "close", "rename"}));

        for (int at = 0; at < calls.size(); ++at) {
            const QString step = QString("%1 (call %2)").arg(calls[at]).arg(at);
            WriteAll(path, old);
            user.errors.clear();
            faults.FailAt(at, error);
            QVERIFY2(!save(), qPrintable(step));
            QVERIFY2(ReadAll(path) == old, qPrintable(step));
            if (catalogue)
                QCOMPARE(user.errors, QStringList{"Unable to save data file - SHOPPING.DAT"});
            QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        }
        faults.FailAt(-1, error);
        QVERIFY(save());
        QCOMPARE(ReadAll(path), saved);
    }

    // In a folder that refuses new files the file is written in place: room is made before
    // the first byte changes, its length is set only after every byte is on the disk, and a
    // failure at any call or after any number of bytes puts the old bytes back, so no
    // attempt leaves less than was there. Old files longer and shorter than the new.
    void inPlaceFailureKeepsTheOldFile_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<bool>("longer");
        for (const bool catalogue : {true, false})
            for (const bool longer : {true, false})
                QTest::addRow("%s, old file %s", catalogue ? "catalogue" : "settings",
                              longer ? "longer" : "shorter")
                    << catalogue << longer;
    }
    void inPlaceFailureKeepsTheOldFile() {
        QFETCH(bool, catalogue);
        QFETCH(bool, longer);
        const QString name = catalogue ? "Shopping.dat" : "Shopping.ini";
        const QString path = dir->filePath(name);
        // A long value the settings writer replaces, so its file too can shrink.
        const QByteArray old = longer ? "[Prefs]\r\nIDR_Sort=" + QByteArray(4000, '9') + "\r\n"
                                      : QByteArray("[Old]\r\n");
        BuildExampleCatalogue();
        RecordingUser user;
        const auto save = [&] {
            return catalogue ? WriteDataFile(path.toStdString(), user) : WriteSettings(path);
        };
        const auto expectFailure = [&](const QString &step) {
            QVERIFY2(!save(), qPrintable(step));
            QVERIFY2(ReadAll(path) == old, qPrintable(step));
            if (catalogue)
                QCOMPARE(user.errors.takeFirst(), "Unable to save data file - SHOPPING.DAT");
            QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        };

        FaultInjection faults;
        faults.RefuseNewFiles();
        WriteAll(path, old);
        QVERIFY(save()); // learns the calls a save in place makes
        const QByteArray saved = ReadAll(path);
        QVERIFY(saved.size() != old.size());
        const QStringList calls = FaultInjection::Calls();
        const qsizetype firstWrite = calls.indexOf("write");
        QVERIFY(firstWrite > 0 && calls.count("write") >= 2);
        // Room first when the file grows; the length last, after the bytes are synced.
        QCOMPARE(calls.indexOf("reserve"), longer ? -1 : firstWrite - 1);
        QCOMPARE(calls.indexOf("truncate"), longer ? calls.indexOf("fdatasync") + 1 : -1);
        QCOMPARE(calls.last(), "close");

        for (int at = 0; at < calls.size(); ++at) {
            WriteAll(path, old);
            faults.FailAt(at, ENOSPC);
            expectFailure(QString("%1 (call %2)").arg(calls[at]).arg(at));
            if (calls[at] == "reserve") // a full disk refuses before a byte is written
                QCOMPARE(FaultInjection::Calls().count("write"), 0);
        }
        for (const qint64 bytes : {0LL, 1LL, saved.size() / 2LL, saved.size() - 1LL}) {
            WriteAll(path, old);
            faults.FailAfterBytes(bytes, EIO);
            expectFailure(QString("after %1 bytes").arg(bytes));
            // Twice, as F2 and then the close would: still the old file, never less.
            expectFailure(QString("again after %1 bytes").arg(bytes));
        }
        faults.FailAt(-1, EIO);
        QVERIFY(save());
        QCOMPARE(ReadAll(path), saved);
    }

    // A save's temporary file has a name of its own kind, and only names of exactly that
    // kind, on regular files, are cleared away: a user's copies stay, however alike.
    void onlyUnfinishedSavesAreRemoved() {
        const QString path = dir->filePath("SHOPPING.DAT");
        WriteAll(path, "old");
        FaultInjection faults;
        faults.FailFirst("rename", EIO);
        QVERIFY(!SaveBytesSafely(path.toStdString(), "new"));
        const QString made = QString::fromStdString(FaultInjection::LastTemporary());
        QCOMPARE(QFileInfo(made).path(), dir->path());
        QVERIFY(QFileInfo(made).fileName().startsWith(".SHOPPING.DAT.trolleymind-save-"));
        QVERIFY(!QFileInfo::exists(made)); // the failed save took it away itself

        const QString leftover = QString::fromStdString(
            SaveTemporaryName(path.toStdString(), made.right(6).toStdString()));
        QCOMPARE(leftover, made);
        WriteAll(leftover, "cut short");
        const QStringList kept = {"SHOPPING.DAT.backup",
                                  "SHOPPING.DAT.bak",
                                  "SHOPPING.DAT.2024q1",
                                  "SHOPPING.DAT.copy01",
                                  "SHOPPING.DAT.Ab12Cd",
                                  "Shopping.dat.BEFORE",
                                  ".SHOPPING.DAT.trolleymind-save-Ab12C",  // one letter short
                                  ".shopping.dat.trolleymind-save-Ab12Cd", // another file's
                                  "SHOPPING.DAT.trolleymind-save-Ab12Cd",  // not hidden
                                  ".SHOPPING.DAT.trolleymind-save-Ab12Cd.bak"};
        for (const QString &name : kept)
            WriteAll(dir->filePath(name), "mine");
        // Of exactly the form, but a folder and a link: not files a save makes.
        QVERIFY(QDir(dir->path()).mkdir(".SHOPPING.DAT.trolleymind-save-Folder"));
        QVERIFY(QFile::link(path, dir->filePath(".SHOPPING.DAT.trolleymind-save-Link01")));

        QCOMPARE(RemoveUnfinishedSaves(path), 1);
        QVERIFY(!QFileInfo::exists(leftover));
        for (const QString &name : kept)
            QVERIFY2(ReadAll(dir->filePath(name)) == "mine", qPrintable(name));
        QVERIFY(QFileInfo(dir->filePath(".SHOPPING.DAT.trolleymind-save-Folder")).isDir());
        QVERIFY(QFileInfo(dir->filePath(".SHOPPING.DAT.trolleymind-save-Link01")).isSymLink());
        QCOMPARE(ReadAll(path), "old");
    }

    // The new file takes the old one's permissions, and a link keeps leading to the saved file.
    void permissionsAndLinksKept() {
        const QString path = dir->filePath("Shopping.dat");
        WriteAll(path, "old");
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        const QString link = dir->filePath("link.dat");
        QVERIFY(QFile::link(path, link));
        QVERIFY(SaveBytesSafely(link.toStdString(), "new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(path), "new");
        QCOMPARE(QFile::permissions(path) & 0x7077, mode & 0x7077);
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_SafeSave.moc"
