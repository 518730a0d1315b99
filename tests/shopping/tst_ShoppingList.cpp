// The shopping list's logic without a window: what may be typed as a quantity or a price,
// the whole list's total, and which items are listed in what order.

#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "shopping/ShoppingList.h"

#include <QTest>

#include <map>

class TestShoppingList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { ClearCatalogue(); }
    void cleanup() { ClearCatalogue(); }

    // Category, product type and brand joined, a..z folded ("*" sorts before letters); the
    // total counts quantities above 0 in every shop; items of other shops, without a shop,
    // or off the list (when asked) are not listed; equal keys keep their catalogue order.
    void listAndTotal_data() {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<bool>("onlyOnList");
        QTest::addColumn<QString>("order");
        QTest::newRow("by category") << true << false << "none,cheese,milk1,milk2,apples";
        QTest::newRow("by product") << false << false << "none,apples,cheese,milk1,milk2";
        QTest::newRow("on the list only") << true << true << "milk1,apples";
    }
    void listAndTotal() {
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
                    {"none", nullptr, "x", corner, 0},  {"other shop", milk, "B", market, 3},
                    {"no shop", milk, "C", nullptr, 0}};
        std::map<const TShopItem *, QString> labels;
        for (const auto &row : rows) {
            auto *item = Items.Add(
                std::make_unique<TShopItem>(row.product, row.brand, 1.0f, 1.5f, row.shop));
            item->Quantity = row.quantity;
            labels[item] = row.label;
        }
        const ListTotals totals = ShoppingListTotals(Items);
        QCOMPARE(TotalCostText(totals.TotalCost, Regional::EnglishUS()),
                 std::string("Total cost $9.00"));
        QCOMPARE(ItemCountText(totals.ItemCount), std::string("3 items"));

        ListFilter filter{{corner}, onlyOnList, byCategory};
        QStringList listed;
        for (const TShopItem *item : ListedItems(Items, filter))
            listed << labels[item];
        QCOMPARE(listed.join(','), order);
        QVERIFY(ListedItems(Items, ListFilter{}).empty()); // no shop selected
        QCOMPARE(ItemRowText(*Items[4], Regional::EnglishUS()), std::string("* x 1*"));
    }

    // Only a..z fold to capitals; the characters next to them, and others, stay.
    void sortKeyFolds_data() {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("key");
        QTest::newRow("a and z") << true << "az"
                                 << "**AZ";
        QTest::newRow("around a..z") << true << "`{AZ@[9"
                                     << "**`{AZ@[9";
        QTest::newRow("without the category") << false << "mz"
                                              << "*MZ";
    }
    void sortKeyFolds() {
        QFETCH(bool, byCategory);
        QFETCH(QString, brand);
        QFETCH(QString, key);
        const TShopItem item(nullptr, brand.toStdString());
        QCOMPARE(QString::fromStdString(ItemSortKey(item, byCategory)), key);
    }

    void priceEntryText_data() {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("cents") << 2 << "1.25";
        QTest::newRow("whole") << 0 << "1";
    }
    void priceEntryText() {
        QFETCH(int, decimals);
        QFETCH(QString, text);
        Regional r = Regional::EnglishUS();
        r.CurrencyDecimals = decimals;
        QCOMPARE(QString::fromStdString(PriceEntryText(1.25f, r)), text);
    }
};

QTEST_GUILESS_MAIN(TestShoppingList)
#include "tst_ShoppingList.moc"
