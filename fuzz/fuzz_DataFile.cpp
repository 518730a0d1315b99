// Any bytes as the catalogue file, read the two ways the program reads them: straight from
// memory, and as the file it opens at start-up, the user answering each question it asks
// (Yes when the file's length is even). What was read is then saved, read again and saved
// again: the second reading finds no damage and the two saves are the same bytes, so
// whatever a damaged file held, what the program saves from it reads back as the same
// catalogue. A list as long as the file can count refuses a save with one more record, and
// the file on the disk is left alone. Last, the lists are put in a report order, a shop and
// a category are removed, and the catalogue saved and read back is the same catalogue, field
// by field and as the lists show its items.
//
// The seeds are tests/data/seeds/datafile and the files seeds_DataFile makes (scripts/fuzz
// runs it first): a file with every kind of record, that file cut at and just before each
// record's end, and each count at -1, 0, 1 and 32767.

#include "catalogue/DataFile.h"
#include "catalogue/RegularFile.h"
#include "catalogue/ShopData.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A folder of this run's own for the files it reads and saves.
std::string folder;
std::string DataPath() {
    return folder + "/Shopping.dat";
}

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The input that failed is kept by the fuzzer; the folder goes, as an abort skips the
// removal at exit.
[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "data file round trip: %s\n", what);
    RemoveFolder();
    std::abort();
}

void WriteFile(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        Fail("the input cannot be written to a file");
}

// Answers every question the same way and keeps what it was asked and told.
class ScriptedUser : public DataFileUser {
public:
    explicit ScriptedUser(bool answer) : answer_(answer) {}
    bool AskYesNo(const std::string &text) override {
        Questions.push_back(text);
        return answer_;
    }
    void ShowError(const std::string &text) override { Errors.push_back(text); }
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;

private:
    bool answer_;
};

std::string Saved() {
    std::string saved;
    if (!SerialiseCatalogue(saved))
        Fail("what was read cannot be saved");
    return saved;
}

bool CatalogueEmpty() {
    return Categories.Empty() && ProductTypes.Empty() && Items.Empty() && Shops.Empty();
}

// The file opened at start-up: the questions asked, the answer to the last of them and the
// catalogue left follow from what the file is. `read` is the save of the catalogue the bytes
// read as, `damaged` whether that reading found damage. True when the catalogue holds what
// the bytes read as.
bool LoadAsAtStartUp(const std::string &bytes, const std::string &read, bool damaged) {
    const std::string path = DataPath();
    WriteFile(path, bytes);
    const bool answer = bytes.size() % 2 == 0;

    std::size_t questions = 0;
    bool reads = false;
    bool quits = false;
    switch (ProbeDataFile(path).status) {
    case LoadResult::Ok:
        reads = true;
        break;
    case LoadResult::Newer:
        questions = 1;
        reads = answer;
        quits = !answer;
        break;
    case LoadResult::BadSignature:
        questions = 1;
        quits = !answer;
        break;
    case LoadResult::Missing:
    case LoadResult::Unreadable:
        Fail("a file just written is missing or unreadable");
    }
    if (reads && damaged) {
        ++questions;
        quits = !answer;
    }

    ClearCatalogue();
    ScriptedUser user(answer);
    const LoadOutcome outcome = LoadDataFile(path, user);
    if (user.Questions.size() != questions)
        Fail("loading asked another number of questions");
    if (!user.Errors.empty())
        Fail("loading showed an error");
    if (outcome != (quits ? LoadOutcome::QuitWithoutSave : LoadOutcome::GoOn))
        Fail("loading ended otherwise than the answers said");
    const bool holdsRead = reads && !quits;
    if (holdsRead ? Saved() != read : !CatalogueEmpty())
        Fail("loading left another catalogue than the file holds");
    return holdsRead;
}

// Reads back `saved`, the catalogue's save: it reads without damage and saves as the same
// bytes again. A writer started with no idea of the size writes the same bytes as one sized
// beforehand, growing as it goes when they are more than its first buffer holds.
void RoundTrip(const std::string &saved) {
    if (saved.size() > 4096) {
        FileWriter growing;
        if (!SerialiseCatalogue(growing) || growing.Bytes() != saved)
            Fail("a writer that grows writes other bytes");
    }
    LoadResult second;
    ReadCatalogue(saved, second);
    if (!second.Damage.empty())
        Fail("the saved file reads back as damaged");
    if (Saved() != saved)
        Fail("the second save differs from the first");
}

