#pragma once
// The program's help viewer: shows the pages of a help file by contents, keyword or
// context number.

#include "ui/Seam.h"

namespace ui {

class HelpViewer {
public:
    // Carries out one help command on `file` (a name is looked for beside the program).
    static void Execute(const QString &file, HelpCommand command, unsigned context,
                        const QString &keyword);
};

} // namespace ui
