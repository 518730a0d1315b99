#include "floorplan/PlanPainter.h"

#include "floorplan/PaintThreads.h"
#include "floorplan/PlanGeometry.h"
#include "ui/Ansi.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPoint>
#include <QRawFont>
#include <QString>
#include <QTextLayout>
#include <QThread>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
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
        : font_(font), metrics_(font), raw_(QRawFont::fromFont(font)), ascent_(metrics_.ascent()),
          height_(metrics_.height()) {
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
        const QList<quint32> digits = raw_.glyphIndexesForString(QStringLiteral("0123456789"));
        hasDigits_ = raw_.isValid() && digits.size() == 10 &&
                     std::none_of(digits.begin(), digits.end(), [](quint32 g) { return g == 0; });
        if (hasDigits_)
            std::copy(digits.begin(), digits.end(), digitGlyphs_.begin());
    }

    // Lays out a number (digits only, at most kMaxDigits of them) as the font shapes it,
    // from the advances and pair adjustments of its digits: the glyphs and their places
    // from the start of its baseline. False when the font or the text does not allow it.
    bool NumberGlyphs(const QString &text, quint32 *glyphs, QPointF *places) const {
        if (!hasDigits_ || text.size() > kMaxDigits)
            return false;
        qreal x = 0;
        int previous = -1;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const int digit = text[i].unicode() - u'0';
            if (digit < 0 || digit > 9)
                return false;
            if (previous >= 0)
                x += advance_[std::size_t('0' + previous)] +
                     pairs_[std::size_t(previous * 10 + digit)];
            glyphs[i] = digitGlyphs_[std::size_t(digit)];
            places[i] = QPointF(x, 0);
            previous = digit;
        }
        return true;
    }
    const QRawFont &RawFont() const { return raw_; }
    bool For(const QFont &font) const { return font_ == font; }

    static constexpr qsizetype kMaxDigits = 8;

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
    QRawFont raw_;
    int ascent_;
    int height_;
    bool hasDigits_ = false;
    std::array<quint32, 10> digitGlyphs_{};
    std::array<qreal, 256> advance_{};
    qreal kerning_ = 0;
    qreal reachLeft_ = 0;
    std::array<qreal, 100> pairs_{};
};

// A few things made per font, the most recently used of them kept: one that is used moves to
// the back, and the one at the front goes when a ninth is made. A painter holds at most four
// at once, all among the most recently used, so none of them goes while it is held.
template <class T> class RecentlyUsed {
public:
    template <class Match, class Make> T &Find(Match match, Make make) {
        const auto found =
            std::find_if(kept_.begin(), kept_.end(),
                         [&match](const std::unique_ptr<T> &t) { return match(*t); });
        if (found != kept_.end()) {
            std::rotate(found, found + 1, kept_.end());
        } else {
            if (kept_.size() >= kKept)
                kept_.erase(kept_.begin());
            kept_.push_back(make());
        }
        return *kept_.back();
    }

private:
    static constexpr std::size_t kKept = 8;
    std::vector<std::unique_ptr<T>> kept_;
};

// The names drawn in one font on one kind of device, each shaped once: the glyphs of a text
// and their places from the start of its baseline, as drawing the text would lay them out
// (one run for each font its characters come from). Small aisles show only a few
// characters of their names, so a plan of thousands of aisles draws a few hundred texts.
class NameRuns {
public:
    // `font`: as the painter holds it, resolved for its device.
    NameRuns(const QFont &font, const QPaintDevice &device)
        : font_(font), dpiX_(device.logicalDpiX()), dpiY_(device.logicalDpiY()) {}

    bool For(const QFont &font, const QPaintDevice &device) const {
        return dpiX_ == device.logicalDpiX() && dpiY_ == device.logicalDpiY() && font_ == font;
    }

    // Whether the runs of `text` draw exactly what drawing the text does: underlines and the
    // like are drawn apart from the glyphs, and a line of text shows a soft hyphen at its end,
    // which a drawn text does not (other format and control characters are left to the
    // text drawing too).
    bool Suits(const QString &text) const {
        if (font_.underline() || font_.overline() || font_.strikeOut())
            return false;
        return std::none_of(text.begin(), text.end(), [](QChar c) {
            const QChar::Category kind = c.category();
            return kind == QChar::Other_Control || kind == QChar::Other_Format ||
                   kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph;
        });
    }

