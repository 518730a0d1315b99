#pragma once
// A small INI file reader and writer for Shopping.ini. It behaves like the classic
// profile-string routines the file was made for: sections and keys are matched without
// regard to case, values lose one pair of enclosing quotes but are never split at commas,
// CR, LF and CRLF each end a line, a UTF-8 byte-order mark is passed over, and every other
// line of the file, comments and blank lines included, is kept as it was, with its own
// line end. Texts are byte strings (Windows-1252), as the rest of the program's files.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniFile {
public:
    // At most this many characters of a value count when it is read.
    static constexpr std::size_t MaxValueLength = 1023;
    // Line positions are 32-bit, which keeps the index of a large file small; a settings
    // file is a few hundred bytes, and one of this size is not read.
    static constexpr std::size_t MaxFileSize = 0xFFFFFFFF;

    // Reads `path`. A missing file is an empty file; false when the file exists but
    // cannot be read (its contents must then not be overwritten).
    bool Load(const QString &path);
    // Replaces the contents with `text` (the bytes of a file, under MaxFileSize).
    void Parse(std::string text);

    // The value of `key` in `section`, or nothing when the section or key is missing.
    // A key present with an empty value gives the empty text.
    std::optional<std::string> Value(const std::string &section, const std::string &key) const;
    // The value, or `fallback` when it is missing.
    std::string ReadString(const std::string &section, const std::string &key,
                           const std::string &fallback) const;

    // Sets `key` in `section`: an existing key keeps its place and spelling, a new key
    // goes after the last line of its section, a new section at the end of the file.
    void WriteString(const std::string &section, const std::string &key, const std::string &value);

    // The file's bytes as they would be saved.
    std::string Text() const;
    // Writes the whole file at once: either the new contents are complete on disk or
    // the old file is left as it was (written in place only in a read-only folder, as
    // SaveBytesSafely says). False when it could not be written.
    bool Save(const QString &path) const;

private:
    using LineId = uint32_t;
    static constexpr LineId None = 0xFFFFFFFF;
    enum LineEnd : uint8_t { NoEnd, CrLf, Lf, Cr };

    // A line of the file, without its line end. Its bytes stay where they were read, in
    // text_; a line written since has its bytes in written_. Lines are chained in the
    // file's order, so a new line goes in without moving the others or their numbers.
    struct Line {
        uint32_t start = 0;
        uint32_t length = 0;
        LineId next = None;
        LineEnd end = NoEnd;
        bool header = false; // opens a section
        bool written = false;
    };
    // What is known of a section once a key of it has been asked for: the first line of
    // each key name, and the line a new key goes after.
    struct SectionKeys {
        std::unordered_map<uint64_t, LineId> keys; // by NameHash
        LineId lastNonBlank = None;
    };

    std::string text_;
    std::string written_;
    std::vector<Line> lines_;
    LineId first_ = None;
    LineId last_ = None;
    bool byteOrderMark_ = false;
    std::array<std::size_t, 4> endCounts_{}; // lines with each LineEnd
    // The first header of each section name, by NameHash.
    std::unordered_map<uint64_t, LineId> sections_;
    // Filled as sections are asked for (by their header), so that a file of many sections
    // indexes only the few the program reads.
    mutable std::unordered_map<LineId, SectionKeys> sectionKeys_;
    static constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

    std::string_view TextOf(LineId id) const;
    // The header line of `section`, or None.
    LineId FindSection(std::string_view section) const;
    // The line that carries `key` in the section whose header is `header`, or None.
    LineId FindKey(LineId header, std::string_view key) const;
    const SectionKeys &KeysOf(LineId header) const;
    void IndexSections();
    LineEnd NewLineEnd() const;
    // Puts a new line after `previous` (None: at the start of the file).
    LineId InsertLine(LineId previous, std::string_view text);
    void SetText(LineId id, std::string_view text);
};
