// The shopping list's logic without a window: what the user may type as a quantity or a
// price, the whole list's total, and which items are listed in what order.

#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "shopping/ShoppingList.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>

class TestShoppingList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        ClearCatalogue();
        SetCurrentRegional(Regional::EnglishUS());
    }
    void cleanup() { ClearCatalogue(); }

    void quantityEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("quantity");
        QTest::newRow("empty is 0") << "" << true << 0;
        QTest::newRow("whole number") << "12" << true << 12;
        QTest::newRow("blanks around, sign") << " +3 " << true << 3;
        QTest::newRow("negative kept") << "-2" << true << -2;
        QTest::newRow("leading zeros") << "0000032767" << true << 32767;
        QTest::newRow("lowest") << "-32768" << true << -32768;
        QTest::newRow("one above the range") << "32768" << false << 0;
        QTest::newRow("far above the range") << "40000" << false << 0;
        QTest::newRow("below the range") << "-32769" << false << 0;
        QTest::newRow("fraction") << "1.5" << false << 0;
        QTest::newRow("blanks only") << "  " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("letters after") << "3x" << false << 0;
    }
    void quantityEntry() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, quantity);
        const auto parsed = ParseQuantityEntry(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(int(*parsed), quantity);
    }

    void priceEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<float>("price");
        QTest::newRow("empty is no price") << "" << '.' << true << 0.0f;
        QTest::newRow("decimals") << "1.25" << '.' << true << 1.25f;
        QTest::newRow("no whole part, blanks") << " .5 " << '.' << true << 0.5f;
        QTest::newRow("exponent") << "2E2" << '.' << true << 200.0f;
        QTest::newRow("regional comma") << "1,5" << ',' << true << 1.5f;
        QTest::newRow("point where comma is used") << "1.5" << ',' << false << 0.0f;
        QTest::newRow("thousands separator") << "1,000.00" << '.' << false << 0.0f;
        QTest::newRow("negative") << "-1" << '.' << false << 0.0f;
        QTest::newRow("too large for a float") << "1e39" << '.' << false << 0.0f;
        QTest::newRow("too large for a double") << "1e400" << '.' << false << 0.0f;
        QTest::newRow("not a number") << "nan" << '.' << false << 0.0f;
        QTest::newRow("infinity") << "inf" << '.' << false << 0.0f;
        QTest::newRow("currency symbol") << "$2" << '.' << false << 0.0f;
    }
    void priceEntry() {
        QFETCH(QString, text);
        QFETCH(char, separator);
        QFETCH(bool, valid);
        QFETCH(float, price);
        Regional r;
        r.DecimalSeparator = separator;
        const auto parsed = ParsePriceEntry(text.toStdString(), r);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, price);
            QVERIFY(std::isfinite(*parsed));
        }
    }

    // Only quantities above 0 count, in every shop, and the sum is kept as a float.
    void totals() {
        auto *shopA = Shops.Add(std::make_unique<TShopShop>("A"));
        auto *shopB = Shops.Add(std::make_unique<TShopShop>("B"));
        const struct {
            TShopShop *shop;
            float price;
            int16_t quantity;
        } rows[] = {{shopA, 1.5f, 3}, {shopB, 0.9f, 2}, {shopA, 4.0f, -2}, {shopB, 7.0f, 0}};
        for (const auto &row : rows)
            Items.Add(std::make_unique<TShopItem>(nullptr, "x", 1.0f, row.price, row.shop))
                ->Quantity = row.quantity;
        const ListTotals totals = ShoppingListTotals(Items);
        QCOMPARE(totals.ItemCount, 2);
        QCOMPARE(totals.TotalCost, 1.5f * 3 + 0.9f * 2);
        QCOMPARE(TotalCostText(totals.TotalCost), std::string("Total cost $6.30"));
        QCOMPARE(ItemCountText(1), std::string("1 items"));
    }

    // Category, product type and brand joined, a..z folded ("*" sorts before letters);
    // items of other shops, without a shop, or off the list (when asked) are left out;
    // equal keys keep their catalogue order.
    void listedOrder_data() {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<bool>("onlyOnList");
        QTest::addColumn<QString>("order");
        QTest::newRow("by category") << true << false << "none,cheese,milk1,milk2,apples";
        QTest::newRow("by product") << false << false << "none,apples,cheese,milk1,milk2";
        QTest::newRow("on the list only") << true << true << "milk1,apples";
    }
    void listedOrder() {
        QFETCH(bool, byCategory);
        QFETCH(bool, onlyOnList);
        QFETCH(QString, order);
        auto *dairy = Categories.Add(std::make_unique<TShopCat>("dairy"));
        auto *produce = Categories.Add(std::make_unique<TShopCat>("Produce"));
        auto *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
        auto *cheese = ProductTypes.Add(std::make_unique<TShopProd>("cheese", "g", dairy));
        auto *apples = ProductTypes.Add(std::make_unique<TShopProd>("Apples", "kg", produce));
        auto *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
        auto *market = Shops.Add(std::make_unique<TShopShop>("Market"));
        const struct {
            const char *label;
            TShopProd *product;
            const char *brand;
            TShopShop *shop;
            int16_t quantity;
        } rows[] = {{"milk1", milk, "Acme", corner, 1}, {"apples", apples, "Orchard", corner, 2},
                    {"milk2", milk, "acme", corner, 0}, {"cheese", cheese, "Zed", corner, -1},
                    {"none", nullptr, "x", corner, 0},  {"other shop", milk, "B", market, 1},
                    {"no shop", milk, "C", nullptr, 1}};
        std::map<const TShopItem *, QString> labels;
        for (const auto &row : rows) {
            auto *item = Items.Add(
                std::make_unique<TShopItem>(row.product, row.brand, 1.0f, 1.0f, row.shop));
            item->Quantity = row.quantity;
            labels[item] = row.label;
        }

        ListFilter filter;
        filter.shops = {corner};
        filter.byCategory = byCategory;
        filter.onlyOnList = onlyOnList;
        QStringList listed;
        for (const TShopItem *item : ListedItems(Items, filter))
            listed << labels[item];
        QCOMPARE(listed.join(','), order);
        QVERIFY(ListedItems(Items, ListFilter{}).empty()); // no shop selected
    }

    void rowTexts() {
        auto *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l"));
        const TShopItem item(milk, "Acme", 1.5f, 2.0f);
        QCOMPARE(ItemRowText(item), std::string("Milk Acme 1.5l"));
        const TShopItem orphan(nullptr, "Acme", 500.0f, 2.0f);
        QCOMPARE(ItemRowText(orphan), std::string("* Acme 500*"));
        QCOMPARE(ItemSizeText(orphan), std::string("500*"));
        Regional r;
        r.CurrencyDecimals = 3;
        r.DecimalSeparator = ',';
        QCOMPARE(PriceEntryText(1234.5f, r), std::string("1234,500"));
    }
};

QTEST_GUILESS_MAIN(TestShoppingList)
#include "tst_ShoppingList.moc"
