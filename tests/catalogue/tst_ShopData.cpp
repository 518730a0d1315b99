// The catalogue in memory: name order, the report orders, item texts, the owning lists and
// removing records.

#include "TestCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ShopData.h"

#include <QtTest>

#include <functional>
#include <map>
#include <stdexcept>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// A small catalogue with the awkward cases the report orders must cope with.
//   Corner's aisles, in walking order: Bakery, (none), Dairy, Bakery.
//   Market's aisles: Dairy.  "corner" is a second shop whose name differs only in case.
//   DAIRY is a second category whose name equals Dairy's; no aisle carries it.
struct Fixture {
    std::map<QString, TShopCat *> cat;
    std::map<QString, TShopProd *> prod;
    std::map<QString, TShopShop *> shop;
    std::map<QString, TShopItem *> item;

    Fixture() {
        ClearCatalogue();
        for (const char *name : {"Dairy", "Bakery", "DAIRY"})
            cat[name] = Categories.Add(std::make_unique<TShopCat>(name));
        const std::pair<const char *, const char *> products[] = {
            {"Milk", "Dairy"},   {"Cheese", "Dairy"}, {"Bread", "Bakery"},
            {"Butter", "DAIRY"}, {"Salt", nullptr},   {"Pepper", nullptr}};
        for (const auto &[name, category] : products)
            prod[name] = ProductTypes.Add(
                std::make_unique<TShopProd>(name, "g", category ? cat[category] : nullptr));
        shop["Corner"] = AddShop("Corner", {cat["Bakery"], nullptr, cat["Dairy"], cat["Bakery"]});
        shop["corner"] = AddShop("corner", {cat["Dairy"]});
        shop["Market"] = AddShop("Market", {cat["Dairy"]});
        shop["none"] = nullptr;
        for (const auto &[productName, product] : prod)
            for (const auto &[shopName, s] : shop)
                item[productName + "@" + shopName] =
                    Items.Add(std::make_unique<TShopItem>(product, "Acme", 1.0f, 1.0f, s));
        for (const auto &[shopName, s] : shop)
            item["noproduct@" + shopName] =
                Items.Add(std::make_unique<TShopItem>(nullptr, "Acme", 1.0f, 1.0f, s));
    }
    ~Fixture() { ClearCatalogue(); }

    static TShopShop *AddShop(const char *name, std::initializer_list<TShopCat *> aisles) {
        TShopShop *s = Shops.Add(std::make_unique<TShopShop>(name));
        for (TShopCat *c : aisles)
            AddAisle(s->Aisle, {}, c);
        return s;
    }
};

} // namespace

