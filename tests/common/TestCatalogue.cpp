#include "TestCatalogue.h"

#include <sys/stat.h>

#include <QFile>

#include <csignal>
#include <map>
#include <memory>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

template <> char *QTest::toString(const TRect &r) {
    return qstrdup(QByteArray::number(r.Left) + "," + QByteArray::number(r.Top) + "," +
                   QByteArray::number(r.Right) + "," + QByteArray::number(r.Bottom));
}

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool WithFileSizeLimit(long bytes, const std::function<bool()> &write) {
    // Past the limit a write fails instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
        qFatal("getrlimit failed");
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(RLIMIT_FSIZE, &small) != 0)
        qFatal("setrlimit failed");
    const bool written = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    return written;
}

bool AsOrdinaryUser(const std::function<bool()> &write) {
    if (geteuid() != 0)
        return write();
    // Root's file access goes by its filesystem ids; under another id the kernel drops
    // the capabilities that override permissions, until the id is root's again.
    constexpr uid_t nobody = 65534;
    setfsgid(nobody);
    setfsuid(nobody);
    if (setfsuid(nobody) != nobody)
        qFatal("setfsuid failed");
    const bool written = write();
    setfsuid(0);
    setfsgid(0);
    return written;
}

TShopAisle *AddAisle(TRecordList<TShopAisle> &plan, TRect rect, TShopCat *category) {
    auto aisle = std::make_unique<TShopAisle>();
    aisle->Rect = rect;
    aisle->Category = category;
    return plan.Add(std::move(aisle));
}

void BuildExampleCatalogue() {
    ClearCatalogue();
    TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
    TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
    TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
    AddAisle(corner->Aisle, R(10, 20, 110, 60), dairy);
    Items.Add(std::make_unique<TShopItem>(milk, "Acme", 2.0f, 1.5f, corner))->Quantity = 3;
}

bool MakeSpecialFile(const QString &path, const QString &kind) {
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return kind == QLatin1String("zero") && QFile::link(QStringLiteral("/dev/zero"), path);
}

QByteArray ExampleCatalogueBytes() {
    return QByteArray::fromHex("0B54726F6C6C65796D696E64"
                               "CDCC8C3F"
                               "0100"
                               "054461697279"
                               "0100"
                               "044D696C6B"
                               "016C"
                               "0000"
                               "0100"
                               "0000"
                               "0441636D65"
                               "00000040"
                               "0000C03F"
                               "0000"
                               "0300"
                               "0100"
                               "06436F726E6572"
                               "0100"
                               "0A000000140000006E0000003C000000"
                               "0000"
                               "0000");
}

void BuildShoppingTrip() {
    ClearCatalogue();
    std::map<std::string, TShopCat *> cat;
    std::map<std::string, TShopShop *> shop;
    std::map<std::string, TShopProd *> prod;
    for (const char *name :
         {"Dairy", "Bakery", "Fruit & Veg", "Meat", "Frozen", "Drinks", "Household", ""})
        cat[name] = *name ? Categories.Add(std::make_unique<TShopCat>(name)) : nullptr;
    for (const auto &[name, aisles] : std::initializer_list<std::pair<const char *, QStringList>>{
             {"MegaMart",
              {"Fruit & Veg", "Bakery", "Meat", "Dairy", "Frozen", "Drinks", "Household"}},
             {"Corner Store", {"Dairy", "Bakery"}},
             {"Farm Shop", {"Fruit & Veg", "Meat"}}}) {
        shop[name] = Shops.Add(std::make_unique<TShopShop>(name));
        for (int i = 0; i < aisles.size(); ++i)
            AddAisle(shop[name]->Aisle, R(60 * i, 0, 60 * i + 40, 100),
                     cat[aisles[i].toStdString()]);
    }
    // shop, product type, units, category, brand, size, price, quantity
    const char *items[][8] = {
        {"Corner Store", "Milk", "l", "Dairy", "Acme", "2", "1.50", "2"},
        {"Corner Store", "Bread", "g", "Bakery", "Baker", "800", "2.25", "1"},
        {"Corner Store", "Cheddar", "g", "Dairy", "Acme", "250", "4.10", "1"},
        {"Corner Store", "Apples", "kg", "Fruit & Veg", "Orchard", "1", "3.00", "1"},
        {"Corner Store", "Butter", "g", "Dairy", "Acme", "250", "2.50", "0"},
        {"Corner Store", "Yoghurt", "g", "Dairy", "Acme", "500", "1.10", "0"},
        {"Farm Shop", "Potatoes", "kg", "Fruit & Veg", "Farm", "2.5", "2.80", "1"},
        {"Farm Shop", "Eggs", "ea", "Dairy", "Farm", "12", "0", "1"},
        {"Farm Shop", "Sausages", "g", "Meat", "Farm", "500", "5.50", "2"},
        {"Farm Shop", "Carrots", "kg", "Fruit & Veg", "Farm", "1", "1.20", "3"},
        {"Farm Shop", "Honey", "g", "", "Farm", "340", "6.00", "0"},
        {"Farm Shop", "Chicken", "kg", "Meat", "Farm", "1.5", "9.50", "0"},
        {"MegaMart", "Bananas", "kg", "Fruit & Veg", "Tropic", "1", "2.10", "1"},
        {"MegaMart", "Apples", "kg", "Fruit & Veg", "Orchard", "1", "2.90", "2"},
        {"MegaMart", "Bread", "g", "Bakery", "Loafy", "700", "1.95", "1"},
        {"MegaMart", "Chicken", "kg", "Meat", "Cluck", "1.2", "8.99", "1"},
        {"MegaMart", "Mince", "g", "Meat", "Beefy", "500", "6.49", "1"},
        {"MegaMart", "Milk", "l", "Dairy", "Dairyland", "3", "2.79", "1"},
        {"MegaMart", "Yoghurt", "g", "Dairy", "Dairyland", "500", "1.89", "4"},
        {"MegaMart", "Butter", "g", "Dairy", "Dairyland", "250", "3.25", "1"},
        {"MegaMart", "Peas", "kg", "Frozen", "Frosty", "1", "2.49", "1"},
        {"MegaMart", "Ice cream", "l", "Frozen", "Frosty", "2", "4.99", "1"},
        {"MegaMart", "Orange juice", "l", "Drinks", "Sunny", "1", "2.35", "2"},
        {"MegaMart", "Cola", "l", "Drinks", "Fizz", "2", "1.99", "3"},
        {"MegaMart", "Washing-up liquid", "ml", "Household", "Clean", "500", "1.49", "1"},
        {"MegaMart", "Toilet paper", "rolls", "Household", "Soft", "9", "4.50", "1"},
        {"MegaMart", "Bin bags", "bags", "Household", "Strong", "20", "2.00", "0"},
        {"MegaMart", "Cheddar", "g", "Dairy", "Mature", "400", "5.20", "0"}};
    for (const auto &[at, product, units, category, brand, size, price, quantity] : items) {
        TShopProd *&p = prod[product];
        if (!p)
            p = ProductTypes.Add(std::make_unique<TShopProd>(product, units, cat[category]));
        Items
            .Add(std::make_unique<TShopItem>(p, brand, std::stof(size), std::stof(price), shop[at]))
            ->Quantity = static_cast<int16_t>(std::stoi(quantity));
    }
}

bool RecordingUser::AskYesNo(const std::string &text) {
    questions << QString::fromStdString(text);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingUser::ShowError(const std::string &text) {
    errors << QString::fromStdString(text);
}
