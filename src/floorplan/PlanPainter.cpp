#include "floorplan/PlanPainter.h"

#include "floorplan/PlanGeometry.h"
#include "ui/Ansi.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <memory>
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

// What the texts of a painting need, measured once per font rather than for every aisle:
// the height, and the advance of every character a name can hold, from which a text is cut
// to the characters that can show in its aisle, without laying out the whole of it.
class TextMetrics {
public:
    explicit TextMetrics(const QFont &font)
        : font_(font), metrics_(font), ascent_(metrics_.ascent()), height_(metrics_.height()) {
        const QFontMetricsF exact(font);
        for (std::size_t c = 0; c < advance_.size(); ++c)
            advance_[c] = exact.horizontalAdvance(QChar(char16_t(c)));
        // Kerning draws two characters at most this much closer together (well beyond what a
        // font does), and a glyph reaches at most this far left of its place.
        kerning_ = 0.1 * exact.height();
        reachLeft_ = std::max<qreal>(0, -exact.minLeftBearing()) + 1;
        // A number's width from its digits: their advances, and how much each pair of digits
        // stands closer or further apart than their advances (kerning), as the font lays out.
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                const QString pair = QString::number(a) + QString::number(b);
                pairs_[std::size_t(a * 10 + b)] = exact.horizontalAdvance(pair) -
                                                  advance_[std::size_t('0' + a)] -
                                                  advance_[std::size_t('0' + b)];
            }
    }

    bool For(const QFont &font) const { return font_ == font; }
    int Ascent() const { return ascent_; }
    int Height() const { return height_; }

    // The width of the text of a number (digits only), as the font lays it out.
    int NumberWidth(const QString &text) const {
        qreal width = 0;
        int previous = -1;
        for (QChar c : text) {
            const int digit = c.unicode() - u'0';
            if (digit < 0 || digit > 9)
                return metrics_.horizontalAdvance(text);
            width += advance_[std::size_t(c.unicode())];
            if (previous >= 0)
                width += pairs_[std::size_t(previous * 10 + digit)];
            previous = digit;
        }
        return qRound(width);
    }

    // How many leading characters of `text` can show within `room` pixels of where it
    // starts. Two more are kept than can show, so the last visible ones are laid out (kerned,
    // joined) exactly as in the whole text.
    qsizetype Shown(const QString &text, qreal room) const {
        qreal start = -reachLeft_;
        qsizetype n = 0;
        while (n < text.size() && start < room) {
            const char16_t c = text[n].unicode();
            start += c < advance_.size() ? std::max<qreal>(0, advance_[c] - kerning_) : 0;
            ++n;
        }
        return std::min(text.size(), n + 2);
    }

private:
    QFont font_;
    QFontMetrics metrics_;
    int ascent_;
    int height_;
    std::array<qreal, 256> advance_{};
    qreal kerning_ = 0;
    qreal reachLeft_ = 0;
    std::array<qreal, 100> pairs_{};
};

// The measures of a font, kept for the few fonts the plans use. A painting holds on to the
// measures of its fonts, so those stay while it paints even when other fonts push them out.
std::shared_ptr<const TextMetrics> MetricsOf(const QFont &font) {
    static std::vector<std::shared_ptr<const TextMetrics>> known;
    for (const auto &metrics : known)
        if (metrics->For(font))
            return metrics;
    if (known.size() >= 8)
        known.erase(known.begin());
    return known.emplace_back(std::make_shared<const TextMetrics>(font));
}

// The number of an aisle (its place in the walking order) and where it stands.
struct NumberText {
    QString text;
    QRect cell; // the text's cell, which may reach outside the aisle
};

// The top of an aisle's number cell, which does not depend on the number. The cell is pulled
// in like the aisles, so far-off numbers stay far off.
int NumberTop(const PlanPicture &picture, const TextMetrics &metrics, const TShopAisle &aisle) {
    const int64_t y = int64_t{aisle.Rect.Top} + 3;
    return static_cast<int>(
        ClampTo(y, -kOutside - metrics.Height(), picture.Client.height() + kOutside));
}

