#pragma once
// Catalogues for measuring: the same sizes always give the same catalogue, byte for byte,
// so figures from different runs and machines compare.

#include "catalogue/ShopData.h"

namespace bench {

struct CatalogueSize {
    int Categories = 0;
    int ProductTypes = 0;
    int Shops = 0;
    int AislesPerShop = 0;
    int Items = 0;
    int ShoppingList = 0; // items with a quantity
};

// A household's catalogue.
inline constexpr CatalogueSize Household{40, 400, 10, 40, 3000, 60};
// Every list as long as the file can count; four aisles and one outline line per shop, the
// items spread over the shops and product types.
inline constexpr CatalogueSize Limit{MaxRecords, MaxRecords, MaxRecords, 4, MaxRecords, 300};

// Empties the global lists and fills them.
void BuildCatalogue(const CatalogueSize &size);

// Gives `shop` a plan of `aisles` aisles filling a `width` x `height` area in a grid, every
// one of them labelled with a category; alternate rows stand upright, so labels read both
// ways.
void LayOutPlan(TShopShop &shop, int aisles, int width, int height);

} // namespace bench
