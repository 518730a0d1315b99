// Makes the seeds of the catalogue fuzz target: a file with every kind of record, that file
// cut at each record's end and one byte before it, each count (the four lists', a shop's
// aisles' and its outline's) at -1, 0, 1 and 32767, files at and past the newest version the
// program reads, and one of odd texts and references. The files with 32767 records (up to
// 640 KB) go to a folder of their own: they are run whole rather than fuzzed, since inputs
// that long would slow every run of the fuzzing down.
//
// The files are written by an encoding of the format of this program's own, record by
// record, so they also check the program's reader and writer against a second reading of
// the format: a whole file reads without damage as the lists it holds and saves as the same
// bytes, and a cut file reads as damaged. A failed check ends with status 1.
//
// Usage: seeds_DataFile <folder> <folder for the long files>

#include "catalogue/DataFile.h"
#include "catalogue/ShopData.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

struct Product {
    std::string name, units;
    int16_t category;
};
struct Item {
    int16_t product;
    std::string brand;
    float size, price;
    int16_t shop, quantity;
};
struct Aisle {
    int32_t left, top, right, bottom;
    int16_t category;
};
using Line = std::array<int32_t, 4>;
struct Shop {
    std::string name;
    std::vector<Aisle> aisles;
    std::vector<Line> outline;
    // Written as the aisles' and the outline's counts when set, whatever the lists hold.
    int aisleCount = -2, lineCount = -2;
};
struct Catalogue {
    float version = FileVersion;
    std::vector<std::string> categories;
    std::vector<Product> products;
    std::vector<Item> items;
    std::vector<Shop> shops;
    // Written as the first list's count when set (a negative count, say).
    int categoryCount = -2;
};

// The file's bytes and the offset at which each part of it (the head, a count, a record or
// a shop's name) ends.
struct Encoded {
    std::string bytes;
    std::vector<std::size_t> ends;

    void Byte(unsigned v) { bytes.push_back(static_cast<char>(v & 0xFF)); }
    void Int16(int v) {
        Byte(static_cast<unsigned>(v));
        Byte(static_cast<unsigned>(v) >> 8);
    }
    void Int32(int32_t v) {
        for (int i = 0; i < 4; ++i)
            Byte(static_cast<uint32_t>(v) >> (8 * i));
    }
    void Single(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Int32(static_cast<int32_t>(bits));
    }
    void Text(const std::string &text) {
        Byte(static_cast<unsigned>(text.size()));
        bytes += text;
    }
    void End() { ends.push_back(bytes.size()); }
};

Encoded Encode(const Catalogue &c, const std::string &signature = FileSignature) {
    Encoded e;
    e.Text(signature);
    e.Single(c.version);
    e.End();
    e.Int16(c.categoryCount != -2 ? c.categoryCount : static_cast<int>(c.categories.size()));
    e.End();
    for (const std::string &name : c.categories) {
        e.Text(name);
        e.End();
    }
    e.Int16(static_cast<int>(c.products.size()));
    e.End();
    for (const Product &p : c.products) {
        e.Text(p.name);
        e.Text(p.units);
        e.Int16(p.category);
        e.End();
    }
    e.Int16(static_cast<int>(c.items.size()));
    e.End();
    for (const Item &i : c.items) {
        e.Int16(i.product);
        e.Text(i.brand);
        e.Single(i.size);
        e.Single(i.price);
        e.Int16(i.shop);
        e.Int16(i.quantity);
        e.End();
    }
    e.Int16(static_cast<int>(c.shops.size()));
    e.End();
    for (const Shop &s : c.shops) {
        e.Text(s.name);
        e.End();
        e.Int16(s.aisleCount != -2 ? s.aisleCount : static_cast<int>(s.aisles.size()));
        e.End();
        for (const Aisle &a : s.aisles) {
            e.Int32(a.left);
            e.Int32(a.top);
            e.Int32(a.right);
            e.Int32(a.bottom);
            e.Int16(a.category);
            e.End();
        }
        e.Int16(s.lineCount != -2 ? s.lineCount : static_cast<int>(s.outline.size()));
        e.End();
        for (const Line &l : s.outline) {
            for (int32_t v : l)
                e.Int32(v);
            e.End();
        }
    }
    return e;
}

