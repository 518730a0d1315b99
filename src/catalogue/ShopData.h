#pragma once
// The catalogue: aisle categories, product types, shops with their floor plans,
// and items, held in four global lists that every window works on directly.

#include "catalogue/RecordList.h"

#include <cmath>
#include <cstdint>
#include <string>

class FileReader;
class FileWriter;
struct PositionMap;

// The format can count at most this many records in a list.
inline constexpr int MaxRecords = 32767;

class TShopCat {
public:
    explicit TShopCat(std::string name = {}) : Name(std::move(name)) {}
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file) const;

    std::string Name;
    // Its place in its list when the catalogue was last saved, and the number of that save
    // (see PositionMap).
    int16_t FilePos = -1;
    uint32_t FileSave = 0;
};

class TShopProd {
public:
    TShopProd(std::string name = {}, std::string units = {}, TShopCat *category = nullptr)
        : Name(std::move(name)), Units(std::move(units)), Category(category) {}
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file, const PositionMap &pos) const;

    std::string Name;
    std::string Units;
    TShopCat *Category = nullptr;
    int16_t CategoryIndex = -1;
    bool Used = false;
    // Its place in its list when the catalogue was last saved, and the number of that save
    // (see PositionMap).
    int16_t FilePos = -1;
    uint32_t FileSave = 0;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const TRect &) const = default;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Contains(int32_t x, int32_t y) const {
        return Left <= x && x < Right && Top <= y && y < Bottom;
    }
};

class TShopAisle {
public:
    TShopAisle() = default;
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file, const PositionMap &pos) const;

    TRect Rect;
    TShopCat *Category = nullptr;
    int16_t CategoryIndex = 0;
};

class TShopLine {
public:
    // Full 32-bit coordinates, so a copied outline keeps every value exactly.
    TShopLine(int32_t x1 = 0, int32_t y1 = 0, int32_t x2 = 0, int32_t y2 = 0)
        : X1(x1), Y1(y1), X2(x2), Y2(y2) {}
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file) const;

    int32_t X1, Y1, X2, Y2;
};

class TShopShop {
public:
    explicit TShopShop(std::string name = {}) : Name(std::move(name)) {}
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file, const PositionMap &pos) const;

    std::string Name;
    TRecordList<TShopAisle> Aisle;  // walking order
    TRecordList<TShopLine> Outline; // order has no meaning
    // Its place in its list when the catalogue was last saved, and the number of that save
    // (see PositionMap).
    int16_t FilePos = -1;
    uint32_t FileSave = 0;
};

class TShopItem {
public:
    TShopItem(TShopProd *product = nullptr, std::string brand = {}, float size = 0, float price = 0,
              TShopShop *shop = nullptr)
        : Product(product), Brand(std::move(brand)), Size(size), Price(price), Shop(shop) {}
    void ReadFile(FileReader &file);
    void WriteFile(FileWriter &file, const PositionMap &pos) const;
    // One-line display text in layout 0 (by product type), 1 (by brand) or 2 (by shop).
    std::string MakeString(int layout) const;

    TShopProd *Product = nullptr;
    int16_t ProductIndex = -1;
    std::string Brand;
    float Size = 0;
    float Price = 0; // 0: no price known
    // The price that totals count: one that is no finite number (only a file can hold one)
    // is no price known, as 0 is, so that every total stays a number.
    float KnownPrice() const { return std::isfinite(Price) ? Price : 0; }
    TShopShop *Shop = nullptr;
    int16_t ShopIndex = -1;
    int16_t Quantity = 0; // > 0: on the shopping list
};

extern TRecordList<TShopCat> Categories;
extern TRecordList<TShopProd> ProductTypes;
extern TRecordList<TShopShop> Shops;
extern TRecordList<TShopItem> Items;

// Empties the four lists (releasing every record).
void ClearCatalogue();

// Name order: a..z folded to capitals, other bytes by value, a prefix first.
int CompareNames(const std::string &a, const std::string &b);

int CompareItemsByShopAisle(const TShopItem *a, const TShopItem *b);
int CompareProductsByCategory(const TShopProd *a, const TShopProd *b);
int CompareProductsByName(const TShopProd *a, const TShopProd *b);
int CompareItemsByShopCategory(const TShopItem *a, const TShopItem *b);
int CompareItemsByCategory(const TShopItem *a, const TShopItem *b);
int CompareItemsByProduct(const TShopItem *a, const TShopItem *b);

// Removing records while keeping the catalogue consistent: every reference to the
// removed record is cleared (or the referring records removed) first.
void RemoveCategory(TShopCat *category);
void RemoveShop(TShopShop *shop);