// One record more in `list` than the file can count: neither saved nor written, the error
// shown once and the file on the disk (holding `onDisk`) as it was; without the record the
// catalogue saves.
template <class T> void RefusedOverTheLimit(TRecordList<T> &list, const std::string &onDisk) {
    if (list.Count() != MaxRecords)
        return;
    const T *extra = list.Add(std::make_unique<T>());
    std::string saved;
    if (SerialiseCatalogue(saved))
        Fail("a list longer than the file can count was saved");
    ScriptedUser user(true);
    if (WriteDataFile(DataPath(), user) || user.Errors.size() != 1)
        Fail("a list longer than the file can count was written without an error");
    std::string now;
    if (ReadRegularFile(DataPath(), now) != ReadResult::Ok || now != onDisk)
        Fail("a refused save changed the file");
    list.Remove(extra);
    if (!SerialiseCatalogue(saved))
        Fail("a list at the limit cannot be saved");
}

// Positions of the records of a list, looked up by record.
class Places {
public:
    template <class T> void Add(const TRecordList<T> &list) {
        int at = 0;
        for (const auto &record : list)
            places_.emplace_back(record.get(), at++);
    }
    void Sort() { std::sort(places_.begin(), places_.end()); }
    // -1 for none; a record in no list fails.
    int64_t Of(const void *record) const {
        if (record == nullptr)
            return -1;
        const auto found = std::lower_bound(places_.begin(), places_.end(),
                                            std::pair<const void *, int>(record, -1));
        if (found == places_.end() || found->first != record)
            Fail("a reference to a record that is in no list");
        return found->second;
    }

private:
    std::vector<std::pair<const void *, int>> places_;
};

// Text made by appending, without the temporaries of `+`.
struct Text {
    std::string out;
    Text &operator<<(const std::string &text) {
        *this << int64_t(text.size());
        out += text;
        out += ' ';
        return *this;
    }
    Text &operator<<(const char *mark) {
        out += mark;
        return *this;
    }
    Text &operator<<(int64_t value) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        out.append(digits, end);
        out += ' ';
        return *this;
    }
    Text &operator<<(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return *this << int64_t{bits};
    }
};

// The whole catalogue as text: every field (numbers by their bits), references as positions
// in their lists and the first items as the lists show them. A reference to a record that is
// in no list fails.
std::string Describe() {
    Places places;
    places.Add(Categories);
    places.Add(ProductTypes);
    places.Add(Shops);
    places.Sort();

    Text text;
    for (const auto &category : Categories)
        text << "\nC " << category->Name;
    for (const auto &product : ProductTypes)
        text << "\nP " << product->Name << product->Units << places.Of(product->Category);
    // The display texts cost far more than the fields: a few items show whether a reloaded
    // item shows as it did.
    int texts = 2;
    for (const auto &item : Items) {
        text << "\nI " << places.Of(item->Product) << item->Brand << item->Size << item->Price
             << places.Of(item->Shop) << int64_t{item->Quantity};
        if (texts-- > 0)
            for (int layout = 0; layout < 3; ++layout)
                text << item->MakeString(layout);
    }
    for (const auto &shop : Shops) {
        text << "\nS " << shop->Name;
        for (const auto &aisle : shop->Aisle)
            text << "\nA " << int64_t{aisle->Rect.Left} << int64_t{aisle->Rect.Top}
                 << int64_t{aisle->Rect.Right} << int64_t{aisle->Rect.Bottom}
                 << places.Of(aisle->Category);
        for (const auto &line : shop->Outline)
            text << "\nL " << int64_t{line->X1} << int64_t{line->Y1} << int64_t{line->X2}
                 << int64_t{line->Y2};
    }
    return std::move(text.out);
}

