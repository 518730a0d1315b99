#pragma once
// The floor plan's custom cursors, registered by number at start-up.

#include <QCursor>

namespace ui {

enum CursorNumber {
    crAisleMove = 10,
    crAisleSizeNWSE = 11,
    crAisleSizeNESW = 12,
    crAisleOrder = 13,
    crAisleAdd = 14,
};

void RegisterCursors();
// A registered cursor by number; the standard arrow for any other number.
QCursor Cursor(int number);

} // namespace ui
