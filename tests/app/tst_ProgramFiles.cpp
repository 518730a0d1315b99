// Where the program keeps the catalogue, the settings and the help: beside itself where the
// user may keep files there, else in the user's data folder, made at the first save.

#include "TestCatalogue.h"
#include "app/ProgramFiles.h"
#include "ui/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

class TestProgramFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dataBesideTheProgramOrInTheUsersFolder_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("dataFile"); // empty: none in the program's folder
        QTest::addColumn<bool>("dataFileWritable");
        QTest::addColumn<bool>("helpBeside");
        QTest::addColumn<bool>("helpShared"); // in ../share/trolleymind
        QTest::addColumn<bool>("dataBeside");
        QTest::newRow("folder the user may write")
            << true << QString() << false << true << false << true;
        QTest::newRow("folder the user may write, read-only catalogue")
            << true << "SHOPPING.DAT" << false << true << false << true;
        QTest::newRow("read-only folder, catalogue written in place")
            << false << "shopping.dat" << true << true << false << true;
        QTest::newRow("read-only folder, read-only catalogue")
            << false << "SHOPPING.DAT" << false << true << false << false;
        QTest::newRow("read-only folder, no catalogue")
            << false << QString() << false << true << false << false;
        QTest::newRow("installed for everyone, folder the user may write (root)")
            << true << QString() << false << false << true << false;
        QTest::newRow("help beside the program and under share")
            << true << QString() << false << true << true << true;
    }
    void dataBesideTheProgramOrInTheUsersFolder() {
        QFETCH(bool, folderWritable);
        QFETCH(QString, dataFile);
        QFETCH(bool, dataFileWritable);
        QFETCH(bool, helpBeside);
        QFETCH(bool, helpShared);
        QFETCH(bool, dataBeside);

        // root/usr/bin holds the program, root/home the user's files. Permissions are given
        // to everybody, as AsOrdinaryUser acts as "others" when the tests run as root.
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        const QString shared = root.filePath(QStringLiteral("usr/share/trolleymind"));
        const QString home = root.filePath(QStringLiteral("home"));
        const QString userData = home + QStringLiteral("/.local/share/Trolleymind");
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(shared) && QDir().mkpath(home));
        if (helpBeside)
            WriteAll(bin + QStringLiteral("/Shopping.hlp"), "help");
        if (helpShared)
            WriteAll(shared + QStringLiteral("/Shopping.hlp"), "help");
        using P = QFileDevice;
        const auto read = P::ReadOwner | P::ReadUser | P::ReadGroup | P::ReadOther;
        const auto write = P::WriteOwner | P::WriteUser | P::WriteGroup | P::WriteOther;
        const auto enter = P::ExeOwner | P::ExeUser | P::ExeGroup | P::ExeOther;
        if (!dataFile.isEmpty()) {
            WriteAll(bin + QLatin1Char('/') + dataFile, ExampleCatalogueBytes());
            QVERIFY(QFile::setPermissions(bin + QLatin1Char('/') + dataFile,
                                          dataFileWritable ? read | write : read));
        }
        QVERIFY(QFile::setPermissions(root.path(), read | enter));
        QVERIFY(QFile::setPermissions(home, read | write | enter));
        QVERIFY(QFile::setPermissions(bin, folderWritable ? read | write | enter : read | enter));

        AsOrdinaryUser([&] {
            SetProgramDir(bin, userData);
            return true;
        });
        const QString beside = QDir::cleanPath(bin) + QLatin1Char('/');
        const QString own = QDir::cleanPath(userData) + QLatin1Char('/');
        QCOMPARE(ProgramDir, beside);
        QCOMPARE(HelpDir, helpBeside ? beside : QDir::cleanPath(shared) + QLatin1Char('/'));
        QCOMPARE(ui::HelpViewer::Resolve(QStringLiteral("Shopping.hlp")),
                 HelpDir + QStringLiteral("Shopping.hlp"));
        QCOMPARE(DataDir, dataBeside ? beside : own);
        // The catalogue found there keeps its name's capitals.
        const QString name = dataBeside && !dataFile.isEmpty() ? dataFile : "Shopping.dat";
        QCOMPARE(DataFileName, DataDir + name);
        QCOMPARE(IniFileName, DataDir + QStringLiteral("Shopping.ini"));

        // Starting makes nothing; the first save makes the user's folder and those missing
        // above it, for the user alone.
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/.local")));
        QVERIFY(AsOrdinaryUser(MakeDataDir));
        QCOMPARE(QFileInfo(userData).isDir(), !dataBeside);
        if (!dataBeside)
            for (const QString &made : {home + QStringLiteral("/.local"), userData}) {
                struct stat status {};
                QCOMPARE(::stat(QFile::encodeName(made).constData(), &status), 0);
                QCOMPARE(status.st_mode & 07777, 0700u);
            }
        QVERIFY(QFile::setPermissions(bin, read | write | enter));
        QVERIFY(QFile::setPermissions(root.path(), read | write | enter));
        ui::HelpViewer::SetFolder({});
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_ProgramFiles.moc"
