// The floor plan editor and its category list, driven through the real windows.

#include "TestCatalogue.h"
#include "TestProgram.h"
#include "WidgetDriver.h"
#include "app/Forms.h"
#include "catalogue/Regional.h"
#include "catalogue/ShopData.h"
#include "floorplan/CatListU.h"
#include "floorplan/FloorPla.h"
#include "settings/Preferences.h"
#include "ui/Cursors.h"
#include "ui/ListBox.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

namespace {

// The shop's aisles in list order with their categories, as one comparable text.
QString Describe(const TShopShop &shop) {
    QStringList parts;
    for (const auto &aisle : shop.Aisle) {
        const TRect &r = aisle->Rect;
        parts << QStringLiteral("(%1,%2,%3,%4)%5")
                     .arg(r.Left)
                     .arg(r.Top)
                     .arg(r.Right)
                     .arg(r.Bottom)
                     .arg(aisle->Category ? QString::fromStdString(aisle->Category->Name) : "");
    }
    return parts.join(QLatin1Char(' '));
}

// Collects the areas the plan is asked to paint.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *target) { target->installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// The box around the dark (text) pixels inside `area`.
QRect DarkPixels(const QImage &image, const QRect &area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestFloorPlan : public QObject {
    Q_OBJECT
    TestProgram *program = nullptr;
    TShopShop *shop_ = nullptr;

    // A shop "Corner Store" with aisles at `rects`, open in the editor; false when the editor
    // could not be made the active window.
    [[nodiscard]] bool Open(const QList<TRect> &rects) {
        shop_ = Shops.Add(std::make_unique<TShopShop>("Corner Store"));
        for (const TRect &r : rects)
            AddAisle(shop_->Aisle, r);
        FloorPlanEditForm->PlanShop = shop_;
        // Shortcuts go to the active window, as the user's keys do.
        return ShowActive(FloorPlanEditForm);
    }
    TPlanArea *Plan() const { return FloorPlanEditForm->Plan; }
    QImage Grab() const { return Plan()->grab().toImage(); }
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Plan(), button, {}, at);
    }
    void Drag(QPoint from, const QList<QPoint> &path) {
        QTest::mousePress(Plan(), Qt::LeftButton, {}, from);
        for (const QPoint &p : path)
            QTest::mouseMove(Plan(), p);
        QTest::mouseRelease(Plan(), Qt::LeftButton, {}, path.isEmpty() ? from : path.last());
    }
    TShopAisle *Aisle(int i) const { return shop_->Aisle[i]; }

private Q_SLOTS:
    void initTestCase() {
        SetUpWindowTests();
        ui::RegisterCursors();
    }

    // The windows are created in the program's order: the list places itself beside the
    // editor.
    void init() {
        program = new TestProgram();
        shop_ = nullptr;
    }

    void cleanup() {
        delete program;
        program = nullptr;
    }

    void showing_data() {
        QTest::addColumn<QList<TRect>>("rects");
        QTest::addColumn<QSize>("client");
        QTest::newRow("no aisles") << QList<TRect>{} << QSize(141, 141);
        QTest::newRow("largest edges of different aisles")
            << QList<TRect>{R(0, 0, 300, 20), R(40, 40, 60, 200)} << QSize(321, 221);
    }

    void showing() {
        QFETCH(QList<TRect>, rects);
        QFETCH(QSize, client);
        FPlan_ShowOrder = true;
        FPlan_CatList = true;
        QVERIFY(Open(rects));
        // However small the plan, the window is wide enough for all five menus; the plan
        // keeps its origin at the top-left corner of the client area.
        QMenuBar *bar = FloorPlanEditForm->MainMenu2;
        QCOMPARE(Plan()->height(), client.height());
        QCOMPARE(Plan()->width(), std::max(client.width(), FloorPlanEditForm->minimumWidth()));
        QCOMPARE(Plan()->mapTo(FloorPlanEditForm, QPoint(0, 0)), QPoint(0, bar->height()));
        FloorPlanEditForm->resize(60, FloorPlanEditForm->height());
        QCoreApplication::processEvents();
        QCOMPARE(bar->actions().size(), 5);
        for (QAction *menu : bar->actions())
            QVERIFY2(bar->rect().contains(bar->actionGeometry(menu)), qPrintable(menu->text()));
        const auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(!more || !more->isVisible());
        if (rects.isEmpty())
            QVERIFY(SaveShot(FloorPlanEditForm, QStringLiteral("floorplan_empty_shop")));
        QCOMPARE(FloorPlanEditForm->windowTitle(), QStringLiteral("Corner Store"));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo"));
        QVERIFY(!FloorPlanEditForm->Undo1->isEnabled());
        QVERIFY(FloorPlanEditForm->Order1->isChecked());
        QVERIFY(!FloorPlanEditForm->Category1->isChecked());
        QVERIFY(FloorPlanEditForm->Category2->isChecked());
        QVERIFY(CatListForm->isVisible());
        QCOMPARE(Plan()->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(SaveShot(FloorPlanEditForm, QStringLiteral("floor-plan-%1").arg(rects.size())));
        // The right arrow selects the first aisle; without aisles it does nothing.
        QTest::keyClick(Plan(), Qt::Key_Right);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, rects.isEmpty() ? nullptr : Aisle(0));
    }

