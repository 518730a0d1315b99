#include "shopping/ShoppingList.h"

#include "catalogue/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_set>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void SkipBlanks(const std::string &text, std::size_t &pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// An optional sign at `pos`; true when it is a minus.
bool ReadSign(const std::string &text, std::size_t &pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        return text[pos++] == '-';
    return false;
}

// Appends the digits at `pos` to `out`; returns how many there were.
std::size_t ReadDigits(const std::string &text, std::size_t &pos, std::string &out) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out.push_back(text[pos++]);
    return pos - start;
}

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
        totals.TotalCost += static_cast<float>(item->Quantity) * item->Price;
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

std::optional<int16_t> ParseQuantityEntry(const std::string &text) {
    if (text.empty())
        return 0;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    const bool negative = ReadSign(text, pos);
    std::string digits;
    if (ReadDigits(text, pos, digits) == 0)
        return std::nullopt;
    SkipBlanks(text, pos);
    if (pos != text.size())
        return std::nullopt;
    // Leading zeros aside, more than five digits is beyond the range in any case.
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    if (digits.size() - first > 5)
        return std::nullopt;
    const long magnitude = std::stol(digits.substr(first));
    const long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(value);
}

std::optional<float> ParsePriceEntry(const std::string &text, const Regional &r) {
    if (text.empty())
        return 0.0f;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    // Rebuilt with a point and read with from_chars, which ignores the C locale.
    std::string number;
    if (ReadSign(text, pos))
        number.push_back('-');
    std::size_t mantissa = ReadDigits(text, pos, number);
    if (pos < text.size() && text[pos] == r.DecimalSeparator) {
        ++pos;
        number.push_back('.');
        mantissa += ReadDigits(text, pos, number);
    }
    if (mantissa == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        number.push_back('e');
        if (ReadSign(text, pos))
            number.push_back('-');
        if (ReadDigits(text, pos, number) == 0)
            return std::nullopt;
    }
    SkipBlanks(text, pos);
    if (pos != text.size())
        return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // A value too large for a double reads as out of range; one too large for the float a
    // price is kept in is refused too, rather than stored as infinity.
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    if (value < 0 || value > std::numeric_limits<float>::max())
        return std::nullopt;
    return value == 0 ? 0.0f : static_cast<float>(value); // "-0" is a price of 0
}
