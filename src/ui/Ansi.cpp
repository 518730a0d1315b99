#include "ui/Ansi.h"

#include "ui/Seam.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <array>

namespace ui {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes that have no character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte for a character, or -1 when Windows-1252 has none.
int ByteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0 && kHigh[i] == c)
            return static_cast<int>(0x80 + i);
    // The five bytes without a character round-trip as the control of the same number.
    if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0)
        return c;
    return -1;
}

// Takes out what the file cannot hold and beeps once for the input that brought it, a
// key or a paste, so a refused character never vanishes unnoticed. The rest of a paste
// is kept ("Tofu 豆腐" gives "Tofu "), and the cursor stays behind what was kept.
class AnsiValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override {
        if (IsAnsi(input))
            return Acceptable;
        QString kept;
        kept.reserve(input.size());
        int keptBeforeCursor = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (ByteFor(input[i].unicode()) < 0)
                continue;
            kept.append(input[i]);
            if (i < pos)
                ++keptBeforeCursor;
        }
        input = kept;
        pos = keptBeforeCursor;
        Beep();
        return Acceptable;
    }
};

} // namespace

QString FromAnsi(const std::string &bytes) {
    // Outside 0x80..0x9F the two character sets agree with Latin-1, which Qt converts fast.
    if (std::none_of(bytes.begin(), bytes.end(),
                     [](char b) { return static_cast<unsigned char>(b) - 0x80u < 0x20u; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Filled in place: lists convert every name of the catalogue at once.
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *to = out.data();
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b <= 0x9F)
            *to++ = QChar(kHigh[b - 0x80] ? kHigh[b - 0x80] : char16_t(b));
        else
            *to++ = QChar(char16_t(b));
    }
    return out;
}

std::string ToAnsi(const QString &text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF);
        }))
        return text.toLatin1().toStdString();
    std::string out(static_cast<std::size_t>(text.size()), '\0');
    char *to = out.data();
    for (QChar c : text) {
        const int b = ByteFor(c.unicode());
        *to++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return out;
}

bool IsAnsi(const QString &text) {
    for (QChar c : text)
        if (ByteFor(c.unicode()) < 0)
            return false;
    return true;
}

void MakeAnsiEdit(QLineEdit *edit, int maxLength) {
    edit->setMaxLength(maxLength);
    edit->setValidator(new AnsiValidator(edit));
}

} // namespace ui
