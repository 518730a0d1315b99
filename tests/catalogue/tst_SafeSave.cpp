// Saving safely: a save made to fail at each of its system calls in turn (the new file's
// creation, every write, the sync to disk, the close and the rename) leaves the old file byte
// for byte as it was, reports the failure and leaves no temporary file behind; the catalogue
// and the settings file alike.

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
