#pragma once
// Placing windows on the screen.

class QWidget;

namespace ui {

// Moves a top-level window so that its frame is centred on its screen.
void CenterOnScreen(QWidget *window);

} // namespace ui
