#pragma once
// Draws a floor plan at one pixel per unit: the grid, the aisles with their numbers and
// category names and the selected aisle, or the picture of the walking-order mode.
// The window paints with it, and printing draws the same picture scaled onto the page.

#include "catalogue/ShopData.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QPainter;

namespace plan {

namespace colours {
inline const QColor Background{255, 255, 255};
inline const QColor GridDot{128, 128, 128};
inline const QColor Outline{0, 0, 0};
inline const QColor AisleFill{255, 255, 0};
inline const QColor SelectedFill{0, 255, 255};
inline const QColor Handle{255, 0, 0};
inline const QColor Placed{255, 255, 255};
inline const QColor Unplaced{128, 128, 0};
} // namespace colours

// Everything the drawing depends on.
struct PlanPicture {
    const TRecordList<TShopAisle> *Aisles = nullptr;
    const TShopAisle *Selected = nullptr;
    bool OrderMode = false;
    int OrderedCount = 0;
    bool ShowOrder = false;
    bool ShowCategory = false;
    QSize Client;
    QFont CanvasFont; // order numbers
    QFont HorzFont;   // category names across
    QFont VertFont;   // category names reading upwards
};

// Paints what of the plan falls in `area` (client pixels) on a white background that
// the caller has already laid. Aisles outside `area` are skipped. Texts set the painter's
// clip to their aisle within `area` and the client area, so a clip of the caller's own
// counts only as far as it covers those (a widget's paint region always counts).
void PaintPlan(QPainter &painter, const PlanPicture &picture, const QRect &area);

// Paints the whole plan as large as fits on a page of `page` device pixels, at its
// top-left corner, keeping its proportions: the same drawing as on screen, scaled, so a
// printer gets it at its own resolution.
void PrintPlan(QPainter &painter, const PlanPicture &picture, QSize page);

// Draws one aisle's category name, clipped to the aisle.
void DrawCatText(QPainter &painter, const PlanPicture &picture, const TShopAisle &aisle);

// The part of an aisle that can show in a client area of `client` size, as a Qt
// rectangle; coordinates far outside are pulled in to just beyond the edges, which
// leaves what is visible unchanged and keeps Qt's integer arithmetic in range.
QRect VisibleRect(const TRect &r, QSize client);

} // namespace plan
