#include "shopping/ShoppingList.h"

#include "catalogue/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_set>

namespace {

// The name order's key of a text: a..z folded to capitals, so that comparing keys as bytes
// compares the texts as names.
void AppendFolded(std::string &key, const std::string &text) {
    for (char c : text)
        key.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
}

} // namespace

ListTotals ShoppingListTotals(const TRecordList<TShopItem> &items) {
    ListTotals totals;
    for (const auto &item : items) {
        if (item->Quantity <= 0)
            continue;
        totals.TotalCost += static_cast<float>(item->Quantity) * item->KnownPrice();
        ++totals.ItemCount;
    }
    return totals;
}

std::string TotalCostText(float total, const Regional &r) {
    return "Total cost " + FormatCurrency(total, r);
}

std::string ItemCountText(int32_t count) {
    return std::to_string(count) + " items";
}

std::string ItemSortKey(const TShopItem &item, bool byCategory) {
    const TShopProd *product = item.Product;
    std::string key;
    key.reserve(48);
    if (byCategory)
        AppendFolded(key, product && product->Category ? product->Category->Name : "*");
    AppendFolded(key, product ? product->Name : "*");
    AppendFolded(key, item.Brand);
    return key;
}

std::vector<TShopItem *> ListedItems(const TRecordList<TShopItem> &items,
                                     const ListFilter &filter) {
    if (filter.shops.empty())
        return {};
    const std::unordered_set<const TShopShop *> shops(filter.shops.begin(), filter.shops.end());
    struct Row {
        std::string key;
        TShopItem *item;
    };
    std::vector<Row> rows;
    for (const auto &item : items) {
        if (filter.onlyOnList && item->Quantity <= 0)
            continue;
        // An item without a shop belongs to no selection.
        if (!item->Shop || !shops.contains(item->Shop))
            continue;
        rows.push_back({ItemSortKey(*item, filter.byCategory), item.get()});
    }
    // std::string compares its bytes as unsigned values, which is the name order on keys.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return a.key < b.key; });
    std::vector<TShopItem *> listed;
    listed.reserve(rows.size());
    for (const Row &row : rows)
        listed.push_back(row.item);
    return listed;
}

std::string ItemSizeText(const TShopItem &item, const Regional &r) {
    return FormatGeneral(item.Size, r) + (item.Product ? item.Product->Units : "*");
}

std::string ItemRowText(const TShopItem &item, const Regional &r) {
    const std::string product = item.Product ? item.Product->Name : "*";
    return product + " " + item.Brand + " " + ItemSizeText(item, r);
}

std::string PriceEntryText(float price, const Regional &r) {
    return FormatFixed(price, r.CurrencyDecimals, r);
}
