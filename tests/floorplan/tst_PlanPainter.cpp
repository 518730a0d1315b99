// Painting a floor plan: texts cut to what their aisles show and drawn without saving the
// painter give the same picture as drawing every text whole, each clipped on its own, and a
// plan painted area by area is the plan painted at once.

#include "TestCatalogue.h"
#include "floorplan/PlanGeometry.h"
#include "floorplan/PlanPainter.h"
#include "ui/Ansi.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cstring>

namespace {

const QSize kClient(400, 300);

// Aisles of `width` x `height` in rows from (left, top), every second row upright, labelled
// in turn with `names` (long, short, accented).
void Grid(TRecordList<TShopAisle> &aisles, const TRecordList<TShopCat> &names, QRect within,
          int width, int height) {
    int n = 0;
    for (int y = within.top(); y + height <= within.bottom(); y += height, ++n)
        for (int x = within.left(); x + width <= within.right(); x += width) {
            const int w = n % 2 ? std::max(1, width / 2) : width;
            AddAisle(aisles, R(x, y, x + w, y + height), names[aisles.Count() % names.Count()]);
        }
}

plan::PlanPicture Picture(const TRecordList<TShopAisle> &aisles) {
    plan::PlanPicture p;
    p.Aisles = &aisles;
    p.ShowOrder = true;
    p.ShowCategory = true;
    p.Client = kClient;
    p.CanvasFont = QFont(QStringLiteral("Arial"));
    p.CanvasFont.setPixelSize(11);
    p.HorzFont = p.CanvasFont;
    p.VertFont = p.CanvasFont;
    return p;
}

QImage Paint(const plan::PlanPicture &picture, const QRect &area) {
    QImage image(kClient, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    plan::PaintPlan(painter, picture, area);
    return image;
}

// The texts as the plain way draws them: each whole, in a clip of its own.
void PlainTexts(QPainter &painter, const plan::PlanPicture &picture) {
    const QFontMetrics metrics(picture.CanvasFont);
    painter.setPen(Qt::black);
    painter.setFont(picture.CanvasFont);
    const auto &aisles = *picture.Aisles;
    for (int i = 0; i < aisles.Count(); ++i) {
        const TRect &r = aisles[i]->Rect;
        const QString number = QString::number(i + 1);
        painter.save();
        painter.setClipRect(plan::VisibleRect(r, picture.Client));
        painter.drawText(QPoint(int(plan::CentredTextX(r, metrics.horizontalAdvance(number))),
                                r.Top + 3 + metrics.ascent()),
                         number);
        painter.restore();
    }
    for (const auto &aisle : aisles) {
        const TRect &r = aisle->Rect;
        const QString text = ui::FromAnsi(aisle->Category->Name);
        painter.save();
        painter.setClipRect(plan::VisibleRect(r, picture.Client));
        if (plan::ReadsUpwards(r)) {
            painter.translate(r.Left + 1, r.Bottom - 3);
            painter.rotate(-90);
            painter.drawText(QPoint(0, metrics.ascent()), text);
        } else {
            painter.drawText(QPoint(r.Left + 3, r.Top + 1 + metrics.ascent()), text);
        }
        painter.restore();
    }
}

// A font as the floor plan window makes its names' fonts.
QFont PlanFont(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool SameBytes(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    const auto row = static_cast<std::size_t>(a.width()) * 4;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), row) != 0)
            return false;
    return true;
}

} // namespace

class TestPlanPainter : public QObject {
    Q_OBJECT
    TRecordList<TShopCat> names;

private Q_SLOTS:
    void initTestCase() {
        for (const char *name : {"Refrigerated goods", "Tea", "\xC9picerie fine", "Wine & beer",
                                 "WWWWWWWWWWWWWWWWWWWW", "il"})
            names.Add(std::make_unique<TShopCat>(name));
    }

