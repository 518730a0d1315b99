#pragma once
// The user's preferences, each named like its key in Shopping.ini, and the report font.
// One table lists every value of the settings file with its section, key, variable,
// default and kind; the defaults, the way a value is read and the order in which the keys
// are written all come from it. The variables hold their defaults from the program's start.

#include <cstdint>
#include <span>
#include <string>
#include <variant>

struct ReportFont {
    enum Style : uint8_t { Bold = 1, Italic = 2, Underline = 4, Strikeout = 8 };
    std::string Name;
    int Size = 0;        // points
    uint32_t Colour = 0; // red in the low byte, then green, then blue
    uint8_t Styles = 0;  // set of Style bits
    bool operator==(const ReportFont &) const = default;
};

extern ReportFont TheReportFont;

extern bool ClearQtys;
extern bool DeleteCat;
extern bool DeleteShop;
extern uint8_t IDR_Sort;
extern bool IDR_Errors;
extern uint8_t FL_Sort;
extern bool FL_Cat;
extern uint8_t Item_Sort;
extern bool List_Only;
extern bool SL_CatSort;
extern bool FPlan_ShowCat;
extern bool FPlan_ShowOrder;
extern bool FPlan_CatList;
extern bool MainBitMap;

// How a value is stored as text in the file.
enum class PrefKind : uint8_t {
    Flag,     // "Y" or "N"; anything but exactly "N" reads as Y
    Choice,   // a whole number (decimal, or 0x and hexadecimal) of which the low byte is kept
    Number,   // a whole number as for Choice; text that is no number gives the default
    FaceName, // text, at most 255 bytes
    Colour,   // "r,g,b": black unless the first three parts are whole numbers 0..255
    Style,    // style names separated by commas ("Bold,Italic"), in any capitals
};

struct Preference {
    const char *section;
    const char *key;
    PrefKind kind;
    // The variable the value lives in; its type follows from the kind (Flag: bool,
    // Choice and Style: uint8_t, Number: int, FaceName: std::string, Colour: uint32_t).
    std::variant<bool *, uint8_t *, int *, std::string *, uint32_t *> variable;
    // The value as the file would hold it; a missing key reads as this text.
    const char *defaultText;

    // Sets the variable from the file's text by the kind's reading rule.
    void Read(const std::string &text) const;
    // The variable's value as the file holds it.
    std::string Text() const;
};

// Every value of the settings file, in the order they are written.
std::span<const Preference> PreferenceTable();

// Puts every preference and the report font back to its default.
void ResetPreferences();
