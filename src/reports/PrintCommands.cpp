#include "reports/PrintCommands.h"

#include "settings/Preferences.h"
#include "ui/PrinterCanvas.h"
#include "ui/Seam.h"

#include <QElapsedTimer>
#include <QPrinter>
#include <QProgressDialog>

namespace reports {
namespace {

// The report as the user knows it from the menu.
QString ReportName(Report report) {
    switch (report) {
    case Report::ShoppingList:
        return QStringLiteral("shopping list");
    case Report::FridgeList:
        return QStringLiteral("fridge list");
    case Report::ItemList:
        return QStringLiteral("master item list");
    }
    return {};
}

bool SomethingToPrint(Report report) {
    if (!NothingToPrint(report))
        return true;
    ui::MessageBox(ui::MsgKind::Information, QStringLiteral("There is nothing to print."));
    return false;
}

} // namespace

bool PrintOn(Report report, QPrinter &printer) {
    // A report runs to its end in one call and cannot be cancelled, so the progress window
    // has no Cancel button; it appears only when the report takes over a second.
    QProgressDialog progress(QStringLiteral("Printing the ") + ReportName(report), QString(), 0, 1,
                             ui::DialogParent());
    progress.setWindowTitle(QStringLiteral("Printing"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(1000);
    progress.setAutoReset(false);
    progress.setValue(0);
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();

    ReportOptions options;
    options.progress = [&](int done, int total) {
        if (done < total && sinceUpdate.elapsed() < 50)
            return;
        sinceUpdate.restart();
        progress.setMaximum(total);
        progress.setValue(done);
    };
    ui::PrinterCanvas canvas(printer, TheReportFont);
    return PrintReport(report, canvas, options);
}

void PrintCommand(Report report) {
    if (!SomethingToPrint(report) || !ui::ExecPrintDialog())
        return;
    if (!PrintOn(report, ui::Printer()))
        ui::ShowTopLevelError(
            QStringLiteral("The %1 could not be printed").arg(ReportName(report)));
}

void PreviewCommand(Report report) {
    if (!SomethingToPrint(report))
        return;
    ui::ExecPrintPreview([report](QPrinter &printer) { PrintOn(report, printer); });
}

} // namespace reports