    const QList<QGlyphRun> &Of(const QString &text, const QPaintDevice &device) {
        const auto found = shaped_.constFind(text);
        if (found != shaped_.cend())
            return *found;
        // A bound on the memory a plan of many different names can take.
        if (shaped_.size() >= kMaxTexts)
            shaped_.clear();
        QTextLayout layout(text, font_, &device);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        QList<QGlyphRun> runs = layout.glyphRuns();
        // The line's top is at 0: move its baseline to 0.
        const QPointF up(0, line.ascent());
        for (QGlyphRun &run : runs) {
            QList<QPointF> places = run.positions();
            for (QPointF &place : places)
                place -= up;
            run.setPositions(places);
        }
        return *shaped_.insert(text, std::move(runs));
    }

    static constexpr qsizetype kMaxTexts = 4096;

private:
    QFont font_;
    int dpiX_;
    int dpiY_;
    QHash<QString, QList<QGlyphRun>> shaped_;
};

// What painting keeps on the thread it runs on: the measures of the few fonts the plans use,
// and their shaped names. Fonts loaded on one thread are not used on another.
struct PaintCaches {
    RecentlyUsed<TextMetrics> metrics;
    RecentlyUsed<NameRuns> names;
};

// Whether the calling thread is the one the windows run on (or there are no windows yet).
bool OnWindowThread() {
    const QCoreApplication *application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

// The caches of the calling thread: the window's thread keeps its own for the life of the
// program, a painting thread its own until it ends.
PaintCaches &CachesHere() {
    thread_local PaintCaches *here = nullptr;
    if (!here) {
        if (OnWindowThread()) {
            static PaintCaches window;
            here = &window;
        } else {
            here = new PaintCaches;
            AtPaintThreadEnd([caches = here] { delete caches; });
        }
    }
    return *here;
}

// The measures of a font, kept for the few fonts the plans use.
const TextMetrics &MetricsOf(const QFont &font) {
    return CachesHere().metrics.Find([&font](const TextMetrics &m) { return m.For(font); },
                                     [&font] { return std::make_unique<TextMetrics>(font); });
}

// The shaped names of a painter's font (as the painter holds it), kept for the few fonts and
// devices the plans are drawn with.
NameRuns &NameRunsOf(const QFont &font, const QPaintDevice &device) {
    return CachesHere().names.Find([&](const NameRuns &runs) { return runs.For(font, device); },
                                   [&] { return std::make_unique<NameRuns>(font, device); });
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

// A text ready to draw: what shows of it, and where.
struct PlacedText {
    QString text;
    QPoint at;            // the start of its baseline, in its own frame
    QPoint turnedAt;      // for a text reading upwards, where its frame stands
    bool upwards = false; // turned a quarter to the left about `turnedAt`
    const QFont *font = nullptr;
    const TextMetrics *digits = nullptr; // a number, whose glyphs these metrics lay out
};

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
          intersect_(intersect), numbers_(MetricsOf(picture.CanvasFont)),
          across_(MetricsOf(picture.HorzFont)), upwards_(MetricsOf(picture.VertFont)) {
        painter_.setPen(colours::Outline);
        // A screen: a raster painter on an image, drawing without scaling or turning.
        const QPaintEngine *engine = painter_.paintEngine();
        screen_ = !intersect_ && engine && engine->type() == QPaintEngine::Raster &&
                  engine->paintDevice() && engine->paintDevice()->devType() == QInternal::Image &&
                  painter_.combinedTransform().type() <= QTransform::TxTranslate;
    }

    const TextMetrics &Numbers() const { return numbers_; }

    // A number, clipped to `clip` when one is given.
    void Number(const NumberText &n, const QRect &clip = {}) {
        QRect shows = area_;
        if (!clip.isNull()) {
            shows = shows.intersected(clip);
            if (shows.isEmpty())
                return;
            Clip(clip);
        }
        Draw(painter_, font_, PlaceNumber(n, shows));
    }

    // An aisle's category name, clipped to the aisle.
    void CatText(const TShopAisle &aisle) {
        QRect clip;
        const PlacedText text = PlaceName(aisle, &clip);
        if (!text.font)
            return;
        Clip(clip);
        Draw(painter_, font_, text);
    }

    // Puts the area being painted back as the clip, for what is drawn after a text.
    void Done() {
        if (clipped_) {
            painter_.setClipRect(client_.intersected(area_));
            clipped_ = false;
        }
    }

    // Whether Whole() can be used on this painter.
    bool WholeAisles() {
        if (whole_ < 0)
            whole_ = StartScratch() ? 1 : 0;
        return whole_ == 1;
    }

    // Paints a small aisle that no other aisle overlaps, shown as `r`, with its number (of
    // `position`) and its name as PaintNormal would, all at once; false (having painted
    // nothing) when it is too large for that.
    //
    // The aisle is drawn on a scratch image of the painter's own pixel format, its texts cut
    // by the part of the image that is copied rather than by a clip: setting a clip costs the
    // painter, at the first glyph cut by it, work in proportion to the height of the whole
    // device, many times what a small text costs. The pixels are the same: nothing but the
    // aisle's own rectangle lies under its texts, as the aisle overlaps no other.
    bool Whole(const TShopAisle &aisle, const QRect &r, int position) {
        const QRect part = r.intersected(client_).intersected(area_);
        if (part.width() > scratch_.width() || part.height() > scratch_.height())
            return false;
        scratchPainter_.setWorldTransform(QTransform::fromTranslate(-part.left(), -part.top()));
        // Everything is cut to the part as it is drawn, so that no time goes on the pixels of
        // a text beyond its aisle; on this small image the clip costs little.
        scratchPainter_.setClipRect(part);
        DrawRectangle(scratchPainter_, r, colours::Outline, colours::AisleFill);
        if (picture_.ShowOrder) {
            const NumberText n = NumberFor(picture_, numbers_, aisle, position);
            const QRect shows = area_.intersected(r);
            if (!shows.isEmpty())
                Draw(scratchPainter_, scratchFont_, PlaceNumber(n, shows));
        }
        if (picture_.ShowCategory) {
            const PlacedText text = PlaceName(aisle, nullptr);
            if (text.font)
                Draw(scratchPainter_, scratchFont_, text);
        }
        Done();
        painter_.drawImage(part.topLeft(), scratch_, QRect(QPoint(0, 0), part.size()));
        return true;
    }

private:
    PlacedText PlaceNumber(const NumberText &n, const QRect &shows) const {
        PlacedText t;
        t.text = n.text.left(numbers_.Shown(n.text, shows.right() + 1 - n.cell.left()));
        t.at = QPoint(n.cell.left(), n.cell.top() + numbers_.Ascent());
        t.font = &picture_.CanvasFont;
        t.digits = &numbers_;
        return t;
    }

    // The name of an aisle as it shows, with the aisle's visible rectangle in `clip`; no
    // font when nothing of it shows.
    PlacedText PlaceName(const TShopAisle &aisle, QRect *clip) const {
        PlacedText t;
        if (!aisle.Category)
            return t;
        const TRect &r = aisle.Rect;
        const bool upwards = ReadsUpwards(r);
        const int64_t x = int64_t{r.Left} + (upwards ? 1 : 3);
        const int64_t y = upwards ? int64_t{r.Bottom} - 3 : int64_t{r.Top} + 1;
        if (!Near(x, picture_.Client.width()) || !Near(y, picture_.Client.height()))
            return t;
        const QRect visible = VisibleRect(r, picture_.Client);
        const QRect shows = visible.intersected(client_).intersected(area_);
        if (shows.isEmpty())
            return t;
        if (clip)
            *clip = visible;
        const QString text = ui::FromAnsi(aisle.Category->Name.substr(0, kMaxLabel));
        t.upwards = upwards;
        if (upwards) {
            // Reading upwards from just above the bottom edge, tops of the letters to the left.
            t.turnedAt = QPoint(static_cast<int>(x), static_cast<int>(y));
            t.at = QPoint(0, upwards_.Ascent());
            t.text = text.left(upwards_.Shown(text, qreal(y) - shows.top()));
            t.font = &picture_.VertFont;
        } else {
            t.at = QPoint(static_cast<int>(x), static_cast<int>(y) + across_.Ascent());
            t.text = text.left(across_.Shown(text, shows.right() + 1 - qreal(x)));
            t.font = &picture_.HorzFont;
        }
        return t;
    }

    // Draws a placed text on `painter`, whose font is `font`.
    void Draw(QPainter &painter, const QFont *&font, const PlacedText &t) {
        // A number on the screen is drawn from its glyphs, laid out without the shaping
        // that drawing a text does each time (which costs many times the drawing).
        if (t.digits && (&painter == &scratchPainter_ || screen_)) {
            std::array<quint32, TextMetrics::kMaxDigits> glyphs{};
            std::array<QPointF, TextMetrics::kMaxDigits> places{};
            if (t.digits->NumberGlyphs(t.text, glyphs.data(), places.data())) {
                QGlyphRun run;
                run.setRawFont(t.digits->RawFont());
                run.setRawData(glyphs.data(), places.data(), static_cast<int>(t.text.size()));
                painter.drawGlyphRun(t.at, run);
                return;
            }
        }
        if (font != t.font) {
            painter.setFont(*t.font);
            font = t.font;
        }
        // A name on the screen is drawn from its glyphs, shaped the first time the text is
        // drawn in its font.
        const QList<QGlyphRun> *runs = nullptr;
        if (!t.digits && (&painter == &scratchPainter_ || screen_)) {
            NameRuns *&names = names_[&painter == &scratchPainter_][t.upwards];
            if (!names)
                names = &NameRunsOf(painter.font(), *painter.device());
            if (names->Suits(t.text))
                runs = &names->Of(t.text, *painter.device());
        }
        if (!t.upwards) {
            DrawText(painter, t, runs);
            return;
        }
        const QTransform base = painter.worldTransform();
        QTransform turned = base;
        turned.translate(t.turnedAt.x(), t.turnedAt.y());
        turned.rotate(-90);
        painter.setWorldTransform(turned);
        DrawText(painter, t, runs);
        painter.setWorldTransform(base);
    }

    static void DrawText(QPainter &painter, const PlacedText &t, const QList<QGlyphRun> *runs) {
        if (!runs) {
            painter.drawText(t.at, t.text);
            return;
        }
        for (const QGlyphRun &run : *runs)
            painter.drawGlyphRun(t.at, run);
    }

    // Makes the scratch image for Whole(): only for a raster painter on an image of a
    // format whose every pixel the plan's own pixels fill (so that copying them is what
    // drawing them would give), drawn on without scaling or turning.
    bool StartScratch() {
        if (!screen_)
            return false;
        const QImage::Format format =
            static_cast<QImage *>(painter_.paintEngine()->paintDevice())->format();
        if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
            return false;
        scratch_ = QImage(kScratchSide, kScratchSide, format);
        if (scratch_.isNull() || !scratchPainter_.begin(&scratch_))
            return false;
        scratchPainter_.setRenderHints(painter_.renderHints());
        scratchPainter_.setPen(colours::Outline);
        return true;
    }

    void Clip(const QRect &clip) {
        clipped_ = true;
        if (intersect_)
            painter_.setClipRect(clip, Qt::IntersectClip);
        else
            painter_.setClipRect(clip.intersected(client_).intersected(area_));
    }

    // Aisles up to this size (in pixels each way) are drawn whole on the scratch image;
    // larger ones cost more to copy than their clips.
    static constexpr int kScratchSide = 96;

    QPainter &painter_;
    const PlanPicture &picture_;
    const QRect client_;
    const QRect area_;
    const bool intersect_;
    const TextMetrics &numbers_;
    const TextMetrics &across_;
    const TextMetrics &upwards_;
    const QFont *font_ = nullptr;
    bool clipped_ = false;
    bool screen_ = false;
    int whole_ = -1; // not yet known
    QImage scratch_;
    QPainter scratchPainter_;
    const QFont *scratchFont_ = nullptr;
    // The shaped names of each painter (the given one, the scratch one), across and upwards.
    NameRuns *names_[2][2] = {};
};

// Which of the aisles shown as `shown` overlap none of the others: each flag true for an
// aisle alone. Aisles are found by the cells of a grid they cover; a crowded cell counts
// all its aisles as overlapping, which only costs them the quicker way of drawing.
std::vector<bool> AloneAisles(const std::vector<std::pair<int, QRect>> &shown, const QRect &area) {
    constexpr int kCell = 16;       // grid cell side in pixels
    constexpr int kCrowded = 24;    // more aisles than this in a cell: all count as overlapping
    constexpr int kLargeCells = 64; // aisles covering more cells are checked one by one
    const std::size_t n = shown.size();
    std::vector<bool> alone(n, true);
    if (n < 2 || area.isEmpty())
        return alone;
    const int columns = area.width() / kCell + 1;
    const int rows = area.height() / kCell + 1;
    const auto cellsOf = [&](const QRect &r) {
        const QRect in = r.intersected(area);
        return QRect(
            QPoint((in.left() - area.left()) / kCell, (in.top() - area.top()) / kCell),
            QPoint((in.right() - area.left()) / kCell, (in.bottom() - area.top()) / kCell));
    };
    std::vector<std::size_t> large;
    std::vector<int> count(static_cast<std::size_t>(columns * rows) + 1, 0);
    for (std::size_t k = 0; k < n; ++k) {
        const QRect cells = cellsOf(shown[k].second);
        if (cells.width() * cells.height() > kLargeCells) {
            large.push_back(k);
            continue;
        }
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int column = cells.left(); column <= cells.right(); ++column)
                ++count[static_cast<std::size_t>(row * columns + column) + 1];
    }
    // A few large aisles are checked against every aisle; many would take too long.
    if (large.size() > 16)
        return std::vector<bool>(n, false);
    for (std::size_t big : large)
        for (std::size_t k = 0; k < n; ++k)
            if (k != big && shown[k].second.intersects(shown[big].second))
                alone[k] = alone[big] = false;
    for (std::size_t c = 1; c < count.size(); ++c)
        count[c] += count[c - 1];
    std::vector<std::size_t> members(static_cast<std::size_t>(count.back()));
    std::vector<int> filled(count.begin(), count.end() - 1);
    for (std::size_t k = 0; k < n; ++k) {
        const QRect cells = cellsOf(shown[k].second);
        if (cells.width() * cells.height() > kLargeCells)
            continue;
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int column = cells.left(); column <= cells.right(); ++column)
                members[static_cast<std::size_t>(
                    filled[static_cast<std::size_t>(row * columns + column)]++)] = k;
    }
    for (std::size_t c = 0; c + 1 < count.size(); ++c) {
        const auto first = members.begin() + count[c];
        const auto last = members.begin() + count[c + 1];
        if (last - first > kCrowded) {
            for (auto a = first; a != last; ++a)
                alone[*a] = false;
            continue;
        }
        for (auto a = first; a != last; ++a)
            for (auto b = a + 1; b != last; ++b)
                if (shown[*a].second.intersects(shown[*b].second))
                    alone[*a] = alone[*b] = false;
    }
    return alone;
}

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
    // the rectangles, except on aisles that no other overlaps, which are drawn whole in turn.
    std::vector<std::pair<int, QRect>> shown;
    int selected = -1;
    for (int i = 0; i < aisles.Count(); ++i) {
        const QRect r = VisibleRect(aisles[i]->Rect, picture.Client);
        if (!r.intersects(area))
            continue;
        shown.emplace_back(i, r);
        if (aisles[i] == picture.Selected)
            selected = i;
    }
    const std::vector<bool> alone =
        texts.WholeAisles()
            ? AloneAisles(shown, area.intersected(QRect(QPoint(0, 0), picture.Client)))
            : std::vector<bool>(shown.size(), false);
    std::vector<int> named;
    for (std::size_t k = 0; k < shown.size(); ++k) {
        const auto &[i, r] = shown[k];
        if (alone[k] && texts.Whole(*aisles[i], r, i))
            continue;
        texts.Done();
        DrawRectangle(painter, r, colours::Outline, colours::AisleFill);
        if (picture.ShowOrder)
            texts.Number(NumberFor(picture, texts.Numbers(), *aisles[i], i), r);
        if (picture.ShowCategory)
            named.push_back(i);
    }
    for (int i : named)
        texts.CatText(*aisles[i]);
    texts.Done();
    if (selected >= 0)
        DrawSelection(painter, picture, area, *aisles[selected], selected);
}

