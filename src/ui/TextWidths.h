#pragma once
// Widths of Windows-1252 texts in one font, added up from the width of each character.
// Laying out a text to measure it takes microseconds, and a list that sizes its columns
// to what it holds may hold 32767 rows; adding up widths from a table takes nanoseconds.
// Kerning is left out, which makes a text measure at most a pixel or two wider than it
// draws: a column may be that much wider, never too narrow.

#include <QFontMetricsF>

#include <array>
#include <string_view>

namespace ui {

class TextWidths {
public:
    explicit TextWidths(const QFont &font) : metrics_(font) { width_.fill(-1); }

    // In whole pixels, rounded up.
    int Of(std::string_view text);

private:
    QFontMetricsF metrics_;
    std::array<qreal, 256> width_; // by byte, measured when first met; -1 until then
};

} // namespace ui
