#pragma once
// A small INI file reader and writer for Shopping.ini. It behaves like the classic
// profile-string routines the file was made for: sections and keys are matched without
// regard to case, values lose one pair of enclosing quotes but are never split at commas,
// CR, LF and CRLF each end a line, a UTF-8 byte-order mark is passed over, and every other
// line of the file, comments and blank lines included, is kept as it was, with its own
// line end. Texts are byte strings (Windows-1252), as the rest of the program's files.

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    // At most this many characters of a value count when it is read.
    static constexpr std::size_t MaxValueLength = 1023;

    // Reads `path`. A missing file is an empty file; false when the file exists but
    // cannot be read (its contents must then not be overwritten).
    bool Load(const QString &path);
    // Replaces the contents with `text` (the bytes of a file).
    void Parse(const std::string &text);

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
    struct Line {
        std::string text; // without its line end
        std::string eol;  // "\r\n", "\n", "\r" or empty for a last line without one
    };
    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    static constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

    // Index of the header line of `section`, or npos.
    std::size_t FindSection(const std::string &section) const;
    // Index of the line that carries `key` in the section whose header is at `header`.
    std::size_t FindKey(std::size_t header, const std::string &key) const;
    // Index just past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    std::string NewLineEnd() const;
    void InsertLine(std::size_t at, const std::string &text);
};