// A household: every kind of record, references to each list and to none, a shop without
// aisles or outline and an item at no shop.
Catalogue Household() {
    Catalogue c;
    c.categories = {"Dairy", "Bakery", "Fruit & Veg", "Caf\xC3\xA9"};
    c.products = {{"Milk", "l", 0},   {"Bread", "loaf", 1}, {"Apples", "kg", 2},
                  {"Coffee", "g", 3}, {"butter", "g", 0},   {"Loose", "", -1}};
    c.items = {{0, "Acme", 2.0f, 1.5f, 0, 3},     {1, "Orchard", 1.0f, 3.49f, 1, 0},
               {2, "", 1.0f, 0.0f, -1, 1},        {3, "Bean Co", 250.0f, 4.95f, 0, 2},
               {4, "Acme", 500.0f, 2.1f, 1, 0},   {5, "Loose", 0.0f, 0.0f, 2, 0},
               {0, "Acme", 1.0f, 0.99f, 1, 12345}};
    c.shops = {{"Corner",
                {{10, 20, 110, 60, 0}, {120, 20, 220, 60, 3}, {10, 70, 200, 120, -1}},
                {{0, 0, 300, 0}, {300, 0, 300, 250}, {300, 250, 0, 250}, {0, 250, 0, 0}}},
               {"Market Hall", {{0, 0, 50, 50, 1}, {60, 0, 110, 50, 2}}, {}},
               {"Empty", {}, {}}};
    return c;
}

// The smallest catalogue with a record in every list, whose list `which` is then made
// `count` records long (-1: the count written as -1, and no records).
Catalogue WithCount(int which, int count) {
    Catalogue c;
    c.categories = {"Dairy"};
    c.products = {{"Milk", "l", 0}};
    c.items = {{0, "Acme", 2.0f, 1.5f, 0, 1}};
    c.shops = {{"Corner", {{10, 20, 110, 60, 0}}, {{0, 0, 300, 0}}}};
    const int n = count < 0 ? 0 : count;
    // Names in a scrambled order, so that sorting moves the records.
    const auto name = [](int i) { return std::to_string((i * 7919) % 32768); };
    switch (which) {
    case 0:
        c.categories.clear();
        for (int i = 0; i < n; ++i)
            c.categories.push_back(name(i));
        if (count < 0)
            c.categoryCount = count;
        // Nothing may refer past the list.
        c.products[0].category = n > 0 ? 0 : -1;
        c.shops[0].aisles[0].category = n > 0 ? 0 : -1;
        break;
    case 1:
        c.products.clear();
        for (int i = 0; i < n; ++i)
            c.products.push_back({name(i), i % 2 ? "g" : "", static_cast<int16_t>(i % 2 - 1)});
        c.items[0].product = n > 0 ? 0 : -1;
        break;
    case 2:
        c.items.clear();
        for (int i = 0; i < n; ++i)
            c.items.push_back({static_cast<int16_t>(i % 4 == 3 ? -1 : 0), name(i),
                               static_cast<float>(i), i * 0.25f,
                               static_cast<int16_t>(i % 3 == 2 ? -1 : 0),
                               static_cast<int16_t>(i % 5)});
        break;
    case 3: {
        const Shop first = c.shops[0];
        c.shops.clear();
        for (int i = 0; i < n; ++i)
            c.shops.push_back(i == 0 ? first : Shop{name(i), {}, {}});
        c.items[0].shop = n > 0 ? 0 : -1;
        break;
    }
    case 4:
        c.shops[0].aisles.clear();
        for (int i = 0; i < n; ++i)
            c.shops[0].aisles.push_back({i, 0, i + 10, 20, static_cast<int16_t>(i % 2 - 1)});
        if (count < 0)
            c.shops[0].aisleCount = count;
        break;
    default:
        c.shops[0].outline.clear();
        for (int i = 0; i < n; ++i)
            c.shops[0].outline.push_back({i, 0, i, 100});
        if (count < 0)
            c.shops[0].lineCount = count;
        break;
    }
    return c;
}

// Texts with a zero byte in them (read up to it) and of the longest length, references past
// their lists and other than -1 below 0, a negative aisle count, numbers that are not finite.
Catalogue Odd() {
    Catalogue c;
    c.categories = {std::string("Tea\0cups", 8), std::string(255, 'x'), ""};
    c.products = {{"Tea", std::string("g\0\0", 3), 0}, {"Cups", "", 7}, {"Saucers", "", -3}};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    c.items = {{0, std::string(255, 'b'), nan, -inf, 0, -1},
               {9, "", 1e-30f, 3e38f, 4, 32767},
               {-2, "x", -0.0f, -1.0f, -7, -32768}};
    c.shops = {{"Odd", {{-5, -5, -10, -10, 3}, {0, 0, 1, 1, -9}}, {{INT32_MIN, 0, INT32_MAX, -1}}},
               {"No aisles", {}, {{1, 2, 3, 4}}, -5}};
    return c;
}

