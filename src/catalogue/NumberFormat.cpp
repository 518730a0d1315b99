#include "catalogue/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

// Every number text starts from the value rounded to 7 significant digits, ties away from
// zero, worked out on the exact binary value. std::to_chars is used because it ignores the
// C locale, which a Qt program sets from the environment.

namespace {

constexpr int Precision = 7;

// A value as d1.d2d3... x 10^exponent, with exactly Precision digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Splits scientific text from to_chars ("1.2345e+07") into its digits and exponent.
void SplitScientific(const char *first, const char *last, std::string &digits, int &exponent) {
    digits.clear();
    const char *p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    exponent = 0;
    if (p != last)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exponent);
}

// Decides whether the digits after the kept ones round the kept digits up in magnitude.
// `more` are the digits after the kept ones in a 21-digit rendering, which is exact enough
// except when it reads as an exact half; then the full expansion decides.
bool RoundsUp(double magnitude, const std::string &more) {
    if (more.empty() || more[0] < '5')
        return false;
    if (more[0] > '5' || more.find_first_not_of('0', 1) != std::string::npos)
        return true;
    // "5000...": an exact half (round away from zero) or a value just below it that the
    // shorter rendering rounded up. Every double has an exact expansion of < 770 digits.
    static thread_local char exact[800];
    const auto r =
        std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 770);
    std::string digits;
    int exponent = 0;
    SplitScientific(exact, r.ptr, digits, exponent);
    return digits[Precision] >= '5';
}

Decimal RoundSignificant(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0) {
        d.digits.assign(Precision, '0');
        return d;
    }
    char text[64];
    const auto r =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 20);
    std::string all;
    SplitScientific(text, r.ptr, all, d.exponent);
    d.digits = all.substr(0, Precision);
    if (RoundsUp(magnitude, all.substr(Precision))) {
        int i = Precision - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits = "1" + std::string(Precision - 1, '0');
            ++d.exponent;
        }
    }
    return d;
}

bool IsZero(const Decimal &d) {
    return d.digits.find_first_not_of('0') == std::string::npos;
}

std::string StripTrailingZeros(std::string digits) {
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 1 : last + 1);
    return digits;
}

// Scientific notation: "1.5E+08", "1E-06": at least two exponent digits, a sign always.
std::string Scientific(const Decimal &d, char separator) {
    const std::string digits = StripTrailingZeros(d.digits);
    std::string text = d.negative ? "-" : "";
    text += digits[0];
    if (digits.size() > 1) {
        text += separator;
        text.append(digits, 1);
    }
    text += 'E';
    text += d.exponent < 0 ? '-' : '+';
    const int e = std::abs(d.exponent);
    if (e < 10)
        text += '0';
    text += std::to_string(e);
    return text;
}

// Whether the rounded value needs more integer digits than a fixed text may show.
bool TooLongForFixed(const Decimal &d) {
    return !IsZero(d) && d.exponent >= Precision;
}

// The rounded value with exactly `decimals` decimals, as its integer and decimal digits.
// The second rounding works on the 7 decimal digits, so 2.675 becomes 2.68.
void FixedDigits(const Decimal &d, int decimals, std::string &whole, std::string &fraction) {
    std::string n; // the value times 10^decimals, as decimal digits
    if (!IsZero(d)) {
        const long keep = static_cast<long>(d.exponent) + decimals + 1;
        if (keep >= Precision) {
            n = d.digits + std::string(static_cast<std::size_t>(keep - Precision), '0');
        } else if (keep >= 0) {
            n = d.digits.substr(0, static_cast<std::size_t>(keep));
            if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
                long i = keep - 1;
                while (i >= 0 && n[static_cast<std::size_t>(i)] == '9')
                    n[static_cast<std::size_t>(i--)] = '0';
                if (i >= 0)
                    ++n[static_cast<std::size_t>(i)];
                else
                    n.insert(n.begin(), '1');
            }
        }
    }
    const auto first = n.find_first_not_of('0');
    n = first == std::string::npos ? std::string() : n.substr(first);
    if (n.size() < static_cast<std::size_t>(decimals) + 1)
        n.insert(0, static_cast<std::size_t>(decimals) + 1 - n.size(), '0');
    whole = n.substr(0, n.size() - static_cast<std::size_t>(decimals));
    fraction = n.substr(n.size() - static_cast<std::size_t>(decimals));
}

bool AllZero(const std::string &whole, const std::string &fraction) {
    return whole.find_first_not_of('0') == std::string::npos &&
           fraction.find_first_not_of('0') == std::string::npos;
}

// What a value that is no finite number shows as: only a file can hold one, and the user
// can make nothing of "NAN" or "INF".
std::string NotANumber(double) {
    return "?";
}

