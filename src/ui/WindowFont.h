#pragma once
// The windows' font (MS Sans Serif 8 pt, Liberation Sans where that face is missing)
// and the regional settings read from the platform.

#include "catalogue/Regional.h"

class QApplication;
class QLocale;

namespace ui {

void SetUpApplication(QApplication &app);
// Reads the user's regional settings (C/POSIX falls back to English (United States)).
void LoadRegionalSettings();
// The regional settings of `locale`, in characters the catalogue's texts can hold.
Regional RegionalFor(const QLocale &locale);

} // namespace ui
