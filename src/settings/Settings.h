#pragma once
// Shopping.ini: the report font in section [Font] and the fourteen preferences in
// section [Prefs]. Reading never fails (anything missing or unreadable gives its
// default); writing replaces the file in one step or leaves it as it was.

#include <QString>

// Reads the report font and every preference from the settings file at `path`.
void ReadSettings(const QString &path);
// Writes the report font and every preference, keeping the file's other lines.
// False when the file could not be written; the old file is then untouched.
bool WriteSettings(const QString &path);
