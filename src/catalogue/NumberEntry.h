#pragma once
// Reading the numbers the user types: an item's pack size and price, kept as 4-byte floats,
// and the quantity wanted, kept in 16 bits. A number the field cannot hold is refused rather
// than changed.

#include "catalogue/Regional.h"

#include <cstdint>
#include <optional>
#include <string>

// The largest whole number up to which a 4-byte float holds every whole number exactly.
inline constexpr long MaxExactSize = 16777216;

// A pack size: a whole number from 0 to MaxExactSize, with an optional sign; blanks before
// it are allowed, nothing after it. None when the text is anything else.
std::optional<float> ParseSize(const std::string &text);

// The text a stored size is shown in for editing: a whole size that ParseSize takes is shown
// whole (the general format keeps 7 digits, and would show 12345678 as "1.234568E+07", which
// the entry then refuses); any other size in the general format.
std::string SizeEntryText(float size, const Regional &r = CurrentRegional());

// The largest price taken, so that no amount made from prices is ever infinite in a 4-byte
// float: neither a total of the whole catalogue at the largest quantity (32767 items of
// 32767 packs, 1.07e9 packs) nor the packs of size 1 that replace 32767 packs of the
// largest size (5.5e11 packs, in the analysis).
inline constexpr double MaxPrice = 1e26;

// A price: the empty text is 0 (no price known). Otherwise a number of 0 or more in the
// regional format: optional sign, digits, optional decimal separator and fraction, optional
// exponent; blanks around it allowed, no thousands separators. None when the text is
// anything else, above MaxPrice, so small that it would be stored as 0, or when the stored
// value would not show the cents that were typed (a 4-byte float shown with 7 digits keeps
// the cents only below 100,000).
std::optional<float> ParsePrice(const std::string &text, const Regional &r = CurrentRegional());

// A quantity: the empty text is 0; otherwise a whole number, optionally signed, blanks around
// it allowed, within the range a quantity holds (-32768..32767). None when the text is
// anything else.
std::optional<int16_t> ParseQuantity(const std::string &text);
