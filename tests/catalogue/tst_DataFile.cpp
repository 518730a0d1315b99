// SHOPPING.DAT: the exact bytes, the questions asked about doubtful files, damaged files,
// and saves that must leave the old file alone when they fail.

#include "TestCatalogue.h"
#include "catalogue/DataFile.h"
#include "catalogue/NumberFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

namespace {

// Every allocation through operator new is counted, so that a test sees the peak memory of
// a load.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

} // namespace

namespace {

void *Allocate(std::size_t size) noexcept {
    void *p = std::malloc(size ? size : 1);
    if (!p)
        return nullptr;
    const std::size_t now = liveBytes += malloc_usable_size(p);
    std::size_t peak = peakBytes;
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Release(void *p) noexcept {
    if (p) {
        liveBytes -= malloc_usable_size(p);
        std::free(p);
    }
}

} // namespace

// Every form of new and delete, so that none of them meets a partner of another allocator.
void *operator new(std::size_t size) {
    if (void *p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    return Allocate(size);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
    return Allocate(size);
}
void operator delete(void *p) noexcept {
    Release(p);
}
void operator delete[](void *p) noexcept {
    Release(p);
}
void operator delete(void *p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void *p, const std::nothrow_t &) noexcept {
    Release(p);
}
void operator delete[](void *p, const std::nothrow_t &) noexcept {
    Release(p);
}

namespace {

// Offsets in the worked example (ExampleCatalogueBytes): the version at 12, the lists from 16;
// the product type's category at 33, the item's product type at 37 and shop at 52, the
// shops' count at 56, the aisle's category at 83.
QByteArray Example() {
    return ExampleCatalogueBytes();
}

// Signature and version, then four zero counts.
QByteArray EmptyFile() {
    return Example().left(16) + QByteArray(8, '\0');
}

// The example with the bytes at `offset` replaced by `hex`.
QByteArray Patched(int offset, const QByteArray &hex, QByteArray bytes = Example()) {
    const QByteArray patch = QByteArray::fromHex(hex);
    return bytes.replace(offset, patch.size(), patch);
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

const QString NotOurs = "The SHOPPING.DAT file does not appear to be a valid Trolleymind "
                        "file.\rDo you want to overwrite this file?";

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
    QTemporaryDir *dir = nullptr;
    QString file() const { return dir->filePath("Shopping.dat"); }
    LoadOutcome load(RecordingUser &user) { return LoadDataFile(file().toStdString(), user); }
    bool save(RecordingUser &user) { return WriteDataFile(file().toStdString(), user); }

private Q_SLOTS:
    void init() {
        ClearCatalogue();
        SetCurrentRegional(Regional::EnglishUS());
        dir = new QTemporaryDir();
        QVERIFY(dir->isValid());
    }
    void cleanup() {
        ClearCatalogue();
        delete dir;
    }

    // What a save writes, byte for byte, whatever the file held before; loaded again it
    // asks nothing and saves the same bytes.
    void saveWritesExactBytes_data() {
        QTest::addColumn<bool>("example");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("the worked example") << true << QByteArray() << Example();
        QTest::newRow("a longer old file leaves no bytes behind")
            << true << Example() + QByteArray(1000, 'x') << Example();
        QTest::newRow("empty catalogue") << false << QByteArray("old") << EmptyFile();
    }
    void saveWritesExactBytes() {
        QFETCH(bool, example);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, expected);
        if (!before.isEmpty())
            WriteAll(file(), before);
        if (example)
            BuildExampleCatalogue();
        RecordingUser user;
        QVERIFY(save(user));
        QVERIFY(user.errors.isEmpty());
        QCOMPARE(ReadAll(file()).toHex(' '), expected.toHex(' '));
        ClearCatalogue();
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Saved().toHex(' '), expected.toHex(' '));
    }

    void workedExampleLoads() {
        WriteAll(file(), Example());
        RecordingUser user;
        QCOMPARE(load(user), LoadOutcome::GoOn);
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
        QCOMPARE(corner->Aisle[0]->Rect, R(10, 20, 110, 60));
        QCOMPARE(corner->Aisle[0]->Category, dairy);
        QCOMPARE(corner->Outline.Count(), 0);
    }

    // Everything a file can hold survives a save and a load, also after the lists were
    // re-sorted in place so that positions differ from the order of creation.
    void roundTrip() {
        TShopCat *fruit = Categories.Add(std::make_unique<TShopCat>("Fruit"));
        TShopCat *bakery = Categories.Add(std::make_unique<TShopCat>("Bakery"));
        TShopProd *pears = ProductTypes.Add(std::make_unique<TShopProd>("Pears", "kg", fruit));
        TShopProd *apples = ProductTypes.Add(std::make_unique<TShopProd>("Apples", "kg", fruit));
        TShopProd *bread = ProductTypes.Add(std::make_unique<TShopProd>("Bread", "", bakery));
        TShopShop *market = Shops.Add(std::make_unique<TShopShop>("Market \xE9"));
        TShopShop *deli = Shops.Add(std::make_unique<TShopShop>("Deli"));
        for (TShopCat *c : {bakery, static_cast<TShopCat *>(nullptr), fruit})
            AddAisle(market->Aisle, R(-70000, 5, 70000, -3), c);
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
        RecordingUser user;
        QVERIFY(save(user));
        ClearCatalogue();
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({2, 3, 4, 2}));
        QCOMPARE(Saved().toHex(' '), first.toHex(' '));
    }

