#include "floorplan/PlanPainter.h"

#include "floorplan/PlanGeometry.h"
#include "ui/Ansi.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

namespace plan {

namespace {

// How far outside the client area clamped coordinates may lie.
constexpr int64_t kOutside = 4;
// Category names are at most 20 characters; no more than this many are ever drawn.
constexpr std::size_t kMaxLabel = 31;
// A label starting further than this outside the client area cannot reach into it.
constexpr int64_t kLabelReach = 1000;

bool Near(int64_t v, int extent) {
    return v > -kLabelReach && v < extent + kLabelReach;
}

int64_t ClampTo(int64_t v, int64_t low, int64_t high) {
    return std::clamp(v, low, high);
}

// A rectangle as the plan draws it: filled, with a one-pixel outline on its outermost
// pixels; the right and bottom coordinates are excluded. Outline and fill are laid as
// filled areas rather than stroked, so that under a printer's scaling the outline covers
// exactly the pixels it covers on screen, scaled.
void DrawRectangle(QPainter &painter, const QRect &r, const QColor &pen, const QColor &fill) {
    if (r.isEmpty())
        return;
    painter.fillRect(r, pen);
    const QRect inside = r.adjusted(1, 1, -1, -1);
    if (!inside.isEmpty())
        painter.fillRect(inside, fill);
}

// The number of an aisle (its place in the walking order) and where it stands.
struct NumberText {
    QString text;
    QRect cell; // the text's cell, which may reach outside the aisle
};

NumberText NumberFor(const PlanPicture &picture, const TShopAisle &aisle, int position) {
    const QFontMetrics metrics(picture.CanvasFont);
    NumberText n;
    n.text = QString::number(position + 1);
    const int64_t width = metrics.horizontalAdvance(n.text);
    const int64_t x = CentredTextX(aisle.Rect, width);
    const int64_t y = int64_t{aisle.Rect.Top} + 3;
    // The cell is pulled in like the aisles, so far-off numbers stay far off.
    const int64_t low = -kOutside - width;
    const int64_t highX = picture.Client.width() + kOutside;
    const int64_t highY = picture.Client.height() + kOutside;
    n.cell = QRect(static_cast<int>(ClampTo(x, low, highX)),
                   static_cast<int>(ClampTo(y, -kOutside - metrics.height(), highY)),
                   static_cast<int>(width), metrics.height());
    return n;
}

void DrawNumber(QPainter &painter, const PlanPicture &picture, const NumberText &n) {
    const QFontMetrics metrics(picture.CanvasFont);
    painter.setFont(picture.CanvasFont);
    painter.setPen(colours::Outline);
    painter.drawText(QPoint(n.cell.left(), n.cell.top() + metrics.ascent()), n.text);
}

void PaintOrderMode(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    const auto &aisles = *picture.Aisles;
    for (int i = 0; i < aisles.Count(); ++i) {
        const TShopAisle &aisle = *aisles[i];
        const QRect r = VisibleRect(aisle.Rect, picture.Client);
        const NumberText number = NumberFor(picture, aisle, i);
        // The number is drawn on the fill colour and not clipped, so it may stand out of
        // a narrow aisle: both count for what needs painting.
        if (!r.intersects(area) && !number.cell.intersects(area))
            continue;
        const QColor &fill = i < picture.OrderedCount ? colours::Placed : colours::Unplaced;
        DrawRectangle(painter, r, colours::Outline, fill);
        painter.fillRect(number.cell, fill);
        DrawNumber(painter, picture, number);
    }
}

void PaintGrid(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    const QRect visible = area.intersected(QRect(QPoint(0, 0), picture.Client));
    if (visible.isEmpty())
        return;
    const int firstColumn = (visible.left() + GridStep - 1) / GridStep;
    const int lastColumn = std::min(visible.right() / GridStep, picture.Client.width() / GridStep);
    const int firstRow = (visible.top() + GridStep - 1) / GridStep;
    const int lastRow = std::min(visible.bottom() / GridStep, picture.Client.height() / GridStep);
    // Each dot is a one-pixel square, which scales to a square block on a printer.
    std::vector<QRect> dots;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            dots.emplace_back(column * GridStep, row * GridStep, 1, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours::GridDot);
    painter.drawRects(dots.data(), static_cast<int>(dots.size()));
}

// A number over an aisle in the normal picture: transparent and clipped to the aisle.
void DrawClippedNumber(QPainter &painter, const PlanPicture &picture, const TShopAisle &aisle,
                       int position, const QRect &clip) {
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    DrawNumber(painter, picture, NumberFor(picture, aisle, position));
    painter.restore();
}

void DrawSelection(QPainter &painter, const PlanPicture &picture, const TShopAisle &aisle,
                   int position) {
    const QRect r = VisibleRect(aisle.Rect, picture.Client);
    DrawRectangle(painter, r, colours::Outline, colours::SelectedFill);
    for (const TRect &handle : Handles(aisle.Rect))
        DrawRectangle(painter, VisibleRect(handle, picture.Client), colours::Handle,
                      colours::Handle);
    if (picture.ShowOrder)
        DrawClippedNumber(painter, picture, aisle, position, r);
    if (picture.ShowCategory)
        DrawCatText(painter, picture, aisle);
}

void PaintNormal(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    PaintGrid(painter, picture, area);
    const auto &aisles = *picture.Aisles;
    // Only the aisles in the area are drawn; the names go on after all the rectangles.
    std::vector<std::pair<int, QRect>> shown;
    int selected = -1;
    for (int i = 0; i < aisles.Count(); ++i) {
        const QRect r = VisibleRect(aisles[i]->Rect, picture.Client);
        if (!r.intersects(area))
            continue;
        shown.emplace_back(i, r);
        if (aisles[i] == picture.Selected)
            selected = i;
        DrawRectangle(painter, r, colours::Outline, colours::AisleFill);
        if (picture.ShowOrder)
            DrawClippedNumber(painter, picture, *aisles[i], i, r);
    }
    if (picture.ShowCategory)
        for (const auto &[i, r] : shown)
            DrawCatText(painter, picture, *aisles[i]);
    if (selected >= 0)
        DrawSelection(painter, picture, *aisles[selected], selected);
}

} // namespace

QRect VisibleRect(const TRect &r, QSize client) {
    int64_t left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const int64_t highX = client.width() + kOutside;
    const int64_t highY = client.height() + kOutside;
    left = ClampTo(left, -kOutside, highX);
    right = ClampTo(right, -kOutside, highX);
    top = ClampTo(top, -kOutside, highY);
    bottom = ClampTo(bottom, -kOutside, highY);
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

void PaintPlan(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    if (!picture.Aisles)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (picture.OrderMode)
        PaintOrderMode(painter, picture, area);
    else
        PaintNormal(painter, picture, area);
    painter.restore();
}

void PrintPlan(QPainter &painter, const PlanPicture &picture, QSize page) {
    const Extent printed = PrintedSize({picture.Client.width(), picture.Client.height()},
                                       {page.width(), page.height()});
    if (printed.Width <= 0 || printed.Height <= 0)
        return;
    const QRect target(0, 0, static_cast<int>(printed.Width), static_cast<int>(printed.Height));
    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, colours::Background);
    // One client pixel becomes a block of device pixels; every shape is drawn again at
    // that size, so lines, dots and text stay sharp at the device's resolution.
    painter.scale(static_cast<qreal>(printed.Width) / picture.Client.width(),
                  static_cast<qreal>(printed.Height) / picture.Client.height());
    PaintPlan(painter, picture, QRect(QPoint(0, 0), picture.Client));
    painter.restore();
}

void DrawCatText(QPainter &painter, const PlanPicture &picture, const TShopAisle &aisle) {
    if (!aisle.Category)
        return;
    const QString text = ui::FromAnsi(aisle.Category->Name.substr(0, kMaxLabel));
    const TRect &r = aisle.Rect;
    const bool upwards = ReadsUpwards(r);
    const int64_t x = int64_t{r.Left} + (upwards ? 1 : 3);
    const int64_t y = upwards ? int64_t{r.Bottom} - 3 : int64_t{r.Top} + 1;
    if (!Near(x, picture.Client.width()) || !Near(y, picture.Client.height()))
        return;
    painter.save();
    painter.setClipRect(VisibleRect(r, picture.Client), Qt::IntersectClip);
    painter.setPen(colours::Outline);
    if (upwards) {
        // Reading upwards from just above the bottom edge, tops of the letters to the left.
        const QFontMetrics metrics(picture.VertFont);
        painter.setFont(picture.VertFont);
        painter.translate(static_cast<qreal>(x), static_cast<qreal>(y));
        painter.rotate(-90);
        painter.drawText(QPoint(0, metrics.ascent()), text);
    } else {
        const QFontMetrics metrics(picture.HorzFont);
        painter.setFont(picture.HorzFont);
        painter.drawText(QPoint(static_cast<int>(x), static_cast<int>(y) + metrics.ascent()), text);
    }
    painter.restore();
}

} // namespace plan
