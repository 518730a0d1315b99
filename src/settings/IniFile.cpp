#include "settings/IniFile.h"

#include "catalogue/RegularFile.h"
#include "catalogue/SafeSave.h"
#include "catalogue/ShopData.h"

#include <algorithm>

namespace {

constexpr std::size_t npos = std::string::npos;

std::string Trim(const std::string &s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Names are compared with only the letters a..z folded, as everywhere in the program.
bool SameName(const std::string &a, const std::string &b) {
    return CompareNames(a, b) == 0;
}

// The name of the section a line opens, if it is a section header.
std::optional<std::string> SectionOf(const std::string &line) {
    const std::string t = Trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    return Trim(t.substr(1, close == npos ? npos : close - 1));
}

// The key a line carries ("key=value"); comments and other lines carry none.
std::optional<std::string> KeyOf(const std::string &line) {
    const std::string t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == npos)
        return std::nullopt;
    std::string key = Trim(t.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return key;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// One pair of enclosing quotes is dropped, as the profile-string routines do, so
// Name="Times" names the face Times; a quote on one side only stays.
std::string Unquoted(std::string value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A value that reading would change (blanks at either end, or enclosing quotes) is
// written inside a pair of quotes, so that it reads back as it was written.
std::string Quoted(const std::string &value) {
    return Unquoted(Trim(value)) == value ? value : "\"" + value + "\"";
}

std::string ValueOf(const std::string &line) {
    std::string value = Unquoted(Trim(line.substr(line.find('=') + 1)));
    if (value.size() > IniFile::MaxValueLength)
        value.resize(IniFile::MaxValueLength);
    return value;
}

} // namespace

bool IniFile::Load(const QString &path) {
    lines_.clear();
    byteOrderMark_ = false;
    // A FIFO or a device in the file's place is no settings file: it is neither read nor,
    // as the caller is told, written over.
    std::string bytes;
    switch (ReadRegularFile(path.toStdString(), bytes)) {
    case ReadResult::Missing:
        return true;
    case ReadResult::NotRegular:
    case ReadResult::Failed:
        return false;
    case ReadResult::Ok:
        break;
    }
    Parse(bytes);
    return true;
}

void IniFile::Parse(const std::string &text) {
    lines_.clear();
    // A byte-order mark is no part of the first line; it is kept for writing back.
    byteOrderMark_ = text.starts_with(Utf8ByteOrderMark);
    std::size_t start = byteOrderMark_ ? Utf8ByteOrderMark.size() : 0;
    // CR, LF and CRLF each end a line, whichever editor the file last passed through.
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == npos) {
            lines_.push_back({text.substr(start), {}});
            break;
        }
        const std::size_t eolLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines_.push_back({text.substr(start, end - start), text.substr(end, eolLength)});
        start = end + eolLength;
    }
}

std::size_t IniFile::FindSection(const std::string &section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionOf(lines_[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionOf(lines_[i].text))
        ++i;
    return i;
}

std::size_t IniFile::FindKey(std::size_t header, const std::string &key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto name = KeyOf(lines_[i].text);
        if (name && SameName(*name, key))
            return i;
    }
    return npos;
}

std::optional<std::string> IniFile::Value(const std::string &section,
                                          const std::string &key) const {
    const std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t at = FindKey(header, key);
    if (at == npos)
        return std::nullopt;
    return ValueOf(lines_[at].text);
}

std::string IniFile::ReadString(const std::string &section, const std::string &key,
                                const std::string &fallback) const {
    return Value(section, key).value_or(fallback);
}

void IniFile::WriteString(const std::string &section, const std::string &key,
                          const std::string &value) {
    // A line break in a value would break the file apart; only its first line is kept.
    const std::string safe = value.substr(0, value.find_first_of("\r\n"));

    std::size_t header = FindSection(section);
    if (header == npos) {
        InsertLine(lines_.size(), "[" + section + "]");
        header = lines_.size() - 1;
    }
    const std::size_t at = FindKey(header, key);
    if (at != npos) {
        lines_[at].text = *KeyOf(lines_[at].text) + "=" + Quoted(safe);
        return;
    }
    // After the section's last non-blank line, so a blank line before the next
    // section stays where it is.
    std::size_t insert = SectionEnd(header);
    while (insert > header + 1 && Trim(lines_[insert - 1].text).empty())
        --insert;
    InsertLine(insert, key + "=" + Quoted(safe));
}

std::string IniFile::NewLineEnd() const {
    // The line end most of the file's lines have (the first of them on a tie), so a
    // file with one stray ending does not spread it.
    std::vector<std::pair<std::string, int>> counts;
    for (const Line &line : lines_) {
        if (line.eol.empty())
            continue;
        auto it = std::find_if(counts.begin(), counts.end(),
                               [&](const auto &c) { return c.first == line.eol; });
        if (it == counts.end())
            counts.emplace_back(line.eol, 1);
        else
            ++it->second;
    }
    if (counts.empty())
        return "\r\n"; // a new file gets the line ends the settings file has always had
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto &a, const auto &b) { return a.second < b.second; })
        ->first;
}

void IniFile::InsertLine(std::size_t at, const std::string &text) {
    std::string eol = NewLineEnd();
    // A CR written before a blank line that ends in LF would read back as one CRLF, and
    // the blank line would be gone.
    if (eol == "\r" && at < lines_.size() && lines_[at].text.empty() &&
        lines_[at].eol.starts_with('\n'))
        eol = "\r\n";
    if (at > 0 && lines_[at - 1].eol.empty())
        lines_[at - 1].eol = eol;
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), Line{text, eol});
}

std::string IniFile::Text() const {
    std::string text = byteOrderMark_ ? std::string(Utf8ByteOrderMark) : std::string();
    for (const Line &line : lines_)
        text += line.text + line.eol;
    return text;
}

bool IniFile::Save(const QString &path) const {
    return SaveBytesSafely(path.toStdString(), Text());
}
