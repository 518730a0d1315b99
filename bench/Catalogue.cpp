#include "Catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace bench {

namespace {

// A small generator of our own: the standard distributions differ between libraries.
class Sequence {
public:
    explicit Sequence(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t state_;
};

// A made-up word of two to four syllables, so names sort in no particular order.
std::string Word(Sequence &s) {
    static const char *const syllables[] = {"ba",  "ko",  "mi", "ter", "lu", "san", "dro", "pe",
                                            "vin", "chu", "ga", "rel", "to", "nis", "fa",  "quo"};
    std::string word;
    const int count = 2 + s.Below(3);
    for (int i = 0; i < count; ++i)
        word += syllables[s.Below(16)];
    word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::string Name(Sequence &s, int number) {
    return Word(s) + " " + std::to_string(number);
}

void AddOutline(TShopShop &shop, int lines, int32_t width, int32_t height) {
    const TShopLine sides[] = {
        {0, 0, width, 0}, {width, 0, width, height}, {width, height, 0, height}, {0, height, 0, 0}};
    for (int i = 0; i < lines && i < 4; ++i)
        shop.Outline.Add(std::make_unique<TShopLine>(sides[i]));
}

} // namespace

void BuildCatalogue(const CatalogueSize &size) {
    ClearCatalogue();
    Sequence s(20240601);
    Categories.Reserve(size.Categories);
    for (int i = 0; i < size.Categories; ++i)
        Categories.Add(std::make_unique<TShopCat>(Name(s, i)));

    static const char *const units[] = {"kg", "g", "l", "ml", "ea", "pk"};
    ProductTypes.Reserve(size.ProductTypes);
    for (int i = 0; i < size.ProductTypes; ++i)
        ProductTypes.Add(std::make_unique<TShopProd>(Name(s, i), units[s.Below(6)],
                                                     Categories[s.Below(size.Categories)]));

    // Household shops hold rows of upright aisles; at the limit each shop holds a few.
    const bool household = size.AislesPerShop > 8;
    Shops.Reserve(size.Shops);
    for (int i = 0; i < size.Shops; ++i) {
        auto shop = std::make_unique<TShopShop>(Name(s, i));
        shop->Aisle.Reserve(size.AislesPerShop);
        for (int a = 0; a < size.AislesPerShop; ++a) {
            auto aisle = std::make_unique<TShopAisle>();
            const int32_t x = 20 + (a % 10) * 40;
            const int32_t y = 20 + (a / 10) * 140;
            aisle->Rect = {x, y, x + 20, y + 120};
            aisle->Category = Categories[s.Below(size.Categories)];
            shop->Aisle.Add(std::move(aisle));
        }
        AddOutline(*shop, household ? 4 : 1, 440, 20 + ((size.AislesPerShop + 9) / 10) * 140);
        Shops.Add(std::move(shop));
    }

    Items.Reserve(size.Items);
    const int every = std::max(1, size.Items / std::max(1, size.ShoppingList));
    for (int i = 0; i < size.Items; ++i) {
        auto item = std::make_unique<TShopItem>(
            ProductTypes[s.Below(size.ProductTypes)], Word(s),
            0.25f * static_cast<float>(1 + s.Below(40)),
            s.Below(10) == 0 ? 0.0f : 0.01f * static_cast<float>(49 + s.Below(2000)),
            Shops[s.Below(size.Shops)]);
        if (i % every == 0 && i / every < size.ShoppingList)
            item->Quantity = static_cast<int16_t>(1 + s.Below(3));
        Items.Add(std::move(item));
    }
}

void LayOutPlan(TShopShop &shop, int aisles, int width, int height) {
    shop.Aisle.Clear();
    if (aisles <= 0 || width <= 0 || height <= 0)
        return;
    const int columns = std::max(
        1, static_cast<int>(std::ceil(std::sqrt(double(aisles) * width / std::max(1, height)))));
    const int rows = (aisles + columns - 1) / columns;
    const int cellWidth = std::max(2, width / columns);
    const int cellHeight = std::max(2, height / rows);
    Sequence s(static_cast<uint32_t>(aisles));
    shop.Aisle.Reserve(aisles);
    for (int i = 0; i < aisles; ++i) {
        const int row = i / columns;
        const int column = i % columns;
        auto aisle = std::make_unique<TShopAisle>();
        const int32_t left = column * cellWidth;
        const int32_t top = row * cellHeight;
        // Upright rows are half as wide as their cells.
        const int32_t w = row % 2 ? std::max(1, cellWidth / 2) : cellWidth;
        aisle->Rect = {left, top, left + w, top + cellHeight};
        if (!Categories.Empty())
            aisle->Category = Categories[s.Below(Categories.Count())];
        shop.Aisle.Add(std::move(aisle));
    }
}

} // namespace bench
