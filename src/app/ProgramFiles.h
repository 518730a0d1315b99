#pragma once
// Where the program keeps its files: the catalogue and the settings beside the program where
// the user may keep them there, else in the user's own data folder; the help files where the
// program was installed with them.

#include <QString>

extern QString ProgramDir;   // the folder that holds the program; ends with a path separator
extern QString DataDir;      // the folder of the two files below; ends with a path separator
extern QString HelpDir;      // the folder of the help files; ends with a path separator
extern QString DataFileName; // DataDir + "Shopping.dat"
extern QString IniFileName;  // DataDir + "Shopping.ini"

// Decides, once at start-up, where the files are, from the running program's folder (or
// `folder`, when given) and the user's data folder (or `userData`, when given):
// - the help files are beside the program, or, for a program installed for everyone (in a
//   "bin" folder with its help in "../share/trolleymind"), there;
// - the catalogue and the settings are beside the program when the user may create files
//   in its folder, or may at least change the catalogue file there; otherwise, and always
//   for a program installed for everyone, in the user's data folder.
// Nothing is created here: the data folder is made at the first save (MakeDataDir).
void SetProgramDir(const QString &folder = {}, const QString &userData = {});

// Creates the data folder when it is missing, the folders it makes open to the user alone.
// False when it could not be made.
bool MakeDataDir();

// Removes what saves of the catalogue and the settings file left behind when the program
// ended in the middle of one (their temporary files beside them).
void RemoveUnfinishedSaves();
