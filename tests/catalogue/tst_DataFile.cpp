// SHOPPING.DAT: the exact bytes, the questions asked about doubtful files, damaged files,
// and saves that must leave the old file alone when they fail.

#include <sys/resource.h>

#include <csignal>
#include "catalogue/DataFile.h"
#include "catalogue/NumberFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>

namespace {

// The worked example, section by section: Dairy; Milk (l, Dairy); Acme 2 @ 1.5 x3 at Corner,
// whose plan has one Dairy aisle (10, 20, 110, 60) and no outline.
const char *const Head = "0B 54 72 6F 6C 6C 65 79 6D 69 6E 64  CD CC 8C 3F";
const char *const Cats = "01 00  05 44 61 69 72 79";
const char *const Prods = "01 00  04 4D 69 6C 6B  01 6C  00 00";
const char *const ItemsHex = "01 00  00 00  04 41 63 6D 65  00 00 00 40  00 00 C0 3F  00 00  03 00";
const char *const ShopsHex = "01 00  06 43 6F 72 6E 65 72  01 00"
                             "  0A 00 00 00 14 00 00 00 6E 00 00 00 3C 00 00 00  00 00  00 00";

QByteArray Hex(const QByteArray &hex) {
    return QByteArray::fromHex(hex);
}

QByteArray Example() {
    return Hex(QByteArray(Head) + Cats + Prods + ItemsHex + ShopsHex);
}

// The example with the bytes at `offset` replaced.
QByteArray Patched(int offset, const QByteArray &hex) {
    QByteArray bytes = Example();
    const QByteArray patch = Hex(hex);
    bytes.replace(offset, patch.size(), patch);
    return bytes;
}

void BuildExample() {
    ClearCatalogue();
    TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
    auto aisle = std::make_unique<TShopAisle>();
    aisle->Rect = {10, 20, 110, 60};
    aisle->Category = dairy;
    corner->Aisle.Add(std::move(aisle));
    Items.Add(std::make_unique<TShopItem>(milk, "Acme", 2.0f, 1.5f, corner))->Quantity = 3;
}

QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool PutFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray Saved() {
    std::string bytes;
    if (!SerialiseCatalogue(bytes))
        return "(refused)";
    return QByteArray::fromStdString(bytes);
}

QList<int> Counts() {
    return {Categories.Count(), ProductTypes.Count(), Items.Count(), Shops.Count()};
}

// Answers the loader's questions from a queue and records every box.
class RecordingUser : public DataFileUser {
public:
    std::deque<bool> answers;
    QStringList questions;
    QStringList errors;

    bool AskYesNo(const std::string &text) override {
        questions << QString::fromStdString(text);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::string &text) override { errors << QString::fromStdString(text); }
};

const QString NotOurs = "The SHOPPING.DAT file does not appear to be a valid Trolleymind "
                        "file.\rDo you want to overwrite this file?";
const QString SaveFailed = "Unable to save data file - SHOPPING.DAT";

QString NewerQuestion(const QString &version) {
    return "The SHOPPING.DAT file is newer than this version of the program.\rYou may need "
           "Trolleymind version " +
           version +
           " or later to load this file successfully.\rDo you want to try loading it anyway?";
}

QString DamagedQuestion(const QString &what) {
    return "The SHOPPING.DAT file is damaged: " + what +
           ".\rDo you want to go on with what could be read?";
}

} // namespace

Q_DECLARE_METATYPE(LoadOutcome)

class TestDataFile : public QObject {
    Q_OBJECT

    QString path(const QTemporaryDir &dir) const { return dir.filePath("Shopping.dat"); }

private Q_SLOTS:
    void init() {
        ClearCatalogue();
        SetCurrentRegional(Regional::EnglishUS());
    }
    void cleanup() { ClearCatalogue(); }

    void workedExampleSaves() {
        QTemporaryDir dir;
        BuildExample();
        RecordingUser user;
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        QVERIFY(user.errors.isEmpty());
        const QByteArray bytes = FileBytes(path(dir));
        QCOMPARE(bytes.size(), 87);
        QCOMPARE(bytes.toHex(' '), Example().toHex(' '));
    }

