#include "ui/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into a static library, whose resources must be registered
// by hand before first use.
static void RegisterPictures() {
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

namespace ui {

QPixmap Picture(const QString &name, QSize size) {
    RegisterPictures();
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p);
    return pm;
}

QIcon ButtonIcon(const QString &name, QSize size) {
    const QPixmap normal = Picture(name, size);
    QIcon icon(normal);
    // Disabled: a faded grey copy, so an unavailable command reads as such at a glance.
    QImage grey = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = 160 + qGray(line[x]) / 3;
            line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
        }
    }
    icon.addPixmap(QPixmap::fromImage(grey), QIcon::Disabled);
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(Picture(QStringLiteral("icon"), QSize(s, s)));
    return icon;
}

} // namespace ui
