#include "settings/Preferences.h"

#include "catalogue/ShopData.h"

#include <array>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

ReportFont TheReportFont;

bool ClearQtys;
bool DeleteCat;
bool DeleteShop;
uint8_t IDR_Sort;
bool IDR_Errors;
uint8_t FL_Sort;
bool FL_Cat;
uint8_t Item_Sort;
bool List_Only;
bool SL_CatSort;
bool FPlan_ShowCat;
bool FPlan_ShowOrder;
bool FPlan_CatList;
bool MainBitMap;

namespace {

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

Preference Entry(const char *section, const char *key, PrefKind kind,
                 decltype(Preference::variable) variable, const char *defaultText) {
    return Preference{section, key, kind, variable, defaultText};
}

Preference Font(const char *key, PrefKind kind, decltype(Preference::variable) variable,
                const char *defaultText) {
    return Entry("Font", key, kind, variable, defaultText);
}

Preference Pref(const char *key, PrefKind kind, decltype(Preference::variable) variable,
                const char *defaultText) {
    return Entry("Prefs", key, kind, variable, defaultText);
}

using enum PrefKind;

const std::array kTable = {
    Font("Name", FaceName, &TheReportFont.Name, "Arial"),
    Font("Size", Number, &TheReportFont.Size, "10"),
    Font("Colour", Colour, &TheReportFont.Colour, "0,0,0"),
    Font("Style", Style, &TheReportFont.Styles, ""),
    Pref("ClearQtys", Flag, &ClearQtys, "Y"),
    Pref("DeleteCat", Flag, &DeleteCat, "Y"),
    Pref("DeleteShop", Flag, &DeleteShop, "Y"),
    Pref("IDR_Sort", Choice, &IDR_Sort, "0"),
    Pref("IDR_Errors", Flag, &IDR_Errors, "Y"),
    Pref("FL_Sort", Choice, &FL_Sort, "0"),
    Pref("FL_Cat", Flag, &FL_Cat, "Y"),
    Pref("Item_Sort", Choice, &Item_Sort, "0"),
    Pref("List_Only", Flag, &List_Only, "Y"),
    Pref("SL_CatSort", Flag, &SL_CatSort, "Y"),
    Pref("FPlan_ShowCat", Flag, &FPlan_ShowCat, "N"),
    Pref("FPlan_ShowOrder", Flag, &FPlan_ShowOrder, "N"),
    Pref("FPlan_CatList", Flag, &FPlan_CatList, "N"),
    Pref("MainBitMap", Flag, &MainBitMap, "Y"),
};

// The variables start with their defaults, before anything else of the program runs.
[[maybe_unused]] const bool kDefaultsSet = (ResetPreferences(), true);

} // namespace

void Preference::Read(const std::string &text) const {
    switch (kind) {
    case Flag:
        *std::get<bool *>(variable) = text != "N";
        return;
    case Choice:
        *std::get<uint8_t *>(variable) = uint8_t(uint32_t(ParseInteger(text).value_or(0)) & 0xFF);
        return;
    case Number:
        *std::get<int *>(variable) =
            ParseInteger(text).value_or(ParseInteger(defaultText).value_or(0));
        return;
    case FaceName:
        *std::get<std::string *>(variable) = text.substr(0, kMaxFaceName);
        return;
    case Colour:
        *std::get<uint32_t *>(variable) = ParseColour(text);
        return;
    case Style:
        *std::get<uint8_t *>(variable) = ParseStyle(text);
        return;
    }
}

std::string Preference::Text() const {
    switch (kind) {
    case Flag:
        return *std::get<bool *>(variable) ? "Y" : "N";
    case Choice:
        return std::to_string(*std::get<uint8_t *>(variable));
    case Number:
        return std::to_string(*std::get<int *>(variable));
    case FaceName:
        return *std::get<std::string *>(variable);
    case Colour:
        return FormatColour(*std::get<uint32_t *>(variable));
    case Style:
        return FormatStyle(*std::get<uint8_t *>(variable));
    }
    return {};
}

std::span<const Preference> PreferenceTable() {
    return kTable;
}

void ResetPreferences() {
    for (const Preference &p : kTable)
        p.Read(p.defaultText);
}