// Plans of at least this many aisles are painted in bands on several threads at once, each
// band at least this many rows high.
constexpr int kBandAisles = 500;
constexpr int kBandRows = 32;

void PaintArea(QPainter &painter, const PlanPicture &picture, const QRect &area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (picture.OrderMode)
        PaintOrderMode(painter, picture, area);
    else
        PaintNormal(painter, picture, area);
    painter.restore();
}

// A copy of a font that shares nothing with it: copies of a font share what it has loaded,
// which two threads must not use at once.
QFont Unshared(const QFont &font) {
    QFont copy = font;
    const uint resolved = copy.resolveMask();
    copy.setResolveMask(0);
    copy.setStyleStrategy(font.styleStrategy());
    copy.setResolveMask(resolved);
    return copy;
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
    PaintPlanInBands(painter, picture, area,
                     picture.Aisles->Count() >= kBandAisles ? 1 + PaintThreadCount() : 1);
}

void PaintPlanInBands(QPainter &painter, const PlanPicture &picture, const QRect &area, int bands) {
    if (!picture.Aisles)
        return;
    // Bands are painted on copies of the device's own pixels: only a raster painter on an
    // image of a screen's usual formats, moved by whole pixels, can be split.
    const QRect visible = area.intersected(QRect(QPoint(0, 0), picture.Client));
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform toDevice = painter.deviceTransform();
    const QImage *target = engine && engine->type() == QPaintEngine::Raster &&
                                   engine->paintDevice() &&
                                   engine->paintDevice()->devType() == QInternal::Image
                               ? static_cast<const QImage *>(engine->paintDevice())
                               : nullptr;
    // The threads serve the window's thread alone, and a band painted apart has only the
    // painter state the plan itself uses.
    bands = std::min({bands, 1 + PaintThreadCount(), visible.height() / kBandRows});
    if (bands < 2 || !target || !QCoreApplication::instance() || !OnWindowThread() ||
        toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::floor(toDevice.dx()) ||
        toDevice.dy() != std::floor(toDevice.dy()) || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        (target->format() != QImage::Format_RGB32 &&
         target->format() != QImage::Format_ARGB32_Premultiplied)) {
        PaintArea(painter, picture, area);
        return;
    }
    const QPoint offset(static_cast<int>(toDevice.dx()), static_cast<int>(toDevice.dy()));
    std::vector<QRect> rows;
    for (int k = 0; k < bands; ++k) {
        const int top = visible.top() + visible.height() * k / bands;
        const int bottom = visible.top() + visible.height() * (k + 1) / bands;
        rows.emplace_back(visible.left(), top, visible.width(), bottom - top);
    }
    // Every band but the first is painted on another thread, on a copy of what the device
    // shows there, with fonts of its own; the first is painted here meanwhile.
    const QPaintDevice &device = *painter.device();
    const QPainter::RenderHints hints = painter.renderHints();
    const Qt::LayoutDirection direction = painter.layoutDirection();
    std::vector<QImage> images;
    std::vector<PlanPicture> pictures;
    std::vector<std::function<void()>> jobs;
    for (int k = 1; k < bands; ++k) {
        QImage image = target->copy(rows[std::size_t(k)].translated(offset));
        image.setDotsPerMeterX(qRound(device.logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(device.logicalDpiY() / 0.0254));
        images.push_back(std::move(image));
        PlanPicture own = picture;
        own.CanvasFont = Unshared(picture.CanvasFont);
        own.HorzFont = Unshared(picture.HorzFont);
        own.VertFont = Unshared(picture.VertFont);
        pictures.push_back(std::move(own));
    }
    for (std::size_t k = 1; k < rows.size(); ++k)
        jobs.emplace_back([&, k] {
            QPainter band(&images[k - 1]);
            band.setRenderHints(band.renderHints(), false);
            band.setRenderHints(hints);
            band.setLayoutDirection(direction);
            band.translate(-rows[k].topLeft());
            PaintArea(band, pictures[k - 1], rows[k]);
        });
    const std::vector<bool> ran =
        RunOnPaintThreads(std::move(jobs), [&] { PaintArea(painter, picture, rows[0]); });
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (!ran[k - 1]) {
            // Kept within its band, so as not to paint over the bands already copied in.
            painter.save();
            painter.setClipRect(rows[k], Qt::IntersectClip);
            PaintArea(painter, picture, rows[k]);
            painter.restore();
            continue;
        }
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(rows[k].topLeft(), images[k - 1]);
        painter.restore();
    }
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