    void farOffAisles() {
        // Coordinates from a data file may lie anywhere in 32 bits: the window stays on the
        // screen, and such aisles draw, select and move without overflow.
        FPlan_ShowCat = true;
        FPlan_ShowOrder = true;
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        const int32_t low = std::numeric_limits<int32_t>::min();
        const int32_t high = std::numeric_limits<int32_t>::max();
        QVERIFY(Open({R(low, 20, high, 40), R(40, 60, 60, high)}));
        Aisle(0)->Category = dairy;
        const QRect screen = FloorPlanEditForm->screen()->availableGeometry();
        QVERIFY(Plan()->width() <= screen.width() && Plan()->height() <= screen.height());
        QImage image = Grab();
        QCOMPARE(QColor(image.pixel(10, 30)), QColor(255, 255, 0));
        QCOMPARE(QColor(image.pixel(50, 100)), QColor(255, 255, 0));
        Drag(QPoint(50, 100), {QPoint(90, 100)});
        QCOMPARE(Aisle(1)->Rect, R(80, 60, 100, high));
        Click(QPoint(10, 30));
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(0));
        image = Grab();
        QCOMPARE(QColor(image.pixel(10, 30)), QColor(0, 255, 255));
    }

    void addSnapsToGrid_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("left");
        QTest::newRow("10 to 0") << 10 << 0;
        QTest::newRow("30 to 40") << 30 << 40;
        QTest::newRow("50 to 40") << 50 << 40;
        QTest::newRow("-10 to 0") << -10 << 0;
        QTest::newRow("-30 to -40") << -30 << -40;
    }

    void addSnapsToGrid() {
        QFETCH(int, x);
        QFETCH(int, left);
        QVERIFY(Open({R(100, 0, 120, 120)}));
        const QSize before = Plan()->size();
        FloorPlanEditForm->Addaisle1->trigger();
        QCOMPARE(Plan()->cursor(), ui::Cursor(ui::crAisleAdd));
        Click(QPoint(x, 70));
        QCOMPARE(shop_->Aisle.Count(), 2);
        QCOMPARE(Aisle(1)->Rect, R(left, 80, left + 20, 200));
        QCOMPARE(Aisle(1)->Category, nullptr);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(1));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo add"));
        QVERIFY(FloorPlanEditForm->Deleteaisle1->isEnabled());
        QVERIFY(!FloorPlanEditForm->AddMode);
        QCOMPARE(Plan()->cursor().shape(), Qt::ArrowCursor);
        // The window is not enlarged for an aisle near its edge.
        QCOMPARE(Plan()->size(), before);
    }

    void addDisarms() {
        QVERIFY(Open({}));
        // Escape, a right press and entering order mode each disarm Add aisle.
        FloorPlanEditForm->Addaisle1->trigger();
        QTest::keyClick(Plan(), Qt::Key_Escape);
        QVERIFY(!FloorPlanEditForm->AddMode);
        QCOMPARE(Plan()->cursor().shape(), Qt::ArrowCursor);
        FloorPlanEditForm->Addaisle1->trigger();
        Click(QPoint(50, 50), Qt::RightButton);
        QVERIFY(!FloorPlanEditForm->AddMode);
        FloorPlanEditForm->Addaisle1->trigger();
        FloorPlanEditForm->Setaisleorder1->trigger();
        FloorPlanEditForm->Setaisleorder1->trigger();
        QVERIFY(!FloorPlanEditForm->AddMode);
        Click(QPoint(50, 50));
        QCOMPARE(shop_->Aisle.Count(), 0);
    }

    void addBeepsWhenFull() {
        QList<TRect> full;
        for (int i = 0; i < MaxRecords; ++i)
            full << R(0, 0, 20, 120);
        QVERIFY(Open(full));
        FloorPlanEditForm->Addaisle1->trigger();
        Click(QPoint(60, 60));
        QCOMPARE(shop_->Aisle.Count(), MaxRecords);
        QCOMPARE(program->responder.beeps, 1);
        QVERIFY(!FloorPlanEditForm->AddMode);
    }

    void grabZones_data() {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("word");
        QTest::addColumn<TRect>("result");
        // The aisle (40, 40, 100, 200), dragged by (+20, +40).
        const TRect moved = R(60, 80, 120, 240);
        QTest::newRow("top-left, 5 in")
            << QPoint(44, 44) << int(ui::crAisleSizeNWSE) << "resize" << R(60, 80, 100, 200);
        QTest::newRow("top-left, 6 in moves")
            << QPoint(45, 44) << int(ui::crAisleMove) << "move" << moved;
        QTest::newRow("top-right, 4 in")
            << QPoint(96, 44) << int(ui::crAisleSizeNESW) << "resize" << R(40, 80, 120, 200);
        QTest::newRow("top-right, 5 in moves")
            << QPoint(95, 44) << int(ui::crAisleMove) << "move" << moved;
        QTest::newRow("bottom-left, 4 in")
            << QPoint(44, 196) << int(ui::crAisleSizeNESW) << "resize" << R(60, 40, 100, 240);
        QTest::newRow("bottom-left, 5 in moves")
            << QPoint(44, 195) << int(ui::crAisleMove) << "move" << moved;
        QTest::newRow("bottom-right, 4 in")
            << QPoint(96, 196) << int(ui::crAisleSizeNWSE) << "resize" << R(40, 40, 120, 240);
        QTest::newRow("bottom-right, 5 in moves")
            << QPoint(95, 195) << int(ui::crAisleMove) << "move" << moved;
        QTest::newRow("left edge alone moves")
            << QPoint(40, 120) << int(ui::crAisleMove) << "move" << moved;
    }

    void grabZones() {
        QFETCH(QPoint, press);
        QFETCH(int, cursor);
        QFETCH(QString, word);
        QFETCH(TRect, result);
        QVERIFY(Open({R(40, 40, 100, 200)}));
        QTest::mousePress(Plan(), Qt::LeftButton, {}, press);
        QCOMPARE(Plan()->cursor(), ui::Cursor(cursor));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo ") + word);
        QTest::mouseMove(Plan(), press + QPoint(20, 40));
        QTest::mouseRelease(Plan(), Qt::LeftButton, {}, press + QPoint(20, 40));
        QCOMPARE(Aisle(0)->Rect, result);
        QCOMPARE(Plan()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(int(FloorPlanEditForm->DragKind), 0);
    }

    // A top-left corner dragged onto the right edge, or across the opposite corner, turns
    // into the corner it has become; later moves then drag that corner.
    void cornerDrags_data() {
        QTest::addColumn<TRect>("start");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<TRect>("afterFirst");
        QTest::addColumn<int>("dragKind");
        QTest::addColumn<QPoint>("second");
        QTest::addColumn<TRect>("afterSecond");
        // A 20-wide aisle whose left edge is the old right edge, now held by its top-right.
        QTest::newRow("onto the opposite edge")
            << R(40, 40, 60, 160) << QPoint(61, 41) << R(60, 40, 80, 160) << 2 << QPoint(101, 41)
            << R(60, 40, 100, 160);
        QTest::newRow("across the opposite corner")
            << R(40, 40, 100, 160) << QPoint(141, 201) << R(100, 160, 140, 200) << 4
            << QPoint(161, 221) << R(100, 160, 160, 220);
    }
    void cornerDrags() {
        QFETCH(TRect, start);
        QFETCH(QPoint, first);
        QFETCH(TRect, afterFirst);
        QFETCH(int, dragKind);
        QFETCH(QPoint, second);
        QFETCH(TRect, afterSecond);
        QVERIFY(Open({start}));
        QTest::mousePress(Plan(), Qt::LeftButton, {}, QPoint(41, 41));
        QTest::mouseMove(Plan(), first);
        QCOMPARE(Aisle(0)->Rect, afterFirst);
        QCOMPARE(int(FloorPlanEditForm->DragKind), dragKind);
        QTest::mouseMove(Plan(), second);
        QCOMPARE(Aisle(0)->Rect, afterSecond);
        QTest::mouseRelease(Plan(), Qt::LeftButton, {}, second);
        FloorPlanEditForm->Undo1->trigger();
        QCOMPARE(Aisle(0)->Rect, start);
    }

    void dragPastTopLeftEdges() {
        QVERIFY(Open({R(40, 40, 60, 160)}));
        Drag(QPoint(50, 100), {QPoint(-35, -30)});
        QCOMPARE(Aisle(0)->Rect, R(-40, -80, -20, 40));
        // Another showing takes the aisle as it is.
        FloorPlanEditForm->close();
        FloorPlanEditForm->show();
        QCOMPARE(Aisle(0)->Rect, R(-40, -80, -20, 40));
    }

    void selectOnlyReplacesSnapshot() {
        QVERIFY(Open({R(40, 40, 60, 160)}));
        FloorPlanEditForm->Addaisle1->trigger();
        Click(QPoint(100, 20));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo add"));
        const QString added = Describe(*shop_);
        Click(QPoint(50, 100));
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(0));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo move"));
        // Undo now shows no change: the add is no longer undoable.
        FloorPlanEditForm->Undo1->trigger();
        QCOMPARE(Describe(*shop_), added);
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Redo move"));
        QCOMPARE(FloorPlanEditForm->SelectedAisle, nullptr);
    }

    void undoTwice_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("move") << "move";
        QTest::newRow("resize") << "resize";
        QTest::newRow("add") << "add";
        QTest::newRow("delete") << "delete";
        QTest::newRow("order") << "order";
    }

    void undoTwice() {
        QFETCH(QString, edit);
        QVERIFY(Open({R(40, 40, 60, 160), R(100, 40, 120, 160), R(160, 40, 180, 160)}));
        const QString before = Describe(*shop_);
        if (edit == QLatin1String("move")) {
            Drag(QPoint(50, 100), {QPoint(70, 100), QPoint(90, 120)});
        } else if (edit == QLatin1String("resize")) {
            Drag(QPoint(119, 159), {QPoint(139, 199)});
        } else if (edit == QLatin1String("add")) {
            FloorPlanEditForm->Addaisle1->trigger();
            Click(QPoint(0, 0));
        } else if (edit == QLatin1String("delete")) {
            Click(QPoint(110, 100));
            QTest::keyClick(Plan(), Qt::Key_Delete);
        } else {
            FloorPlanEditForm->Setaisleorder1->trigger();
            Click(QPoint(170, 100));
            Click(QPoint(110, 100));
            QVERIFY(!FloorPlanEditForm->OrderMode);
        }
        const QString after = Describe(*shop_);
        QVERIFY(after != before);
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo ") + edit);
        for (int round = 0; round < 2; ++round) {
            QTest::keyClick(Plan(), Qt::Key_Backspace, Qt::AltModifier);
            QCOMPARE(Describe(*shop_), before);
            QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Redo ") + edit);
            FloorPlanEditForm->Undo1->trigger();
            QCOMPARE(Describe(*shop_), after);
            QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo ") + edit);
        }
    }

    void orderMode_data() {
        QTest::addColumn<int>("aisles");
        QTest::addColumn<QList<QPoint>>("clicks");
        QTest::addColumn<QList<int>>("order"); // aisles by their first position
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("stillOn");
        // Aisle i stands at x = 40 i .. 40 i + 20.
        auto at = [](int i) { return QPoint(40 * i + 10, 60); };
        const QPoint miss(30, 60);
        QTest::newRow("no aisles: every click beeps")
            << 0 << QList<QPoint>{miss, miss} << QList<int>{} << 2 << true;
        QTest::newRow("one aisle: one click ends")
            << 1 << QList<QPoint>{at(0)} << QList<int>{0} << 0 << false;
        QTest::newRow("two aisles: one click ends")
            << 2 << QList<QPoint>{at(1)} << QList<int>{1, 0} << 0 << false;
        QTest::newRow("four aisles, a miss between")
            << 4 << QList<QPoint>{at(3), miss, at(1), at(0)} << QList<int>{3, 1, 0, 2} << 1
            << false;
        QTest::newRow("a placed aisle cannot be placed again")
            << 4 << QList<QPoint>{at(2), at(2), at(3)} << QList<int>{2, 3, 0, 1} << 1 << true;
    }

    void orderMode() {
        QFETCH(int, aisles);
        QFETCH(QList<QPoint>, clicks);
        QFETCH(QList<int>, order);
        QFETCH(int, beeps);
        QFETCH(bool, stillOn);
        QList<TRect> rects;
        for (int i = 0; i < aisles; ++i)
            rects << R(40 * i, 40, 40 * i + 20, 160);
        QVERIFY(Open(rects));
        // Each aisle by its first position, which its left edge tells.
        const auto positions = [this] {
            QList<int> at;
            for (const auto &aisle : shop_->Aisle)
                at << aisle->Rect.Left / 40;
            return at;
        };
        if (aisles > 0)
            Click(QPoint(10, 60)); // a selection, which order mode clears
        QTest::keyClick(Plan(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(FloorPlanEditForm->OrderMode);
        QVERIFY(FloorPlanEditForm->Setaisleorder1->isChecked());
        QCOMPARE(FloorPlanEditForm->SelectedAisle, nullptr);
        QVERIFY(!FloorPlanEditForm->Addaisle1->isEnabled());
        QVERIFY(!FloorPlanEditForm->View1->menuAction()->isEnabled());
        QVERIFY(!FloorPlanEditForm->Undo1->isEnabled());
        QVERIFY(!FloorPlanEditForm->Deleteaisle1->isEnabled());
        QCOMPARE(Plan()->cursor(), ui::Cursor(ui::crAisleOrder));
        // The arrow keys select nothing in order mode.
        QTest::keyClick(Plan(), Qt::Key_Right);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, nullptr);
        for (const QPoint &p : clicks)
            Click(p);
        QCOMPARE(program->responder.beeps, beeps);
        QCOMPARE(FloorPlanEditForm->OrderMode, stillOn);
        QCOMPARE(positions(), order);
        if (stillOn) // leaving by the menu keeps the order reached
            FloorPlanEditForm->Setaisleorder1->trigger();
        QVERIFY(!FloorPlanEditForm->Setaisleorder1->isChecked());
        QVERIFY(FloorPlanEditForm->Addaisle1->isEnabled());
        QVERIFY(FloorPlanEditForm->View1->menuAction()->isEnabled());
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo order"));
        QVERIFY(FloorPlanEditForm->Undo1->isEnabled());
        QCOMPARE(Plan()->cursor().shape(), Qt::ArrowCursor);
        // The whole reordering undoes in one step.
        FloorPlanEditForm->Undo1->trigger();
        QList<int> unordered;
        for (int i = 0; i < aisles; ++i)
            unordered << i;
        QCOMPARE(positions(), unordered);
    }

    void overlappingAisles() {
        // C stands apart; A and B overlap, B drawn on top.
        QVERIFY(Open({R(200, 40, 220, 160), R(40, 40, 100, 100), R(60, 60, 120, 120)}));
        TShopAisle *c = Aisle(0), *a = Aisle(1), *b = Aisle(2);
        Click(QPoint(80, 80));
        QCOMPARE(FloorPlanEditForm->SelectedAisle, b);
        // In order mode the first unplaced one in list order is taken.
        FloorPlanEditForm->Setaisleorder1->trigger();
        Click(QPoint(80, 80));
        QCOMPARE(Aisle(0), a);
        Click(QPoint(80, 80));
        QVERIFY(!FloorPlanEditForm->OrderMode);
        QCOMPARE(Aisle(1), b);
        QCOMPARE(Aisle(2), c);
    }

    void deleteRenumbers() {
        FPlan_ShowOrder = true;
        QVERIFY(Open({R(40, 40, 60, 160), R(80, 40, 100, 160), R(120, 40, 140, 160)}));
        const QRect second(80, 40, 20, 120);
        const QImage numberTwo = Grab().copy(second);
        Click(QPoint(90, 100));
        QApplication::processEvents();
        PaintSpy spy(Plan());
        QTest::keyClick(Plan(), Qt::Key_Delete);
        QApplication::processEvents();
        QCOMPARE(shop_->Aisle.Count(), 2);
        // The whole plan is painted again, and the third aisle now shows 2.
        QCOMPARE(spy.painted.boundingRect(), Plan()->rect());
        QCOMPARE(Grab().copy(QRect(120, 40, 20, 120)), numberTwo);
        QVERIFY(!FloorPlanEditForm->Deleteaisle1->isEnabled());
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo delete"));

        // Without numbers only the deleted aisle's area is painted.
        FloorPlanEditForm->Order1->trigger();
        Click(QPoint(50, 100));
        QApplication::processEvents();
        spy.painted = QRegion();
        QTest::keyClick(Plan(), Qt::Key_Delete);
        QApplication::processEvents();
        QVERIFY(QRect(40, 40, 20, 120).contains(spy.painted.boundingRect()));
    }

    void dragRepaintsOnlyChangedAreas() {
        QList<TRect> many;
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 30; ++column)
                many << R(column * 40, row * 60, column * 40 + 20, row * 60 + 40);
        QVERIFY(Open(many));
        QTest::mousePress(Plan(), Qt::LeftButton, {}, QPoint(50, 70));
        QApplication::processEvents();
        PaintSpy spy(Plan());
        QTest::mouseMove(Plan(), QPoint(70, 70));
        QApplication::processEvents();
        QVERIFY(spy.painted.boundingRect().width() <= 60);
        QVERIFY(QRect(40, 60, 60, 40).contains(spy.painted.boundingRect()));
        // A move that snaps to the same place paints nothing.
        spy.painted = QRegion();
        QTest::mouseMove(Plan(), QPoint(72, 71));
        QApplication::processEvents();
        QVERIFY(spy.painted.isEmpty());
        QTest::mouseRelease(Plan(), Qt::LeftButton, {}, QPoint(72, 71));
    }

    void arrowKeys() {
        QVERIFY(Open({R(40, 40, 60, 160), R(80, 40, 100, 160), R(120, 40, 140, 160)}));
        QTest::keyClick(Plan(), Qt::Key_Left);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(0));
        QVERIFY(FloorPlanEditForm->Deleteaisle1->isEnabled());
        QTest::keyClick(Plan(), Qt::Key_Left);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(2));
        QTest::keyClick(Plan(), Qt::Key_Right);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(0));
        QTest::keyClick(Plan(), Qt::Key_Right);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(1));
        // During a drag the keys leave the grabbed aisle alone.
        QTest::mousePress(Plan(), Qt::LeftButton, {}, QPoint(130, 100));
        QTest::keyClick(Plan(), Qt::Key_Right);
        QCOMPARE(FloorPlanEditForm->SelectedAisle, Aisle(2));
        QTest::mouseRelease(Plan(), Qt::LeftButton, {}, QPoint(130, 100));
    }

    void colours() {
        QVERIFY(Open({R(40, 40, 60, 160), R(100, 40, 160, 100), R(200, 40, 220, 160)}));
        Click(QPoint(130, 70));
        QImage image = Grab();
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(128, 128, 128));    // grid dot
        QCOMPARE(QColor(image.pixel(20, 20)), QColor(128, 128, 128));  // grid dot
        QCOMPARE(QColor(image.pixel(21, 20)), QColor(255, 255, 255));  // background
        QCOMPARE(QColor(image.pixel(50, 100)), QColor(255, 255, 0));   // aisle fill
        QCOMPARE(QColor(image.pixel(40, 100)), QColor(0, 0, 0));       // outline
        QCOMPARE(QColor(image.pixel(59, 100)), QColor(0, 0, 0));       // right edge, inside
        QCOMPARE(QColor(image.pixel(60, 110)), QColor(255, 255, 255)); // right edge excluded
        QCOMPARE(QColor(image.pixel(130, 70)), QColor(0, 255, 255));   // selected fill
        for (QPoint handle : {QPoint(101, 41), QPoint(104, 44), QPoint(158, 41), QPoint(101, 98),
                              QPoint(155, 95), QPoint(158, 98)})
            QCOMPARE(QColor(image.pixel(handle)), QColor(255, 0, 0));
        QCOMPARE(QColor(image.pixel(105, 45)), QColor(0, 255, 255)); // just past a handle

        FloorPlanEditForm->Setaisleorder1->trigger();
        Click(QPoint(50, 100));
        image = Grab();
        QCOMPARE(QColor(image.pixel(50, 140)), QColor(255, 255, 255)); // placed
        QCOMPARE(QColor(image.pixel(130, 90)), QColor(128, 128, 0));   // not yet placed
        QCOMPARE(QColor(image.pixel(210, 140)), QColor(128, 128, 0));
        QCOMPARE(QColor(image.pixel(40, 140)), QColor(0, 0, 0));
        QCOMPARE(QColor(image.pixel(20, 20)), QColor(255, 255, 255)); // no grid
        QCOMPARE(QColor(image.pixel(101, 41)), QColor(128, 128, 0));  // no selection
    }

    void labels() {
        FPlan_ShowCat = true;
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        TShopCat *longName = Categories.Add(std::make_unique<TShopCat>("Refrigerated goods"));
        QVERIFY(Open({R(40, 20, 60, 140), R(100, 20, 220, 40), R(100, 60, 140, 100)}));
        Aisle(0)->Category = dairy;
        Aisle(1)->Category = dairy;
        Aisle(2)->Category = longName;
        Plan()->update();
        const QImage image = Grab();
        // Upwards in the tall aisle: a column of letters from 3 above the bottom edge.
        const QRect up = DarkPixels(image, QRect(41, 21, 18, 118));
        QVERIFY(up.left() >= 41 && up.right() <= 41 + 12);
        QVERIFY(up.bottom() <= 136 && up.bottom() >= 128);
        QVERIFY(up.height() > 2 * up.width());
        // Across in the wide aisle: 3 in from the left, 1 below the top.
        const QRect across = DarkPixels(image, QRect(101, 21, 118, 18));
        QVERIFY(across.left() >= 103 && across.left() <= 105);
        QVERIFY(across.top() >= 22 && across.bottom() <= 39);
        QVERIFY(across.width() > 2 * across.height());
        // The square aisle's long name is cut at its right edge.
        const QRect cut = DarkPixels(image, QRect(101, 61, 38, 38));
        QVERIFY(cut.right() >= 137);
        QCOMPARE(DarkPixels(image, QRect(140, 61, 60, 38)), QRect());
    }

    void viewToggles() {
        FPlan_CatList = true;
        QVERIFY(Open({R(40, 40, 60, 160)}));
        FloorPlanEditForm->Order1->trigger();
        QVERIFY(FPlan_ShowOrder);
        FloorPlanEditForm->Category1->trigger();
        QVERIFY(FPlan_ShowCat);
        FloorPlanEditForm->Category2->trigger();
        QVERIFY(!FPlan_CatList);
        QVERIFY(!CatListForm->isVisible());
        FloorPlanEditForm->Order1->trigger();
        QVERIFY(!FPlan_ShowOrder);
        // The next showing takes the check marks from the preferences.
        FloorPlanEditForm->close();
        FPlan_ShowOrder = true;
        QVERIFY(ShowActive(FloorPlanEditForm));
        QVERIFY(FloorPlanEditForm->Order1->isChecked());
        QVERIFY(FloorPlanEditForm->Category1->isChecked());
        QVERIFY(!FloorPlanEditForm->Category2->isChecked());
        QVERIFY(!CatListForm->isVisible());
        QTest::keyClick(Plan(), Qt::Key_F1);
        QCOMPARE(program->responder.helpCalls.size(), 1);
        QCOMPARE(program->responder.helpCalls[0].command, ui::HelpCommand::Context);
        QCOMPARE(program->responder.helpCalls[0].context, 6u);
    }

    void printing() {
        QTemporaryDir dir;
        program->responder.pdfFile = dir.filePath(QStringLiteral("plan.pdf"));
        FPlan_ShowOrder = true;
        FPlan_ShowCat = true;
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("Dairy"));
        QVERIFY(Open({R(40, 40, 60, 160), R(100, 40, 220, 80)}));
        Aisle(0)->Category = dairy;
        Aisle(1)->Category = dairy;
        Click(QPoint(150, 60));
        program->responder.confirmPrint = false;
        FloorPlanEditForm->Print1->trigger();
        QCOMPARE(program->responder.printDialogs, 1);
        QVERIFY(!QFile::exists(program->responder.pdfFile));
        program->responder.confirmPrint = true;
        FloorPlanEditForm->Print1->trigger();
        QFile pdf(program->responder.pdfFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page/") + bytes.count("/Type /Page "),
                 1);
        // Drawn, not pasted as a picture: no image at all, and the numbers and names are text.
        QVERIFY(!bytes.contains("/Subtype /Image"));
        QVERIFY(!bytes.contains("/DCTDecode"));
        QVERIFY(bytes.contains("/Type /Font"));
        QVERIFY(program->responder.messages.isEmpty());
        if (!ShotsFolder().isEmpty())
            QFile::copy(program->responder.pdfFile,
                        ShotsFolder() + QStringLiteral("/floorplan.pdf"));
        Click(QPoint(10, 10)); // the next showing leaves the category list as it finds it
    }

    void printedScale() {
        // A 141 x 141 plan on a page 1410 wide: every screen pixel becomes a 10 x 10 block of
        // one colour, and the page below the square stays untouched.
        TRecordList<TShopAisle> aisles;
        AddAisle(aisles, R(40, 40, 60, 160));
        AddAisle(aisles, R(100, 40, 120, 100));
        plan::PlanPicture picture;
        picture.Aisles = &aisles;
        picture.Selected = aisles[1];
        picture.Client = QSize(141, 141);
        QImage image(1410, 2000, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        plan::PrintPlan(painter, picture, image.size());
        painter.end();
        // The colour of a screen pixel's block, or an invalid colour if it is not one colour.
        auto block = [&image](int x, int y) {
            QImage same(10, 10, image.format());
            same.fill(image.pixel(x * 10, y * 10));
            return image.copy(x * 10, y * 10, 10, 10) == same ? same.pixelColor(0, 0) : QColor();
        };
        QCOMPARE(block(20, 20), QColor(128, 128, 128));   // grid dot
        QCOMPARE(block(21, 20), QColor(255, 255, 255));   // background
        QCOMPARE(block(140, 140), QColor(128, 128, 128)); // the last dot, at the corner
        QCOMPARE(block(40, 100), QColor(0, 0, 0));        // outline
        QCOMPARE(block(41, 100), QColor(255, 255, 0));    // fill
        QCOMPARE(block(59, 100), QColor(0, 0, 0));        // right edge, inside
        QCOMPARE(block(60, 110), QColor(255, 255, 255));  // right edge excluded
        QCOMPARE(block(101, 41), QColor(255, 0, 0));      // handle of the selected aisle
        QCOMPARE(block(105, 45), QColor(0, 255, 255));    // just past it
        QCOMPARE(image.pixelColor(0, 1410), QColor(Qt::magenta));
    }

    void catListPlacementAndContents() {
        // Placed from the editor's design place at creation.
        QCOMPARE(CatListForm->pos(), QPoint(400, 90));
        QCOMPARE(CatListForm->windowTitle(), QStringLiteral("Aisle category"));
        QVERIFY(CatListForm->windowFlags() & Qt::WindowStaysOnTopHint);
        TShopCat *dairy = Categories.Add(std::make_unique<TShopCat>("dairy"));
        Categories.Add(std::make_unique<TShopCat>("Cans"));
        Categories.Add(std::make_unique<TShopCat>("Bakery"));
        FPlan_CatList = true;
        QVERIFY(Open({R(40, 40, 60, 160), R(80, 40, 100, 160)}));
        QCOMPARE(CatListForm->pos(), QPoint(400, 90)); // shown where it was placed
        Aisle(0)->Category = dairy;
        ui::ListBox<TShopCat> *list = CatListForm->CatListBox;
        QCOMPARE(Entries(list), QStringList({"Bakery", "Cans", "dairy"}));
        QVERIFY(!list->isEnabled());
        // Selecting an aisle enables the list on its category; none without one.
        Click(QPoint(50, 100));
        QVERIFY(list->isEnabled());
        QCOMPARE(list->Selected(), dairy);
        QVERIFY(SaveShot(CatListForm, QStringLiteral("category-list")));
        Click(QPoint(90, 100));
        QVERIFY(list->isEnabled());
        QCOMPARE(list->Selected(), nullptr);
        Click(QPoint(130, 130));
        QVERIFY(!list->isEnabled());
        QCOMPARE(CatListForm->CatAisle, nullptr);
    }

    // The list of every category is made only while it shows: not at all while it is off,
    // when it is switched on (on the selected aisle's category), and the closed editor lets go
    // of it.
    void catListFilledOnlyWhenShown() {
        TShopCat *cans = Categories.Add(std::make_unique<TShopCat>("Cans"));
        Categories.Add(std::make_unique<TShopCat>("bakery"));
        FPlan_CatList = false;
        QVERIFY(Open({R(40, 40, 60, 160)}));
        Aisle(0)->Category = cans;
        ui::ListBox<TShopCat> *list = CatListForm->CatListBox;
        QCOMPARE(list->Count(), 0);
        Click(QPoint(50, 100));
        QCOMPARE(CatListForm->CatAisle, Aisle(0));
        QCOMPARE(list->Count(), 0);
        FloorPlanEditForm->Category2->trigger();
        QVERIFY(CatListForm->isVisible());
        QCOMPARE(Entries(list), QStringList({"bakery", "Cans"}));
        QCOMPARE(list->Selected(), cans);
        FloorPlanEditForm->Close1->trigger();
        QCOMPARE(list->Count(), 0);
        // Shown again with the editor, it holds the categories of that moment.
        Categories.Add(std::make_unique<TShopCat>("Dairy"));
        QVERIFY(ShowActive(FloorPlanEditForm));
        QCOMPARE(Entries(list), QStringList({"bakery", "Cans", "Dairy"}));
        QCOMPARE(list->Selected(), nullptr);
    }

    void catListLabelsAisle() {
        TShopCat *bakery = Categories.Add(std::make_unique<TShopCat>("Bakery"));
        TShopCat *cans = Categories.Add(std::make_unique<TShopCat>("Cans"));
        FPlan_CatList = true;
        QVERIFY(Open({R(40, 40, 60, 160)}));
        ui::ListBox<TShopCat> *list = CatListForm->CatListBox;
        Click(QPoint(50, 100));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo move"));
        QVERIFY(ClickRow(list, 1));
        QCOMPARE(Aisle(0)->Category, cans);
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo category"));
        // Choosing the category it already has still takes a snapshot.
        Drag(QPoint(50, 100), {});
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo move"));
        QVERIFY(ClickRow(list, 1));
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Undo category"));
        // A key that moves the selection labels too.
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(Aisle(0)->Category, bakery);
        FloorPlanEditForm->Undo1->trigger();
        QCOMPARE(Aisle(0)->Category, cans);
        // After the undo the list has no aisle: a choice is taken back.
        QVERIFY(ClickRow(list, 1));
        QCOMPARE(list->Selected(), nullptr);
        QCOMPARE(FloorPlanEditForm->Undo1->text(), QStringLiteral("&Redo category"));
    }

    void catListClosing() {
        FPlan_CatList = true;
        QVERIFY(Open({}));
        QVERIFY(CatListForm->isVisible());
        // Closing the editor hides the list but keeps it checked for next time.
        FloorPlanEditForm->Close1->trigger();
        QVERIFY(!FloorPlanEditForm->isVisible());
        QVERIFY(!CatListForm->isVisible());
        QVERIFY(FloorPlanEditForm->Category2->isChecked());
        QVERIFY(FPlan_CatList);
        FloorPlanEditForm->show();
        QVERIFY(CatListForm->isVisible());
        // The user closing the list unchecks the menu item and the preference.
        CatListForm->close();
        QVERIFY(!FloorPlanEditForm->Category2->isChecked());
        QVERIFY(!FPlan_CatList);
        FloorPlanEditForm->Category2->trigger();
        QVERIFY(CatListForm->isVisible());
        QVERIFY(FPlan_CatList);
    }
};

QTEST_MAIN(TestFloorPlan)
#include "tst_FloorPlan.moc"
