#include "ui/Seam.h"

#include "settings/Preferences.h"
#include "ui/Ansi.h"
#include "ui/HelpViewer.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

#include <memory>
#include <string>
#include <utility>

namespace ui {
namespace {

QString CaptionFor(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return QStringLiteral("Warning");
    case MsgKind::Error:
        return QStringLiteral("Error");
    case MsgKind::Information:
        return QStringLiteral("Information");
    case MsgKind::Confirmation:
        return QStringLiteral("Confirm");
    }
    return {};
}

// The report font as the window system draws it.
QFont QtFont(const ReportFont &font) {
    QFont qt(FromAnsi(font.Name), font.Size);
    qt.setBold(font.Styles & ReportFont::Bold);
    qt.setItalic(font.Styles & ReportFont::Italic);
    qt.setUnderline(font.Styles & ReportFont::Underline);
    qt.setStrikeOut(font.Styles & ReportFont::Strikeout);
    return qt;
}

// The program's own dialogs.
class PlatformResponder final : public Responder {
public:
    MsgResult Message(MsgKind kind, const QString &caption, const QString &text,
                      MsgButtons buttons) override {
        QMessageBox box(DialogParent());
        box.setWindowTitle(caption);
        // A carriage return starts a new line, as the texts are written with "\r".
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        box.setText(shown);
        box.setTextFormat(Qt::PlainText);
        switch (kind) {
        case MsgKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
        }
        if (buttons == MsgButtons::YesNo) {
            QPushButton *yes = box.addButton(QMessageBox::Yes);
            QPushButton *no = box.addButton(QMessageBox::No);
            box.setDefaultButton(yes); // Enter answers Yes
            box.setEscapeButton(no);   // Escape answers No
            box.exec();
            return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MsgResult::Ok;
    }

    void Beep() override { QApplication::beep(); }

    bool PrintDialog(QPrinter &printer) override {
        QPrintDialog dialog(&printer, DialogParent());
        // Default options: no page range, no selection, no print-to-file choice of our own.
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dialog.exec() == QDialog::Accepted;
    }

    bool PrinterSetup(QPrinter &printer) override {
        QPageSetupDialog dialog(&printer, DialogParent());
        return dialog.exec() == QDialog::Accepted;
    }

    void PrintPreview(QPrinter &printer, const PaintDocument &paint) override {
        std::unique_ptr<QDialog> dialog(NewPrintPreview(printer, paint, DialogParent()));
        dialog->exec();
    }

    bool FontDialog(ReportFont &font) override {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, QtFont(font), DialogParent());
        if (!ok)
            return false;
        font.Name = ToAnsi(chosen.family()).substr(0, 255);
        font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : font.Size;
        font.Styles = (chosen.bold() ? ReportFont::Bold : 0) |
                      (chosen.italic() ? ReportFont::Italic : 0) |
                      (chosen.underline() ? ReportFont::Underline : 0) |
                      (chosen.strikeOut() ? ReportFont::Strikeout : 0);
        return true;
    }

    void Help(const QString &file, HelpCommand command, unsigned context,
              const QString &keyword) override {
        HelpViewer::Execute(file, command, context, keyword);
    }
};

PlatformResponder &Platform() {
    static PlatformResponder platform;
    return platform;
}

Responder *g_responder = nullptr;

} // namespace

Responder *SetResponder(Responder *responder) {
    return std::exchange(g_responder, responder);
}

Responder &CurrentResponder() {
    return g_responder ? *g_responder : Platform();
}

MsgResult MessageBox(MsgKind kind, const QString &text, MsgButtons buttons) {
    return CurrentResponder().Message(kind, CaptionFor(kind), text, buttons);
}

void ShowTopLevelError(const QString &text) {
    CurrentResponder().Message(MsgKind::Error, QStringLiteral("Trolleymind"),
                               text + QLatin1Char('.'), MsgButtons::Ok);
}

void Beep() {
    CurrentResponder().Beep();
}

QPrinter &Printer() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool ExecPrintDialog() {
    return CurrentResponder().PrintDialog(Printer());
}
bool ExecPrinterSetup() {
    return CurrentResponder().PrinterSetup(Printer());
}
void ExecPrintPreview(const PaintDocument &paint) {
    CurrentResponder().PrintPreview(Printer(), paint);
}

QDialog *NewPrintPreview(QPrinter &printer, const PaintDocument &paint, QWidget *parent) {
    auto *dialog = new QPrintPreviewDialog(&printer, parent);
    dialog->setWindowTitle(QStringLiteral("Print preview"));
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [paint](QPrinter *target) { paint(*target); });
    // Large enough to read a page at the zoom the preview opens with.
    dialog->resize(760, 640);
    return dialog;
}

bool ExecFontDialog(ReportFont &font) {
    // The dialog lists families, and Arial is no family here: it is drawn by a substitute.
    // Opened on a name it does not list, the dialog would select its first family and OK
    // would print every report in that, so it opens on the family that draws the font.
    ReportFont shown = font;
    shown.Name = ToAnsi(QFontInfo(QtFont(font)).family()).substr(0, 255);
    ReportFont chosen = shown;
    if (!CurrentResponder().FontDialog(chosen))
        return false;
    // Keeping that family keeps the font the stored name stands for: the name stays, so
    // the reports go on asking for Arial where a machine has it.
    const std::string name = chosen.Name == shown.Name ? font.Name : chosen.Name;
    font = chosen;
    font.Name = name;
    return true;
}

void Help(const QString &file, HelpCommand command, unsigned context, const QString &keyword) {
    CurrentResponder().Help(file, command, context, keyword);
}

void ShowHelpTopic(HelpContext context) {
    Help(ProgramHelpFile, HelpCommand::Context, static_cast<unsigned>(context));
}

QWidget *DialogParent() {
    return QApplication::activeWindow();
}

} // namespace ui
