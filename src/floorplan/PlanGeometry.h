#pragma once
// The arithmetic of the floor plan, kept free of the window system so it can be tested
// on its own: the 20-pixel grid, where a press grabs an aisle, how a drag moves or
// resizes it, which aisle a click hits, the window's client size and the printed size.
//
// Aisles read from a data file may hold any 32-bit coordinates, so every sum is worked
// out in 64 bits and saturated back into the 32-bit range of a rectangle.

#include "catalogue/ShopData.h"

#include <array>
#include <cstdint>

namespace plan {

inline constexpr int32_t GridStep = 20;
inline constexpr int32_t NewAisleWidth = 20;
inline constexpr int32_t NewAisleHeight = 120;
// The client area is never smaller than this plus the margin.
inline constexpr int64_t MinPlanExtent = 120;
inline constexpr int64_t ClientMargin = 21;

// What a drag changes: the whole aisle, or one of its corners.
enum DragKind : uint8_t {
    dkMove = 0,
    dkTopLeft = 1,
    dkTopRight = 2,
    dkBottomLeft = 3,
    dkBottomRight = 4,
};

// Saturates a 64-bit value into the range of a rectangle coordinate.
int32_t Clamp32(int64_t v);

// The nearest grid line; a value exactly halfway between two goes to the even multiple
// (10 -> 0, 30 -> 40, 50 -> 40, -10 -> 0, -30 -> -40).
int32_t Snap(int64_t v);

// Where a press at (x, y) inside `r` takes hold: a corner zone reaches 5 pixels in from a
// left or top edge and 4 pixels in from a right or bottom edge; elsewhere the press moves.
struct Grab {
    uint8_t Kind = dkMove;
    int64_t GrabX = 0; // pointer minus the grabbed x coordinate
    int64_t GrabY = 0;
};
Grab GrabAt(const TRect &r, int64_t x, int64_t y);

// The aisle moved so its grabbed point follows the pointer, snapped, keeping its size.
TRect Moved(const TRect &r, int64_t x, int64_t y, const Grab &grab);

// The aisle with the grabbed corner following the pointer, snapped, then kept proper.
// `grab.Kind` follows the corner if the rectangle turns inside out.
TRect Resized(const TRect &r, int64_t x, int64_t y, Grab &grab);

// Keeps a rectangle whose corner `kind` was just dragged proper: an edge dragged onto the
// opposite edge is put 20 beyond it, and an edge dragged past the opposite one changes
// places with it, the dragged corner becoming its mirror. The rectangle thus turns inside
// out under the pointer instead of collapsing.
void KeepProper(TRect &r, uint8_t &kind);

// A new aisle with its top-left corner at the grid point nearest to (x, y).
TRect NewAisleAt(int64_t x, int64_t y);

// The aisle drawn on top at (x, y): the last in list order that contains it, or -1.
int HitTest(const TRecordList<TShopAisle> &aisles, int64_t x, int64_t y);
// The first aisle from position `from` on that contains (x, y), or -1.
int FirstHitFrom(const TRecordList<TShopAisle> &aisles, int from, int64_t x, int64_t y);

// Whether (x, y) lies in `r` (right and bottom edges excluded), without overflow.
bool Contains(const TRect &r, int64_t x, int64_t y);

struct Extent {
    int64_t Width = 0;
    int64_t Height = 0;
    bool operator==(const Extent &) const = default;
};

// The client size that shows the whole plan: the largest right and bottom edges (at
// least 120 each) plus a margin of 21.
Extent ClientSize(const TRecordList<TShopAisle> &aisles);

// The printed size of an image of `image` pixels on a page of `page` device pixels, at
// the page's top-left corner: as large as fits, keeping its proportions, in integer
// arithmetic with each product taken before its quotient.
Extent PrintedSize(Extent image, Extent page);

// The x at which text `textWidth` wide stands centred in `r` (division towards zero).
int64_t CentredTextX(const TRect &r, int64_t textWidth);

// The four 4 x 4 handles drawn in the corners of the selected aisle.
std::array<TRect, 4> Handles(const TRect &r);

// A category name reads upwards in an aisle narrower than it is high, across otherwise.
bool ReadsUpwards(const TRect &r);

// Integer division of num by den (den > 0) taken to the nearest whole number, halves to even.
int64_t DivideRoundHalfEven(int64_t num, int64_t den);

// Where the category list first stands: near the top-right corner of the editor.
struct Position {
    int64_t Left = 0;
    int64_t Top = 0;
    bool operator==(const Position &) const = default;
};
Position CatListPosition(Position editor, int64_t editorWidth, Extent list);

} // namespace plan
