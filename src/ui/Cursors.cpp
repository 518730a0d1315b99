#include "ui/Cursors.h"

#include <QBitmap>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

QHash<int, QCursor> &Registry() {
    static QHash<int, QCursor> cursors;
    return cursors;
}

// Cursors are 32 x 32 monochrome: black strokes with a white rim, so they read on the
// white plan and on the yellow aisles alike.
QPixmap Canvas() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}

void Stroke(QPixmap &pm, const QPainterPath &path) {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
}

void Arrowhead(QPainterPath &path, QPointF tip, QPointF a, QPointF b) {
    path.moveTo(a);
    path.lineTo(tip);
    path.lineTo(b);
}

QCursor MoveCursor() {
    QPainterPath path;
    path.moveTo(8, 1);
    path.lineTo(8, 15);
    path.moveTo(1, 8);
    path.lineTo(15, 8);
    Arrowhead(path, {8, 1}, {5, 4}, {11, 4});
    Arrowhead(path, {8, 15}, {5, 12}, {11, 12});
    Arrowhead(path, {1, 8}, {4, 5}, {4, 11});
    Arrowhead(path, {15, 8}, {12, 5}, {12, 11});
    QPixmap pm = Canvas();
    Stroke(pm, path);
    return QCursor(pm, 8, 8);
}

QCursor DiagonalCursor(bool nwse) {
    QPainterPath path;
    if (nwse) {
        path.moveTo(2, 2);
        path.lineTo(12, 12);
        Arrowhead(path, {2, 2}, {2, 6}, {6, 2});
        Arrowhead(path, {12, 12}, {12, 8}, {8, 12});
    } else {
        path.moveTo(12, 2);
        path.lineTo(2, 12);
        Arrowhead(path, {12, 2}, {8, 2}, {12, 6});
        Arrowhead(path, {2, 12}, {2, 8}, {6, 12});
    }
    QPixmap pm = Canvas();
    Stroke(pm, path);
    return QCursor(pm, 7, 7);
}

QPainterPath Crosshair() {
    QPainterPath path;
    path.moveTo(4, 0);
    path.lineTo(4, 10);
    path.moveTo(0, 5);
    path.lineTo(8, 5);
    return path;
}

QCursor OrderCursor() {
    QPainterPath path = Crosshair();
    // A digit "1" beside the crosshair.
    path.moveTo(11, 11);
    path.lineTo(13, 9);
    path.lineTo(13, 18);
    path.moveTo(11, 18);
    path.lineTo(15, 18);
    QPixmap pm = Canvas();
    Stroke(pm, path);
    return QCursor(pm, 4, 5);
}

QCursor AddCursor() {
    QPainterPath path = Crosshair();
    // A small upright aisle beside the crosshair.
    path.addRect(11, 9, 4, 12);
    QPixmap pm = Canvas();
    Stroke(pm, path);
    return QCursor(pm, 4, 5);
}

} // namespace

void RegisterCursors() {
    auto &r = Registry();
    r.insert(crAisleMove, MoveCursor());
    r.insert(crAisleSizeNWSE, DiagonalCursor(true));
    r.insert(crAisleSizeNESW, DiagonalCursor(false));
    r.insert(crAisleOrder, OrderCursor());
    r.insert(crAisleAdd, AddCursor());
}

QCursor Cursor(int number) {
    return Registry().value(number, QCursor(Qt::ArrowCursor));
}

} // namespace ui
