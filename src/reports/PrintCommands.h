#pragma once
// The main window's print and preview commands: a report that would print nothing says so
// before any dialog; otherwise the print dialog (or the preview) and then the report on
// the chosen printer in the report font, with progress when it takes a while.

#include "reports/Reports.h"

class QPrinter;

namespace reports {

void PrintCommand(Report report);
void PreviewCommand(Report report);

// Draws the whole report on `printer`; false when the printer refused the job.
bool PrintOn(Report report, QPrinter &printer);

} // namespace reports
