#pragma once
// The shopping list's logic, without a window: its total and item count, which items the
// list window shows and in what order, the texts of a row, and reading what the user types
// as a quantity or a price.

#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The whole shopping list, over every shop: the items with a quantity greater than 0.
struct ListTotals {
    float TotalCost = 0; // sum of quantity x price, kept as a 4-byte float like the prices
    int32_t ItemCount = 0;
};
ListTotals ShoppingListTotals(const TRecordList<TShopItem> &items);

// "Total cost " and the amount in the currency format; the count and " items" (also for 1).
std::string TotalCostText(float total, const Regional &r = CurrentRegional());
std::string ItemCountText(int32_t count);

// What the list window shows.
struct ListFilter {
    std::vector<const TShopShop *> shops; // the selected shops; none shows nothing
    bool onlyOnList = false;              // only items with a quantity greater than 0
    bool byCategory = true;               // the category leads the order
};

// The order key of an item: category name, product type name and brand joined without
// separators ("*" for a missing product type or category), the category only when
// `byCategory`. Rows are in name order of their keys (a..z folded).
std::string ItemSortKey(const TShopItem &item, bool byCategory);
// The items of the selected shops that pass the filter, in the order of their keys; items
// whose keys are equal keep their catalogue order.
std::vector<TShopItem *> ListedItems(const TRecordList<TShopItem> &items, const ListFilter &filter);

// Size and unit: "2l"; "*" for the unit of an item without a product type.
std::string ItemSizeText(const TShopItem &item, const Regional &r = CurrentRegional());
// A row's description: product type, brand, then size and unit ("Milk Acme 2l").
std::string ItemRowText(const TShopItem &item, const Regional &r = CurrentRegional());
// A price in fixed notation with the currency's decimals, as the price column and the
// price entry show it.
std::string PriceEntryText(float price, const Regional &r = CurrentRegional());
