#include "ui/HelpViewer.h"

namespace ui {

// The viewer window arrives with the help files; until then help commands do nothing.
void HelpViewer::Execute(const QString &, HelpCommand, unsigned, const QString &) {}

} // namespace ui