std::string GroupThousands(const std::string &whole, char separator) {
    if (separator == '\0' || whole.size() <= 3)
        return whole;
    std::string text;
    const std::size_t lead = whole.size() % 3 == 0 ? 3 : whole.size() % 3;
    text.append(whole, 0, lead);
    for (std::size_t i = lead; i < whole.size(); i += 3) {
        text += separator;
        text.append(whole, i, 3);
    }
    return text;
}

// Places the symbol around an amount, following the regional patterns for positive
// and negative amounts.
std::string PlaceSymbol(const std::string &amount, bool negative, const Regional &r) {
    const std::string &s = r.CurrencySymbol;
    const std::string &n = amount;
    if (!negative) {
        switch (r.CurrencyFormat) {
        case 1:
            return n + s;
        case 2:
            return s + " " + n;
        case 3:
            return n + " " + s;
        default:
            return s + n;
        }
    }
    switch (r.NegCurrFormat) {
    case 0:
        return "(" + s + n + ")";
    case 2:
        return s + "-" + n;
    case 3:
        return s + n + "-";
    case 4:
        return "(" + n + s + ")";
    case 5:
        return "-" + n + s;
    case 6:
        return n + "-" + s;
    case 7:
        return n + s + "-";
    case 8:
        return "-" + n + " " + s;
    case 9:
        return "-" + s + " " + n;
    case 10:
        return n + " " + s + "-";
    case 11:
        return s + " " + n + "-";
    case 12:
        return s + " -" + n;
    case 13:
        return n + "- " + s;
    case 14:
        return "(" + s + " " + n + ")";
    case 15:
        return "(" + n + " " + s + ")";
    default: // 1, and anything the settings should never hold
        return "-" + s + n;
    }
}

} // namespace

std::string FormatGeneral(double value, const Regional &r) {
    if (!std::isfinite(value))
        return NotANumber(value);
    if (value == 0)
        return "0";
    const Decimal d = RoundSignificant(value);
    if (d.exponent < -5 || d.exponent >= Precision)
        return Scientific(d, r.DecimalSeparator);

    const std::string digits = StripTrailingZeros(d.digits);
    std::string whole;
    std::string fraction;
    if (d.exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(d.exponent) + 1;
        whole = digits.substr(0, std::min(wholeDigits, digits.size()));
        if (whole.size() < wholeDigits)
            whole.append(wholeDigits - whole.size(), '0');
        if (digits.size() > wholeDigits)
            fraction = digits.substr(wholeDigits);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
    }
    std::string text = d.negative ? "-" : "";
    text += whole;
    if (!fraction.empty())
        text += r.DecimalSeparator + fraction;
    return text;
}

namespace {

// A value in fixed notation with `decimals` decimals, split for the caller to assemble;
// false (with `text` set) when the value must show otherwise: not a number, or too long.
struct FixedParts {
    std::string whole;
    std::string fraction;
    bool negative = false; // and not rounded to zero, so it shows a sign
};

bool SplitFixed(double value, int decimals, const Regional &r, FixedParts &parts,
                std::string &text) {
    if (!std::isfinite(value)) {
        text = NotANumber(value);
        return false;
    }
    const Decimal d = RoundSignificant(value);
    if (TooLongForFixed(d)) {
        text = Scientific(d, r.DecimalSeparator);
        return false;
    }
    FixedDigits(d, std::max(decimals, 0), parts.whole, parts.fraction);
    parts.negative = d.negative && !AllZero(parts.whole, parts.fraction);
    return true;
}

} // namespace

std::string FormatFixed(double value, int decimals, const Regional &r) {
    FixedParts parts;
    std::string text;
    if (!SplitFixed(value, decimals, r, parts, text))
        return text;
    text = parts.negative ? "-" : "";
    text += parts.whole;
    if (decimals > 0)
        text += r.DecimalSeparator + parts.fraction;
    return text;
}

std::string FormatCurrency(double value, const Regional &r, int decimals) {
    FixedParts parts;
    std::string text;
    if (!SplitFixed(value, decimals, r, parts, text))
        return text;
    std::string amount = GroupThousands(parts.whole, r.ThousandSeparator);
    if (decimals > 0)
        amount += r.DecimalSeparator + parts.fraction;
    return PlaceSymbol(amount, parts.negative, r);
}

double SingleToDouble(float value) {
    const double wide = value;
    if (!std::isfinite(wide) || wide == 0)
        return wide;
    const Decimal d = RoundSignificant(wide);
    // "1100000e-6": digits and an exponent, no decimal point, so the locale cannot interfere.
    const std::string text = d.digits + "e" + std::to_string(d.exponent - (Precision - 1));
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return d.negative ? -result : result;
}

ShownDecimal ShownDigits(double value) {
    ShownDecimal shown;
    if (!std::isfinite(value) || value == 0)
        return shown;
    const Decimal d = RoundSignificant(value);
    shown.digits = std::stoll(d.digits);
    shown.exponent = d.exponent - (Precision - 1);
    if (d.negative)
        shown.digits = -shown.digits;
    return shown;
}
