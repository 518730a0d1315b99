#pragma once
// The program's help viewer: shows the pages of a help file by contents, keyword or
// context number, in help windows of its own (one for each help file).

#include "ui/Seam.h"

#include <QList>

namespace ui {

class HelpWindow;

class HelpViewer {
public:
    // Carries out one help command on `file` (a bare name is looked for in the help folder,
    // a full path is taken as given). Quit closes every help window.
    static void Execute(const QString &file, HelpCommand command, unsigned context,
                        const QString &keyword);
    // Where `file` is looked for.
    static QString Resolve(const QString &file);
    // The folder of the program's help files (until set, the one that holds the program).
    static void SetFolder(const QString &folder);
    // The help windows now open (shown).
    static QList<HelpWindow *> Windows();
};

} // namespace ui
