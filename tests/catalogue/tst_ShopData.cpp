// The catalogue in memory: name order, the report orders, item texts, number texts and
// removing records.

#include "catalogue/NumberFormat.h"
#include "catalogue/ShopData.h"

#include <QtTest>

#include <map>

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
        for (TShopCat *c : aisles) {
            auto aisle = std::make_unique<TShopAisle>();
            aisle->Category = c;
            s->Aisle.Add(std::move(aisle));
        }
        return s;
    }
};

Regional Variant(const QString &name) {
    Regional r = Regional::EnglishUS();
    if (name == "euro after") { // 1.234,50 € / -1.234,50 €
        r.CurrencySymbol = "\x80";
        r.CurrencyFormat = 3;
        r.NegCurrFormat = 8;
        r.DecimalSeparator = ',';
        r.ThousandSeparator = '.';
    } else if (name == "symbol after, no space") {
        r.CurrencyFormat = 1;
        r.NegCurrFormat = 5;
    } else if (name == "symbol before, space") {
        r.CurrencySymbol = "kr";
        r.CurrencyFormat = 2;
        r.NegCurrFormat = 12;
        r.ThousandSeparator = ' ';
    } else if (name == "minus first") {
        r.NegCurrFormat = 1;
    } else if (name == "brackets, symbol after") {
        r.CurrencyFormat = 3;
        r.NegCurrFormat = 15;
    } else if (name == "no grouping") {
        r.ThousandSeparator = '\0';
    }
    return r;
}

} // namespace

