#include "ui/TextWidths.h"

#include "ui/Ansi.h"

#include <cmath>
#include <string>

namespace ui {

int TextWidths::Of(std::string_view text) {
    qreal total = 0;
    for (const char c : text) {
        qreal &width = width_[static_cast<unsigned char>(c)];
        if (width < 0)
            width = metrics_.horizontalAdvance(FromAnsi(std::string(1, c)));
        total += width;
    }
    return static_cast<int>(std::ceil(total));
}

} // namespace ui
