#pragma once
// The user's regional settings for numbers and money, read once at start-up.

#include <string>

struct Regional {
    std::string CurrencySymbol = "$";
    // Placement of the symbol for positive amounts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int CurrencyFormat = 0;
    // Negative currency pattern as numbered on Windows (0 "($1)", 1 "-$1", ... 15 "(1 $)").
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    char DecimalSeparator = '.';
    char ThousandSeparator = ','; // '\0': amounts are not grouped
    std::string ShortDateFormat = "M/d/yyyy";

    // English (United States): what the C/POSIX locale falls back to.
    static Regional EnglishUS() { return Regional{}; }
};

// The settings every number text is made from. Tests set their own.
const Regional &CurrentRegional();
void SetCurrentRegional(const Regional &regional);
