#pragma once
// The program as the bench drives it: its windows on a program folder of the bench's own,
// every message box answered and counted, windows shown until painted, and the program
// started again in a process of its own where start-up and memory are measured.

#include "ui/Seam.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <string>

class QWidget;

namespace bench {

// Answers every platform dialog with No (or OK) and counts what was shown; any box or beep
// during a measured action means the action did not do what it should.
class QuietResponder : public ui::Responder {
public:
    ui::MsgResult Message(ui::MsgKind kind, const QString &caption, const QString &text,
                          ui::MsgButtons buttons) override;
    void Beep() override { ++beeps; }
    bool PrintDialog(QPrinter &) override { return false; }
    bool PrinterSetup(QPrinter &) override { return false; }
    void PrintPreview(QPrinter &, const ui::PaintDocument &) override {}
    bool FontDialog(ReportFont &) override { return false; }
    void Help(const QString &, ui::HelpCommand, unsigned, const QString &) override {}

    // Throws when a box was shown or a beep sounded since the last call.
    void ExpectSilence();

    int beeps = 0;
    QStringList messages;
};

// Shows `window` (or runs `open`, which shows it) and handles events until it has been
// painted; throws when it never is.
void ShowPainted(QWidget *window, const std::function<void()> &open = {});
// Handles every pending event (posted repaints included).
void Settle();

// The resident memory of this process now and at its peak, in megabytes.
double ResidentMegabytes();
double PeakResidentMegabytes();

// Runs this bench program again with `arguments`; its "key value" lines on standard output.
// Throws when it fails.
std::map<std::string, double> RunChild(const QStringList &arguments);

// What a child process does: the program started in `folder` (which holds its
// SHOPPING.DAT), shown, and closed again; `since` is the parent's steady-clock time (in
// nanoseconds) at the start. Prints "shown" and "close" in milliseconds.
int StartUpChild(const QString &folder, long long since);
// The program started in `folder`, then every window opened and closed. Prints "loaded",
// "after" and "peak" in megabytes.
int MemoryChild(const QString &folder);
// The program started in `folder`, its first shop given a plan of `aisles` labelled aisles,
// and that plan opened from the shop editor: the first plan this process draws. Prints "open"
// in milliseconds. Nothing is saved.
int FirstPlanChild(const QString &folder, int aisles);

} // namespace bench
