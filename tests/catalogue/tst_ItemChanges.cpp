// Adding, changing and deleting items as the item editor asks: what is refused, in which
// order, with the catalogue left as it was; and what each change makes of the catalogue.

#include "catalogue/ItemChanges.h"

#include <QtTest>

class TestItemChanges : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { ClearCatalogue(); }
    void cleanup() { ClearCatalogue(); }

    // The first refusal that applies, told in this order; a refused change changes nothing.
    void refusals_data() {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("chosen"); // a product type chosen; else a new one is made
        QTest::addColumn<bool>("category");
        QTest::addColumn<bool>("itemsFull");
        QTest::addColumn<bool>("typesFull");
        QTest::addColumn<int>("refusal");
        const auto row = [](const char *name, bool add, bool ch, bool cat, bool items, bool types,
                            ItemRefusal r) {
            QTest::newRow(name) << add << ch << cat << items << types << int(r);
        };
        row("new type without a category", true, false, false, true, true, ItemRefusal::NoCategory);
        row("chosen type needs no category", false, true, false, true, true, ItemRefusal::None);
        row("items full", true, true, true, true, true, ItemRefusal::ItemsFull);
        row("items full, changing one", false, false, true, true, false, ItemRefusal::None);
        row("product types full", true, false, true, false, true, ItemRefusal::ProductTypesFull);
        row("types full, one chosen", true, true, true, false, true, ItemRefusal::None);
        row("types full, changing one", false, false, true, false, true,
            ItemRefusal::ProductTypesFull);
    }
    void refusals() {
        QFETCH(bool, adding);
        QFETCH(bool, chosen);
        QFETCH(bool, category);
        QFETCH(bool, itemsFull);
        QFETCH(bool, typesFull);
        QFETCH(int, refusal);
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", dairy));
        TShopItem *item = Items.Add(std::make_unique<TShopItem>(milk, "Acme", 1, 1));
        while (itemsFull && Items.Count() < MaxRecords)
            Items.Add(std::make_unique<TShopItem>());
        while (typesFull && ProductTypes.Count() < MaxRecords)
            ProductTypes.Add(std::make_unique<TShopProd>());
        const int items = Items.Count();
        const int types = ProductTypes.Count();
        const ItemEntry entry{chosen ? milk : nullptr,
                              "Cream",
                              "ml",
                              category ? dairy : nullptr,
                              "Farm",
                              2,
                              3,
                              nullptr};
        const ItemChange change = adding ? AddItem(entry) : UpdateItem(*item, entry);
        QCOMPARE(int(change.refused), refusal);
        if (change.refused == ItemRefusal::None)
            return;
        QCOMPARE(change.item, nullptr);
        QCOMPARE(QList<int>({Items.Count(), ProductTypes.Count()}), QList<int>({items, types}));
        QCOMPARE(item->Brand, std::string("Acme"));
        QCOMPARE(milk->Units, std::string("l"));
    }

    // What an accepted change makes: the item as entered, of the chosen product type (whose
    // units only a change of an item sets) or of a new one appended.
    void changes_data() {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("units"); // the chosen or new product type's units after
        QTest::newRow("add of a chosen type") << true << true << "l";
        QTest::newRow("add of a new type") << true << false << "ml";
        QTest::newRow("change to a chosen type") << false << true << "ml";
        QTest::newRow("change to a new type") << false << false << "ml";
    }
    void changes() {
        QFETCH(bool, adding);
        QFETCH(bool, chosen);
        QFETCH(QString, units);
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        TShopShop *corner = Shops.Add(std::make_unique<TShopShop>("Corner"));
        TShopProd *milk = ProductTypes.Add(std::make_unique<TShopProd>("Milk", "l", nullptr));
        TShopItem *old = Items.Add(std::make_unique<TShopItem>(nullptr, "Old", 9, 9));
        old->Quantity = 4;
        const ItemEntry entry{chosen ? milk : nullptr, "Cream", "ml", dairy, "Farm", 2, 3, corner};
        const ItemChange change = adding ? AddItem(entry) : UpdateItem(*old, entry);
        QCOMPARE(int(change.refused), int(ItemRefusal::None));
        QCOMPARE(change.newProduct, !chosen);
        QCOMPARE(change.product, chosen ? milk : ProductTypes[1]);
        QCOMPARE(ProductTypes.Count(), chosen ? 1 : 2);
        QCOMPARE(QString::fromStdString(change.product->Units), units);
        if (!chosen) {
            QCOMPARE(change.product->Name, std::string("Cream"));
            QCOMPARE(change.product->Category, dairy);
        }
        QCOMPARE(Items.Count(), adding ? 2 : 1);
        QCOMPARE(change.item, Items[Items.Count() - 1]);
        const TShopItem &item = *change.item;
        QCOMPARE(item.Product, change.product);
        QCOMPARE(item.Brand, std::string("Farm"));
        QCOMPARE(QList<float>({item.Size, item.Price}), QList<float>({2, 3}));
        QCOMPARE(item.Shop, corner);
        QCOMPARE(int(item.Quantity), adding ? 0 : 4);

        // Deleting the item keeps its product type.
        DeleteItem(change.item);
        QCOMPARE(Items.IndexOf(&item), -1);
        QCOMPARE(ProductTypes.Count(), chosen ? 1 : 2);
    }

    void refusalTexts() {
        QCOMPARE(RefusalText(ItemRefusal::None), std::string());
        QCOMPARE(RefusalText(ItemRefusal::NoCategory), std::string("Must select a category"));
        QCOMPARE(RefusalText(ItemRefusal::ItemsFull),
                 std::string("The catalogue cannot hold more than 32767 items."));
        QCOMPARE(RefusalText(ItemRefusal::ProductTypesFull),
                 std::string("The catalogue cannot hold more than 32767 product types."));
    }
};

QTEST_GUILESS_MAIN(TestItemChanges)
#include "tst_ItemChanges.moc"