class TestShopData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetCurrentRegional(Regional::EnglishUS()); }

    void compareNames_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("case folds") << QByteArray("apple") << QByteArray("APPLE") << 0;
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

    void productOrders_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("same category: names") << "category"
                                              << "Milk"
                                              << "Cheese" << 1;
        QTest::newRow("categories by name") << "category"
                                            << "Milk"
                                            << "Bread" << 1;
        QTest::newRow("equal category names, other records") << "category"
                                                             << "Butter"
                                                             << "Milk" << 0;
        QTest::newRow("one without category") << "category"
                                              << "Salt"
                                              << "Bread" << 0;
        QTest::newRow("both without category: names") << "category"
                                                      << "Salt"
                                                      << "Pepper" << 1;
        QTest::newRow("by name") << "name"
                                 << "Bread"
                                 << "Salt" << -1;
    }
    void productOrders() {
        QFETCH(QString, order);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        Fixture f;
        const auto compare = order == "name" ? CompareProductsByName : CompareProductsByCategory;
        QCOMPARE(Sign(compare(f.prod[a], f.prod[b])), sign);
        QCOMPARE(Sign(compare(f.prod[b], f.prod[a])), -sign);
    }

    void itemOrders_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        // Shop and aisle: Corner walks Bakery (0), uncategorised (1), Dairy (2), Bakery (3).
        QTest::newRow("aisle: first of two aisles") << "aisle"
                                                    << "Bread@Corner"
                                                    << "Milk@Corner" << -1;
        QTest::newRow("aisle: same aisle") << "aisle"
                                           << "Milk@Corner"
                                           << "Cheese@Corner" << 0;
        QTest::newRow("aisle: walking order") << "aisle"
                                              << "Milk@Corner"
                                              << "Bread@Corner" << 1;
        QTest::newRow("aisle: uncategorised aisle") << "aisle"
                                                    << "Salt@Corner"
                                                    << "Bread@Corner" << 1;
        QTest::newRow("aisle: uncategorised before Dairy") << "aisle"
                                                           << "Salt@Corner"
                                                           << "Milk@Corner" << -1;
        QTest::newRow("aisle: no uncategorised aisle") << "aisle"
                                                       << "Salt@Market"
                                                       << "Milk@Market" << -1;
        QTest::newRow("aisle: no product first") << "aisle"
                                                 << "noproduct@Corner"
                                                 << "Bread@Corner" << -1;
        QTest::newRow("aisle: same name, other category") << "aisle"
                                                          << "Butter@Corner"
                                                          << "Bread@Corner" << -1;
        QTest::newRow("aisle: shops by name") << "aisle"
                                              << "Milk@Corner"
                                              << "Bread@Market" << -1;
        QTest::newRow("aisle: shop names differ in case") << "aisle"
                                                          << "Bread@Corner"
                                                          << "Milk@corner" << 0;
        QTest::newRow("aisle: one without shop") << "aisle"
                                                 << "Milk@none"
                                                 << "Bread@Corner" << 0;
        QTest::newRow("aisle: both without shop") << "aisle"
                                                  << "Milk@none"
                                                  << "Bread@none" << 0;

        QTest::newRow("shop category: shops") << "shopcat"
                                              << "Milk@Corner"
                                              << "Bread@Market" << -1;
        QTest::newRow("shop category: categories") << "shopcat"
                                                   << "Milk@Corner"
                                                   << "Bread@Corner" << 1;
        QTest::newRow("shop category: same category, names ignored") << "shopcat"
                                                                     << "Milk@Corner"
                                                                     << "Cheese@Corner" << 0;
        QTest::newRow("shop category: no category") << "shopcat"
                                                    << "Salt@Corner"
                                                    << "Bread@Corner" << 0;
        QTest::newRow("shop category: no product") << "shopcat"
                                                   << "noproduct@Corner"
                                                   << "Bread@Corner" << 0;
        QTest::newRow("shop category: both without shop") << "shopcat"
                                                          << "Milk@none"
                                                          << "Bread@none" << 1;
        QTest::newRow("shop category: one without shop") << "shopcat"
                                                         << "Milk@none"
                                                         << "Bread@Corner" << 0;

        QTest::newRow("category: categories") << "category"
                                              << "Milk@Corner"
                                              << "Bread@Market" << 1;
        QTest::newRow("category: same category, product names") << "category"
                                                                << "Milk@Corner"
                                                                << "Cheese@Market" << 1;
        QTest::newRow("category: both without category, product names") << "category"
                                                                        << "Salt@Corner"
                                                                        << "Pepper@Corner" << 1;
        QTest::newRow("category: one without category") << "category"
                                                        << "Salt@Corner"
                                                        << "Bread@Corner" << 0;
        QTest::newRow("category: equal category names") << "category"
                                                        << "Butter@Corner"
                                                        << "Milk@Corner" << 0;
        QTest::newRow("category: no product") << "category"
                                              << "noproduct@Corner"
                                              << "Salt@Corner" << 0;

        QTest::newRow("product: names") << "product"
                                        << "Milk@Corner"
                                        << "Bread@Corner" << 1;
        QTest::newRow("product: shops ignored") << "product"
                                                << "Milk@Corner"
                                                << "Milk@Market" << 0;
        QTest::newRow("product: no product") << "product"
                                             << "noproduct@Corner"
                                             << "Bread@Corner" << 0;
    }
    void itemOrders() {
        QFETCH(QString, order);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        Fixture f;
        const std::map<QString, int (*)(const TShopItem *, const TShopItem *)> orders = {
            {"aisle", CompareItemsByShopAisle},
            {"shopcat", CompareItemsByShopCategory},
            {"category", CompareItemsByCategory},
            {"product", CompareItemsByProduct}};
        const auto compare = orders.at(order);
        QVERIFY(f.item.count(a) && f.item.count(b));
        QCOMPARE(Sign(compare(f.item[a], f.item[b])), sign);
        QCOMPARE(Sign(compare(f.item[b], f.item[a])), -sign);
    }

    void makeString_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("withProduct");
        QTest::addColumn<bool>("withShop");
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("price");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << true << true << 2.0f << 1.5f << "Milk, Acme 2l $1.50 at Corner";
        QTest::newRow("1") << 1 << true << true << 2.0f << 1.5f << "Acme Milk 2l $1.50 at Corner";
        QTest::newRow("2: two blanks after the colon")
            << 2 << true << true << 2.0f << 1.5f << "Corner:  Milk, Acme 2l $1.50";
        QTest::newRow("0 without shop")
            << 0 << true << false << 2.0f << 1.5f << "Milk, Acme 2l $1.50";
        QTest::newRow("1 without shop")
            << 1 << true << false << 2.0f << 1.5f << "Acme Milk 2l $1.50";
        QTest::newRow("2 without shop: leading blank")
            << 2 << true << false << 2.0f << 1.5f << " Milk, Acme 2l $1.50";
        QTest::newRow("0 without product")
            << 0 << false << true << 2.0f << 1.5f << "*, Acme 2* $1.50 at Corner";
        QTest::newRow("2 without product or shop")
            << 2 << false << false << 2.0f << 1.5f << " *, Acme 2* $1.50";
        QTest::newRow("1.1 stays 1.1")
            << 0 << true << false << 1.1f << 1.1f << "Milk, Acme 1.1l $1.10";
        QTest::newRow("single 2.675 rounds up")
            << 0 << true << false << 0.25f << 2.675f << "Milk, Acme 0.25l $2.68";
        QTest::newRow("no price, big pack")
            << 1 << true << false << 500.0f << 0.0f << "Acme Milk 500l $0.00";
        QTest::newRow("layout 3") << 3 << true << true << 2.0f << 1.5f << "";
        QTest::newRow("layout -1") << -1 << true << true << 2.0f << 1.5f << "";
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

    void formatGeneral_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("2") << 2.0 << "."
                           << "2";
        QTest::newRow("1.5") << 1.5 << "."
                             << "1.5";
        QTest::newRow("0.25") << 0.25 << "."
                              << "0.25";
        QTest::newRow("0") << 0.0 << "."
                           << "0";
        QTest::newRow("-0") << -0.0 << "."
                            << "0";
        QTest::newRow("negative") << -2.5 << "."
                                  << "-2.5";
        QTest::newRow("regional separator") << 1.5 << ","
                                            << "1,5";
        QTest::newRow("seven integer digits") << 1234567.0 << "."
                                              << "1234567";
        QTest::newRow("rounded to seven digits") << 3.14159265 << "."
                                                 << "3.141593";
        QTest::newRow("tie away from zero") << 1234567.5 << "."
                                            << "1234568";
        QTest::newRow("tie below even") << 1234566.5 << "."
                                        << "1234567";
        QTest::newRow("just above a tie") << 0.12345675 << "."
                                          << "0.1234568";
        QTest::newRow("just below a tie") << 1.0000015 << "."
                                          << "1.000001";
        QTest::newRow("eight digits: scientific") << 12345678.0 << "."
                                                  << "1.234568E+07";
        QTest::newRow("rounds up to eight digits") << 9999999.6 << "."
                                                   << "1E+07";
        QTest::newRow("1.5E+08") << 150000000.0 << "."
                                 << "1.5E+08";
        QTest::newRow("scientific separator") << 150000000.0 << ","
                                              << "1,5E+08";
        QTest::newRow("smallest fixed") << 0.00001 << "."
                                        << "0.00001";
        QTest::newRow("small fixed digits") << 0.000012345678 << "."
                                            << "0.00001234568";
        QTest::newRow("1E-06") << 0.000001 << "."
                               << "1E-06";
        QTest::newRow("rounds up into fixed") << 0.0000099999999 << "."
                                              << "0.00001";
        QTest::newRow("three exponent digits") << -1e100 << "."
                                               << "-1E+100";
        QTest::newRow("widened 1.1") << SingleToDouble(1.1f) << "."
                                     << "1.1";
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << "."
                                       << "0.3";
    }
    void formatGeneral() {
        QFETCH(double, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        Regional r;
        r.DecimalSeparator = separator.toLatin1().at(0);
        QCOMPARE(QString::fromStdString(FormatGeneral(value, r)), text);
    }

    void formatCurrency_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("1.5") << 1.5 << "" << 2 << QByteArray("$1.50");
        QTest::newRow("zero") << 0.0 << "" << 2 << QByteArray("$0.00");
        QTest::newRow("negative in brackets") << -1.5 << "" << 2 << QByteArray("($1.50)");
        QTest::newRow("rounds to zero, no sign") << -0.004 << "" << 2 << QByteArray("$0.00");
        QTest::newRow("2.675") << 2.675 << "" << 2 << QByteArray("$2.68");
        QTest::newRow("carry into thousands") << 999.999 << "" << 2 << QByteArray("$1,000.00");
        QTest::newRow("three digits, no separator") << 100.0 << "" << 2 << QByteArray("$100.00");
        QTest::newRow("seven digits kept") << 1234567.891 << "" << 2 << QByteArray("$1,234,568.00");
        QTest::newRow("six digits and a decimal")
            << 123456.789 << "" << 2 << QByteArray("$123,456.80");
        QTest::newRow("eight digits: scientific")
            << 12345678.0 << "" << 2 << QByteArray("1.234568E+07");
        QTest::newRow("no decimals") << 1.5 << "" << 0 << QByteArray("$2");
        QTest::newRow("three decimals") << 1.2345 << "" << 3 << QByteArray("$1.235");
        QTest::newRow("minus first") << -1.5 << "minus first" << 2 << QByteArray("-$1.50");
        QTest::newRow("brackets, symbol after")
            << -1234.5 << "brackets, symbol after" << 2 << QByteArray("(1,234.50 $)");
        QTest::newRow("no grouping") << 1234.5 << "no grouping" << 2 << QByteArray("$1234.50");
        QTest::newRow("euro after") << 1234.5 << "euro after" << 2 << QByteArray("1.234,50 \x80");
        QTest::newRow("euro after, negative")
            << -1234.5 << "euro after" << 2 << QByteArray("-1.234,50 \x80");
        QTest::newRow("after, no space")
            << 1.5 << "symbol after, no space" << 2 << QByteArray("1.50$");
        QTest::newRow("after, no space, negative")
            << -1.5 << "symbol after, no space" << 2 << QByteArray("-1.50$");
        QTest::newRow("before with space")
            << 1234567.0 << "symbol before, space" << 2 << QByteArray("kr 1 234 567.00");
        QTest::newRow("before with space, negative")
            << -2.0 << "symbol before, space" << 2 << QByteArray("kr -2.00");
    }
    void formatCurrency() {
        QFETCH(double, value);
        QFETCH(QString, variant);
        QFETCH(int, decimals);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(FormatCurrency(value, Variant(variant), decimals)),
                 text);
    }

    void formatFixed_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.50") << 1.5 << 2 << "1.50";
        QTest::newRow("0.00") << 0.0 << 2 << "0.00";
        QTest::newRow("no thousands separator") << 1234.5 << 2 << "1234.50";
        QTest::newRow("exact half away from zero") << 0.125 << 2 << "0.13";
        QTest::newRow("negative") << -0.125 << 2 << "-0.13";
        QTest::newRow("rounds to zero") << -0.001 << 2 << "0.00";
        QTest::newRow("2.675") << 2.675 << 2 << "2.68";
        QTest::newRow("no decimals") << 2.5 << 0 << "3";
        QTest::newRow("eight digits: scientific") << 12345678.0 << 2 << "1.234568E+07";
    }
    void formatFixed() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatFixed(value, decimals, Regional::EnglishUS())), text);
    }

    void singleToDouble_data() {
        QTest::addColumn<float>("single");
        QTest::addColumn<double>("wide");
        QTest::newRow("1.1") << 1.1f << 1.1;
        QTest::newRow("0.1") << 0.1f << 0.1;
        QTest::newRow("2.675") << 2.675f << 2.675;
        QTest::newRow("negative") << -3.3f << -3.3;
        QTest::newRow("tiny") << 1e-7f << 1e-7;
        QTest::newRow("beyond seven digits") << 16777216.0f << 16777220.0;
        QTest::newRow("zero") << 0.0f << 0.0;
    }
    void singleToDouble() {
        QFETCH(float, single);
        QFETCH(double, wide);
        // Exact equality: the widened value must be the double nearest the decimal.
        QCOMPARE(SingleToDouble(single), wide);
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
};

QTEST_GUILESS_MAIN(TestShopData)
#include "tst_ShopData.moc"
