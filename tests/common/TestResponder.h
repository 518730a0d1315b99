#pragma once
// Answers and records every platform dialog the program opens, so tests never block.

#include "settings/Preferences.h"
#include "ui/Seam.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

struct ShownMessage {
    ui::MsgKind kind;
    QString caption;
    QString text;
    ui::MsgButtons buttons;
};

struct HelpCall {
    QString file;
    ui::HelpCommand command;
    unsigned context;
    QString keyword;
};

class TestResponder : public ui::Responder {
public:
    // Installs itself; the destructor puts back the responder it replaced.
    TestResponder();
    ~TestResponder() override;
    TestResponder(const TestResponder &) = delete;
    TestResponder &operator=(const TestResponder &) = delete;

    // Answers for Yes/No boxes, used in order. A Yes/No box with no answer left is one the
    // test did not expect: it fails the running test (and is answered No).
    std::deque<ui::MsgResult> answers;
    QList<ShownMessage> messages;
    QStringList unexpected; // texts of the Yes/No boxes that had no answer
    int beeps = 0;
    QList<HelpCall> helpCalls;

    // The print dialog: confirmed or not, and the PDF file the printer writes to.
    bool confirmPrint = true;
    QString pdfFile;
    int printDialogs = 0;
    bool confirmPrinterSetup = true;
    int printerSetups = 0;
    // The print preview: the document is drawn as the preview would draw it, into the PDF
    // file `pdfFile` names.
    int previews = 0;
    // The font dialog: the font it opened on, and the font it returns when confirmed.
    ReportFont shownFont;
    bool confirmFont = true;
    ReportFont chosenFont;
    int fontDialogs = 0;

    ui::MsgResult Message(ui::MsgKind kind, const QString &caption, const QString &text,
                          ui::MsgButtons buttons) override;
    void Beep() override { ++beeps; }
    bool PrintDialog(QPrinter &printer) override;
    bool PrinterSetup(QPrinter &printer) override;
    void PrintPreview(QPrinter &printer, const ui::PaintDocument &paint) override;
    bool FontDialog(ReportFont &font) override;
    void Help(const QString &file, ui::HelpCommand command, unsigned context,
              const QString &keyword) override;

    QStringList texts() const;
    void clear();

private:
    ui::Responder *previous_ = nullptr;
};
