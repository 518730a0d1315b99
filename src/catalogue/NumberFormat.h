#pragma once
// Number texts: general format (7 significant digits) and currency format.

#include "catalogue/Regional.h"

#include <string>

// 7 significant digits, trailing zeros dropped; scientific ("1.5E+08") when the value is
// below 0.00001 in magnitude or has more than 7 digits before the decimal separator.
std::string FormatGeneral(double value, const Regional &r = CurrentRegional());
// The regional currency format with `decimals` decimals (2 unless stated).
std::string FormatCurrency(double value, const Regional &r = CurrentRegional(), int decimals = 2);
// Fixed notation with the given decimals and no thousands separators.
std::string FormatFixed(double value, int decimals, const Regional &r = CurrentRegional());
// A single widened to double and kept at 7 significant digits, so a stored 1.1 is 1.1.
double SingleToDouble(float value);

// A finite value as the general format shows it: `digits` times ten to the `exponent`, with
// at most 7 significant digits (0 is 0e0), for exact arithmetic on what the user sees.
struct ShownDecimal {
    long long digits = 0; // negative for a negative value
    int exponent = 0;
};
ShownDecimal ShownDigits(double value);
