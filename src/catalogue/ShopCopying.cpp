#include "catalogue/ShopCopying.h"

#include "catalogue/ShopData.h"

#include <memory>
#include <vector>

TShopShop *CopyShopWithItems(const TShopShop &source, std::string name) {
    // Collect the items first: the copies are appended to Items and must not be visited.
    std::vector<const TShopItem *> items;
    for (const auto &item : Items)
        if (item->Shop == &source)
            items.push_back(item.get());
    if (Shops.Count() >= MaxRecords || Items.Count() + static_cast<int>(items.size()) > MaxRecords)
        return nullptr;

    TShopShop *copy = Shops.Add(std::make_unique<TShopShop>(std::move(name)));
    for (const auto &aisle : source.Aisle) {
        auto a = std::make_unique<TShopAisle>();
        a->Rect = aisle->Rect;
        a->Category = aisle->Category;
        copy->Aisle.Add(std::move(a));
    }
    for (const auto &line : source.Outline)
        copy->Outline.Add(std::make_unique<TShopLine>(line->X1, line->Y1, line->X2, line->Y2));
    Items.Reserve(Items.Count() + static_cast<int>(items.size()));
    for (const TShopItem *item : items)
        Items.Add(std::make_unique<TShopItem>(item->Product, item->Brand, item->Size, item->Price,
                                              copy)); // Quantity starts at 0
    return copy;
}
