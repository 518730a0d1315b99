#include "floorplan/PlanGeometry.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace plan {

namespace {

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

bool DragsLeftEdge(uint8_t kind) {
    return kind == dkTopLeft || kind == dkBottomLeft;
}
bool DragsTopEdge(uint8_t kind) {
    return kind == dkTopLeft || kind == dkTopRight;
}

// The left-right and top-bottom mirrors of a corner.
uint8_t MirrorLeftRight(uint8_t kind) {
    switch (kind) {
    case dkTopLeft:
        return dkTopRight;
    case dkTopRight:
        return dkTopLeft;
    case dkBottomLeft:
        return dkBottomRight;
    case dkBottomRight:
        return dkBottomLeft;
    }
    return kind;
}

uint8_t MirrorTopBottom(uint8_t kind) {
    switch (kind) {
    case dkTopLeft:
        return dkBottomLeft;
    case dkBottomLeft:
        return dkTopLeft;
    case dkTopRight:
        return dkBottomRight;
    case dkBottomRight:
        return dkTopRight;
    }
    return kind;
}

// An edge dragged onto the opposite one goes one grid step beyond it.
void SeparateEdges(int32_t &dragged, int32_t other) {
    if (dragged == other)
        dragged = Clamp32(int64_t{other} + GridStep);
}

} // namespace

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp(v, kMin32, kMax32));
}

int32_t Snap(int64_t v) {
    // Saturate to the outermost grid lines a 32-bit coordinate can hold.
    constexpr int64_t lastLine = kMax32 / GridStep;
    return static_cast<int32_t>(std::clamp(DivideRoundHalfEven(v, GridStep), -lastLine, lastLine) *
                                GridStep);
}

bool Contains(const TRect &r, int64_t x, int64_t y) {
    return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom;
}

Grab GrabAt(const TRect &r, int64_t x, int64_t y) {
    const bool nearLeft = x < int64_t{r.Left} + 5;
    const bool nearTop = y < int64_t{r.Top} + 5;
    const bool nearRight = x > int64_t{r.Right} - 5;
    const bool nearBottom = y > int64_t{r.Bottom} - 5;
    if (nearLeft && nearTop)
        return {dkTopLeft, x - r.Left, y - r.Top};
    if (nearRight && nearTop)
        return {dkTopRight, x - r.Right, y - r.Top};
    if (nearLeft && nearBottom)
        return {dkBottomLeft, x - r.Left, y - r.Bottom};
    if (nearRight && nearBottom)
        return {dkBottomRight, x - r.Right, y - r.Bottom};
    return {dkMove, x - r.Left, y - r.Top};
}

TRect Moved(const TRect &r, int64_t x, int64_t y, const Grab &grab) {
    const int64_t width = int64_t{r.Right} - r.Left;
    const int64_t height = int64_t{r.Bottom} - r.Top;
    TRect moved;
    moved.Left = Snap(x - grab.GrabX);
    moved.Top = Snap(y - grab.GrabY);
    moved.Right = Clamp32(moved.Left + width);
    moved.Bottom = Clamp32(moved.Top + height);
    return moved;
}

TRect Resized(const TRect &r, int64_t x, int64_t y, Grab &grab) {
    TRect sized = r;
    const int32_t edgeX = Snap(x - grab.GrabX);
    const int32_t edgeY = Snap(y - grab.GrabY);
    (DragsLeftEdge(grab.Kind) ? sized.Left : sized.Right) = edgeX;
    (DragsTopEdge(grab.Kind) ? sized.Top : sized.Bottom) = edgeY;
    KeepProper(sized, grab.Kind);
    return sized;
}

void KeepProper(TRect &r, uint8_t &kind) {
    if (kind == dkMove)
        return;
    if (DragsLeftEdge(kind))
        SeparateEdges(r.Left, r.Right);
    else
        SeparateEdges(r.Right, r.Left);
    if (DragsTopEdge(kind))
        SeparateEdges(r.Top, r.Bottom);
    else
        SeparateEdges(r.Bottom, r.Top);
    if (r.Right < r.Left) {
        std::swap(r.Left, r.Right);
        kind = MirrorLeftRight(kind);
    }
    if (r.Bottom < r.Top) {
        std::swap(r.Top, r.Bottom);
        kind = MirrorTopBottom(kind);
    }
}

TRect NewAisleAt(int64_t x, int64_t y) {
    TRect r;
    r.Left = Snap(x);
    r.Top = Snap(y);
    r.Right = Clamp32(int64_t{r.Left} + NewAisleWidth);
    r.Bottom = Clamp32(int64_t{r.Top} + NewAisleHeight);
    return r;
}

int HitTest(const TRecordList<TShopAisle> &aisles, int64_t x, int64_t y) {
    for (int i = aisles.Count() - 1; i >= 0; --i)
        if (Contains(aisles[i]->Rect, x, y))
            return i;
    return -1;
}

int FirstHitFrom(const TRecordList<TShopAisle> &aisles, int from, int64_t x, int64_t y) {
    for (int i = std::max(from, 0); i < aisles.Count(); ++i)
        if (Contains(aisles[i]->Rect, x, y))
            return i;
    return -1;
}

Extent ClientSize(const TRecordList<TShopAisle> &aisles) {
    int64_t right = MinPlanExtent;
    int64_t bottom = MinPlanExtent;
    for (const auto &aisle : aisles) {
        right = std::max<int64_t>(right, aisle->Rect.Right);
        bottom = std::max<int64_t>(bottom, aisle->Rect.Bottom);
    }
    return {right + ClientMargin, bottom + ClientMargin};
}

Extent PrintedSize(Extent image, Extent page) {
    if (image.Width <= 0 || image.Height <= 0)
        return {};
    const int64_t width = image.Width * page.Height / image.Height;
    if (width < page.Width)
        return {width, page.Height};
    return {page.Width, image.Height * page.Width / image.Width};
}

int64_t CentredTextX(const TRect &r, int64_t textWidth) {
    // C++ division truncates towards zero, as the layout asks.
    return r.Left + (int64_t{r.Right} - r.Left - textWidth) / 2;
}

std::array<TRect, 4> Handles(const TRect &r) {
    const int32_t l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
    auto at = [](int64_t left, int64_t top, int64_t right, int64_t bottom) {
        return TRect{Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
    };
    return {at(int64_t{l} + 1, int64_t{t} + 1, int64_t{l} + 5, int64_t{t} + 5),
            at(int64_t{rt} - 5, int64_t{t} + 1, int64_t{rt} - 1, int64_t{t} + 5),
            at(int64_t{l} + 1, int64_t{b} - 5, int64_t{l} + 5, int64_t{b} - 1),
            at(int64_t{rt} - 5, int64_t{b} - 5, int64_t{rt} - 1, int64_t{b} - 1)};
}

bool ReadsUpwards(const TRect &r) {
    return int64_t{r.Right} - r.Left < int64_t{r.Bottom} - r.Top;
}

int64_t DivideRoundHalfEven(int64_t num, int64_t den) {
    // Floor division first, so the remainder is 0..den-1 whatever the sign.
    int64_t q = num / den;
    int64_t rem = num % den;
    if (rem < 0) {
        rem += den;
        --q;
    }
    if (2 * rem > den || (2 * rem == den && q % 2 != 0))
        ++q;
    return q;
}

Position CatListPosition(Position editor, int64_t editorWidth, Extent list) {
    return {editor.Left + editorWidth - DivideRoundHalfEven(list.Width * 10, 11),
            editor.Top - list.Height / 4};
}

} // namespace plan
