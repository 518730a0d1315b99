#include "settings/IniFile.h"

#include "catalogue/RegularFile.h"
#include "catalogue/SafeSave.h"

#include <algorithm>

namespace {

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Names are compared with only the letters a..z folded, as everywhere in the program.
char Fold(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Fold(x) == Fold(y); });
}

// Names that SameName matches hash alike (64-bit FNV-1a over the folded bytes). The index
// holds the first line of each hash; a name that meets another's line by a collision is
// looked for line by line, so a collision costs time, never a wrong answer.
uint64_t NameHash(std::string_view name) {
    uint64_t hash = 14695981039346656037u;
    for (const char c : name)
        hash = (hash ^ uint8_t(Fold(c))) * 1099511628211u;
    return hash;
}

// The name of the section a line opens, if it is a section header.
std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    return Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// The key a line carries ("key=value"); comments and other lines carry none.
std::optional<std::string_view> KeyOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trim(t.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return key;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// One pair of enclosing quotes is dropped, as the profile-string routines do, so
// Name="Times" names the face Times; a quote on one side only stays.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A value that reading would change (blanks at either end, or enclosing quotes) is
// written inside a pair of quotes, so that it reads back as it was written.
std::string Quoted(const std::string &value) {
    return Unquoted(Trim(value)) == value ? value : "\"" + value + "\"";
}

std::string ValueOf(std::string_view line) {
    return std::string(
        Unquoted(Trim(line.substr(line.find('=') + 1))).substr(0, IniFile::MaxValueLength));
}

constexpr std::string_view LineEndText[] = {"", "\r\n", "\n", "\r"};

} // namespace

bool IniFile::Load(const QString &path) {
    Parse({});
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
    if (bytes.size() >= MaxFileSize)
        return false;
    Parse(std::move(bytes));
    return true;
}