NumberText NumberFor(const PlanPicture &picture, const TextMetrics &metrics,
                     const TShopAisle &aisle, int position) {
    NumberText n;
    n.text = QString::number(position + 1);
    const int64_t width = metrics.NumberWidth(n.text);
    const int64_t x = CentredTextX(aisle.Rect, width);
    const int64_t low = -kOutside - width;
    const int64_t highX = picture.Client.width() + kOutside;
    n.cell = QRect(static_cast<int>(ClampTo(x, low, highX)), NumberTop(picture, metrics, aisle),
                   static_cast<int>(width), metrics.Height());
    return n;
}

// Draws the texts of many aisles: the numbers and names, each clipped to its aisle and cut
// to what can show. The painter's clip is replaced for each text rather than saved and
// restored around it (each costs the painter as much as the text): the painting keeps within
// the area being painted and the client area (the widget, or the client-sized clip of a
// printed page), so an aisle's part of those is the whole clip a text needs. Done() puts the
// area back as the clip.
class TextPainter {
public:
    // `intersect`: each clip is laid within the painter's own (for a single text drawn
    // between the caller's save and restore).
    TextPainter(QPainter &painter, const PlanPicture &picture, const QRect &area,
                bool intersect = false)
        : painter_(painter), picture_(picture), client_(QPoint(0, 0), picture.Client), area_(area),
          base_(painter.worldTransform()), intersect_(intersect),
          numbers_(MetricsOf(picture.CanvasFont)), across_(MetricsOf(picture.HorzFont)),
          upwards_(MetricsOf(picture.VertFont)) {
        painter_.setPen(colours::Outline);
    }

    const TextMetrics &Numbers() const { return *numbers_; }

    // A number, clipped to `clip` when one is given.
    void Number(const NumberText &n, const QRect &clip = {}) {
        QRect shows = area_;
        if (!clip.isNull()) {
            shows = shows.intersected(clip);
            if (shows.isEmpty())
                return;
            Clip(clip);
        }
        UseFont(picture_.CanvasFont);
        const qsizetype shown = numbers_->Shown(n.text, shows.right() + 1 - n.cell.left());
        painter_.drawText(QPoint(n.cell.left(), n.cell.top() + numbers_->Ascent()),
                          n.text.left(shown));
    }

    // An aisle's category name, clipped to the aisle.
    void CatText(const TShopAisle &aisle) {
        if (!aisle.Category)
            return;
        const TRect &r = aisle.Rect;
        const bool upwards = ReadsUpwards(r);
        const int64_t x = int64_t{r.Left} + (upwards ? 1 : 3);
        const int64_t y = upwards ? int64_t{r.Bottom} - 3 : int64_t{r.Top} + 1;
        if (!Near(x, picture_.Client.width()) || !Near(y, picture_.Client.height()))
            return;
        const QRect clip = VisibleRect(r, picture_.Client);
        const QRect shows = clip.intersected(client_).intersected(area_);
        if (shows.isEmpty())
            return;
        const QString text = ui::FromAnsi(aisle.Category->Name.substr(0, kMaxLabel));
        Clip(clip);
        if (upwards) {
            // Reading upwards from just above the bottom edge, tops of the letters to the left.
            UseFont(picture_.VertFont);
            QTransform turned = base_;
            turned.translate(static_cast<qreal>(x), static_cast<qreal>(y));
            turned.rotate(-90);
            painter_.setWorldTransform(turned);
            painter_.drawText(QPoint(0, upwards_->Ascent()),
                              text.left(upwards_->Shown(text, qreal(y) - shows.top())));
            painter_.setWorldTransform(base_);
        } else {
            UseFont(picture_.HorzFont);
            painter_.drawText(QPoint(static_cast<int>(x), static_cast<int>(y) + across_->Ascent()),
                              text.left(across_->Shown(text, shows.right() + 1 - qreal(x))));
        }
    }

