#include "settings/IniFile.h"

#include "catalogue/ShopData.h"

#include <QFile>
#include <QSaveFile>

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

std::string ValueOf(const std::string &line) {
    std::string value = Trim(line.substr(line.find('=') + 1));
    if (value.size() > IniFile::MaxValueLength)
        value.resize(IniFile::MaxValueLength);
    return value;
}

} // namespace

bool IniFile::Load(const QString &path) {
    lines_.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    Parse(bytes.toStdString());
    return true;
}

void IniFile::Parse(const std::string &text) {
    lines_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        if (nl == npos) {
            lines_.push_back({text.substr(start), {}});
            break;
        }
        std::string line = text.substr(start, nl - start);
        std::string eol = "\n";
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            eol = "\r\n";
        }
        lines_.push_back({std::move(line), std::move(eol)});
        start = nl + 1;
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
        lines_[at].text = *KeyOf(lines_[at].text) + "=" + safe;
        return;
    }
    // After the section's last non-blank line, so a blank line before the next
    // section stays where it is.
    std::size_t insert = SectionEnd(header);
    while (insert > header + 1 && Trim(lines_[insert - 1].text).empty())
        --insert;
    InsertLine(insert, key + "=" + safe);
}

std::string IniFile::NewLineEnd() const {
    for (const Line &line : lines_)
        if (!line.eol.empty())
            return line.eol;
    return "\r\n"; // a new file gets the line ends the settings file has always had
}

void IniFile::InsertLine(std::size_t at, const std::string &text) {
    const std::string eol = NewLineEnd();
    if (at > 0 && lines_[at - 1].eol.empty())
        lines_[at - 1].eol = eol;
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), Line{text, eol});
}

std::string IniFile::Text() const {
    std::string text;
    for (const Line &line : lines_)
        text += line.text + line.eol;
    return text;
}

bool IniFile::Save(const QString &path) const {
    QSaveFile file(path);
    // Unbuffered, so that a refused write (a full disk) is seen here: a buffered one
    // would fail only while committing, and the cut-off file would still replace the
    // old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const std::string text = Text();
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