bool failed = false;

void Check(bool ok, const std::string &seed, const char *what) {
    if (!ok) {
        std::fprintf(stderr, "seeds_DataFile: %s: %s\n", seed.c_str(), what);
        failed = true;
    }
}

void Write(const std::string &folder, const std::string &name, const std::string &bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(static_cast<bool>(out.flush()), name, "cannot be written");
}

// A whole file as this program writes it: it reads without damage as the lists it holds and
// is saved as the same bytes.
void CheckWhole(const std::string &seed, const Catalogue &c, const std::string &bytes) {
    LoadResult result;
    ReadCatalogue(bytes, result);
    Check(result.Damage.empty(), seed, "a whole file reads as damaged");
    Check(Categories.Count() == static_cast<int>(c.categories.size()) &&
              ProductTypes.Count() == static_cast<int>(c.products.size()) &&
              Items.Count() == static_cast<int>(c.items.size()) &&
              Shops.Count() == static_cast<int>(c.shops.size()),
          seed, "a list reads as another length");
    std::string saved;
    Check(SerialiseCatalogue(saved) && saved == bytes, seed, "saves as other bytes");
    ClearCatalogue();
}

std::string Number(std::size_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%04zu", n);
    return text;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: seeds_DataFile <folder> <folder for the long files>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string longFolder = argv[2];

    const Catalogue household = Household();
    const Encoded whole = Encode(household);
    Write(folder, "household.dat", whole.bytes);
    CheckWhole("household.dat", household, whole.bytes);

    // Cut at the end of each part and one byte before it (so inside each kind of record),
    // and inside the signature.
    std::set<std::size_t> cuts = {0, 5};
    for (std::size_t end : whole.ends)
        if (end < whole.bytes.size()) {
            cuts.insert(end);
            cuts.insert(end - 1);
        }
    cuts.insert(whole.bytes.size() - 1);
    for (std::size_t cut : cuts) {
        const std::string name = "cut-" + Number(cut) + ".dat";
        Write(folder, name, whole.bytes.substr(0, cut));
        LoadResult result;
        ReadCatalogue(whole.bytes.substr(0, cut), result);
        Check(!result.Damage.empty(), name, "a cut file reads as whole");
        ClearCatalogue();
    }

    const char *const lists[] = {"categories", "products", "items", "shops", "aisles", "outline"};
    for (int which = 0; which < 6; ++which)
        for (int count : {-1, 0, 1, MaxRecords}) {
            const std::string name =
                std::string("count-") + lists[which] + "-" + std::to_string(count) + ".dat";
            const Catalogue c = WithCount(which, count);
            const Encoded e = Encode(c);
            Write(count == MaxRecords ? longFolder : folder, name, e.bytes);
            // A count of -1 is saved as 0.
            if (count >= 0)
                CheckWhole(name, c, e.bytes);
        }

    // 1.19 is the newest version read without a question; the single just above it is not.
    Catalogue version = WithCount(0, 1);
    version.version = NewestReadableVersion;
    Write(folder, "version-newest.dat", Encode(version).bytes);
    version.version = std::nextafter(NewestReadableVersion, 2.0f);
    Write(folder, "version-newer.dat", Encode(version).bytes);
    Write(folder, "other-signature.dat", Encode(WithCount(0, 1), "Trolleymine").bytes);

    const Encoded odd = Encode(Odd());
    Write(folder, "odd.dat", odd.bytes);
    LoadResult result;
    ReadCatalogue(odd.bytes, result);
    Check(result.Damage.size() == 1 &&
              result.Damage[0] == "4 references point past the end of their lists",
          "odd.dat", "the references past their lists are not counted");
    Check(Categories.Count() == 3 && Categories[0]->Name == "Tea" &&
              ProductTypes[0]->Units == "g" && Shops[1]->Aisle.Empty() &&
              Shops[1]->Outline.Count() == 1,
          "odd.dat", "texts with zero bytes or a negative count read otherwise");
    ClearCatalogue();
    return failed ? 1 : 0;
}
