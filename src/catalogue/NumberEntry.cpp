#include "catalogue/NumberEntry.h"

#include "catalogue/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips the blanks at `pos`.
void SkipBlanks(const std::string &text, std::size_t &pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// An optional sign at `pos`; true when it is a minus.
bool ReadSign(const std::string &text, std::size_t &pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        return text[pos++] == '-';
    return false;
}

// Copies the digits at `pos` to `out`; returns how many there were.
std::size_t ReadDigits(const std::string &text, std::size_t &pos, std::string &out) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out.push_back(text[pos++]);
    return pos - start;
}

} // namespace

std::optional<float> ParseSize(const std::string &text) {
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    const bool negative = ReadSign(text, pos);
    std::string digits;
    if (ReadDigits(text, pos, digits) == 0 || pos != text.size())
        return std::nullopt;
    // Leading zeros do not count against the limit; any longer number is beyond it.
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0.0f; // also "-0"
    if (negative || digits.size() - first > 8)
        return std::nullopt;
    const long value = std::stol(digits.substr(first));
    if (value > MaxExactSize)
        return std::nullopt;
    return static_cast<float>(value);
}

std::string SizeEntryText(float size, const Regional &r) {
    if (size >= 0 && size <= float(MaxExactSize) && size == std::floor(size))
        return std::to_string(static_cast<long>(size));
    return FormatGeneral(SingleToDouble(size), r);
}

std::optional<float> ParsePrice(const std::string &text, const Regional &r) {
    if (text.empty())
        return 0.0f;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    // Rebuilt with a point and read with from_chars, which ignores the C locale.
    std::string number;
    if (ReadSign(text, pos))
        number.push_back('-');
    std::size_t mantissa = ReadDigits(text, pos, number);
    if (pos < text.size() && text[pos] == r.DecimalSeparator) {
        ++pos;
        number.push_back('.');
        mantissa += ReadDigits(text, pos, number);
    }
    if (mantissa == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        number.push_back('e');
        if (ReadSign(text, pos))
            number.push_back('-');
        if (ReadDigits(text, pos, number) == 0)
            return std::nullopt;
    }
    SkipBlanks(text, pos);
    if (pos != text.size())
        return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    if (value < 0 || value > MaxPrice)
        return std::nullopt;
    if (value == 0)
        return 0.0f; // "-0" is stored as 0
    const auto stored = static_cast<float>(value);
    // A price is shown to the cent from what the float holds: one that would show other
    // cents than were typed is refused, and so is one so small it would store as 0, which
    // means "no price known".
    if (stored == 0 || std::round(value * 100) != std::round(SingleToDouble(stored) * 100))
        return std::nullopt;
    return stored;
}

std::optional<int16_t> ParseQuantity(const std::string &text) {
    if (text.empty())
        return 0;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    const bool negative = ReadSign(text, pos);
    std::string digits;
    if (ReadDigits(text, pos, digits) == 0)
        return std::nullopt;
    SkipBlanks(text, pos);
    if (pos != text.size())
        return std::nullopt;
    // Leading zeros aside, more than five digits is beyond the range in any case.
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    if (digits.size() - first > 5)
        return std::nullopt;
    const long magnitude = std::stol(digits.substr(first));
    const long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(value);
}