// The items in one of the report orders (which one follows from the input's length), the
// categories and shops by name and the product types by category, then by name, so that
// records move and references point elsewhere in the file. The merge sort keeps records that
// compare equal in their order: the product types end in name order, those of the same name
// in their by-category order.
void SortForReports(std::size_t length) {
    using ItemOrder = int (*)(const TShopItem *, const TShopItem *);
    static const ItemOrder orders[] = {CompareItemsByShopAisle, CompareItemsByShopCategory,
                                       CompareItemsByCategory, CompareItemsByProduct};
    Items.Sort(orders[length % 4]);
    const auto byName = [](const auto *a, const auto *b) { return CompareNames(a->Name, b->Name); };
    Categories.Sort(byName);
    Shops.Sort(byName);

    ProductTypes.Sort(CompareProductsByCategory);
    Places before;
    before.Add(ProductTypes);
    before.Sort();
    ProductTypes.Sort(CompareProductsByName);
    for (int i = 1; i < ProductTypes.Count(); ++i) {
        const TShopProd *a = ProductTypes[i - 1];
        const TShopProd *b = ProductTypes[i];
        const int order = CompareNames(a->Name, b->Name);
        if (order > 0 || CompareNames(b->Name, a->Name) != -order)
            Fail("product types sorted by name are out of order");
        if (order == 0 && before.Of(a) > before.Of(b))
            Fail("sorting moved product types of the same name past each other");
    }
}

// The first shop (with its items) and the first category (references to it cleared) are
// removed, or nothing when there is none; the catalogue, its lists in whatever order they
// are, saved and read back is the same catalogue.
void RemoveAndReload() {
    TShopShop *shop = Shops.Empty() ? nullptr : Shops[0];
    int kept = 0;
    for (const auto &item : Items)
        kept += shop == nullptr || item->Shop != shop;
    RemoveShop(shop);
    if (Items.Count() != kept)
        Fail("removing a shop removed other items than its own");
    RemoveCategory(Categories.Empty() ? nullptr : Categories[0]);
    // Describe fails on a reference to a removed record.
    const std::string shown = Describe();

    LoadResult result;
    ReadCatalogue(Saved(), result);
    if (!result.Damage.empty())
        Fail("the catalogue after removals reads back as damaged");
    if (Describe() != shown)
        Fail("the catalogue reads back as another catalogue");
}

} // namespace

// The files no bytes can make: none at all, a folder, a save into a folder that is not
// there, and a save that is read back.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // In memory where the system offers it: saves are synced to the disk, which a disk would
    // make slow.
    const char *tmp = std::getenv("TMPDIR");
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : tmp ? tmp : "/tmp";
    std::string name = base + "/trolleymind-fuzz-XXXXXX";
    if (mkdtemp(name.data()) == nullptr)
        Fail("no folder for the files");
    folder = name;
    std::atexit(RemoveFolder);

    ClearCatalogue();
    ScriptedUser yes(true);
    if (LoadDataFile(folder + "/none.dat", yes) != LoadOutcome::GoOn || !yes.Questions.empty())
        Fail("a missing file is not an empty catalogue");
    if (LoadDataFile(folder, yes) != LoadOutcome::GoOn || yes.Questions.size() != 1)
        Fail("a folder as the file is not one question, going on when answered Yes");
    ScriptedUser no(false);
    if (LoadDataFile(folder, no) != LoadOutcome::QuitWithoutSave)
        Fail("a folder as the file, answered No, does not end the program");
    if (WriteDataFile(folder + "/none/Shopping.dat", no) || no.Errors.size() != 1)
        Fail("a save into a missing folder does not fail with an error");

    Shops.Add(std::make_unique<TShopShop>("Corner"));
    ScriptedUser saver(false);
    if (!WriteDataFile(DataPath(), saver) || !saver.Errors.empty())
        Fail("a catalogue cannot be written");
    ClearCatalogue();
    if (LoadDataFile(DataPath(), saver) != LoadOutcome::GoOn || !saver.Questions.empty() ||
        Shops.Count() != 1 || Shops[0]->Name != "Corner")
        Fail("a written catalogue does not load as it was");
    ClearCatalogue();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    LoadResult first;
    ReadCatalogue(bytes, first);
    const std::string saved = Saved();
    if (!LoadAsAtStartUp(bytes, saved, !first.Damage.empty()))
        ReadCatalogue(bytes, first);
    RoundTrip(saved);

    // The file on the disk holds the input.
    RefusedOverTheLimit(Categories, bytes);
    RefusedOverTheLimit(ProductTypes, bytes);
    RefusedOverTheLimit(Items, bytes);
    RefusedOverTheLimit(Shops, bytes);
    for (const auto &shop : Shops) {
        RefusedOverTheLimit(shop->Aisle, bytes);
        RefusedOverTheLimit(shop->Outline, bytes);
    }

    SortForReports(size);
    RemoveAndReload();
    ClearCatalogue();
    return 0;
}