    // Puts the area being painted back as the clip, for what is drawn after a text.
    void Done() {
        if (clipped_) {
            painter_.setClipRect(client_.intersected(area_));
            clipped_ = false;
        }
    }

private:
    void Clip(const QRect &clip) {
        clipped_ = true;
        if (intersect_)
            painter_.setClipRect(clip, Qt::IntersectClip);
        else
            painter_.setClipRect(clip.intersected(client_).intersected(area_));
    }
    void UseFont(const QFont &font) {
        if (font_ != &font) {
            painter_.setFont(font);
            font_ = &font;
        }
    }

    QPainter &painter_;
    const PlanPicture &picture_;
    const QRect client_;
    const QRect area_;
    const QTransform base_;
    const bool intersect_;
    const std::shared_ptr<const TextMetrics> numbers_;
    const std::shared_ptr<const TextMetrics> across_;
    const std::shared_ptr<const TextMetrics> upwards_;
    const QFont *font_ = nullptr;
    bool clipped_ = false;
};

void PaintOrderMode(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    const auto &aisles = *picture.Aisles;
    TextPainter texts(painter, picture, area);
    for (int i = 0; i < aisles.Count(); ++i) {
        const TShopAisle &aisle = *aisles[i];
        const QRect r = VisibleRect(aisle.Rect, picture.Client);
        // The number is drawn on the fill colour and not clipped, so it may stand out of
        // a narrow aisle: both count for what needs painting. Most aisles outside the area
        // are passed over by the height of the number's cell alone, before it is made.
        if (!r.intersects(area)) {
            const int top = NumberTop(picture, texts.Numbers(), aisle);
            if (top > area.bottom() || top + texts.Numbers().Height() <= area.top())
                continue;
        }
        const NumberText number = NumberFor(picture, texts.Numbers(), aisle, i);
        if (!r.intersects(area) && !number.cell.intersects(area))
            continue;
        const QColor &fill = i < picture.OrderedCount ? colours::Placed : colours::Unplaced;
        DrawRectangle(painter, r, colours::Outline, fill);
        painter.fillRect(number.cell, fill);
        texts.Number(number);
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

void DrawSelection(QPainter &painter, const PlanPicture &picture, const QRect &area,
                   const TShopAisle &aisle, int position) {
    const QRect r = VisibleRect(aisle.Rect, picture.Client);
    DrawRectangle(painter, r, colours::Outline, colours::SelectedFill);
    for (const TRect &handle : Handles(aisle.Rect))
        DrawRectangle(painter, VisibleRect(handle, picture.Client), colours::Handle,
                      colours::Handle);
    TextPainter texts(painter, picture, area);
    if (picture.ShowOrder)
        texts.Number(NumberFor(picture, texts.Numbers(), aisle, position), r);
    if (picture.ShowCategory)
        texts.CatText(aisle);
    texts.Done();
}

void PaintNormal(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    PaintGrid(painter, picture, area);
    const auto &aisles = *picture.Aisles;
    TextPainter texts(painter, picture, area);
    // Only the aisles in the area are drawn, each with its number; the names go on after all
    // the rectangles.
    std::vector<std::pair<int, QRect>> shown;
    int selected = -1;
    for (int i = 0; i < aisles.Count(); ++i) {
        const QRect r = VisibleRect(aisles[i]->Rect, picture.Client);
        if (!r.intersects(area))
            continue;
        shown.emplace_back(i, r);
        if (aisles[i] == picture.Selected)
            selected = i;
        texts.Done();
        DrawRectangle(painter, r, colours::Outline, colours::AisleFill);
        if (picture.ShowOrder)
            texts.Number(NumberFor(picture, texts.Numbers(), *aisles[i], i), r);
    }
    if (picture.ShowCategory)
        for (const auto &[i, r] : shown)
            texts.CatText(*aisles[i]);
    texts.Done();
    if (selected >= 0)
        DrawSelection(painter, picture, area, *aisles[selected], selected);
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
    painter.save();
    TextPainter texts(painter, picture, QRect(QPoint(0, 0), picture.Client), true);
    texts.CatText(aisle);
    painter.restore();
}

} // namespace plan
