#pragma once
// Where the program keeps its files: the folder that holds the program itself.

#include <QString>

extern QString ProgramDir;   // ends with a path separator
extern QString DataFileName; // ProgramDir + "Shopping.dat"
extern QString IniFileName;  // ProgramDir + "Shopping.ini"

// Sets the three names from the running program's folder (or `folder`, when given).
void SetProgramDir(const QString &folder = {});

// Removes what saves of the catalogue and the settings file left behind when the program
// ended in the middle of one (their temporary files beside them).
void RemoveUnfinishedSaves();
