#include "catalogue/ItemChanges.h"

#include <memory>

namespace {

// What would stop the entry, checked in the order the user is told about it.
ItemRefusal Check(const ItemEntry &entry, bool addsItem) {
    if (!entry.product && !entry.category)
        return ItemRefusal::NoCategory;
    if (addsItem && Items.Count() >= MaxRecords)
        return ItemRefusal::ItemsFull;
    if (!entry.product && ProductTypes.Count() >= MaxRecords)
        return ItemRefusal::ProductTypesFull;
    return ItemRefusal::None;
}

// The chosen product type, or a new one of the entry's name, units and category. The name
// is not checked: an empty name, or one already in use, makes a product type all the same.
TShopProd *ProductFor(const ItemEntry &entry, ItemChange &change) {
    if (entry.product)
        return entry.product;
    change.newProduct = true;
    return ProductTypes.Add(
        std::make_unique<TShopProd>(entry.productName, entry.units, entry.category));
}

} // namespace

std::string RefusalText(ItemRefusal refusal) {
    switch (refusal) {
    case ItemRefusal::NoCategory:
        return "Must select a category";
    case ItemRefusal::ItemsFull:
        return "The catalogue cannot hold more than " + std::to_string(MaxRecords) + " items.";
    case ItemRefusal::ProductTypesFull:
        return "The catalogue cannot hold more than " + std::to_string(MaxRecords) +
               " product types.";
    case ItemRefusal::None:
        break;
    }
    return {};
}

ItemChange AddItem(const ItemEntry &entry) {
    ItemChange change;
    change.refused = Check(entry, true);
    if (change.refused != ItemRefusal::None)
        return change;
    change.product = ProductFor(entry, change);
    change.item = Items.Add(std::make_unique<TShopItem>(change.product, entry.brand, entry.size,
                                                        entry.price, entry.shop));
    return change;
}

ItemChange UpdateItem(TShopItem &item, const ItemEntry &entry) {
    ItemChange change;
    change.refused = Check(entry, false);
    if (change.refused != ItemRefusal::None)
        return change;
    change.product = ProductFor(entry, change);
    if (!change.newProduct)
        change.product->Units = entry.units;
    item.Product = change.product;
    item.Brand = entry.brand;
    item.Size = entry.size;
    item.Price = entry.price;
    item.Shop = entry.shop;
    change.item = &item;
    return change;
}

void DeleteItem(TShopItem *item) {
    Items.Remove(item);
}
