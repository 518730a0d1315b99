#pragma once
// SHOPPING.DAT: reading and writing the whole catalogue.

#include "catalogue/RegularFile.h"
#include "catalogue/ShopData.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr float FileVersion = 1.1f;
inline constexpr float NewestReadableVersion = 1.19f;
inline const char *const FileSignature = "Trolleymind";

// A file read a part at a time into one buffer, used again for each part, so that a large
// catalogue is never held whole in memory beside the records made from it.
class FileParts {
public:
    // Fills up to `room` bytes at `into`; returns how many, 0 at the end of the file.
    using Read = std::function<std::size_t(char *into, std::size_t room)>;
    static constexpr std::size_t DefaultPartSize = std::size_t{1} << 20;

    explicit FileParts(Read read, std::size_t partSize = DefaultPartSize)
        : read_(std::move(read)), partSize_(std::max<std::size_t>(partSize, 1)) {}
    // `unread` (what a reader has not yet taken of the last part) followed by the next bytes
    // of the file: at least `need` in all, fewer only where the file ends. The bytes stay
    // valid until the next call.
    std::string_view More(std::string_view unread, std::size_t need);

private:
    Read read_;
    std::size_t partSize_;
    std::vector<char> buffer_;
    bool ended_ = false;
};

// Reads little-endian fields from bytes it does not own (the caller keeps them alive), or
// from a file's parts as it goes. Reading past the end sets `Truncated` and yields zeros, so
// a damaged file never reads out of bounds.
class FileReader {
public:
    explicit FileReader(std::string_view bytes) : data_(bytes) {}
    // A temporary would be gone before the first field is read.
    explicit FileReader(std::string &&) = delete;
    explicit FileReader(FileParts &parts) : parts_(&parts) {}
    uint8_t ReadByte() {
        if (!Have(1)) {
            Truncated = true;
            return 0;
        }
        return static_cast<uint8_t>(data_[pos_++]);
    }
    int16_t ReadInt16() { return static_cast<int16_t>(ReadLittleEndian<uint16_t>()); }
    int32_t ReadInt32() { return static_cast<int32_t>(ReadLittleEndian<uint32_t>()); }
    float ReadSingle() {
        const uint32_t bits = ReadLittleEndian<uint32_t>();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // The next `n` bytes, or what there is of them when the file ends first. They are valid
    // until the next read.
    std::string_view ReadBytes(std::size_t n) {
        Have(n);
        const std::size_t left = data_.size() - pos_;
        if (n > left) {
            Truncated = true;
            n = left;
        }
        const std::string_view part(data_.data() + pos_, n);
        pos_ += n;
        return part;
    }
    // A record of fixed size read in one step: a reader of its `n` bytes, which checks the
    // length once for all of its fields (and is used up before the next read of this one).
    // When fewer bytes are left the file is truncated, the rest consumed, and the reader
    // yields zeros.
    FileReader Record(std::size_t n) {
        if (!Have(n)) {
            Truncated = true;
            pos_ = data_.size();
            return FileReader(std::string_view());
        }
        FileReader record(std::string_view(data_.data() + pos_, n));
        pos_ += n;
        return record;
    }
    bool Truncated = false;

private:
    // Whether `n` more bytes are at hand, once the next part has been fetched where needed.
    bool Have(std::size_t n) {
        if (data_.size() - pos_ >= n)
            return true;
        if (parts_ == nullptr)
            return false;
        data_ = parts_->More(data_.substr(pos_), n);
        pos_ = 0;
        return data_.size() >= n;
    }
    template <class U> U ReadLittleEndian() {
        if (!Have(sizeof(U))) {
            Truncated = true;
            pos_ = data_.size();
            return 0;
        }
        U v = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, data_.data() + pos_, sizeof v);
        } else {
            for (std::size_t i = 0; i < sizeof(U); ++i)
                v = static_cast<U>(
                    v | static_cast<U>(static_cast<uint8_t>(data_[pos_ + i]) << (8 * i)));
        }
        pos_ += sizeof(U);
        return v;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    FileParts *parts_ = nullptr;
};

