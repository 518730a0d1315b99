#include "ui/ListKeys.h"

#include <QKeyEvent>

namespace ui {

int FirstSelectionRow(const QKeyEvent *event, int count) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain || count <= 0)
        return -1;
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_Down:
        return 0;
    case Qt::Key_End:
    case Qt::Key_Up:
        return count - 1;
    default:
        return -1;
    }
}

} // namespace ui
