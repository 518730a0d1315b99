#pragma once
// The user's preferences, each named like its key in Shopping.ini, and the report font.
// They hold their defaults until the settings file is read.

#include <cstdint>
#include <string>

struct ReportFont {
    enum Style : uint8_t { Bold = 1, Italic = 2, Underline = 4, Strikeout = 8 };
    std::string Name = "Arial";
    int Size = 10;       // points
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

// Puts every preference and the report font back to its default.
void ResetPreferences();
