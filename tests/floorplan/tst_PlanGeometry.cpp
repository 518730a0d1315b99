// The floor plan's arithmetic on its own: grid, grab zones, drags, hits, sizes.

#include "TestCatalogue.h"
#include "floorplan/PlanGeometry.h"

#include <QTest>

#include <limits>

using namespace plan;

Q_DECLARE_METATYPE(Extent)

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

} // namespace

class TestPlanGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void snap_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("snapped");
        QTest::newRow("10 to even 0") << qint64(10) << 0;
        QTest::newRow("30 to even 40") << qint64(30) << 40;
        QTest::newRow("50 to even 40") << qint64(50) << 40;
        QTest::newRow("70 to even 80") << qint64(70) << 80;
        QTest::newRow("-10 to 0") << qint64(-10) << 0;
        QTest::newRow("-30 to -40") << qint64(-30) << -40;
        QTest::newRow("-50 to -40") << qint64(-50) << -40;
        QTest::newRow("9 down") << qint64(9) << 0;
        QTest::newRow("11 up") << qint64(11) << 20;
        QTest::newRow("-11 down") << qint64(-11) << -20;
        QTest::newRow("-9 up") << qint64(-9) << 0;
        QTest::newRow("on the grid") << qint64(-60) << -60;
        QTest::newRow("beyond 32 bits saturates") << qint64(5'000'000'000) << 2147483640;
        QTest::newRow("below 32 bits saturates") << qint64(-5'000'000'000) << -2147483640;
    }

    void snap() {
        QFETCH(qint64, value);
        QFETCH(int, snapped);
        QCOMPARE(Snap(value), snapped);
    }

    void grabZones_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("grabX");
        QTest::addColumn<int>("grabY");
        // The aisle (40, 40, 100, 200): zones 5 in from left/top, 4 in from right/bottom.
        QTest::newRow("top-left inner") << 44 << 44 << int(dkTopLeft) << 4 << 4;
        QTest::newRow("top-left edge x") << 45 << 40 << int(dkMove) << 5 << 0;
        QTest::newRow("top-left edge y") << 40 << 45 << int(dkMove) << 0 << 5;
        QTest::newRow("top-right inner") << 96 << 44 << int(dkTopRight) << -4 << 4;
        QTest::newRow("top-right outside") << 95 << 44 << int(dkMove) << 55 << 4;
        QTest::newRow("bottom-left inner") << 44 << 196 << int(dkBottomLeft) << 4 << -4;
        QTest::newRow("bottom-left outside") << 44 << 195 << int(dkMove) << 4 << 155;
        QTest::newRow("bottom-right inner") << 96 << 196 << int(dkBottomRight) << -4 << -4;
        QTest::newRow("bottom-right corner pixel") << 99 << 199 << int(dkBottomRight) << -1 << -1;
        QTest::newRow("bottom-right outside") << 95 << 195 << int(dkMove) << 55 << 155;
        QTest::newRow("left edge middle") << 40 << 100 << int(dkMove) << 0 << 60;
    }
    void grabZones() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, kind);
        QFETCH(int, grabX);
        QFETCH(int, grabY);
        const Grab grab = GrabAt(R(40, 40, 100, 200), x, y);
        QCOMPARE(int(grab.Kind), kind);
        QCOMPARE(grab.GrabX, qint64(grabX));
        QCOMPARE(grab.GrabY, qint64(grabY));
    }
    void resize_data() {
        QTest::addColumn<TRect>("start");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<TRect>("result");
        QTest::addColumn<int>("newKind");
        QTest::newRow("top-left inwards") << R(40, 40, 100, 200) << int(dkTopLeft) << 61 << 81
                                          << R(60, 80, 100, 200) << int(dkTopLeft);
        QTest::newRow("top-left onto the right edge")
            << R(40, 40, 60, 160) << int(dkTopLeft) << 60 << 40 << R(60, 40, 80, 160)
            << int(dkTopRight);
        QTest::newRow("bottom-right onto the left edge stays 20 wide")
            << R(40, 40, 60, 160) << int(dkBottomRight) << 40 << 160 << R(40, 40, 60, 160)
            << int(dkBottomRight);
        QTest::newRow("top-right onto the bottom edge")
            << R(40, 40, 100, 200) << int(dkTopRight) << 100 << 200 << R(40, 200, 100, 220)
            << int(dkBottomRight);
        QTest::newRow("top-left across the opposite corner")
            << R(40, 40, 100, 160) << int(dkTopLeft) << 140 << 200 << R(100, 160, 140, 200)
            << int(dkBottomRight);
        QTest::newRow("bottom-left across the opposite corner")
            << R(40, 40, 100, 160) << int(dkBottomLeft) << 140 << 0 << R(100, 0, 140, 40)
            << int(dkTopRight);
        QTest::newRow("both edges onto the opposite corner")
            << R(40, 40, 100, 160) << int(dkTopLeft) << 100 << 160 << R(100, 160, 120, 180)
            << int(dkBottomRight);
        QTest::newRow("bottom-right past the top-left only vertically")
            << R(40, 40, 100, 160) << int(dkBottomRight) << 120 << 0 << R(40, 0, 120, 40)
            << int(dkTopRight);
        QTest::newRow("far-off edge does not overflow")
            << R(kMin, 0, 2147483640, 20) << int(dkBottomRight) << 2147483647 << 20
            << R(kMin, 0, 2147483640, 20) << int(dkBottomRight);
    }

    void resize() {
        QFETCH(TRect, start);
        QFETCH(int, kind);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(TRect, result);
        QFETCH(int, newKind);
        // The pointer is on the corner itself, so the grab offset is 0.
        Grab grab{static_cast<uint8_t>(kind), 0, 0};
        QCOMPARE(Resized(start, x, y, grab), result);
        QCOMPARE(int(grab.Kind), newKind);
        QVERIFY(result.Right > result.Left && result.Bottom > result.Top);
    }

    void move_data() {
        QTest::addColumn<TRect>("start");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<TRect>("result");
        // Grabbed 5 in and 7 down from the top-left corner.
        QTest::newRow("snapped") << R(40, 40, 60, 160) << 68 << 50 << R(60, 40, 80, 160);
        QTest::newRow("half way to even") << R(40, 40, 60, 160) << 55 << 77 << R(40, 80, 60, 200);
        QTest::newRow("past the left and top edges")
            << R(40, 40, 60, 160) << -40 << -20 << R(-40, -20, -20, 100);
        QTest::newRow("keeps an off-grid size") << R(3, 5, 30, 17) << 48 << 52 << R(40, 40, 67, 52);
        QTest::newRow("size saturates instead of overflowing")
            << R(0, 0, kMax, 20) << 25 << 7 << R(20, 0, kMax, 20);
    }

    void move() {
        QFETCH(TRect, start);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(TRect, result);
        const Grab grab{dkMove, 5, 7};
        QCOMPARE(Moved(start, x, y, grab), result);
    }

    void hits() {
        TRecordList<TShopAisle> aisles;
        AddAisle(aisles, R(0, 0, 100, 100));
        AddAisle(aisles, R(50, 50, 150, 150));
        AddAisle(aisles, R(200, 0, 220, 120));
        // Drawn on top: the last containing aisle.
        QCOMPARE(HitTest(aisles, 60, 60), 1);
        QCOMPARE(HitTest(aisles, 10, 10), 0);
        // Right and bottom edges are outside.
        QCOMPARE(HitTest(aisles, 220, 10), -1);
        QCOMPARE(HitTest(aisles, 210, 120), -1);
        QCOMPARE(HitTest(aisles, 219, 119), 2);
        // Order mode: the first unplaced one in list order.
        QCOMPARE(FirstHitFrom(aisles, 0, 60, 60), 0);
        QCOMPARE(FirstHitFrom(aisles, 1, 60, 60), 1);
        QCOMPARE(FirstHitFrom(aisles, 2, 60, 60), -1);
        // Extreme coordinates from a file are compared without overflow.
        AddAisle(aisles, R(kMin, kMin, kMax, kMax));
        QCOMPARE(HitTest(aisles, -1'000'000, 5), 3);
        QVERIFY(!Contains(R(kMin, 0, kMax, 10), kMax, 5));
    }

    void clientSize_data() {
        QTest::addColumn<QList<TRect>>("rects");
        QTest::addColumn<Extent>("size");
        QTest::newRow("no aisles") << QList<TRect>{} << Extent{141, 141};
        QTest::newRow("small aisles keep the minimum")
            << QList<TRect>{R(0, 0, 20, 120)} << Extent{141, 141};
        QTest::newRow("largest right and bottom from different aisles")
            << QList<TRect>{R(0, 0, 300, 20), R(0, 40, 20, 200)} << Extent{321, 221};
        QTest::newRow("largest right at 32 bits")
            << QList<TRect>{R(0, 0, kMax, 20)} << Extent{int64_t{kMax} + 21, 141};
    }

    void clientSize() {
        QFETCH(QList<TRect>, rects);
        QFETCH(Extent, size);
        TRecordList<TShopAisle> aisles;
        for (const TRect &r : rects)
            AddAisle(aisles, r);
        QCOMPARE(ClientSize(aisles), size);
    }

    void printedSize_data() {
        QTest::addColumn<Extent>("image");
        QTest::addColumn<Extent>("page");
        QTest::addColumn<Extent>("printed");
        const struct {
            const char *name;
            Extent image, page, printed;
        } rows[] = {
            // A4 portrait at 1200 dpi, less the margins: the square fills the width.
            {"141 square on portrait", {141, 141}, {9440, 13563}, {9440, 9440}},
            {"141 square on landscape", {141, 141}, {13563, 9440}, {9440, 9440}},
            {"tall plan fills the height", {141, 441}, {4800, 6600}, {2110, 6600}},
            {"wide plan: product before quotient", {641, 221}, {4800, 6600}, {4800, 1654}},
            {"large values stay exact in 64 bits",
             {100000, 3},
             {2000000000, 2000000000},
             {2000000000, 60000}},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.image << r.page << r.printed;
    }
    void printedSize() {
        QFETCH(Extent, image);
        QFETCH(Extent, page);
        QFETCH(Extent, printed);
        QCOMPARE(PrintedSize(image, page), printed);
    }
    void catListPosition() {
        // The editor's design place 435 x 300 at (112, 126), the list 162 x 147.
        QCOMPARE(CatListPosition({112, 126}, 435, {162, 147}), (Position{400, 90}));
        // Halves go to the even neighbour, on either side of zero.
        QCOMPARE(DivideRoundHalfEven(15, 10), 2);
        QCOMPARE(DivideRoundHalfEven(25, 10), 2);
        QCOMPARE(DivideRoundHalfEven(-15, 10), -2);
        QCOMPARE(DivideRoundHalfEven(1620, 11), 147);
    }
};

QTEST_APPLESS_MAIN(TestPlanGeometry)
#include "tst_PlanGeometry.moc"
