#pragma once
// The price analysis without a window: which items on the shopping list have cheaper-per-unit
// alternatives of the same product type, how many packs of an alternative replace an item,
// what the switch saves, and the texts the analysis window shows.

#include "catalogue/ShopData.h"

#include <string>
#include <unordered_map>
#include <vector>

// The most packs a quantity can hold.
inline constexpr int MaxQuantity = 32767;

// Whether an item has a price per unit to compare: a finite pack size above 0 and a finite
// price. An item without one is neither analysed nor offered.
bool HasUnitPrice(const TShopItem &item);

// Whether `alt` costs strictly less per unit than `item` (both with a unit price), with the
// prices rounded to the cent and the sizes to the digits they are shown with, compared
// exactly: unit prices equal as the user entered them are never "cheaper".
bool CheaperPerUnit(const TShopItem &alt, const TShopItem &item);

// Whether `alt` may be offered in place of another item: it has a price, a unit price, a
// product type, and a shop to buy it at.
bool CanBeOffered(const TShopItem &alt);

// Whether an item is analysed: on the list, with a product type and a unit price.
bool IsAnalysed(const TShopItem &item);

struct Substitution {
    float packs = 0;  // whole packs of the alternative for at least the item's amount
    float saving = 0; // > 0: the switch saves this much; otherwise it costs -saving extra
};

// The packs of `alt` that hold the item's quantity times its size, rounded up, and the
// saving, in 4-byte floats like the fields they come from.
Substitution Substitute(const TShopItem &item, const TShopItem &alt);

// Puts the packs of `alt` on the list in place of `item` (item's quantity 0). A negative
// quantity of `alt` (off the list) counts as 0. False, with nothing changed, when the
// alternative's quantity would exceed MaxQuantity.
bool ReplaceItem(TShopItem &item, TShopItem &alt);

// The items of a list that can be offered, grouped by product type, built once when the
// analysis starts; finding alternatives then looks at one product type's group only, and
// an item that is the cheapest of its group is passed over at once.
class AlternativesIndex {
public:
    explicit AlternativesIndex(const TRecordList<TShopItem> &items);

    // The alternatives of the item at `pos` in list order; empty when it is not analysed.
    std::vector<TShopItem *> AlternativesOf(int pos) const;
    // The first position from `from` on whose item is analysed and has alternatives, with
    // those in `alternatives`; the list's count when there is none.
    int FindNext(int from, std::vector<TShopItem *> &alternatives) const;

private:
    struct Group {
        std::vector<TShopItem *> offers; // in list order
        const TShopItem *cheapest = nullptr;
    };
    const TRecordList<TShopItem> &items_;
    std::unordered_map<const TShopProd *, Group> groups_;
};

// The window's texts, in the catalogue's character set.
// An alternative: brand, product type, size and units, shop, price.
std::string AlternativeText(const TShopItem &alt);
// The finding: "The following item is" (or "items are", with several) "cheaper per <units>
// than " and the item; "*" stands for a missing shop's name.
std::string FindingText(const TShopItem &item, int alternatives);
// "Substituting this item will save you <money>" or "... will cost an extra <money>".
std::string SavingText(float saving);
