#include "TestResponder.h"

#include <QPageSize>
#include <QPrinter>
#include <QTest>

TestResponder::TestResponder() : previous_(ui::SetResponder(this)) {}

TestResponder::~TestResponder() {
    ui::SetResponder(previous_);
}

ui::MsgResult TestResponder::Message(ui::MsgKind kind, const QString &caption, const QString &text,
                                     ui::MsgButtons buttons) {
    messages.append({kind, caption, text, buttons});
    if (buttons == ui::MsgButtons::Ok)
        return ui::MsgResult::Ok;
    if (answers.empty()) {
        unexpected << text;
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__,
                     __LINE__);
        return ui::MsgResult::No;
    }
    const ui::MsgResult r = answers.front();
    answers.pop_front();
    return r;
}

bool TestResponder::PrintDialog(QPrinter &printer) {
    ++printDialogs;
    if (!confirmPrint)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    return true;
}

bool TestResponder::PrinterSetup(QPrinter &) {
    ++printerSetups;
    return confirmPrinterSetup;
}

void TestResponder::PrintPreview(QPrinter &printer, const ui::PaintDocument &paint) {
    ++previews;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    paint(printer);
}

bool TestResponder::FontDialog(ReportFont &font) {
    ++fontDialogs;
    shownFont = font;
    if (!confirmFont)
        return false;
    font = chosenFont;
    return true;
}

void TestResponder::Help(const QString &file, ui::HelpCommand command, unsigned context,
                         const QString &keyword) {
    helpCalls.append({file, command, context, keyword});
}

QStringList TestResponder::texts() const {
    QStringList out;
    for (const auto &m : messages)
        out << m.text;
    return out;
}

void TestResponder::clear() {
    messages.clear();
    helpCalls.clear();
    beeps = 0;
    answers.clear();
    unexpected.clear();
}