class TestShopData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetCurrentRegional(Regional::EnglishUS()); }

    void compareNames_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("case folds, a to z") << QByteArray("azure") << QByteArray("AZURE") << 0;
        QTest::newRow("prefix first") << QByteArray("Apple") << QByteArray("Apples") << -1;
        QTest::newRow("longer last") << QByteArray("apples") << QByteArray("Apple") << 1;
        QTest::newRow("empty first") << QByteArray("") << QByteArray("a") << -1;
        QTest::newRow("underscore after capitals") << QByteArray("_x") << QByteArray("Zx") << 1;
        QTest::newRow("folds to capitals") << QByteArray("[") << QByteArray("a") << 1;
        QTest::newRow("bytes unsigned") << QByteArray("\xE9") << QByteArray("z") << 1;
        QTest::newRow("accents not folded") << QByteArray("\xE9") << QByteArray("\xC9") << 1;
        QTest::newRow("first difference decides") << QByteArray("abz") << QByteArray("ACa") << -1;
    }
    void compareNames() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, sign);
        QCOMPARE(Sign(CompareNames(a.toStdString(), b.toStdString())), sign);
        QCOMPARE(Sign(CompareNames(b.toStdString(), a.toStdString())), -sign);
    }

    // Products and items in the orders of the lists and reports.
    void orders_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        const struct {
            const char *order, *name, *a, *b;
            int sign;
        } rows[] = {
            {"product category", "same category: names", "Milk", "Cheese", 1},
            {"product category", "categories by name", "Milk", "Bread", 1},
            {"product category", "equal category names, other records", "Butter", "Milk", 0},
            {"product category", "one without category", "Salt", "Bread", 0},
            {"product category", "both without category: names", "Salt", "Pepper", 1},
            {"product name", "by name", "Bread", "Salt", -1},
            // Shop and aisle: Corner walks Bakery (0), uncategorised (1), Dairy (2), Bakery (3).
            {"aisle", "first of two aisles", "Bread@Corner", "Milk@Corner", -1},
            {"aisle", "same aisle", "Milk@Corner", "Cheese@Corner", 0},
            {"aisle", "walking order", "Milk@Corner", "Bread@Corner", 1},
            {"aisle", "uncategorised aisle", "Salt@Corner", "Bread@Corner", 1},
            {"aisle", "uncategorised before Dairy", "Salt@Corner", "Milk@Corner", -1},
            {"aisle", "no uncategorised aisle", "Salt@Market", "Milk@Market", -1},
            {"aisle", "no product first", "noproduct@Corner", "Bread@Corner", -1},
            {"aisle", "same name, other category", "Butter@Corner", "Bread@Corner", -1},
            {"aisle", "shops by name", "Milk@Corner", "Bread@Market", -1},
            {"aisle", "shop names differ in case", "Bread@Corner", "Milk@corner", 0},
            {"aisle", "one without shop", "Milk@none", "Bread@Corner", 0},
            {"aisle", "both without shop", "Milk@none", "Bread@none", 0},
            {"shopcat", "shops", "Milk@Corner", "Bread@Market", -1},
            {"shopcat", "categories", "Milk@Corner", "Bread@Corner", 1},
            {"shopcat", "same category, names ignored", "Milk@Corner", "Cheese@Corner", 0},
            {"shopcat", "no category", "Salt@Corner", "Bread@Corner", 0},
            {"shopcat", "no product", "noproduct@Corner", "Bread@Corner", 0},
            {"shopcat", "both without shop", "Milk@none", "Bread@none", 1},
            {"shopcat", "one without shop", "Milk@none", "Bread@Corner", 0},
            {"category", "categories", "Milk@Corner", "Bread@Market", 1},
            {"category", "same category, product names", "Milk@Corner", "Cheese@Market", 1},
            {"category", "both without category, product names", "Salt@Corner", "Pepper@Corner", 1},
            {"category", "one without category", "Salt@Corner", "Bread@Corner", 0},
            {"category", "equal category names", "Butter@Corner", "Milk@Corner", 0},
            {"category", "no product", "noproduct@Corner", "Salt@Corner", 0},
            {"product", "names", "Milk@Corner", "Bread@Corner", 1},
            {"product", "shops ignored", "Milk@Corner", "Milk@Market", 0},
            {"product", "no product", "noproduct@Corner", "Bread@Corner", 0},
        };
        for (const auto &r : rows)
            QTest::addRow("%s: %s", r.order, r.name) << r.order << r.a << r.b << r.sign;
    }
    void orders() {
        QFETCH(QString, order);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        Fixture f;
        using Compare = std::function<int(const QString &, const QString &)>;
        const auto products = [&f](int (*c)(const TShopProd *, const TShopProd *)) {
            return Compare([&f, c](auto &x, auto &y) { return c(f.prod.at(x), f.prod.at(y)); });
        };
        const auto items = [&f](int (*c)(const TShopItem *, const TShopItem *)) {
            return Compare([&f, c](auto &x, auto &y) { return c(f.item.at(x), f.item.at(y)); });
        };
        const std::map<QString, Compare> orders = {
            {"product category", products(CompareProductsByCategory)},
            {"product name", products(CompareProductsByName)},
            {"aisle", items(CompareItemsByShopAisle)},
            {"shopcat", items(CompareItemsByShopCategory)},
            {"category", items(CompareItemsByCategory)},
            {"product", items(CompareItemsByProduct)}};
        const Compare &compare = orders.at(order);
        QCOMPARE(Sign(compare(a, b)), sign);
        QCOMPARE(Sign(compare(b, a)), -sign);
    }

    void makeString_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("withProduct");
        QTest::addColumn<bool>("withShop");
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("price");
        QTest::addColumn<QString>("text");
        const struct {
            const char *name;
            int layout;
            bool product, shop;
            float size, price;
            const char *text;
        } rows[] = {
            {"0", 0, true, true, 2.0f, 1.5f, "Milk, Acme 2l $1.50 at Corner"},
            {"1", 1, true, true, 2.0f, 1.5f, "Acme Milk 2l $1.50 at Corner"},
            {"2: two blanks after the colon", 2, true, true, 2.0f, 1.5f,
             "Corner:  Milk, Acme 2l $1.50"},
            {"0 without shop", 0, true, false, 2.0f, 1.5f, "Milk, Acme 2l $1.50"},
            {"1 without shop", 1, true, false, 2.0f, 1.5f, "Acme Milk 2l $1.50"},
            {"2 without shop: leading blank", 2, true, false, 2.0f, 1.5f, " Milk, Acme 2l $1.50"},
            {"0 without product", 0, false, true, 2.0f, 1.5f, "*, Acme 2* $1.50 at Corner"},
            {"2 without product or shop", 2, false, false, 2.0f, 1.5f, " *, Acme 2* $1.50"},
            {"1.1 stays 1.1", 0, true, false, 1.1f, 1.1f, "Milk, Acme 1.1l $1.10"},
            {"single 2.675 rounds up", 0, true, false, 0.25f, 2.675f, "Milk, Acme 0.25l $2.68"},
            {"no price, big pack", 1, true, false, 500.0f, 0.0f, "Acme Milk 500l $0.00"},
            {"layout 3", 3, true, true, 2.0f, 1.5f, ""},
            {"layout -1", -1, true, true, 2.0f, 1.5f, ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.layout << r.product << r.shop << r.size << r.price
                                  << QString(r.text);
    }
    void makeString() {
        QFETCH(int, layout);
        QFETCH(bool, withProduct);
        QFETCH(bool, withShop);
        QFETCH(float, size);
        QFETCH(float, price);
        QFETCH(QString, text);
        TShopProd milk("Milk", "l");
        TShopShop corner("Corner");
        const TShopItem item(withProduct ? &milk : nullptr, "Acme", size, price,
                             withShop ? &corner : nullptr);
        QCOMPARE(QString::fromStdString(item.MakeString(layout)), text);
    }

    void removeCategory() {
        Fixture f;
        TShopCat *dairy = f.cat["Dairy"];
        RemoveCategory(dairy);
        QCOMPARE(Categories.IndexOf(dairy), -1);
        QCOMPARE(Categories.Count(), 2);
        QCOMPARE(f.prod["Milk"]->Category, nullptr);
        QCOMPARE(f.prod["Cheese"]->Category, nullptr);
        QCOMPARE(f.prod["Bread"]->Category, f.cat["Bakery"]);
        QCOMPARE(f.prod["Butter"]->Category, f.cat["DAIRY"]);
        // Aisles of every shop, not only the first, lose the category.
        const TShopShop *corner = f.shop["Corner"];
        QCOMPARE(corner->Aisle.Count(), 4);
        QCOMPARE(corner->Aisle[0]->Category, f.cat["Bakery"]);
        QCOMPARE(corner->Aisle[2]->Category, nullptr);
        QCOMPARE(corner->Aisle[3]->Category, f.cat["Bakery"]);
        QCOMPARE(f.shop["Market"]->Aisle[0]->Category, nullptr);
        QCOMPARE(f.shop["corner"]->Aisle[0]->Category, nullptr);
    }

    void removeShop() {
        Fixture f;
        TShopShop *corner = f.shop["Corner"];
        std::vector<TShopItem *> kept;
        for (const auto &item : Items)
            if (item->Shop != corner)
                kept.push_back(item.get());
        QVERIFY(kept.size() < static_cast<std::size_t>(Items.Count()));
        RemoveShop(corner);
        QCOMPARE(Shops.IndexOf(corner), -1);
        QCOMPARE(Shops.Count(), 2);
        QCOMPARE(Items.Count(), static_cast<int>(kept.size()));
        for (int i = 0; i < Items.Count(); ++i)
            QCOMPARE(Items[i], kept[static_cast<std::size_t>(i)]);
    }

    // Every entry of a list holds a record: an empty one is refused and the list stays as
    // it was, so no code that walks a list needs to check for one.
    void listRefusesEmptyRecord() {
        Fixture f;
        const int shops = Shops.Count();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Shops.Add(nullptr));
        QCOMPARE(Shops.Count(), shops);
        TShopShop *corner = f.shop["Corner"];
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, corner->Aisle.Add(nullptr));
        QCOMPARE(corner->Aisle.Count(), 4);
    }
};

QTEST_GUILESS_MAIN(TestShopData)
#include "tst_ShopData.moc"
