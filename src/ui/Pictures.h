#pragma once
// The program's pictures, drawn from the SVGs in its resources.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace ui {

// ":/pictures/<name>.svg" drawn at `size` (device pixel ratio 1).
QPixmap Picture(const QString &name, QSize size);
// A button picture with a greyed version for the disabled state.
QIcon ButtonIcon(const QString &name, QSize size);
QIcon ProgramIcon();

} // namespace ui