// Collects the file's bytes in memory; the caller writes them out in one go. Fields are
// copied whole into a buffer that grows by doubling and is never cleared first.
class FileWriter {
public:
    // `expected`: the size the file will probably have, so the buffer seldom grows.
    explicit FileWriter(std::size_t expected = 0) { Grow(expected); }
    void WriteByte(uint8_t v) {
        Room(1);
        data_[size_++] = static_cast<char>(v);
    }
    void WriteInt16(int16_t v) { WriteLittleEndian(static_cast<uint16_t>(v)); }
    void WriteInt32(int32_t v) { WriteLittleEndian(static_cast<uint32_t>(v)); }
    void WriteSingle(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        WriteLittleEndian(bits);
    }
    void WriteBytes(const char *p, std::size_t n) {
        Room(n);
        std::memcpy(data_.get() + size_, p, n);
        size_ += n;
    }
    // What has been written so far.
    std::string_view Bytes() const { return {data_.get(), size_}; }

private:
    template <class U> void WriteLittleEndian(U v) {
        Room(sizeof(U));
        char *at = data_.get() + size_;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(at, &v, sizeof v);
        } else {
            for (std::size_t i = 0; i < sizeof(U); ++i)
                at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        size_ += sizeof(U);
    }
    void Room(std::size_t n) {
        if (capacity_ - size_ < n)
            Grow(n);
    }
    void Grow(std::size_t n);

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Positions of the referenced records at the moment of writing. The saver numbers each list
// once per save, marking each record with its place and the save's number (kept on the
// record, so a reference costs one look at the record it refers to); a record that does not
// carry this save's number was in no list when the lists were numbered, and a reference to
// it is written as none.
struct PositionMap {
    uint32_t Save = 0;
    int16_t Of(const TShopCat *c) const { return Place(c); }
    int16_t Of(const TShopProd *p) const { return Place(p); }
    int16_t Of(const TShopShop *s) const { return Place(s); }

private:
    template <class T> int16_t Place(const T *r) const {
        return r != nullptr && r->FileSave == Save ? r->FilePos : int16_t(-1);
    }
};

std::string ReadShortString(FileReader &file);
void WriteShortString(FileWriter &file, const std::string &text);

// What reading a data file found. The caller asks the user about anything but Ok.
struct LoadResult {
    enum Status {
        Missing,      // no file: the catalogue stays empty
        Ok,           // read in full
        BadSignature, // not one of our files: nothing was read
        Newer,        // a newer version: `Version` tells which; nothing read yet
        Unreadable,   // exists but could not be opened or read
    };
    Status status = Missing;
    float Version = 0;
    // Damage found while reading (dangling positions, a file that ends inside a record).
    std::vector<std::string> Damage;
};

// Low-level steps of LoadDataFile, usable without any window. Paths are UTF-8.
// Opens `path` (regular files only) and checks its signature and version; fills nothing.
LoadResult ProbeDataFile(const std::string &path);
// The same, reading through `file` from `stream`, which are then just past the header.
LoadResult ProbeDataFile(const std::string &path, RegularFileStream &stream, FileReader &file);
// Empties the global lists, then reads every section after the header of `file` into them,
// clearing bad references; a record cut off by the end of the file is dropped.
// Damage is appended to `result.Damage`.
void ReadLists(FileReader &file, LoadResult &result);
// The same for a whole file in memory, header included.
void ReadCatalogue(std::string_view bytes, LoadResult &result);
// Serialises the whole catalogue; fails (returns false) when a list is over the limit.
bool SerialiseCatalogue(FileWriter &out);
bool SerialiseCatalogue(std::string &out);

// How the loader and the saver talk to the user; the program answers with message boxes.
class DataFileUser {
public:
    virtual ~DataFileUser() = default;
    // An error box with Yes and No; true when the answer is Yes.
    virtual bool AskYesNo(const std::string &text) = 0;
    // An error box with OK.
    virtual void ShowError(const std::string &text) = 0;
    // How far a load has come: `done` bytes of a file of `total` (its size when opened), told
    // after each part is read. The program shows it when a load takes over a second.
    virtual void Progress(std::uint64_t done, std::uint64_t total) {
        static_cast<void>(done);
        static_cast<void>(total);
    }
};

enum class LoadOutcome { GoOn, QuitWithoutSave };

// Loads `path` into the (empty) global lists, asking the user about a file that is not
// ours, newer, unreadable or damaged.
LoadOutcome LoadDataFile(const std::string &path, DataFileUser &user);
// Writes the whole catalogue to `path`; false (after telling the user) when it could not.
bool WriteDataFile(const std::string &path, DataFileUser &user);