    void sameAsWholeTexts_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("area");
        const QRect all(QPoint(0, 0), kClient);
        QTest::newRow("tiny aisles") << 6 << 6 << all;
        QTest::newRow("small aisles") << 20 << 20 << all;
        QTest::newRow("large aisles") << 60 << 100 << all;
        QTest::newRow("long aisles, part of the plan") << 130 << 24 << QRect(35, 17, 170, 90);
        QTest::newRow("small aisles, part of the plan") << 14 << 11 << QRect(101, 3, 57, 200);
    }
    void sameAsWholeTexts() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QRect, area);
        TRecordList<TShopAisle> aisles;
        // Some aisles stand out of the client area on the right and at the bottom.
        Grid(aisles, names, QRect(2, 3, kClient.width() + 2 * width, kClient.height() + height),
             width, height);
        const plan::PlanPicture picture = Picture(aisles);
        const QImage painted = Paint(picture, area);

        plan::PlanPicture bare = picture;
        bare.ShowOrder = bare.ShowCategory = false;
        QImage plain = Paint(bare, area);
        {
            QPainter painter(&plain);
            painter.setClipRect(area);
            PlainTexts(painter, picture);
        }
        // Where the two differ, if anywhere.
        QRect differ;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (painted.pixel(x, y) != plain.pixel(x, y))
                    differ |= QRect(x, y, 1, 1);
        QCOMPARE(differ, QRect());
    }

    // The measures are kept for a few fonts only: plans painted in more fonts than are kept,
    // one font shared by all of them, paint the same each time (a painter's own fonts are
    // never let go while it paints).
    void manyFonts() {
        TRecordList<TShopCat> names;
        names.Add(std::make_unique<TShopCat>("Dairy"));
        names.Add(std::make_unique<TShopCat>("\xC9picerie fine"));
        TRecordList<TShopAisle> aisles;
        Grid(aisles, names, QRect(0, 0, 400, 300), 60, 40);
        plan::PlanPicture picture = Picture(aisles);
        const QRect all(QPoint(0, 0), kClient);
        std::vector<QImage> first;
        for (int pass = 0; pass < 2; ++pass)
            for (int size = 8; size < 20; ++size) {
                picture.HorzFont = PlanFont(size);
                picture.VertFont = PlanFont(size + 1);
                const QImage painted = Paint(picture, all);
                if (pass == 0)
                    first.push_back(painted);
                else
                    QVERIFY2(SameBytes(painted, first[std::size_t(size - 8)]),
                             qPrintable(QString::number(size)));
            }
    }

    void areaByArea_data() {
        QTest::addColumn<bool>("orderMode");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("tileHeight");
        QTest::newRow("plan, narrow aisles") << false << 8 << 17 << 37;
        QTest::newRow("plan, wide aisles") << false << 45 << 17 << 37;
        QTest::newRow("order mode, narrow aisles") << true << 8 << 17 << 37;
        QTest::newRow("order mode, wide aisles") << true << 45 << 17 << 37;
        // Numbers stand out below aisles lower than their text, into tiles below.
        QTest::newRow("order mode, low aisles") << true << 9 << 7 << 11;
    }
    void areaByArea() {
        QFETCH(bool, orderMode);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, tileHeight);
        TRecordList<TShopAisle> aisles;
        Grid(aisles, names, QRect(0, 0, kClient.width(), kClient.height()), width, height);
        plan::PlanPicture picture = Picture(aisles);
        picture.OrderMode = orderMode;
        picture.OrderedCount = aisles.Count() / 3;
        picture.Selected = aisles[aisles.Count() / 2];
        const QImage whole = Paint(picture, QRect(QPoint(0, 0), kClient));
        // Tiles whose edges cut through numbers and names.
        for (int top = 0; top < kClient.height(); top += tileHeight)
            for (int left = 0; left < kClient.width(); left += 53) {
                const QRect tile(left, top, 53, tileHeight);
                QVERIFY2(Paint(picture, tile).copy(tile) == whole.copy(tile),
                         qPrintable(QStringLiteral("tile at %1, %2").arg(left).arg(top)));
            }
    }
};

QTEST_MAIN(TestPlanPainter)
#include "tst_PlanPainter.moc"
