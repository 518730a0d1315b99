#pragma once
// The line-oriented page engine the reports share: a current line turned into a y
// position, margins and line height measured from the report font, a rule, a row of six
// column slots, numbers aligned on their decimal separator, and the page-break test.
//
// Rows of column slots are held until their page is complete (NewPage or End), then placed
// together: each slot where its layout puts it, unless a text of that page would run into
// the next text of its row; that column is then widened, for this page only, so no text
// ever draws over another. Columns a widening would push off the paper move back left into
// room that the columns before them do not need.

#include "reports/ReportCanvas.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Six x positions; slots 1 to 4 always start at their x, slots 5 and 6 either start at it
// or are aligned on it: the first decimal separator of their number at x, a text without
// one centred on x.
struct ColumnLayout {
    std::array<int, 6> x{};
    bool alignFive = false;
    bool alignSix = false;
    bool operator==(const ColumnLayout &) const = default;
};

using RowTexts = std::array<std::string, 6>;

// Rounds to the nearest integer, halves to even.
int RoundEven(double value);

class ReportEngine {
public:
    explicit ReportEngine(ReportCanvas &canvas) : canvas_(canvas) {}

    // Starts the job with its title and measures the line height (the height of "W" times
    // `lineFactor`), the margins and the space kept free at the bottom (`bottomLines`
    // lines). False when the printer refused the job.
    bool Start(const std::string &title, double lineFactor, int bottomLines);
    // Places the rows of the last page and ends the job.
    void End();

    // The y of the current line's top.
    int LineTop() const { return LineNo * LineHeight + TopMargin; }
    // False when the current line lies in the space kept free at the bottom of the page.
    bool LineFits() const { return canvas_.PageHeight() - BottomMargin >= LineTop(); }
    // True when `lines` more lines from the current one still lie on the page.
    bool Room(int lines) const { return LineTop() + lines * LineHeight <= canvas_.PageHeight(); }
    // Places the rows of the page, ends it and starts the next at line 1.
    void NewPage();

    // A line across the page along the top of the current line, which it takes up.
    void PrintRule();
    // Prints each non-empty text in its slot on the current line, in the current font
    // style, when the page is complete; the line stays current.
    void PrintRow(const ColumnLayout &layout, const RowTexts &texts);
    // The least room between two texts of a row: half a W, so they never read as one.
    int ColumnGap() { return RoundEven(canvas_.TextWidth("W") * 0.5); }

    int Width(const std::string &text) { return canvas_.TextWidth(text); }
    ReportCanvas &Canvas() { return canvas_; }

    int LineHeight = 0;
    int LineNo = 1;
    int PageNo = 1;
    int LeftMargin = 0;
    int RightMargin = 0;
    int TopMargin = 0;
    int BottomMargin = 0;

private:
    // A row waiting for its page, measured in its own font style: how far each text
    // reaches left and right of its slot's x.
    struct HeldRow {
        int y = 0;
        uint8_t style = 0;
        RowTexts texts;
        std::array<int, 6> lead{};
        std::array<int, 6> tail{};
    };
    // How far left of x an aligned text starts.
    int AlignOffset(const std::string &text);
    // Where each slot goes on this page (see the header's note).
    std::array<int, 6> PlaceSlots(int gap) const;
    void PlaceRows();

    ReportCanvas &canvas_;
    ColumnLayout layout_; // of the held rows
    std::vector<HeldRow> held_;
};

// Adds a style (bold, italic) to the canvas font for as long as it lives.
class AddedStyle {
public:
    AddedStyle(ReportCanvas &canvas, uint8_t style) : canvas_(canvas), saved_(canvas.FontStyle()) {
        canvas_.SetFontStyle(saved_ | style);
    }
    ~AddedStyle() { canvas_.SetFontStyle(saved_); }
    AddedStyle(const AddedStyle &) = delete;
    AddedStyle &operator=(const AddedStyle &) = delete;

private:
    ReportCanvas &canvas_;
    uint8_t saved_;
};
