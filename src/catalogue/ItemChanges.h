#pragma once
// Adding, changing and deleting items, and choosing or making the product type they are
// of: the catalogue side of the item editor. Every refusal is decided before anything
// changes, so a refused entry leaves the catalogue exactly as it was.

#include "catalogue/ShopData.h"

#include <string>

// An item as entered, its size and price already checked.
struct ItemEntry {
    TShopProd *product = nullptr; // chosen from the list; none: a new product type is made
    std::string productName;      // the new product type's name and units
    std::string units;            // (for a chosen product type: its units after an update)
    TShopCat *category = nullptr; // the chosen category, which a new product type goes under
    std::string brand;
    float size = 0;
    float price = 0;
    TShopShop *shop = nullptr;
};

enum class ItemRefusal {
    None,
    NoCategory,       // a new product type is needed but no category is chosen
    ItemsFull,        // Items already holds MaxRecords items
    ProductTypesFull, // a new product type is needed and ProductTypes is full
};

// The error the user is shown for a refusal.
std::string RefusalText(ItemRefusal refusal);

struct ItemChange {
    ItemRefusal refused = ItemRefusal::None;
    TShopProd *product = nullptr; // the product type the item is now of
    bool newProduct = false;      // made for this change and appended to ProductTypes
    TShopItem *item = nullptr;    // the item added or changed
};

// Appends a new item (quantity 0) made from `entry`. A chosen product type keeps its units.
ItemChange AddItem(const ItemEntry &entry);
// Makes `item` what `entry` says; its quantity stays. A chosen product type takes the
// entry's units, which changes the unit of every item of that type.
ItemChange UpdateItem(TShopItem &item, const ItemEntry &entry);
// Removes an item. Its product type stays, even when no other item uses it.
void DeleteItem(TShopItem *item);
