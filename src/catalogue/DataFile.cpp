#include "catalogue/DataFile.h"

#include "catalogue/NumberFormat.h"
#include "catalogue/RegularFile.h"
#include "catalogue/SafeSave.h"

#include <cstring>
#include <sys/stat.h>

// ---------------------------------------------------------------------------------------------
// The writer's buffer

namespace {
// The size of the last file read or written: the next save will be about as large.
std::size_t lastFileSize = 0;
} // namespace

void FileWriter::Grow(std::size_t n) {
    const std::size_t capacity = std::max({capacity_ * 2, size_ + n, std::size_t{4096}});
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0)
        std::memcpy(larger.get(), data_.get(), size_);
    data_ = std::move(larger);
    capacity_ = capacity;
}

// ---------------------------------------------------------------------------------------------
// The reader's parts

std::string_view FileParts::More(std::string_view unread, std::size_t need) {
    // What is left of the last part moves to the front of the buffer, and the rest of it is
    // filled from the file.
    const std::size_t size = std::max(partSize_, need);
    if (buffer_.size() < size) {
        std::vector<char> larger(size);
        std::copy(unread.begin(), unread.end(), larger.begin());
        buffer_.swap(larger);
    } else if (!unread.empty()) {
        std::memmove(buffer_.data(), unread.data(), unread.size());
    }
    std::size_t filled = unread.size();
    while (!ended_ && filled < buffer_.size()) {
        const std::size_t got = read_(buffer_.data() + filled, buffer_.size() - filled);
        ended_ = got == 0;
        filled += got;
    }
    return {buffer_.data(), filled};
}

// ---------------------------------------------------------------------------------------------
// Texts: one length byte, then the bytes

std::string ReadShortString(FileReader &file) {
    const std::size_t length = file.ReadByte();
    if (length == 0)
        return {};
    // The whole stored length is consumed; the text ends at a zero byte.
    const std::string_view stored = file.ReadBytes(length);
    return std::string(stored.substr(0, stored.find('\0')));
}

void WriteShortString(FileWriter &file, const std::string &text) {
    std::size_t length = std::min(text.find('\0'), text.size());
    length = std::min<std::size_t>(length, 255);
    file.WriteByte(static_cast<uint8_t>(length));
    file.WriteBytes(text.data(), length);
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
    FileWriter file(lastFileSize + lastFileSize / 16);
    if (!SerialiseCatalogue(file))
        return false;
    out = file.Bytes();
    return true;
}

bool SerialiseCatalogue(FileWriter &file) {
    // A count is an int16 in the file: a longer list cannot be written without wrapping.
    if (Categories.Count() > MaxRecords || ProductTypes.Count() > MaxRecords ||
        Items.Count() > MaxRecords || Shops.Count() > MaxRecords)
        return false;
    for (const auto &shop : Shops)
        if (shop->Aisle.Count() > MaxRecords || shop->Outline.Count() > MaxRecords)
            return false;

    // Each list is numbered as it is written, before anything refers to it, except the shops,
    // which the items (written first) refer to. Every save has a number of its own (never 0,
    // which records start with).
    static uint32_t saves = 0;
    if (++saves == 0)
        ++saves;
    const PositionMap pos{saves};
    const auto mark = [&pos](auto &record, int16_t place) {
        record.FilePos = place;
        record.FileSave = pos.Save;
    };
    int16_t number = 0;
    for (const auto &shop : Shops)
        mark(*shop, number++);

    WriteHeader(file);
    file.WriteInt16(static_cast<int16_t>(Categories.Count()));
    number = 0;
    for (const auto &category : Categories) {
        mark(*category, number++);
        category->WriteFile(file);
    }
    file.WriteInt16(static_cast<int16_t>(ProductTypes.Count()));
    number = 0;
    for (const auto &product : ProductTypes) {
        mark(*product, number++);
        product->WriteFile(file, pos);
    }
    file.WriteInt16(static_cast<int16_t>(Items.Count()));
    for (const auto &item : Items)
        item->WriteFile(file, pos);
    file.WriteInt16(static_cast<int16_t>(Shops.Count()));
    for (const auto &shop : Shops)
        shop->WriteFile(file, pos);
    lastFileSize = file.Bytes().size();
    return true;
}

