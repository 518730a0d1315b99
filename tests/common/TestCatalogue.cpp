#include "TestCatalogue.h"

#include <QFile>

#include <array>
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
    for (const char *name :
         {"Dairy", "Bakery", "Fruit & Veg", "Meat", "Frozen", "Drinks", "Household"})
        cat[name] = Categories.Add(std::make_unique<TShopCat>(name));
    const auto shop = [&](const char *name, std::initializer_list<const char *> aisles) {
        auto s = std::make_unique<TShopShop>(name);
        int left = 0;
        for (const char *aisle : aisles) {
            AddAisle(s->Aisle, R(left, 0, left + 40, 100), cat[aisle]);
            left += 60;
        }
        return Shops.Add(std::move(s));
    };
    TShopShop *mega = shop(
        "MegaMart", {"Fruit & Veg", "Bakery", "Meat", "Dairy", "Frozen", "Drinks", "Household"});
    TShopShop *corner = shop("Corner Store", {"Dairy", "Bakery"});
    TShopShop *farm = shop("Farm Shop", {"Fruit & Veg", "Meat"});
    std::map<std::string, TShopProd *> prod;
    for (const auto &[name, units, category] : std::initializer_list<std::array<const char *, 3>>{
             {"Milk", "l", "Dairy"},
             {"Cheddar", "g", "Dairy"},
             {"Butter", "g", "Dairy"},
             {"Yoghurt", "g", "Dairy"},
             {"Eggs", "ea", "Dairy"},
             {"Bread", "g", "Bakery"},
             {"Apples", "kg", "Fruit & Veg"},
             {"Bananas", "kg", "Fruit & Veg"},
             {"Potatoes", "kg", "Fruit & Veg"},
             {"Carrots", "kg", "Fruit & Veg"},
             {"Sausages", "g", "Meat"},
             {"Chicken", "kg", "Meat"},
             {"Mince", "g", "Meat"},
             {"Peas", "kg", "Frozen"},
             {"Ice cream", "l", "Frozen"},
             {"Orange juice", "l", "Drinks"},
             {"Cola", "l", "Drinks"},
             {"Washing-up liquid", "ml", "Household"},
             {"Toilet paper", "rolls", "Household"},
             {"Bin bags", "bags", "Household"},
             {"Honey", "g", nullptr}})
        prod[name] = ProductTypes.Add(
            std::make_unique<TShopProd>(name, units, category ? cat[category] : nullptr));
    const auto item = [&](const char *product, const char *brand, float size, float price,
                          TShopShop *at, int quantity) {
        Items.Add(std::make_unique<TShopItem>(prod[product], brand, size, price, at))->Quantity =
            static_cast<int16_t>(quantity);
    };
    item("Milk", "Acme", 2, 1.50f, corner, 2);
    item("Bread", "Baker", 800, 2.25f, corner, 1);
    item("Cheddar", "Acme", 250, 4.10f, corner, 1);
    item("Apples", "Orchard", 1, 3.00f, corner, 1);
    item("Butter", "Acme", 250, 2.50f, corner, 0);
    item("Yoghurt", "Acme", 500, 1.10f, corner, 0);
    item("Potatoes", "Farm", 2.5f, 2.80f, farm, 1);
    item("Eggs", "Farm", 12, 0, farm, 1);
    item("Sausages", "Farm", 500, 5.50f, farm, 2);
    item("Carrots", "Farm", 1, 1.20f, farm, 3);
    item("Honey", "Farm", 340, 6.00f, farm, 0);
    item("Chicken", "Farm", 1.5f, 9.50f, farm, 0);
    item("Bananas", "Tropic", 1, 2.10f, mega, 1);
    item("Apples", "Orchard", 1, 2.90f, mega, 2);
    item("Bread", "Loafy", 700, 1.95f, mega, 1);
    item("Chicken", "Cluck", 1.2f, 8.99f, mega, 1);
    item("Mince", "Beefy", 500, 6.49f, mega, 1);
    item("Milk", "Dairyland", 3, 2.79f, mega, 1);
    item("Yoghurt", "Dairyland", 500, 1.89f, mega, 4);
    item("Butter", "Dairyland", 250, 3.25f, mega, 1);
    item("Peas", "Frosty", 1, 2.49f, mega, 1);
    item("Ice cream", "Frosty", 2, 4.99f, mega, 1);
    item("Orange juice", "Sunny", 1, 2.35f, mega, 2);
    item("Cola", "Fizz", 2, 1.99f, mega, 3);
    item("Washing-up liquid", "Clean", 500, 1.49f, mega, 1);
    item("Toilet paper", "Soft", 9, 4.50f, mega, 1);
    item("Bin bags", "Strong", 20, 2.00f, mega, 0);
    item("Cheddar", "Mature", 400, 5.20f, mega, 0);
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
