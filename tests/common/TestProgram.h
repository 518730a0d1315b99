#pragma once
// The program's windows on a program folder of the test's own, with every platform dialog
// answered and recorded.

#include "TestResponder.h"

#include <QString>
#include <QTemporaryDir>

class TestProgram {
public:
    // Points the program at a fresh folder, starts with an empty catalogue and the default
    // preferences, and creates the windows as start-up does.
    TestProgram();
    // Closes the main window if it is still open (as the user would), then destroys the
    // windows and releases the catalogue.
    ~TestProgram();

    // A file in the program folder.
    QString file(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    TestResponder responder;
};
