#include "reports/ReportEngine.h"

#include "catalogue/Regional.h"

#include <cmath>

int RoundEven(double value) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

bool ReportEngine::Start(const std::string &title, double lineFactor, int bottomLines) {
    canvas_.SetBrushClear();
    canvas_.SetTitle(title);
    if (!canvas_.BeginDoc())
        return false;
    LineHeight = RoundEven(canvas_.TextHeight("W") * lineFactor);
    LeftMargin = RightMargin = canvas_.TextWidth("WWWW");
    TopMargin = 4 * LineHeight;
    BottomMargin = bottomLines * LineHeight;
    LineNo = 1;
    PageNo = 1;
    return true;
}

void ReportEngine::NewPage() {
    canvas_.NewPage();
    LineNo = 1;
    ++PageNo;
}

void ReportEngine::PrintRule() {
    const int y = LineTop();
    canvas_.MoveTo(LeftMargin, y);
    canvas_.LineTo(canvas_.PageWidth() - RightMargin, y);
    ++LineNo;
}

void ReportEngine::PrintAligned(int x, const std::string &text) {
    if (text.empty())
        return;
    // Amounts are aligned on the regional decimal separator, which is what the fixed and
    // currency texts carry; with a "." that is the first point of the text. A currency
    // symbol before the amount may hold the same character ("B/."), so the search starts at
    // the amount's first digit.
    const std::size_t digit = text.find_first_of("0123456789");
    const std::size_t point = digit == std::string::npos
                                  ? std::string::npos
                                  : text.find(CurrentRegional().DecimalSeparator, digit);
    const int offset = point == std::string::npos ? RoundEven(canvas_.TextWidth(text) * 0.5)
                                                  : canvas_.TextWidth(text.substr(0, point));
    canvas_.TextOut(x - offset, LineTop(), text);
}

void ReportEngine::PrintRow(const ColumnLayout &layout, const RowTexts &texts) {
    const int y = LineTop();
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        const std::string &text = texts[slot];
        if (text.empty())
            continue;
        const bool aligned = (slot == 4 && layout.alignFive) || (slot == 5 && layout.alignSix);
        if (aligned)
            PrintAligned(layout.x[slot], text);
        else
            canvas_.TextOut(layout.x[slot], y, text);
    }
}
