#include "settings/Settings.h"

#include "catalogue/ShopData.h"
#include "settings/IniFile.h"
#include "settings/Preferences.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kFont = "Font";
const std::string kPrefs = "Prefs";

constexpr std::size_t kMaxFaceName = 255;
// Colour and Style are split in a working copy of this size; longer values are cut.
constexpr std::size_t kMaxListText = 60;

const char *const kStyleNames[] = {"Bold", "Italic", "Underline", "Strikeout"};
const uint8_t kStyleBits[] = {ReportFont::Bold, ReportFont::Italic, ReportFont::Underline,
                              ReportFont::Strikeout};

// A decimal whole number: leading blanks, an optional sign, then digits only.
std::optional<int64_t> ParseDecimal(const std::string &text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    return negative ? -value : value;
}

std::vector<std::string> SplitAtCommas(std::string text) {
    if (text.size() > kMaxListText)
        text.resize(kMaxListText);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

// A whole 32-bit number; "0x"/"0X" followed by hexadecimal digits when the text is
// longer than two characters. Nothing for any other text.
std::optional<int32_t> ParseInteger(const std::string &text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint64_t value = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + uint64_t(digit);
            if (value > std::numeric_limits<uint32_t>::max())
                return std::nullopt;
        }
        // Eight hexadecimal digits are the number's 32 bits as they stand.
        return int32_t(uint32_t(value));
    }
    const auto value = ParseDecimal(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(*value);
}

// Red + green * 256 + blue * 65536 from "r,g,b"; black unless each of the first three
// parts is a whole number 0..255.
uint32_t ParseColour(const std::string &text) {
    const std::vector<std::string> parts = SplitAtCommas(text);
    if (parts.size() < 3)
        return 0;
    uint32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
        const auto value = ParseDecimal(parts[std::size_t(i)]);
        if (!value || *value < 0 || *value > 255)
            return 0;
        colour += uint32_t(*value) << (8 * i);
    }
    return colour;
}

std::string FormatColour(uint32_t colour) {
    const int64_t c = colour;
    const int64_t blue = c / 65536;
    const int64_t green = (c - blue * 65536) / 256;
    const int64_t red = c - blue * 65536 - green * 256;
    return std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue);
}

// The set of ReportFont::Style bits named in a comma-separated list.
uint8_t ParseStyle(const std::string &text) {
    uint8_t styles = 0;
    for (const std::string &part : SplitAtCommas(text))
        for (std::size_t i = 0; i < std::size(kStyleNames); ++i)
            if (CompareNames(part, kStyleNames[i]) == 0)
                styles |= kStyleBits[i];
    return styles;
}

std::string FormatStyle(uint8_t styles) {
    std::string text;
    for (std::size_t i = 0; i < std::size(kStyleNames); ++i) {
        if (!(styles & kStyleBits[i]))
            continue;
        if (!text.empty())
            text += ',';
        text += kStyleNames[i];
    }
    return text;
}

int ReadInteger(const IniFile &ini, const std::string &section, const std::string &key,
                int fallback) {
    return ParseInteger(ini.ReadString(section, key, {})).value_or(fallback);
}

// The three choices keep only the low byte of what the file says.
uint8_t ReadChoice(const IniFile &ini, const std::string &key) {
    return uint8_t(uint32_t(ReadInteger(ini, kPrefs, key, 0)) & 0xFF);
}

// Anything but exactly "N" is true.
bool ReadBool(const IniFile &ini, const std::string &key, bool fallback) {
    return ini.ReadString(kPrefs, key, fallback ? "Y" : "N") != "N";
}

void WriteBool(IniFile &ini, const std::string &key, bool value) {
    ini.WriteString(kPrefs, key, value ? "Y" : "N");
}

void WriteNumber(IniFile &ini, const std::string &section, const std::string &key, int value) {
    ini.WriteString(section, key, std::to_string(value));
}

} // namespace

void ReadSettings(const QString &path) {
    // A file that cannot be read counts as missing: everything takes its default.
    IniFile ini;
    if (!ini.Load(path))
        ini = IniFile{};

    TheReportFont.Name = ini.ReadString(kFont, "Name", "Arial").substr(0, kMaxFaceName);
    TheReportFont.Size = ReadInteger(ini, kFont, "Size", 10);
    TheReportFont.Colour = ParseColour(ini.ReadString(kFont, "Colour", "0,0,0"));
    TheReportFont.Styles = ParseStyle(ini.ReadString(kFont, "Style", {}));

    ClearQtys = ReadBool(ini, "ClearQtys", true);
    DeleteCat = ReadBool(ini, "DeleteCat", true);
    DeleteShop = ReadBool(ini, "DeleteShop", true);
    IDR_Sort = ReadChoice(ini, "IDR_Sort");
    IDR_Errors = ReadBool(ini, "IDR_Errors", true);
    FL_Sort = ReadChoice(ini, "FL_Sort");
    FL_Cat = ReadBool(ini, "FL_Cat", true);
    Item_Sort = ReadChoice(ini, "Item_Sort");
    List_Only = ReadBool(ini, "List_Only", true);
    SL_CatSort = ReadBool(ini, "SL_CatSort", true);
    FPlan_ShowCat = ReadBool(ini, "FPlan_ShowCat", false);
    FPlan_ShowOrder = ReadBool(ini, "FPlan_ShowOrder", false);
    FPlan_CatList = ReadBool(ini, "FPlan_CatList", false);
    MainBitMap = ReadBool(ini, "MainBitMap", true);
}

bool WriteSettings(const QString &path) {
    // The file's other sections, keys and comments are kept, so it is read first; a
    // file that is there but cannot be read is not overwritten.
    IniFile ini;
    if (!ini.Load(path))
        return false;

    ini.WriteString(kFont, "Name", TheReportFont.Name);
    WriteNumber(ini, kFont, "Size", TheReportFont.Size);
    ini.WriteString(kFont, "Colour", FormatColour(TheReportFont.Colour));
    ini.WriteString(kFont, "Style", FormatStyle(TheReportFont.Styles));

    WriteBool(ini, "ClearQtys", ClearQtys);
    WriteBool(ini, "DeleteCat", DeleteCat);
    WriteBool(ini, "DeleteShop", DeleteShop);
    WriteNumber(ini, kPrefs, "IDR_Sort", IDR_Sort);
    WriteBool(ini, "IDR_Errors", IDR_Errors);
    WriteNumber(ini, kPrefs, "FL_Sort", FL_Sort);
    WriteBool(ini, "FL_Cat", FL_Cat);
    WriteNumber(ini, kPrefs, "Item_Sort", Item_Sort);
    WriteBool(ini, "List_Only", List_Only);
    WriteBool(ini, "SL_CatSort", SL_CatSort);
    WriteBool(ini, "FPlan_ShowCat", FPlan_ShowCat);
    WriteBool(ini, "FPlan_ShowOrder", FPlan_ShowOrder);
    WriteBool(ini, "FPlan_CatList", FPlan_CatList);
    WriteBool(ini, "MainBitMap", MainBitMap);

    return ini.Save(path);
}
