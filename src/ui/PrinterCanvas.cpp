#include "ui/PrinterCanvas.h"

#include "ui/Ansi.h"

#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace ui {

PrinterCanvas::PrinterCanvas(QPrinter &printer, const ReportFont &font)
    : printer_(printer), font_(FromAnsi(font.Name)), style_(font.Styles) {
    // Where the face is missing (Arial on most Linux machines) the font database's
    // substitute is used; Liberation Sans has Arial's widths, so the columns hold.
    font_.setPointSize(font.Size > 0 ? font.Size : 10);
    font_.setStyleStrategy(QFont::PreferOutline);
    // The colour is kept as red in the low byte, then green, then blue.
    textColour_ = QColor(font.Colour & 0xff, (font.Colour >> 8) & 0xff, (font.Colour >> 16) & 0xff);
    ApplyFont();
}

PrinterCanvas::~PrinterCanvas() {
    if (painter_.isActive())
        painter_.end();
}

void PrinterCanvas::SetTitle(const std::string &title) {
    printer_.setDocName(FromAnsi(title));
}

bool PrinterCanvas::BeginDoc() {
    if (!painter_.begin(&printer_))
        return false;
    ApplyFont();
    SetBrushClear();
    // A line as wide as a sixth of a point's width, and never thinner than a pixel: the
    // thinnest pen a printer has is too faint at high resolutions.
    const int width = std::max(1, printer_.logicalDpiY() / 150);
    linePen_ = QPen(QColor(Qt::black), width);
    painter_.setPen(linePen_);
    return true;
}

void PrinterCanvas::NewPage() {
    printer_.newPage();
}

void PrinterCanvas::EndDoc() {
    painter_.end();
}

int PrinterCanvas::PageWidth() const {
    return printer_.width();
}

int PrinterCanvas::PageHeight() const {
    return printer_.height();
}

int PrinterCanvas::TextWidth(const std::string &text) {
    return metrics_->horizontalAdvance(FromAnsi(text));
}

int PrinterCanvas::TextHeight(const std::string &) {
    return metrics_->height();
}

void PrinterCanvas::TextOut(int x, int y, const std::string &text) {
    // Text in the report font's colour, lines in black.
    painter_.setPen(textColour_);
    painter_.drawText(x, y + metrics_->ascent(), FromAnsi(text));
    painter_.setPen(linePen_);
}

void PrinterCanvas::MoveTo(int x, int y) {
    pen_ = QPoint(x, y);
}

void PrinterCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    painter_.drawLine(pen_, to);
    pen_ = to;
}

void PrinterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    // The outline lies inside the rectangle, which ends before (x2, y2).
    painter_.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
}

void PrinterCanvas::SetFontStyle(uint8_t style) {
    style_ = style;
    ApplyFont();
}

void PrinterCanvas::SetBrushClear() {
    if (!painter_.isActive())
        return; // made clear when the job begins
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void PrinterCanvas::ApplyFont() {
    font_.setBold(style_ & ReportFont::Bold);
    font_.setItalic(style_ & ReportFont::Italic);
    font_.setUnderline(style_ & ReportFont::Underline);
    font_.setStrikeOut(style_ & ReportFont::Strikeout);
    // Measured at the printer's resolution, as the text is drawn.
    metrics_.emplace(font_, &printer_);
    if (painter_.isActive())
        painter_.setFont(font_);
}

} // namespace ui
