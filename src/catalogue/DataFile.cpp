#include "catalogue/DataFile.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/RegularFile.h"
#include "catalogue/SafeSave.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// Little-endian fields, no padding

uint8_t FileReader::ReadByte() {
    if (pos_ >= data_.size()) {
        Truncated = true;
        return 0;
    }
    return static_cast<uint8_t>(data_[pos_++]);
}

std::string FileReader::ReadBytes(std::size_t n) {
    const std::size_t left = data_.size() - std::min(pos_, data_.size());
    if (n > left) {
        // What there is, then zeros: the caller drops the record anyway.
        Truncated = true;
        std::string part = data_.substr(pos_, left);
        pos_ = data_.size();
        part.append(n - left, '\0');
        return part;
    }
    std::string part = data_.substr(pos_, n);
    pos_ += n;
    return part;
}

namespace {

template <class T> T LittleEndian(const std::string &bytes) {
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v = static_cast<U>(
            v | static_cast<U>(static_cast<U>(static_cast<uint8_t>(bytes[i])) << (8 * i)));
    return static_cast<T>(v);
}

template <class T> void AppendLittleEndian(std::string &out, T value) {
    using U = std::make_unsigned_t<T>;
    const U v = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

int16_t FileReader::ReadInt16() {
    const std::string b = ReadBytes(2);
    return Truncated ? 0 : LittleEndian<int16_t>(b);
}

int32_t FileReader::ReadInt32() {
    const std::string b = ReadBytes(4);
    return Truncated ? 0 : LittleEndian<int32_t>(b);
}

float FileReader::ReadSingle() {
    const auto bits = static_cast<uint32_t>(ReadInt32());
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void FileWriter::WriteByte(uint8_t v) {
    data_.push_back(static_cast<char>(v));
}
void FileWriter::WriteInt16(int16_t v) {
    AppendLittleEndian(data_, v);
}
void FileWriter::WriteInt32(int32_t v) {
    AppendLittleEndian(data_, v);
}

void FileWriter::WriteSingle(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    AppendLittleEndian(data_, static_cast<int32_t>(bits));
}

void FileWriter::WriteBytes(const char *p, std::size_t n) {
    data_.append(p, n);
}

// ---------------------------------------------------------------------------------------------
// Texts: one length byte, then the bytes

std::string ReadShortString(FileReader &file) {
    const std::size_t length = file.ReadByte();
    if (length == 0)
        return {};
    std::string text = file.ReadBytes(length);
    const auto zero = text.find('\0');
    if (zero != std::string::npos)
        text.erase(zero);
    return text;
}

void WriteShortString(FileWriter &file, const std::string &text) {
    std::size_t length = std::min(text.find('\0'), text.size());
    length = std::min<std::size_t>(length, 255);
    file.WriteByte(static_cast<uint8_t>(length));
    file.WriteBytes(text.data(), length);
}

// ---------------------------------------------------------------------------------------------
// Positions at the moment of writing

namespace {

template <class T> int16_t Lookup(const std::unordered_map<const T *, int16_t> &map, const T *r) {
    if (r == nullptr)
        return -1;
    const auto it = map.find(r);
    return it == map.end() ? int16_t(-1) : it->second;
}

template <class T>
void MapPositions(const TRecordList<T> &list, std::unordered_map<const T *, int16_t> &map) {
    map.clear();
    map.reserve(static_cast<std::size_t>(list.Count()));
    int16_t pos = 0;
    for (const auto &record : list)
        map.emplace(record.get(), pos++);
}

} // namespace

int16_t PositionMap::Of(const TShopCat *c) const {
    return Lookup(categories, c);
}
int16_t PositionMap::Of(const TShopProd *p) const {
    return Lookup(products, p);
}
int16_t PositionMap::Of(const TShopShop *s) const {
    return Lookup(shops, s);
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

const char *const SaveFailedText = "Unable to save data file - SHOPPING.DAT";

void WriteHeader(FileWriter &file) {
    WriteShortString(file, FileSignature);
    file.WriteSingle(FileVersion);
}

} // namespace

bool SerialiseCatalogue(std::string &out) {
    // A count is an int16 in the file: a longer list cannot be written without wrapping.
    if (Categories.Count() > MaxRecords || ProductTypes.Count() > MaxRecords ||
        Items.Count() > MaxRecords || Shops.Count() > MaxRecords)
        return false;
    for (const auto &shop : Shops)
        if (shop->Aisle.Count() > MaxRecords || shop->Outline.Count() > MaxRecords)
            return false;

    PositionMap pos;
    MapPositions(Categories, pos.categories);
    MapPositions(ProductTypes, pos.products);
    MapPositions(Shops, pos.shops);

    FileWriter file;
    WriteHeader(file);
    file.WriteInt16(static_cast<int16_t>(Categories.Count()));
    for (const auto &category : Categories)
        category->WriteFile(file);
    file.WriteInt16(static_cast<int16_t>(ProductTypes.Count()));
    for (const auto &product : ProductTypes)
        product->WriteFile(file, pos);
    file.WriteInt16(static_cast<int16_t>(Items.Count()));
    for (const auto &item : Items)
        item->WriteFile(file, pos);
    file.WriteInt16(static_cast<int16_t>(Shops.Count()));
    for (const auto &shop : Shops)
        shop->WriteFile(file, pos);
    out = file.Bytes();
    return true;
}

bool WriteDataFile(const std::string &path, DataFileUser &user) {
    std::string bytes;
    if (!SerialiseCatalogue(bytes) || !SaveBytesSafely(path, bytes)) {
        user.ShowError(SaveFailedText);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading

LoadResult ProbeDataFile(const std::string &path, std::string *bytes) {
    LoadResult result;
    // Regular files only, read into one buffer: a FIFO would block start-up for ever and a
    // device such as /dev/zero would be read until memory ran out.
    std::string data;
    switch (ReadRegularFile(path, data)) {
    case ReadResult::Missing:
        result.status = LoadResult::Missing;
        return result;
    case ReadResult::NotRegular:
    case ReadResult::Failed:
        result.status = LoadResult::Unreadable;
        return result;
    case ReadResult::Ok:
        break;
    }
    FileReader reader(data.substr(0, 1 + 255 + 4)); // the signature and the version
    const std::string signature = ReadShortString(reader);
    if (reader.Truncated || signature != FileSignature) {
        result.status = LoadResult::BadSignature;
        return result;
    }
    result.Version = reader.ReadSingle();
    // Compared as singles: 1.19 itself is readable, anything above is not ours to know.
    result.status = result.Version > NewestReadableVersion ? LoadResult::Newer : LoadResult::Ok;
    if (bytes)
        *bytes = std::move(data);
    return result;
}

namespace {

// Reads `count` records of one section; false when the file ended inside one, whose
// partial record is then dropped.
template <class T, class Before>
bool ReadSection(FileReader &file, TRecordList<T> &list, int count, Before afterRead) {
    for (int i = 0; i < count; ++i) {
        auto record = std::make_unique<T>();
        record->ReadFile(file);
        if (file.Truncated)
            return false;
        afterRead(*record);
        list.Add(std::move(record));
    }
    return true;
}

// A stored position as a reference: negative is none; at or beyond the list's count the
// file is damaged, and the reference is none as well.
template <class T> T *Resolve(const TRecordList<T> &list, int16_t index, int &dangling) {
    if (index < 0)
        return nullptr;
    if (index >= list.Count()) {
        ++dangling;
        return nullptr;
    }
    return list[index];
}

} // namespace

void ReadCatalogue(const std::string &bytes, LoadResult &result) {
    // Positions in the file count from the start of each list, so the lists start empty.
    ClearCatalogue();
    FileReader file(bytes);
    ReadShortString(file);
    file.ReadSingle();

    int dangling = 0;
    bool cutInRecord = false;
    const auto nothing = [](auto &) {};
    const auto resolveAisles = [&dangling](TShopShop &shop) {
        for (const auto &aisle : shop.Aisle)
            aisle->Category = Resolve(Categories, aisle->CategoryIndex, dangling);
    };

    // Reads one section after the previous one came through whole.
    const auto section = [&](auto &list, auto afterRead) {
        if (file.Truncated)
            return;
        const int count = file.ReadInt16();
        if (!file.Truncated && !ReadSection(file, list, count, afterRead))
            cutInRecord = true;
    };
    section(Categories, nothing);
    section(ProductTypes, nothing);
    section(Items, nothing);
    section(Shops, resolveAisles);

    for (const auto &product : ProductTypes)
        product->Category = Resolve(Categories, product->CategoryIndex, dangling);
    for (const auto &item : Items) {
        item->Product = Resolve(ProductTypes, item->ProductIndex, dangling);
        item->Shop = Resolve(Shops, item->ShopIndex, dangling);
    }

    if (cutInRecord)
        result.Damage.push_back("it ends in the middle of a record");
    else if (file.Truncated)
        result.Damage.push_back("it ends before all of its lists have been read");
    if (dangling == 1)
        result.Damage.push_back("1 reference points past the end of its list");
    else if (dangling > 1)
        result.Damage.push_back(std::to_string(dangling) +
                                " references point past the end of their lists");
}

namespace {

const char *const NotOursText =
    "The SHOPPING.DAT file does not appear to be a valid Trolleymind file.\r"
    "Do you want to overwrite this file?";
const char *const UnreadableText =
    "The SHOPPING.DAT file cannot be opened for reading.\r"
    "Do you want to go on with an empty catalogue? Saving will then overwrite the file.";

std::string NewerText(float version) {
    return "The SHOPPING.DAT file is newer than this version of the program.\r"
           "You may need Trolleymind version " +
           FormatGeneral(SingleToDouble(version)) +
           " or later to load this file successfully.\r"
           "Do you want to try loading it anyway?";
}

std::string DamagedText(const std::vector<std::string> &damage) {
    std::string what;
    for (std::size_t i = 0; i < damage.size(); ++i) {
        if (i > 0)
            what += i + 1 == damage.size() ? " and " : ", ";
        what += damage[i];
    }
    return "The SHOPPING.DAT file is damaged: " + what +
           ".\rDo you want to go on with what could be read?";
}

} // namespace

LoadOutcome LoadDataFile(const std::string &path, DataFileUser &user) {
    std::string bytes;
    LoadResult result = ProbeDataFile(path, &bytes);
    switch (result.status) {
    case LoadResult::Missing:
        return LoadOutcome::GoOn;
    case LoadResult::Unreadable:
        // Going on means the next save replaces a file we never saw: only when asked.
        return user.AskYesNo(UnreadableText) ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave;
    case LoadResult::BadSignature:
        return user.AskYesNo(NotOursText) ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave;
    case LoadResult::Newer:
        if (!user.AskYesNo(NewerText(result.Version)))
            return LoadOutcome::QuitWithoutSave;
        break;
    case LoadResult::Ok:
        break;
    }

    ReadCatalogue(bytes, result);
    if (!result.Damage.empty() && !user.AskYesNo(DamagedText(result.Damage))) {
        ClearCatalogue();
        return LoadOutcome::QuitWithoutSave;
    }
    return LoadOutcome::GoOn;
}
