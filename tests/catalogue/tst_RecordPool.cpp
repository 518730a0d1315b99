// Records made from their kind's pool: every live record keeps its own values while others
// of its kind are made and released around it, and the catalogue's lists work on them.

#include "catalogue/ShopData.h"

#include <QtTest>

#include <memory>
#include <string>
#include <vector>

class TestRecordPool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Items (with texts too long to sit inside the string) and aisles (the smallest kind) made
    // in their thousands, every other one released and the places made again: a place
    // handed out twice, or too small for its record, shows as a record whose values changed.
    void recordsKeepTheirValues() {
        std::vector<std::unique_ptr<TShopItem>> items;
        std::vector<std::unique_ptr<TShopAisle>> aisles;
        const auto brand = [](int i) {
            return "A brand long enough for the heap " + std::to_string(i);
        };
        const auto make = [&](int i) {
            items[i] = std::make_unique<TShopItem>(nullptr, brand(i), float(i), float(i) / 2);
            items[i]->Quantity = static_cast<int16_t>(i);
            aisles[i] = std::make_unique<TShopAisle>();
            aisles[i]->Rect = {i, -i, i + 1, 2 * i};
            aisles[i]->CategoryIndex = static_cast<int16_t>(i);
        };
        const int count = 20000;
        items.resize(count);
        aisles.resize(count);
        for (int i = 0; i < count; ++i)
            make(i);
        for (int i = 0; i < count; i += 2) {
            items[i].reset();
            aisles[i].reset();
        }
        for (int i = 0; i < count; i += 2)
            make(i);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(items[i]->Brand, brand(i));
            QCOMPARE(items[i]->Size, float(i));
            QCOMPARE(items[i]->Price, float(i) / 2);
            QCOMPARE(items[i]->Quantity, static_cast<int16_t>(i));
            QCOMPARE(aisles[i]->Rect, (TRect{i, -i, i + 1, 2 * i}));
            QCOMPARE(aisles[i]->CategoryIndex, static_cast<int16_t>(i));
        }
    }

    // A shop removed from the middle of the list releases its aisles with it; the shops made
    // afterwards keep their own aisles.
    void shopsWithAislesInTheLists() {
        ClearCatalogue();
        for (int i = 0; i < 300; ++i) {
            TShopShop *shop = Shops.Add(std::make_unique<TShopShop>("Shop " + std::to_string(i)));
            for (int a = 0; a < 4; ++a)
                shop->Aisle.Add(std::make_unique<TShopAisle>())->CategoryIndex =
                    static_cast<int16_t>(i * 4 + a);
        }
        for (int i = 0; i < 100; ++i)
            RemoveShop(Shops[100]);
        for (int i = 300; i < 400; ++i) {
            TShopShop *shop = Shops.Add(std::make_unique<TShopShop>("Shop " + std::to_string(i)));
            for (int a = 0; a < 4; ++a)
                shop->Aisle.Add(std::make_unique<TShopAisle>())->CategoryIndex =
                    static_cast<int16_t>(i * 4 + a);
        }
        QCOMPARE(Shops.Count(), 300);
        for (int p = 0; p < Shops.Count(); ++p) {
            const int i = p < 100 ? p : p + 100;
            QCOMPARE(Shops[p]->Name, "Shop " + std::to_string(i));
            QCOMPARE(Shops[p]->Aisle.Count(), 4);
            for (int a = 0; a < 4; ++a)
                QCOMPARE(Shops[p]->Aisle[a]->CategoryIndex, static_cast<int16_t>(i * 4 + a));
        }
        ClearCatalogue();
    }
};

QTEST_APPLESS_MAIN(TestRecordPool)
#include "tst_RecordPool.moc"