    void workedExampleLoads() {
        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), Example()));
        RecordingUser user;
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({1, 1, 1, 1}));
        const TShopCat *dairy = Categories[0];
        QCOMPARE(dairy->Name, std::string("Dairy"));
        const TShopProd *milk = ProductTypes[0];
        QCOMPARE(milk->Name, std::string("Milk"));
        QCOMPARE(milk->Units, std::string("l"));
        QCOMPARE(milk->Category, dairy);
        const TShopItem *item = Items[0];
        QCOMPARE(item->Product, milk);
        QCOMPARE(item->Brand, std::string("Acme"));
        QCOMPARE(item->Size, 2.0f);
        QCOMPARE(item->Price, 1.5f);
        QCOMPARE(item->Shop, Shops[0]);
        QCOMPARE(item->Quantity, int16_t(3));
        const TShopShop *corner = Shops[0];
        QCOMPARE(corner->Name, std::string("Corner"));
        QCOMPARE(corner->Aisle.Count(), 1);
        QCOMPARE(corner->Aisle[0]->Rect, (TRect{10, 20, 110, 60}));
        QCOMPARE(corner->Aisle[0]->Category, dairy);
        QCOMPARE(corner->Outline.Count(), 0);
    }

    // Everything a file can hold survives a save and a load, also after the lists were
    // re-sorted in place so that positions differ from the order of creation.
    void roundTrip() {
        ClearCatalogue();
        TShopCat *fruit = Categories.Add(std::make_unique<TShopCat>("Fruit"));
        TShopCat *bakery = Categories.Add(std::make_unique<TShopCat>("Bakery"));
        TShopProd *pears = ProductTypes.Add(std::make_unique<TShopProd>("Pears", "kg", fruit));
        TShopProd *apples = ProductTypes.Add(std::make_unique<TShopProd>("Apples", "kg", fruit));
        TShopProd *bread = ProductTypes.Add(std::make_unique<TShopProd>("Bread", "", bakery));
        TShopShop *market = Shops.Add(std::make_unique<TShopShop>("Market \xE9"));
        TShopShop *deli = Shops.Add(std::make_unique<TShopShop>("Deli"));
        for (TShopCat *c : {bakery, static_cast<TShopCat *>(nullptr), fruit}) {
            auto aisle = std::make_unique<TShopAisle>();
            aisle->Rect = {-70000, 5, 70000, -3};
            aisle->Category = c;
            market->Aisle.Add(std::move(aisle));
        }
        market->Outline.Add(std::make_unique<TShopLine>(-1, 2, 100000, -200000));
        market->Outline.Add(std::make_unique<TShopLine>(7, 8, 9, 10));
        Items.Add(std::make_unique<TShopItem>(pears, "Comice", 1.1f, 2.675f, market))->Quantity =
            -2;
        Items.Add(std::make_unique<TShopItem>(apples, "", 0.25f, 0.0f, deli))->Quantity = 32767;
        Items.Add(std::make_unique<TShopItem>(bread, "Loaf", 800.0f, 1e9f, nullptr));
        Items.Add(std::make_unique<TShopItem>(nullptr, "Odd", -1.5f, 3.0f, market));
        ProductTypes.Sort(CompareProductsByName);
        Shops.Sort(
            [](const TShopShop *a, const TShopShop *b) { return CompareNames(a->Name, b->Name); });
        Items.Sort(CompareItemsByProduct);

        // The bytes hold every field and every reference as a position, so a load that
        // saves back to the same bytes has read the catalogue exactly.
        const QByteArray first = Saved();

        QTemporaryDir dir;
        RecordingUser user;
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        ClearCatalogue();
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({2, 3, 4, 2}));
        QCOMPARE(Saved().toHex(' '), first.toHex(' '));
    }

    void emptyCatalogue() {
        QTemporaryDir dir;
        RecordingUser user;
        // Empty entries are dropped before counting.
        Items.Add(nullptr);
        Categories.Add(nullptr);
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        QCOMPARE(FileBytes(path(dir)).toHex(' '),
                 Hex(QByteArray(Head) + "00 00 00 00 00 00 00 00").toHex(' '));
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
    }

    void missingFile() {
        QTemporaryDir dir;
        RecordingUser user;
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        QVERIFY(!QFile::exists(path(dir)));
    }

    void shortStrings_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray() << QByteArray("\x00", 1);
        QTest::newRow("300 bytes keep 255")
            << QByteArray(300, 'a') << QByteArray(1, '\xFF') + QByteArray(255, 'a');
        QTest::newRow("255 bytes whole")
            << QByteArray(255, 'b') << QByteArray(1, '\xFF') + QByteArray(255, 'b');
        QTest::newRow("cut at zero byte") << QByteArray("ab\0cd", 5)
                                          << QByteArray("\x02"
                                                        "ab");
        QTest::newRow("bytes above 127") << QByteArray("\xE9\x80") << QByteArray("\x02\xE9\x80");
    }
    void shortStrings() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, stored);
        FileWriter writer;
        WriteShortString(writer, text.toStdString());
        QCOMPARE(QByteArray::fromStdString(writer.Bytes()).toHex(' '), stored.toHex(' '));

        // A category saved and loaded keeps exactly the stored text.
        QTemporaryDir dir;
        RecordingUser user;
        Categories.Add(std::make_unique<TShopCat>(text.toStdString()));
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        ClearCatalogue();
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QCOMPARE(Categories.Count(), 1);
        QCOMPARE(QByteArray::fromStdString(Categories[0]->Name), stored.mid(1));
    }

    void readStringWithZeroByte() {
        FileReader reader(std::string("\x05"
                                      "ab\0cd\x07\x00",
                                      8));
        QCOMPARE(ReadShortString(reader), std::string("ab"));
        // The whole stored length is consumed, so the next field reads right.
        QCOMPARE(reader.ReadInt16(), int16_t(7));
        QVERIFY(!reader.Truncated);
        QCOMPARE(reader.ReadByte(), uint8_t(0));
        QVERIFY(reader.Truncated);
    }

    // References to records that are not in their lists are written as none and load so.
    void danglingReferences() {
        BuildExample();
        TShopCat gone("Gone");
        TShopProd goneProduct("Gone", "g");
        TShopShop goneShop("Gone");
        ProductTypes[0]->Category = &gone;
        Shops[0]->Aisle[0]->Category = &gone;
        Items[0]->Product = &goneProduct;
        Items[0]->Shop = &goneShop;
        QByteArray expected = Patched(33, "FF FF");
        expected.replace(37, 2, Hex("FF FF"));
        expected.replace(52, 2, Hex("FF FF"));
        expected.replace(83, 2, Hex("FF FF"));
        QCOMPARE(Saved().toHex(' '), expected.toHex(' '));

        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), expected));
        RecordingUser user;
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(ProductTypes[0]->Category, nullptr);
        QCOMPARE(Shops[0]->Aisle[0]->Category, nullptr);
        QCOMPARE(Items[0]->Product, nullptr);
        QCOMPARE(Items[0]->Shop, nullptr);
    }

    // Counts of 0 or below read no records; a negative position is simply none.
    void negativeCountsAndPositions() {
        const QByteArray file =
            Hex(QByteArray(Head) + "FB FF  00 00" +
                "01 00  FB FF 00 00 00 00 40 00 00 C0 3F FE FF 01 00" + "00 80");
        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), file));
        RecordingUser user;
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({0, 0, 1, 0}));
        QCOMPARE(Items[0]->Product, nullptr);
        QCOMPARE(Items[0]->Shop, nullptr);
        QCOMPARE(Items[0]->Quantity, int16_t(1));
    }

    void questions_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<LoadOutcome>("outcome");
        QTest::addColumn<int>("items");
        const QByteArray rest = Hex(QByteArray(Cats) + Prods + ItemsHex + ShopsHex);
        const QByteArray wrong = Hex("0B") + "Trolleymond" + Hex("CD CC 8C 3F") + rest;
        const QByteArray lower = Hex("0B") + "trolleymind" + Hex("CD CC 8C 3F") + rest;
        for (bool yes : {false, true}) {
            const char *a = yes ? "yes" : "no";
            const auto out = yes ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave;
            QTest::addRow("wrong signature, %s", a)
                << wrong << yes << QStringList{NotOurs} << out << 0;
            QTest::addRow("signature case differs, %s", a)
                << lower << yes << QStringList{NotOurs} << out << 0;
            QTest::addRow("shorter than the signature, %s", a)
                << Hex("0B 54 72 6F 6C") << yes << QStringList{NotOurs} << out << 0;
            QTest::addRow("empty file, %s", a)
                << QByteArray() << yes << QStringList{NotOurs} << out << 0;
            QTest::addRow("version 1.2, %s", a)
                << Patched(12, "9A 99 99 3F") << yes << QStringList{NewerQuestion("1.2")} << out
                << (yes ? 1 : 0);
            QTest::addRow("version 2.5, %s", a)
                << Patched(12, "00 00 20 40") << yes << QStringList{NewerQuestion("2.5")} << out
                << (yes ? 1 : 0);
            // The single just above 1.19 is newer, though it shows as 1.19.
            QTest::addRow("version just above 1.19, %s", a)
                << Patched(12, "ED 51 98 3F") << yes << QStringList{NewerQuestion("1.19")} << out
                << (yes ? 1 : 0);
        }
        QTest::newRow("version 1.19: no question")
            << Patched(12, "EC 51 98 3F") << false << QStringList() << LoadOutcome::GoOn << 1;
        QTest::newRow("version 1.0: no question")
            << Patched(12, "00 00 80 3F") << false << QStringList() << LoadOutcome::GoOn << 1;
    }
    void questions() {
        QFETCH(QByteArray, file);
        QFETCH(bool, answer);
        QFETCH(QStringList, asked);
        QFETCH(LoadOutcome, outcome);
        QFETCH(int, items);
        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), file));
        RecordingUser user;
        user.answers = {answer};
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), outcome);
        QCOMPARE(user.questions, asked);
        QCOMPARE(Items.Count(), items);
        QCOMPARE(FileBytes(path(dir)), file);
    }

    void damaged_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("what");
        // What a save writes after going on with what could be read.
        QTest::addColumn<QByteArray>("kept");
        const QByteArray noShops = Hex(QByteArray(Head) + Cats + Prods +
                                       "01 00  00 00  04 41 63 6D 65  00 00 00 40  00 00 C0 3F"
                                       "  FF FF  03 00  00 00");
        QTest::newRow("category of a product type")
            << Patched(33, "05 00") << "1 reference points past the end of its list"
            << Patched(33, "FF FF");
        QByteArray twoBad = Patched(37, "01 00");
        twoBad.replace(52, 2, Hex("07 00"));
        QByteArray twoCleared = Patched(37, "FF FF");
        twoCleared.replace(52, 2, Hex("FF FF"));
        QTest::newRow("product type and shop of an item")
            << twoBad << "2 references point past the end of their lists" << twoCleared;
        QTest::newRow("category of an aisle")
            << Patched(83, "01 00") << "1 reference points past the end of its list"
            << Patched(83, "FF FF");
        QTest::newRow("ends in a name") << Example().left(20) << "it ends in the middle of a record"
                                        << Hex(QByteArray(Head) + "00 00  00 00  00 00  00 00");
        QTest::newRow("ends in an item")
            << Example().left(50) << "it ends in the middle of a record"
            << Hex(QByteArray(Head) + Cats + Prods + "00 00  00 00");
        QTest::newRow("ends in an aisle")
            << Example().left(75)
            << "it ends in the middle of a record and 1 reference points past the end of its list"
            << noShops;
        QTest::newRow("ends before the outline count")
            << Example().left(85)
            << "it ends in the middle of a record and 1 reference points past the end of its list"
            << noShops;
        QTest::newRow("ends before the shop count")
            << Example().left(56)
            << "it ends before all of its lists have been read and 1 reference points past the "
               "end of its list"
            << noShops;
        QTest::newRow("ends after the version")
            << Example().left(16) << "it ends before all of its lists have been read"
            << Hex(QByteArray(Head) + "00 00  00 00  00 00  00 00");
    }
    void damaged() {
        QFETCH(QByteArray, file);
        QFETCH(QString, what);
        QFETCH(QByteArray, kept);
        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), file));

        // No: nothing stays in memory and the file is left for another look.
        RecordingUser no;
        no.answers = {false};
        QCOMPARE(LoadDataFile(path(dir).toStdString(), no), LoadOutcome::QuitWithoutSave);
        QCOMPARE(no.questions, QStringList{DamagedQuestion(what)});
        QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        QCOMPARE(FileBytes(path(dir)), file);

        // Yes: what could be read, with the bad references cleared.
        RecordingUser yes;
        yes.answers = {true};
        QCOMPARE(LoadDataFile(path(dir).toStdString(), yes), LoadOutcome::GoOn);
        QCOMPARE(yes.questions, QStringList{DamagedQuestion(what)});
        QCOMPARE(Saved().toHex(' '), kept.toHex(' '));
        QCOMPARE(FileBytes(path(dir)), file);
    }

    void unreadableFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("no read permission") << "permission";
    }
    void unreadableFile() {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString file = path(dir);
        if (how == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("Shopping.dat"));
        } else {
            QVERIFY(PutFile(file, Example()));
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
            QFile probe(file);
            if (probe.open(QIODevice::ReadOnly))
                QSKIP("This user reads files whatever their permissions (root); the folder "
                      "row covers an unreadable file.");
        }
        const QString question =
            "The SHOPPING.DAT file cannot be opened for reading.\rDo you want to go on with an "
            "empty catalogue? Saving will then overwrite the file.";
        for (bool answer : {false, true}) {
            RecordingUser user;
            user.answers = {answer};
            QCOMPARE(LoadDataFile(file.toStdString(), user),
                     answer ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave);
            QCOMPARE(user.questions, QStringList{question});
            QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        }
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (how != "folder")
            QCOMPARE(FileBytes(file), Example());
    }

    // A save that cannot be completed reports and leaves the old file exactly as it was.
    void failedSave_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("disk refuses the bytes") << "refused";
        QTest::newRow("too many categories") << "categories";
        QTest::newRow("too many items") << "items";
        QTest::newRow("too many aisles in a shop") << "aisles";
        QTest::newRow("too many outline lines in a shop") << "outline";
    }
    void failedSave() {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QString file = path(dir);
        const QByteArray old = Example() + "tail";
        QVERIFY(PutFile(file, old));
        BuildExample();
        if (how == "read-only") {
            QVERIFY(
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            QFile probe(dir.filePath("probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
                QSKIP("This user writes into read-only folders (root); the other rows make "
                      "the save fail in ways that hold for every user.");
            }
        } else if (how == "folder") {
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir(dir.path()).mkpath("Shopping.dat/inside"));
        } else if (how == "missing") {
            file = dir.filePath("gone/Shopping.dat");
        } else if (how == "categories") {
            for (int i = 0; i < MaxRecords; ++i)
                Categories.Add(std::make_unique<TShopCat>("c"));
        } else if (how == "items") {
            for (int i = 0; i < MaxRecords; ++i)
                Items.Add(std::make_unique<TShopItem>());
        } else if (how == "aisles") {
            for (int i = 0; i < MaxRecords; ++i)
                Shops[0]->Aisle.Add(std::make_unique<TShopAisle>());
        } else if (how == "outline") {
            for (int i = 0; i < MaxRecords + 1; ++i)
                Shops[0]->Outline.Add(std::make_unique<TShopLine>());
        }
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

        RecordingUser user;
        if (how == "refused") {
            // Files may grow to no more than 16 bytes, whoever writes them (root too): the
            // disk is as good as full.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit saved{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
            rlimit small = saved;
            small.rlim_cur = 16;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const bool written = WriteDataFile(file.toStdString(), user);
            setrlimit(RLIMIT_FSIZE, &saved);
            QVERIFY(!written);
        } else {
            QVERIFY(!WriteDataFile(file.toStdString(), user));
        }
        QCOMPARE(user.errors, QStringList{SaveFailed});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        // No temporary file is left beside it either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (how == "folder")
            QVERIFY(QFileInfo(file).isDir());
        else if (how != "missing")
            QCOMPARE(FileBytes(file), old);
    }

    // The largest lists the format can count are still written.
    void fullListsSave() {
        BuildExample();
        for (int i = 1; i < MaxRecords; ++i) {
            Categories.Add(std::make_unique<TShopCat>("c"));
            Shops[0]->Aisle.Add(std::make_unique<TShopAisle>());
        }
        QCOMPARE(Categories.Count(), MaxRecords);
        QTemporaryDir dir;
        RecordingUser user;
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        QVERIFY(user.errors.isEmpty());
        ClearCatalogue();
        QCOMPARE(LoadDataFile(path(dir).toStdString(), user), LoadOutcome::GoOn);
        QCOMPARE(Categories.Count(), MaxRecords);
        QCOMPARE(Shops[0]->Aisle.Count(), MaxRecords);
        QVERIFY(user.questions.isEmpty());
    }

    // A smaller catalogue replaces a longer file completely: no old bytes remain at its end.
    void savedFileHoldsOnlyNewBytes() {
        QTemporaryDir dir;
        QVERIFY(PutFile(path(dir), Example() + QByteArray(1000, 'x')));
        RecordingUser user;
        BuildExample();
        QVERIFY(WriteDataFile(path(dir).toStdString(), user));
        QCOMPARE(FileBytes(path(dir)), Example());
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_DataFile.moc"
