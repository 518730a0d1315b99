#include "catalogue/ShopData.h"

#include "catalogue/DataFile.h"
#include "catalogue/NumberFormat.h"

TRecordList<TShopCat> Categories;
TRecordList<TShopProd> ProductTypes;
TRecordList<TShopShop> Shops;
TRecordList<TShopItem> Items;

void ClearCatalogue() {
    // Referring records first, so no record ever points at a released one.
    Items.Clear();
    Shops.Clear();
    ProductTypes.Clear();
    Categories.Clear();
}

// ---------------------------------------------------------------------------------------------
// Name order

namespace {

unsigned char FoldAscii(unsigned char c) {
    // Only a..z: accented letters and the locale play no part in the order.
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

} // namespace

int CompareNames(const std::string &a, const std::string &b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// ---------------------------------------------------------------------------------------------
// Report orders. A missing reference never fails: the pair simply counts as equal.

namespace {

// Position of the first aisle of the item's shop that carries its product type's category
// (a product type without a category matches the first aisle without one); -1 for none.
int AislePosition(const TShopItem *item) {
    if (item->Product == nullptr || item->Shop == nullptr)
        return -1;
    const TShopCat *category = item->Product->Category;
    int pos = 0;
    for (const auto &aisle : item->Shop->Aisle) {
        if (aisle->Category == category)
            return pos;
        ++pos;
    }
    return -1;
}

} // namespace

int CompareItemsByShopAisle(const TShopItem *a, const TShopItem *b) {
    if (a->Shop != b->Shop) {
        if (a->Shop != nullptr && b->Shop != nullptr)
            return CompareNames(a->Shop->Name, b->Shop->Name);
        return 0;
    }
    if (a->Shop == nullptr)
        return 0;
    return AislePosition(a) - AislePosition(b);
}

int CompareProductsByCategory(const TShopProd *a, const TShopProd *b) {
    if (a->Category == b->Category)
        return CompareNames(a->Name, b->Name);
    if (a->Category != nullptr && b->Category != nullptr)
        return CompareNames(a->Category->Name, b->Category->Name);
    return 0;
}

int CompareProductsByName(const TShopProd *a, const TShopProd *b) {
    return CompareNames(a->Name, b->Name);
}

int CompareItemsByShopCategory(const TShopItem *a, const TShopItem *b) {
    if (a->Shop != b->Shop) {
        if (a->Shop != nullptr && b->Shop != nullptr)
            return CompareNames(a->Shop->Name, b->Shop->Name);
        return 0;
    }
    if (a->Product != nullptr && b->Product != nullptr && a->Product->Category != nullptr &&
        b->Product->Category != nullptr)
        return CompareNames(a->Product->Category->Name, b->Product->Category->Name);
    return 0;
}

int CompareItemsByCategory(const TShopItem *a, const TShopItem *b) {
    if (a->Product == nullptr || b->Product == nullptr)
        return 0;
    const TShopCat *ca = a->Product->Category;
    const TShopCat *cb = b->Product->Category;
    if (ca == cb)
        return CompareNames(a->Product->Name, b->Product->Name);
    if (ca != nullptr && cb != nullptr)
        return CompareNames(ca->Name, cb->Name);
    return 0;
}

int CompareItemsByProduct(const TShopItem *a, const TShopItem *b) {
    if (a->Product != nullptr && b->Product != nullptr)
        return CompareNames(a->Product->Name, b->Product->Name);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Display text

std::string TShopItem::MakeString(int layout) const {
    if (layout < 0 || layout > 2)
        return {};
    const std::string &p = Product ? Product->Name : std::string("*");
    const std::string &u = Product ? Product->Units : std::string("*");
    const std::string size = FormatGeneral(SingleToDouble(Size));
    const std::string price = FormatCurrency(SingleToDouble(Price));

    std::string text;
    switch (layout) {
    case 0:
        text = p + ", " + Brand + " " + size + u + " " + price;
        if (Shop)
            text += " at " + Shop->Name;
        break;
    case 1:
        text = Brand + " " + p + " " + size + u + " " + price;
        if (Shop)
            text += " at " + Shop->Name;
        break;
    default:
        // The shop leads, so a list sorted by this text groups the items by shop.
        if (Shop)
            text = Shop->Name + ": ";
        text += " " + p + ", " + Brand + " " + size + u + " " + price;
        break;
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// Removing records

void RemoveCategory(TShopCat *category) {
    if (category == nullptr)
        return;
    for (const auto &product : ProductTypes)
        if (product->Category == category)
            product->Category = nullptr;
    for (const auto &shop : Shops)
        for (const auto &aisle : shop->Aisle)
            if (aisle->Category == category)
                aisle->Category = nullptr;
    Categories.Remove(category);
}

void RemoveShop(TShopShop *shop) {
    if (shop == nullptr)
        return;
    // One pass over the items, keeping the others in their order.
    Items.RemoveIf([shop](const TShopItem *item) { return item->Shop == shop; });
    Shops.Remove(shop);
}

// ---------------------------------------------------------------------------------------------
// Records in the data file. Each reads and writes exactly its own bytes; references are
// positions, resolved by the loader once every list is known.

void TShopCat::ReadFile(FileReader &file) {
    Name = ReadShortString(file);
}

void TShopCat::WriteFile(FileWriter &file) const {
    WriteShortString(file, Name);
}

void TShopProd::ReadFile(FileReader &file) {
    Name = ReadShortString(file);
    Units = ReadShortString(file);
    CategoryIndex = file.ReadInt16();
}

void TShopProd::WriteFile(FileWriter &file, const PositionMap &pos) const {
    WriteShortString(file, Name);
    WriteShortString(file, Units);
    file.WriteInt16(pos.Of(Category));
}

void TShopItem::ReadFile(FileReader &file) {
    ProductIndex = file.ReadInt16();
    Brand = ReadShortString(file);
    Size = file.ReadSingle();
    Price = file.ReadSingle();
    ShopIndex = file.ReadInt16();
    Quantity = file.ReadInt16();
}

void TShopItem::WriteFile(FileWriter &file, const PositionMap &pos) const {
    file.WriteInt16(pos.Of(Product));
    WriteShortString(file, Brand);
    file.WriteSingle(Size);
    file.WriteSingle(Price);
    file.WriteInt16(pos.Of(Shop));
    file.WriteInt16(Quantity);
}

// Aisles and outline lines are the most numerous records: their fixed sizes are checked
// once per record rather than once per field.
void TShopAisle::ReadFile(FileReader &file) {
    FileReader record = file.Record(4 * 4 + 2);
    Rect.Left = record.ReadInt32();
    Rect.Top = record.ReadInt32();
    Rect.Right = record.ReadInt32();
    Rect.Bottom = record.ReadInt32();
    CategoryIndex = record.ReadInt16();
}

void TShopAisle::WriteFile(FileWriter &file, const PositionMap &pos) const {
    file.WriteInt32(Rect.Left);
    file.WriteInt32(Rect.Top);
    file.WriteInt32(Rect.Right);
    file.WriteInt32(Rect.Bottom);
    file.WriteInt16(pos.Of(Category));
}

void TShopLine::ReadFile(FileReader &file) {
    FileReader record = file.Record(4 * 4);
    X1 = record.ReadInt32();
    Y1 = record.ReadInt32();
    X2 = record.ReadInt32();
    Y2 = record.ReadInt32();
}

void TShopLine::WriteFile(FileWriter &file) const {
    file.WriteInt32(X1);
    file.WriteInt32(Y1);
    file.WriteInt32(X2);
    file.WriteInt32(Y2);
}

void TShopShop::ReadFile(FileReader &file) {
    Name = ReadShortString(file);
    const int aisles = file.ReadInt16();
    if (aisles > 0)
        Aisle.Reserve(aisles);
    for (int i = 0; i < aisles && !file.Truncated; ++i) {
        auto aisle = std::make_unique<TShopAisle>();
        aisle->ReadFile(file);
        if (file.Truncated)
            break;
        Aisle.Add(std::move(aisle));
    }
    const int lines = file.Truncated ? 0 : file.ReadInt16();
    if (lines > 0)
        Outline.Reserve(lines);
    for (int i = 0; i < lines && !file.Truncated; ++i) {
        auto line = std::make_unique<TShopLine>();
        line->ReadFile(file);
        if (file.Truncated)
            break;
        Outline.Add(std::move(line));
    }
}

void TShopShop::WriteFile(FileWriter &file, const PositionMap &pos) const {
    WriteShortString(file, Name);
    file.WriteInt16(static_cast<int16_t>(Aisle.Count()));
    for (const auto &aisle : Aisle)
        aisle->WriteFile(file, pos);
    file.WriteInt16(static_cast<int16_t>(Outline.Count()));
    for (const auto &line : Outline)
        line->WriteFile(file);
}