void IniFile::Parse(std::string text) {
    text_ = std::move(text);
    written_.clear();
    lines_.clear();
    first_ = last_ = None;
    endCounts_ = {};
    // A byte-order mark is no part of the first line; it is kept for writing back.
    byteOrderMark_ = text_.starts_with(Utf8ByteOrderMark);
    const std::size_t begin = byteOrderMark_ ? Utf8ByteOrderMark.size() : 0;

    // CR, LF and CRLF each end a line, whichever editor the file last passed through.
    // The lines are counted first, so that a large file's index is made once, at its size,
    // with room for the few lines writing the preferences adds.
    std::size_t count = 0;
    for (std::size_t i = begin; i < text_.size(); ++i)
        if (text_[i] == '\n' ||
            (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')))
            ++count;
    lines_.reserve(count + 1 + 32);
    for (std::size_t start = begin; start < text_.size();) {
        std::size_t end = text_.find_first_of("\r\n", start);
        LineEnd lineEnd = NoEnd;
        std::size_t next = text_.size();
        if (end == std::string::npos) {
            end = text_.size();
        } else {
            lineEnd = text_.compare(end, 2, "\r\n") == 0 ? CrLf : text_[end] == '\n' ? Lf : Cr;
            next = end + LineEndText[lineEnd].size();
        }
        Line line;
        line.start = uint32_t(start);
        line.length = uint32_t(end - start);
        line.end = lineEnd;
        line.header = SectionOf(std::string_view(text_).substr(start, end - start)).has_value();
        if (last_ != None)
            lines_[last_].next = LineId(lines_.size());
        last_ = LineId(lines_.size());
        lines_.push_back(line);
        ++endCounts_[lineEnd];
        start = next;
    }
    first_ = lines_.empty() ? None : 0;
    IndexSections();
}

void IniFile::IndexSections() {
    sections_.clear();
    sectionKeys_.clear();
    for (LineId id = first_; id != None; id = lines_[id].next)
        if (lines_[id].header)
            sections_.emplace(NameHash(*SectionOf(TextOf(id))), id); // the first one counts
}

std::string_view IniFile::TextOf(LineId id) const {
    const Line &line = lines_[id];
    return std::string_view(line.written ? written_ : text_).substr(line.start, line.length);
}

IniFile::LineId IniFile::FindSection(std::string_view section) const {
    const auto it = sections_.find(NameHash(section));
    if (it == sections_.end())
        return None;
    if (SameName(*SectionOf(TextOf(it->second)), section))
        return it->second;
    for (LineId id = first_; id != None; id = lines_[id].next)
        if (lines_[id].header && SameName(*SectionOf(TextOf(id)), section))
            return id;
    return None;
}

const IniFile::SectionKeys &IniFile::KeysOf(LineId header) const {
    const auto [it, made] = sectionKeys_.try_emplace(header);
    SectionKeys &section = it->second;
    if (made) {
        section.lastNonBlank = header;
        for (LineId id = lines_[header].next; id != None && !lines_[id].header;
             id = lines_[id].next) {
            const std::string_view text = TextOf(id);
            if (const auto key = KeyOf(text))
                section.keys.emplace(NameHash(*key), id); // the first one counts
            if (!Trim(text).empty())
                section.lastNonBlank = id;
        }
    }
    return section;
}

IniFile::LineId IniFile::FindKey(LineId header, std::string_view key) const {
    const SectionKeys &section = KeysOf(header);
    const auto it = section.keys.find(NameHash(key));
    if (it == section.keys.end())
        return None;
    if (SameName(*KeyOf(TextOf(it->second)), key))
        return it->second;
    for (LineId id = lines_[header].next; id != None && !lines_[id].header; id = lines_[id].next) {
        const auto name = KeyOf(TextOf(id));
        if (name && SameName(*name, key))
            return id;
    }
    return None;
}

std::optional<std::string> IniFile::Value(const std::string &section,
                                          const std::string &key) const {
    const LineId header = FindSection(section);
    if (header == None)
        return std::nullopt;
    const LineId at = FindKey(header, key);
    if (at == None)
        return std::nullopt;
    return ValueOf(TextOf(at));
}

std::string IniFile::ReadString(const std::string &section, const std::string &key,
                                const std::string &fallback) const {
    return Value(section, key).value_or(fallback);
}

void IniFile::WriteString(const std::string &section, const std::string &key,
                          const std::string &value) {
    // A line break in a value would break the file apart; only its first line is kept.
    const std::string safe = value.substr(0, value.find_first_of("\r\n"));

    LineId header = FindSection(section);
    if (header == None)
        header = InsertLine(last_, "[" + section + "]");
    const LineId at = FindKey(header, key);
    if (at != None) {
        SetText(at, std::string(*KeyOf(TextOf(at))) + "=" + Quoted(safe));
        return;
    }
    // After the section's last non-blank line, so a blank line before the next
    // section stays where it is.
    const LineId id = InsertLine(KeysOf(header).lastNonBlank, key + "=" + Quoted(safe));
    if (lines_[id].header)
        return; // a key that reads as a header: the index has been made again
    SectionKeys &keys = sectionKeys_.at(header);
    keys.lastNonBlank = id;
    if (const auto name = KeyOf(TextOf(id)))
        keys.keys.emplace(NameHash(*name), id);
}

IniFile::LineEnd IniFile::NewLineEnd() const {
    // The line end most of the file's lines have (the first of them on a tie), so a
    // file with one stray ending does not spread it.
    const std::size_t most = std::max({endCounts_[CrLf], endCounts_[Lf], endCounts_[Cr]});
    if (most == 0)
        return CrLf; // a new file gets the line ends the settings file has always had
    const auto tied = [&](LineEnd end) { return end != NoEnd && endCounts_[end] == most; };
    if (int(tied(CrLf)) + int(tied(Lf)) + int(tied(Cr)) == 1)
        return tied(CrLf) ? CrLf : tied(Lf) ? Lf : Cr;
    for (LineId id = first_;; id = lines_[id].next)
        if (tied(lines_[id].end))
            return lines_[id].end;
}

IniFile::LineId IniFile::InsertLine(LineId previous, std::string_view text) {
    const LineId next = previous == None ? first_ : lines_[previous].next;
    LineEnd end = NewLineEnd();
    // A CR written before a blank line that ends in LF would read back as one CRLF, and
    // the blank line would be gone.
    if (end == Cr && next != None && lines_[next].length == 0 && lines_[next].end == Lf)
        end = CrLf;
    if (previous != None && lines_[previous].end == NoEnd) {
        --endCounts_[NoEnd];
        ++endCounts_[end];
        lines_[previous].end = end;
    }
    const LineId id = LineId(lines_.size());
    lines_.push_back(Line{});
    lines_[id].end = end;
    lines_[id].next = next;
    ++endCounts_[end];
    SetText(id, text);
    (previous == None ? first_ : lines_[previous].next) = id;
    if (previous == last_)
        last_ = id;

    if (lines_[id].header) {
        // A new section at the end is indexed like any; a key line that reads as a header
        // splits its section, and the whole index is made again.
        if (next == None) {
            sections_.emplace(NameHash(*SectionOf(text)), id);
        } else {
            IndexSections();
        }
    }
    return id;
}

void IniFile::SetText(LineId id, std::string_view text) {
    Line &line = lines_[id];
    line.start = uint32_t(written_.size());
    line.length = uint32_t(text.size());
    line.written = true;
    line.header = SectionOf(text).has_value();
    written_ += text;
}

std::string IniFile::Text() const {
    std::size_t size = byteOrderMark_ ? Utf8ByteOrderMark.size() : 0;
    for (LineId id = first_; id != None; id = lines_[id].next)
        size += lines_[id].length + LineEndText[lines_[id].end].size();
    std::string text;
    text.reserve(size);
    if (byteOrderMark_)
        text += Utf8ByteOrderMark;
    for (LineId id = first_; id != None; id = lines_[id].next) {
        text += TextOf(id);
        text += LineEndText[lines_[id].end];
    }
    return text;
}

bool IniFile::Save(const QString &path) const {
    return SaveBytesSafely(path.toStdString(), Text());
}
