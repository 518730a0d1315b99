#include "shopping/PriceAnalysis.h"

#include "catalogue/NumberFormat.h"

#include <algorithm>
#include <cmath>

bool HasUnitPrice(const TShopItem &item) {
    return std::isfinite(item.Size) && item.Size > 0 && std::isfinite(item.Price);
}

namespace {

__extension__ typedef __int128 Wide;

// Whether a * 10^ea < b * 10^eb, exactly, for two sides whose values are near-equal (within
// a few millionths, so of one sign, or both 0): the side with the larger power is scaled up
// until the powers meet, which leaves it about as large as the other, far inside 2^127.
bool LessScaled(Wide a, int ea, Wide b, int eb) {
    for (; ea > eb; --ea)
        a *= 10;
    for (; eb > ea; --eb)
        b *= 10;
    return a < b;
}

} // namespace

bool CheaperPerUnit(const TShopItem &alt, const TShopItem &item) {
    // alt.Price / alt.Size < item.Price / item.Size, both sizes above 0, on the prices and
    // sizes as entered: 1.20 is stored a little above 1.20, and 600 ml at $1.20 must not
    // seem dearer than 1000 ml at $2.00. Prices count in whole cents.
    // Without a unit price on both sides there is nothing to compare; this also keeps the
    // exact comparison below to the finite sizes it is written for.
    if (&alt == &item || !HasUnitPrice(alt) || !HasUnitPrice(item))
        return false;
    const double altCents = std::round(double(alt.Price) * 100);
    const double itemCents = std::round(double(item.Price) * 100);
    if (!(std::fabs(altCents) < 9e18 && std::fabs(itemCents) < 9e18)) // only from a file
        return double(alt.Price) * double(item.Size) < double(item.Price) * double(alt.Size);
    if (alt.Size == item.Size)
        return altCents < itemCents;
    // A size as shown (7 digits) is within 5e-7 of the stored one, so products further
    // apart than that compare the same either way; only near-equal ones need the digits.
    const double a = altCents * double(item.Size);
    const double b = itemCents * double(alt.Size);
    if (std::fabs(a - b) > 4e-6 * std::max(std::fabs(a), std::fabs(b)))
        return a < b;
    const ShownDecimal altSize = ShownDigits(alt.Size);
    const ShownDecimal itemSize = ShownDigits(item.Size);
    return LessScaled(Wide(static_cast<long long>(altCents)) * itemSize.digits, itemSize.exponent,
                      Wide(static_cast<long long>(itemCents)) * altSize.digits, altSize.exponent);
}

bool CanBeOffered(const TShopItem &alt) {
    return alt.Price > 0 && HasUnitPrice(alt) && alt.Product && alt.Shop;
}

bool IsAnalysed(const TShopItem &item) {
    return item.Quantity > 0 && item.Product && HasUnitPrice(item);
}

Substitution Substitute(const TShopItem &item, const TShopItem &alt) {
    const float quantity = item.Quantity;
    const float need = quantity * item.Size;
    // A quotient too small for a float still needs one pack.
    const float packs = std::max(std::ceil(need / alt.Size), 1.0f);
    const float saving = quantity * item.Price - packs * alt.Price;
    return {packs, saving};
}

bool ReplaceItem(TShopItem &item, TShopItem &alt) {
    const float packs = Substitute(item, alt).packs;
    const int start = std::max<int>(alt.Quantity, 0);
    // Written so that a count that is not a number is refused too.
    if (!(packs <= float(MaxQuantity - start)))
        return false;
    alt.Quantity = static_cast<int16_t>(start + static_cast<int>(packs));
    item.Quantity = 0;
    return true;
}

AlternativesIndex::AlternativesIndex(const TRecordList<TShopItem> &items) : items_(items) {
    for (const auto &record : items) {
        TShopItem *item = record.get();
        if (!CanBeOffered(*item))
            continue;
        Group &group = groups_[item->Product];
        group.offers.push_back(item);
        if (!group.cheapest || CheaperPerUnit(*item, *group.cheapest))
            group.cheapest = item;
    }
}

std::vector<TShopItem *> AlternativesIndex::AlternativesOf(int pos) const {
    std::vector<TShopItem *> found;
    const TShopItem *item = items_[pos];
    if (!IsAnalysed(*item))
        return found;
    const auto it = groups_.find(item->Product);
    // Nothing is cheaper than the group's cheapest offer.
    if (it == groups_.end() || !CheaperPerUnit(*it->second.cheapest, *item))
        return found;
    for (TShopItem *alt : it->second.offers)
        if (alt != item && CheaperPerUnit(*alt, *item))
            found.push_back(alt);
    return found;
}

int AlternativesIndex::FindNext(int from, std::vector<TShopItem *> &alternatives) const {
    const int count = items_.Count();
    for (int pos = std::max(from, 0); pos < count; ++pos) {
        alternatives = AlternativesOf(pos);
        if (!alternatives.empty())
            return pos;
    }
    alternatives.clear();
    return count;
}

namespace {

std::string SizeText(const TShopItem &item) {
    return FormatGeneral(SingleToDouble(item.Size));
}

std::string MoneyText(float amount) {
    return FormatCurrency(SingleToDouble(amount));
}

const std::string &NameOf(const std::string *name) {
    static const std::string missing = "*";
    return name ? *name : missing;
}

} // namespace

std::string AlternativeText(const TShopItem &alt) {
    const std::string &product = NameOf(alt.Product ? &alt.Product->Name : nullptr);
    const std::string &units = NameOf(alt.Product ? &alt.Product->Units : nullptr);
    const std::string &shop = NameOf(alt.Shop ? &alt.Shop->Name : nullptr);
    return alt.Brand + " " + product + " " + SizeText(alt) + units + " at " + shop + " " +
           MoneyText(alt.Price);
}

std::string FindingText(const TShopItem &item, int alternatives) {
    const std::string &product = NameOf(item.Product ? &item.Product->Name : nullptr);
    const std::string &units = NameOf(item.Product ? &item.Product->Units : nullptr);
    const std::string &shop = NameOf(item.Shop ? &item.Shop->Name : nullptr);
    const char *opening = alternatives == 1 ? "The following item is" : "The following items are";
    return opening + (" cheaper per " + units) + " than " + SizeText(item) + units + " " +
           item.Brand + " " + product + " at " + shop + " " + MoneyText(item.Price);
}

std::string SavingText(float saving) {
    if (saving > 0)
        return "Substituting this item will save you " + MoneyText(saving);
    return "Substituting this item will cost an extra " + MoneyText(-saving);
}
