#pragma once
// SHOPPING.DAT: reading and writing the whole catalogue.

#include "catalogue/ShopData.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

inline constexpr float FileVersion = 1.1f;
inline constexpr float NewestReadableVersion = 1.19f;
inline const char *const FileSignature = "Trolleymind";

// Reads little-endian fields from a byte buffer. Reading past the end sets `Truncated`
// and yields zeros, so a damaged file never reads out of bounds.
class FileReader {
public:
    explicit FileReader(std::string bytes) : data_(std::move(bytes)) {}
    uint8_t ReadByte();
    int16_t ReadInt16();
    int32_t ReadInt32();
    float ReadSingle();
    std::string ReadBytes(std::size_t n);
    bool AtEnd() const { return pos_ >= data_.size(); }
    bool Truncated = false;

private:
    std::string data_;
    std::size_t pos_ = 0;
};

// Collects the file's bytes in memory; the caller writes them out in one go.
class FileWriter {
public:
    void WriteByte(uint8_t v);
    void WriteInt16(int16_t v);
    void WriteInt32(int32_t v);
    void WriteSingle(float v);
    void WriteBytes(const char *p, std::size_t n);
    const std::string &Bytes() const { return data_; }

private:
    std::string data_;
};

// Positions of every record at the moment of writing, built once per save.
struct PositionMap {
    std::unordered_map<const TShopCat *, int16_t> categories;
    std::unordered_map<const TShopProd *, int16_t> products;
    std::unordered_map<const TShopShop *, int16_t> shops;
    int16_t Of(const TShopCat *c) const;
    int16_t Of(const TShopProd *p) const;
    int16_t Of(const TShopShop *s) const;
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
// Checks signature and version; fills nothing.
LoadResult ProbeDataFile(const std::string &path, std::string *bytes = nullptr);
// Empties the global lists, then reads every section of `bytes` into them, clearing bad
// references; a record cut off by the end of the file is dropped.
// Damage is appended to `result.Damage`.
void ReadCatalogue(const std::string &bytes, LoadResult &result);
// Serialises the whole catalogue; fails (returns false) when a list is over the limit.
bool SerialiseCatalogue(std::string &out);

// How the loader and the saver talk to the user; the program answers with message boxes.
class DataFileUser {
public:
    virtual ~DataFileUser() = default;
    // An error box with Yes and No; true when the answer is Yes.
    virtual bool AskYesNo(const std::string &text) = 0;
    // An error box with OK.
    virtual void ShowError(const std::string &text) = 0;
};

enum class LoadOutcome { GoOn, QuitWithoutSave };

// Loads `path` into the (empty) global lists, asking the user about a file that is not
// ours, newer, unreadable or damaged.
LoadOutcome LoadDataFile(const std::string &path, DataFileUser &user);
// Writes the whole catalogue to `path`; false (after telling the user) when it could not.
bool WriteDataFile(const std::string &path, DataFileUser &user);
