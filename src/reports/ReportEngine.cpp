#include "reports/ReportEngine.h"

#include "catalogue/Regional.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

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

void ReportEngine::End() {
    PlaceRows();
    canvas_.EndDoc();
}

void ReportEngine::NewPage() {
    PlaceRows();
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

int ReportEngine::AlignOffset(const std::string &text) {
    // Amounts are aligned on the regional decimal separator, which is what the fixed and
    // currency texts carry; with a "." that is the first point of the text. A currency
    // symbol before the amount may hold the same character ("B/."), so the search starts at
    // the amount's first digit.
    const std::size_t digit = text.find_first_of("0123456789");
    const std::size_t point = digit == std::string::npos
                                  ? std::string::npos
                                  : text.find(CurrentRegional().DecimalSeparator, digit);
    return point == std::string::npos ? RoundEven(canvas_.TextWidth(text) * 0.5)
                                      : canvas_.TextWidth(text.substr(0, point));
}

void ReportEngine::PrintRow(const ColumnLayout &layout, const RowTexts &texts) {
    if (!held_.empty() && !(layout == layout_))
        PlaceRows(); // each layout is widened on its own
    layout_ = layout;
    HeldRow row{LineTop(), canvas_.FontStyle(), texts, {}, {}};
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        const std::string &text = texts[slot];
        if (text.empty())
            continue;
        const bool aligned = (slot == 4 && layout.alignFive) || (slot == 5 && layout.alignSix);
        row.lead[slot] = aligned ? AlignOffset(text) : 0;
        row.tail[slot] = canvas_.TextWidth(text) - row.lead[slot];
    }
    held_.push_back(std::move(row));
}

std::array<int, 6> ReportEngine::PlaceSlots(int gap) const {
    constexpr std::size_t n = 6;
    using Slots = std::array<int, n>;
    constexpr int none = INT_MIN;
    // span[i][j]: how far right of slot i slot j must stand, gap aside, for the rows of this
    // page in which no text lies between the two.
    std::array<Slots, n> span;
    for (Slots &from : span)
        from.fill(none);
    Slots lead{}, tail{};
    std::array<bool, n> used{};
    for (const HeldRow &row : held_) {
        std::size_t before = n;
        for (std::size_t slot = 0; slot < n; ++slot) {
            if (row.texts[slot].empty())
                continue;
            used[slot] = true;
            lead[slot] = std::max(lead[slot], row.lead[slot]);
            tail[slot] = std::max(tail[slot], row.tail[slot]);
            if (before < n)
                span[before][slot] =
                    std::max(span[before][slot], row.tail[before] + row.lead[slot]);
            before = slot;
        }
    }
    // Each slot at `from`, or right of what stands before it.
    const auto widened = [&](Slots from, int room) {
        for (std::size_t j = 0; j < n; ++j)
            for (std::size_t i = 0; i < j; ++i)
                if (span[i][j] != none)
                    from[j] = std::max(from[j], from[i] + span[i][j] + room);
        return from;
    };
    // How far right a slot may stand for its texts to end by `right`; a slot whose texts
    // pass that where the layout puts it may stay there, as long as they end on the paper.
    const int margin = canvas_.PageWidth() - RightMargin;
    const int paper = canvas_.PageWidth();
    const auto furthest = [&](std::size_t k, int right) {
        return std::max(right - tail[k], std::min(layout_.x[k], paper - tail[k]));
    };

    const Slots x = widened(layout_.x, gap);
    bool inMargins = true;
    for (std::size_t k = 0; k < n; ++k)
        inMargins = inMargins && (!used[k] || x[k] <= furthest(k, margin));
    if (inMargins)
        return x;

    // A widened column must not push the ones after it off the paper: the slots move back
    // left into room that the columns before them do not need, as little as they can. Texts
    // too wide for the room between the margins use the right margin too, and then stand
    // closer together.
    Slots packed{};
    for (const auto &[room, right] :
         {std::pair{gap, margin}, std::pair{gap, paper}, std::pair{RoundEven(gap * 0.5), paper}}) {
        Slots start{};
        for (std::size_t k = 0; k < n; ++k)
            start[k] = LeftMargin + lead[k];
        packed = widened(start, room);
        Slots back = widened(layout_.x, room);
        bool fits = true;
        for (std::size_t k = n; k-- > 0;) {
            if (!used[k])
                continue;
            back[k] = std::min(back[k], furthest(k, right));
            for (std::size_t j = k + 1; j < n; ++j)
                if (span[k][j] != none)
                    back[k] = std::min(back[k], back[j] - span[k][j] - room);
            fits = fits && back[k] >= packed[k];
        }
        if (fits)
            return back;
    }
    // Too wide for the paper: packed as close as they may stand, running off it the least.
    return packed;
}

void ReportEngine::PlaceRows() {
    if (held_.empty())
        return;
    const uint8_t style = canvas_.FontStyle();
    const std::array<int, 6> x = PlaceSlots(ColumnGap());
    for (const HeldRow &row : held_) {
        canvas_.SetFontStyle(row.style);
        for (std::size_t slot = 0; slot < row.texts.size(); ++slot)
            if (!row.texts[slot].empty())
                canvas_.TextOut(x[slot] - row.lead[slot], row.y, row.texts[slot]);
    }
    canvas_.SetFontStyle(style);
    held_.clear();
}