bool WriteDataFile(const std::string &path, DataFileUser &user) {
    FileWriter bytes(lastFileSize + lastFileSize / 16);
    if (!SerialiseCatalogue(bytes) || !SaveBytesSafely(path, bytes.Bytes())) {
        user.ShowError(SaveFailedText);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

bool IsLink(const std::string &path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

LoadResult ProbeDataFile(const std::string &path) {
    // Parts of the header's size: nothing beyond it is looked at.
    RegularFileStream stream;
    FileParts parts([&stream](char *into, std::size_t room) { return stream.Read(into, room); },
                    16);
    FileReader file(parts);
    return ProbeDataFile(path, stream, file);
}

LoadResult ProbeDataFile(const std::string &path, RegularFileStream &stream, FileReader &file) {
    LoadResult result;
    // Regular files only, read a part at a time: a FIFO would block start-up for ever and a
    // device such as /dev/zero would be read until memory ran out.
    switch (stream.Open(path)) {
    case ReadResult::Missing:
        // A link to a file that is not there is the user's own pointer to a catalogue
        // somewhere else: asked about like a file that cannot be read, never passed over.
        result.status = IsLink(path) ? LoadResult::Unreadable : LoadResult::Missing;
        return result;
    case ReadResult::NotRegular:
    case ReadResult::Failed:
        result.status = LoadResult::Unreadable;
        return result;
    case ReadResult::Ok:
        break;
    }
    const std::string signature = ReadShortString(file);
    if (stream.Failed()) {
        result.status = LoadResult::Unreadable;
        return result;
    }
    if (file.Truncated || signature != FileSignature) {
        result.status = LoadResult::BadSignature;
        return result;
    }
    result.Version = file.ReadSingle();
    // Compared as singles: 1.19 itself is readable, anything above is not ours to know.
    result.status = result.Version > NewestReadableVersion ? LoadResult::Newer : LoadResult::Ok;
    return result;
}

namespace {

// Reads `count` records of one section; false when the file ended inside one, whose
// partial record is then dropped.
template <class T, class Before>
bool ReadSection(FileReader &file, TRecordList<T> &list, int count, Before afterRead) {
    if (count > 0)
        list.Reserve(count);
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

void ReadCatalogue(std::string_view bytes, LoadResult &result) {
    FileReader file(bytes);
    ReadShortString(file);
    file.ReadSingle();
    ReadLists(file, result);
    lastFileSize = bytes.size();
}

void ReadLists(FileReader &file, LoadResult &result) {
    // Positions in the file count from the start of each list, so the lists start empty.
    ClearCatalogue();
    int dangling = 0;
    bool cutInRecord = false;
    // References to a list read before are resolved as each record is read, while it is at
    // hand; the items' shops come later in the file.
    const auto nothing = [](auto &) {};
    const auto resolveProduct = [&dangling](TShopProd &product) {
        product.Category = Resolve(Categories, product.CategoryIndex, dangling);
    };
    const auto resolveItem = [&dangling](TShopItem &item) {
        item.Product = Resolve(ProductTypes, item.ProductIndex, dangling);
    };
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
    section(ProductTypes, resolveProduct);
    section(Items, resolveItem);
    section(Shops, resolveAisles);
    for (const auto &item : Items)
        item->Shop = Resolve(Shops, item->ShopIndex, dangling);

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
    // Read a part at a time: the memory of a large catalogue goes to its records, not to a
    // copy of its file.
    RegularFileStream stream;
    FileParts parts([&stream, &user](char *into, std::size_t room) {
        const std::size_t got = stream.Read(into, room);
        user.Progress(stream.Done(), stream.Size());
        return got;
    });
    FileReader file(parts);
    LoadResult result = ProbeDataFile(path, stream, file);
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

    ReadLists(file, result);
    lastFileSize = stream.Done();
    if (stream.Failed()) {
        // What was read before the failure is no catalogue the user knows.
        ClearCatalogue();
        return user.AskYesNo(UnreadableText) ? LoadOutcome::GoOn : LoadOutcome::QuitWithoutSave;
    }
    if (!result.Damage.empty() && !user.AskYesNo(DamagedText(result.Damage))) {
        ClearCatalogue();
        return LoadOutcome::QuitWithoutSave;
    }
    return LoadOutcome::GoOn;
}