    void missingFile() {
        RecordingUser user;
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        QVERIFY(!QFile::exists(file()));
    }

    void shortStrings_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray() << QByteArray("\x00", 1);
        QTest::newRow("300 bytes keep 255")
            << QByteArray(300, 'a') << QByteArray(1, '\xFF') + QByteArray(255, 'a');
        QTest::newRow("255 bytes whole")
            << QByteArray(255, 'b') << QByteArray(1, '\xFF') + QByteArray(255, 'b');
        QTest::newRow("cut at zero byte") << QByteArray("ab\0cd", 5) << QByteArray("\2ab");
        QTest::newRow("bytes above 127") << QByteArray("\xE9\x80") << QByteArray("\x02\xE9\x80");
    }
    void shortStrings() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, stored);
        FileWriter writer;
        WriteShortString(writer, text.toStdString());
        QCOMPARE(QByteArray(writer.Bytes().data(), writer.Bytes().size()).toHex(' '),
                 stored.toHex(' '));

        // A category saved and loaded keeps exactly the stored text.
        RecordingUser user;
        Categories.Add(std::make_unique<TShopCat>(text.toStdString()));
        QVERIFY(save(user));
        ClearCatalogue();
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QCOMPARE(Categories.Count(), 1);
        QCOMPARE(QByteArray::fromStdString(Categories[0]->Name), stored.mid(1));
    }

    // The writer's buffer grows as it fills: every field lands whole, in order.
    void writerGrows() {
        FileWriter writer(3);
        QByteArray expected;
        for (int i = 0; i < 3000; ++i) {
            const std::string text(std::size_t(i % 7), char('a' + i % 26));
            WriteShortString(writer, text);
            writer.WriteInt32(i);
            writer.WriteInt16(int16_t(-i));
            expected += char(text.size()) + QByteArray::fromStdString(text);
            for (int b = 0; b < 4; ++b)
                expected += char((i >> (8 * b)) & 0xFF);
            expected += char(-i & 0xFF);
            expected += char((-i >> 8) & 0xFF);
        }
        QCOMPARE(QByteArray(writer.Bytes().data(), qsizetype(writer.Bytes().size())), expected);
    }

    // Positions kept on the records from an earlier save are used only where the list still
    // holds the record there: after the lists changed, every reference is written right.
    void positionsAfterListsChanged() {
        BuildExampleCatalogue();
        TShopCat *dairy = Categories[0];
        TShopShop *corner = Shops[0];
        RecordingUser user;
        QVERIFY(save(user));
        // The old lists go elsewhere (their records stay alive, numbered 0); new records take
        // their places, and the references keep pointing at the old ones.
        TRecordList<TShopCat> oldCategories;
        TRecordList<TShopShop> oldShops;
        Categories.Swap(oldCategories);
        Shops.Swap(oldShops);
        Categories.Add(std::make_unique<TShopCat>("Fruit"));
        Categories.Add(std::make_unique<TShopCat>("Bakery"));
        TShopShop *market = Shops.Add(std::make_unique<TShopShop>("Market"));
        AddAisle(market->Aisle, R(1, 2, 3, 4), dairy);
        // The item still refers to the old shop, the product type to the old category.
        QCOMPARE(Items[0]->Shop, corner);
        QCOMPARE(ProductTypes[0]->Category, dairy);
        const QByteArray saved = Saved();
        ProductTypes[0]->Category = nullptr;
        Items[0]->Shop = nullptr;
        market->Aisle[0]->Category = nullptr;
        QCOMPARE(saved.toHex(' '), Saved().toHex(' '));
        // Moved within its list, a record is written at its new place.
        ProductTypes[0]->Category = Categories[1];
        QVERIFY(save(user));
        Categories.Move(1, 0);
        QVERIFY(save(user));
        ClearCatalogue();
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QCOMPARE(Names(Categories), QStringList({"Bakery", "Fruit"}));
        QCOMPARE(ProductTypes[0]->Category, Categories[0]);
        QCOMPARE(Items[0]->Shop, nullptr);
        QCOMPARE(Shops[0]->Aisle[0]->Category, nullptr);
        QVERIFY(user.questions.isEmpty());
    }

    void readStringWithZeroByte() {
        const std::string bytes("\5ab\0cd\7\0", 8);
        FileReader reader(bytes);
        QCOMPARE(ReadShortString(reader), std::string("ab"));
        // The whole stored length is consumed, so the next field reads right.
        QCOMPARE(reader.ReadInt16(), int16_t(7));
        QVERIFY(!reader.Truncated);
        QCOMPARE(reader.ReadByte(), uint8_t(0));
        QVERIFY(reader.Truncated);
    }

    // References to records that are not in their lists are written as none and load so.
    void danglingReferences() {
        BuildExampleCatalogue();
        TShopCat gone("Gone");
        TShopProd goneProduct("Gone", "g");
        TShopShop goneShop("Gone");
        ProductTypes[0]->Category = &gone;
        Shops[0]->Aisle[0]->Category = &gone;
        Items[0]->Product = &goneProduct;
        Items[0]->Shop = &goneShop;
        QByteArray expected = Patched(33, "FF FF");
        for (int offset : {37, 52, 83})
            expected = Patched(offset, "FF FF", expected);
        QCOMPARE(Saved().toHex(' '), expected.toHex(' '));

        WriteAll(file(), expected);
        RecordingUser user;
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(ProductTypes[0]->Category, nullptr);
        QCOMPARE(Shops[0]->Aisle[0]->Category, nullptr);
        QCOMPARE(Items[0]->Product, nullptr);
        QCOMPARE(Items[0]->Shop, nullptr);
    }

    // Counts of 0 or below read no records; a negative position is simply none.
    void negativeCountsAndPositions() {
        WriteAll(file(), Example().left(16) +
                             QByteArray::fromHex("FB FF  00 00  01 00  FB FF 00 00 00 00 40"
                                                 "00 00 C0 3F FE FF 01 00  00 80"));
        RecordingUser user;
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QVERIFY(user.questions.isEmpty());
        QCOMPARE(Counts(), QList<int>({0, 0, 1, 0}));
        QCOMPARE(Items[0]->Product, nullptr);
        QCOMPARE(Items[0]->Shop, nullptr);
        QCOMPARE(Items[0]->Quantity, int16_t(1));
    }

    void questions_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<LoadOutcome>("outcome");
        QTest::addColumn<int>("items");
        for (bool yes : {false, true}) {
            const char *a = yes ? "yes" : "no";
            const auto out = yes ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave;
            const std::pair<const char *, QByteArray> notOurs[] = {
                {"wrong signature", Patched(1, QByteArray("Trolleymond").toHex())},
                {"signature case differs", Patched(1, QByteArray("t").toHex())},
                {"shorter than the signature", Example().left(5)},
                {"empty file", QByteArray()}};
            for (const auto &[name, bytes] : notOurs)
                QTest::addRow("%s, %s", name, a)
                    << bytes << yes << QStringList{NotOurs} << out << 0;
            // The single just above 1.19 is newer, though it shows as 1.19.
            const std::pair<const char *, const char *> newer[] = {
                {"1.2", "9A 99 99 3F"}, {"2.5", "00 00 20 40"}, {"1.19", "ED 51 98 3F"}};
            for (const auto &[version, hex] : newer)
                QTest::addRow("version %s, %s", version, a)
                    << Patched(12, hex) << yes << QStringList{NewerQuestion(version)} << out
                    << (yes ? 1 : 0);
        }
        QTest::newRow("version 1.19: no question")
            << Patched(12, "EC 51 98 3F") << false << QStringList() << LoadOutcome::GoOn << 1;
        QTest::newRow("version 1.0: no question")
            << Patched(12, "00 00 80 3F") << false << QStringList() << LoadOutcome::GoOn << 1;
    }
    void questions() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, answer);
        QFETCH(QStringList, asked);
        QFETCH(LoadOutcome, outcome);
        QFETCH(int, items);
        WriteAll(file(), bytes);
        RecordingUser user;
        user.answers = {answer};
        QCOMPARE(load(user), outcome);
        QCOMPARE(user.questions, asked);
        QCOMPARE(Items.Count(), items);
        QCOMPARE(ReadAll(file()), bytes);
    }

    void damaged_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("what");
        // What a save writes after going on with what could be read.
        QTest::addColumn<QByteArray>("kept");
        const QString oneRef = "1 reference points past the end of its list";
        const QByteArray noShops = Patched(52, "FF FF").left(56) + QByteArray(2, '\0');
        QTest::newRow("category of a product type")
            << Patched(33, "05 00") << oneRef << Patched(33, "FF FF");
        QTest::newRow("product type and shop of an item")
            << Patched(52, "07 00", Patched(37, "01 00"))
            << "2 references point past the end of their lists"
            << Patched(52, "FF FF", Patched(37, "FF FF"));
        QTest::newRow("category of an aisle")
            << Patched(83, "01 00") << oneRef << Patched(83, "FF FF");
        QTest::newRow("ends in a name")
            << Example().left(20) << "it ends in the middle of a record" << EmptyFile();
        QTest::newRow("ends in an item")
            << Example().left(50) << "it ends in the middle of a record"
            << Example().left(35) + QByteArray(4, '\0');
        QTest::newRow("ends in an aisle")
            << Example().left(75) << "it ends in the middle of a record and " + oneRef << noShops;
        QTest::newRow("ends before the outline count")
            << Example().left(85) << "it ends in the middle of a record and " + oneRef << noShops;
        QTest::newRow("ends before the shop count")
            << Example().left(56) << "it ends before all of its lists have been read and " + oneRef
            << noShops;
        QTest::newRow("ends after the version")
            << Example().left(16) << "it ends before all of its lists have been read"
            << EmptyFile();
    }
    void damaged() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, what);
        QFETCH(QByteArray, kept);
        WriteAll(file(), bytes);

        // No: nothing stays in memory and the file is left for another look.
        RecordingUser no;
        no.answers = {false};
        QCOMPARE(load(no), LoadOutcome::QuitWithoutSave);
        QCOMPARE(no.questions, QStringList{DamagedQuestion(what)});
        QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        QCOMPARE(ReadAll(file()), bytes);

        // Yes: what could be read, with the bad references cleared.
        RecordingUser yes;
        yes.answers = {true};
        QCOMPARE(load(yes), LoadOutcome::GoOn);
        QCOMPARE(yes.questions, QStringList{DamagedQuestion(what)});
        QCOMPARE(Saved().toHex(' '), kept.toHex(' '));
        QCOMPARE(ReadAll(file()), bytes);
    }

    void unreadableFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("no read permission") << "permission";
        // Neither waits for a writer for ever nor reads until memory runs out.
        QTest::newRow("a FIFO in its place") << "fifo";
        QTest::newRow("a link to /dev/zero in its place") << "zero";
    }
    void unreadableFile() {
        QFETCH(QString, how);
        const bool special = how != "permission"; // nothing of ours to keep
        if (how == "folder") {
            QVERIFY(QDir(dir->path()).mkdir("Shopping.dat"));
        } else if (special) {
            QVERIFY(MakeSpecialFile(file(), how));
        } else {
            WriteAll(file(), Example());
            QVERIFY(QFile::setPermissions(file(), QFileDevice::WriteOwner));
            if (QFile(file()).open(QIODevice::ReadOnly))
                QSKIP("This user reads files whatever their permissions (root); the folder "
                      "row covers an unreadable file.");
        }
        for (bool answer : {false, true}) {
            RecordingUser user;
            user.answers = {answer};
            QCOMPARE(load(user), answer ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave);
            QCOMPARE(user.questions,
                     QStringList{"The SHOPPING.DAT file cannot be opened for reading.\rDo you "
                                 "want to go on with an empty catalogue? Saving will then "
                                 "overwrite the file."});
            QCOMPARE(Counts(), QList<int>({0, 0, 0, 0}));
        }
        QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (!special)
            QCOMPARE(ReadAll(file()), Example());
    }

    // Loading keeps one copy of the file's bytes: a large file that holds little peaks at
    // well under twice its size.
    void loadKeepsOneCopyOfTheBytes() {
        const qsizetype size = 32 << 20;
        WriteAll(file(), EmptyFile() + QByteArray(size, 'x'));
        RecordingUser user;
        user.answers = {true};
        const std::size_t before = liveBytes;
        peakBytes = before;
        QCOMPARE(load(user), LoadOutcome::GoOn);
        const double peak = double(peakBytes - before) / double(size);
        QVERIFY2(peak < 1.5, qPrintable(QString::number(peak, 'f', 2) + " times the file"));
    }

    // Reading a file a part at a time gives what reading it whole gives, wherever the parts
    // end and wherever the file is cut: records, texts and numbers that parts split are put
    // together again, and a file that ends early is the same damage.
    void readInParts_data() {
        QTest::addColumn<int>("partSize");
        QTest::addColumn<int>("readSize"); // the most one read hands over
        QTest::newRow("a byte at a time") << 1 << 1;
        QTest::newRow("parts of 7 bytes, read 3 at a time") << 7 << 3;
        QTest::newRow("one part larger than the file") << 65536 << 65536;
    }
    void readInParts() {
        QFETCH(int, partSize);
        QFETCH(int, readSize);
        BuildShoppingTrip();
        Shops[1]->Name = std::string(255, 'n');
        Shops[1]->Outline.Add(std::make_unique<TShopLine>(-1, 2, 100000, -200000));
        const QByteArray whole = Saved();
        for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
            const std::string bytes = whole.left(cut).toStdString();
            LoadResult expected;
            ReadCatalogue(bytes, expected);
            const QByteArray expectedCatalogue = Saved();

            std::size_t at = 0;
            FileParts parts(
                [&](char *into, std::size_t room) {
                    const std::size_t n =
                        std::min({room, std::size_t(readSize), bytes.size() - at});
                    std::memcpy(into, bytes.data() + at, n);
                    at += n;
                    return n;
                },
                std::size_t(partSize));
            FileReader file(parts);
            ReadShortString(file);
            file.ReadSingle();
            LoadResult result;
            ReadLists(file, result);
            const QString where = QString("cut after %1 bytes").arg(cut);
            QVERIFY2(Saved() == expectedCatalogue, qPrintable(where));
            QVERIFY2(result.Damage == expected.Damage, qPrintable(where));
        }
    }

    // A file of many parts is read a part at a time: the load holds little beside the
    // records it makes, and tells its progress after each part, up to the whole file.
    void largeFileLoadsInParts() {
        BuildExampleCatalogue();
        for (int s = 0; s < 16; ++s) {
            TShopShop *shop = Shops.Add(std::make_unique<TShopShop>("Big " + std::to_string(s)));
            shop->Aisle.Reserve(MaxRecords);
            for (int a = 0; a < MaxRecords; ++a)
                AddAisle(shop->Aisle, R(a, s, a + 10, s + 10), Categories[0]);
        }
        RecordingUser user;
        QVERIFY(save(user));
        const auto size = std::uint64_t(QFileInfo(file()).size());
        ClearCatalogue();

        const std::size_t before = liveBytes;
        peakBytes = before;
        QCOMPARE(load(user), LoadOutcome::GoOn);
        const std::size_t held = liveBytes - before;
        const double beyond = double(peakBytes - before - held) / double(size);
        QVERIFY2(beyond < 0.25, qPrintable(QString::number(beyond, 'f', 2) +
                                           " times the file beyond the catalogue"));
        QCOMPARE(Shops.Count(), 17);
        QCOMPARE(Shops[16]->Aisle[MaxRecords - 1]->Rect, R(MaxRecords - 1, 15, MaxRecords + 9, 25));
        QVERIFY(user.questions.isEmpty());

        QVERIFY(user.progress.size() >= size / FileParts::DefaultPartSize);
        for (std::size_t i = 0; i < user.progress.size(); ++i) {
            QCOMPARE(user.progress[i].second, size);
            if (i > 0)
                QVERIFY(user.progress[i].first >= user.progress[i - 1].first);
        }
        QCOMPARE(user.progress.back().first, size);
    }

    // A save that cannot be completed reports and leaves the old file exactly as it was.
    void failedSave_data() {
        QTest::addColumn<QString>("how");
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
        QString path = file();
        const QByteArray old = Example() + "tail";
        WriteAll(path, old);
        BuildExampleCatalogue();
        if (how == "folder") {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir(dir->path()).mkpath("Shopping.dat/inside"));
        } else if (how == "missing") {
            path = dir->filePath("gone/Shopping.dat");
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
        const QStringList before = QDir(dir->path()).entryList(QDir::AllEntries | QDir::Hidden);

        RecordingUser user;
        const auto write = [&] { return WriteDataFile(path.toStdString(), user); };
        QVERIFY(!(how == "refused" ? WithFileSizeLimit(16, write) : write()));
        QCOMPARE(user.errors, QStringList{"Unable to save data file - SHOPPING.DAT"});
        // No temporary file is left beside it either.
        QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (how == "folder")
            QVERIFY(QFileInfo(path).isDir());
        else if (how != "missing")
            QCOMPARE(ReadAll(path), old);
    }

    // A folder that refuses new files: a writable file there is written in place (or the
    // catalogue could never be saved), a read-only one is refused and reported.
    void readOnlyFolder_data() {
        QTest::addColumn<bool>("fileWritable");
        QTest::newRow("writable file") << true;
        QTest::newRow("read-only file") << false;
    }
    void readOnlyFolder() {
        QFETCH(bool, fileWritable);
        const QByteArray old = Example() + "tail";
        WriteAll(file(), old);
        BuildExampleCatalogue();
        // For everybody, as AsOrdinaryUser acts as "others" when the tests run as root.
        using P = QFileDevice;
        const auto read = P::ReadOwner | P::ReadUser | P::ReadGroup | P::ReadOther;
        const auto write = P::WriteOwner | P::WriteUser | P::WriteGroup | P::WriteOther;
        const auto enter = P::ExeOwner | P::ExeUser | P::ExeGroup | P::ExeOther;
        QVERIFY(QFile::setPermissions(file(), fileWritable ? read | write : read));
        QVERIFY(QFile::setPermissions(dir->path(), read | enter));

        RecordingUser user;
        const bool saved = AsOrdinaryUser([&] { return save(user); });
        QFile::setPermissions(dir->path(), read | write | enter);
        QCOMPARE(saved, fileWritable);
        QCOMPARE(user.errors, fileWritable
                                  ? QStringList{}
                                  : QStringList{"Unable to save data file - SHOPPING.DAT"});
        QCOMPARE(ReadAll(file()), fileWritable ? Saved() : old);
        QCOMPARE(
            QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"Shopping.dat"});
    }

    // The largest lists the format can count are still written.
    void fullListsSave() {
        BuildExampleCatalogue();
        for (int i = 1; i < MaxRecords; ++i) {
            Categories.Add(std::make_unique<TShopCat>("c"));
            Shops[0]->Aisle.Add(std::make_unique<TShopAisle>());
        }
        RecordingUser user;
        QVERIFY(save(user));
        QVERIFY(user.errors.isEmpty());
        ClearCatalogue();
        QCOMPARE(load(user), LoadOutcome::GoOn);
        QCOMPARE(Categories.Count(), MaxRecords);
        QCOMPARE(Shops[0]->Aisle.Count(), MaxRecords);
        QVERIFY(user.questions.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_DataFile.moc"
