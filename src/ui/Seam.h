#pragma once
// The one door through which the program reaches platform dialogs: message boxes,
// the default beep, the print and printer set-up dialogs, the font dialog and help.
// The program shows real dialogs; a test installs its own Responder to answer and
// record them, so no test ever blocks on a modal box.

#include "help/HelpContext.h"

#include <QString>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;
struct ReportFont;

namespace ui {

enum class MsgKind { Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No, Cancel };

enum class HelpCommand { Contents, PartialKey, Context, HelpOnHelp, Quit };

// Draws a whole document on a printer (from its first page to its end).
using PaintDocument = std::function<void(QPrinter &)>;

class Responder {
public:
    virtual ~Responder() = default;
    virtual MsgResult Message(MsgKind kind, const QString &caption, const QString &text,
                              MsgButtons buttons) = 0;
    virtual void Beep() = 0;
    // The print dialog for `printer`; true when the user confirmed it.
    virtual bool PrintDialog(QPrinter &printer) = 0;
    virtual bool PrinterSetup(QPrinter &printer) = 0;
    // The print preview of the document that `paint` draws on the printer it is given;
    // the user pages through it, zooms, and may print it from there.
    virtual void PrintPreview(QPrinter &printer, const PaintDocument &paint) = 0;
    // The font dialog, starting from `font`, whose name is a family the dialog lists; true
    // (and `font` changed) when confirmed.
    virtual bool FontDialog(ReportFont &font) = 0;
    // A help command for `file`; `context` for Context, `keyword` for PartialKey.
    virtual void Help(const QString &file, HelpCommand command, unsigned context,
                      const QString &keyword) = 0;
};

// Installs a responder (tests); nullptr restores the program's own dialogs. Returns the
// responder that was installed before, so a test can put it back.
Responder *SetResponder(Responder *responder);
Responder &CurrentResponder();

// A message box captioned by its kind ("Error", "Confirm", "Information", "Warning").
// In a Yes/No box Enter answers Yes and Escape No; "\r" in the text starts a new line.
MsgResult MessageBox(MsgKind kind, const QString &text, MsgButtons buttons = MsgButtons::Ok);
inline bool Confirm(const QString &text) {
    return MessageBox(MsgKind::Confirmation, text, MsgButtons::YesNo) == MsgResult::Yes;
}
// The error box for errors no window handles: "<text>." captioned with the program's title.
void ShowTopLevelError(const QString &text);
// The system's default warning sound.
void Beep();

// The printer every report and the floor plan print on; its set-up lasts for the run.
QPrinter &Printer();
bool ExecPrintDialog();
bool ExecPrinterSetup();
void ExecPrintPreview(const PaintDocument &paint);
// The program's preview window for `printer`, not yet shown (the responder shows it).
QDialog *NewPrintPreview(QPrinter &printer, const PaintDocument &paint, QWidget *parent);
// The font dialog on the family that draws `font`, with its style and size. A family the
// user picks is stored by its own name; the name stays when the family was kept.
bool ExecFontDialog(ReportFont &font);

// The program's own help file; a bare name is looked for in the help folder.
inline const QString ProgramHelpFile = QStringLiteral("Shopping.hlp");
// A help command on `file` (a bare name, or a full path).
void Help(const QString &file, HelpCommand command, unsigned context = 0,
          const QString &keyword = {});
// The program's help file at the topic of `context`: what every window's Help button does.
void ShowHelpTopic(HelpContext context);

// The window that dialogs are centred over (the active window, else none).
QWidget *DialogParent();

} // namespace ui
