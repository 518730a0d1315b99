#pragma once
// The reports' canvas on a QPrinter: a real printer, a PDF file, or the pages of the print
// preview. The report font is realised at the printer's resolution, so printed text keeps
// its size in points on any printer.

#include "reports/ReportCanvas.h"
#include "settings/Preferences.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <optional>

class QPrinter;

namespace ui {

class PrinterCanvas : public ReportCanvas {
public:
    PrinterCanvas(QPrinter &printer, const ReportFont &font);
    ~PrinterCanvas() override;

    void SetTitle(const std::string &title) override;
    bool BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    int PageWidth() const override;
    int PageHeight() const override;
    int TextWidth(const std::string &text) override;
    int TextHeight(const std::string &text) override;
    void TextOut(int x, int y, const std::string &text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    uint8_t FontStyle() const override { return style_; }
    void SetFontStyle(uint8_t style) override;
    void SetBrushClear() override;

private:
    void ApplyFont();

    QPrinter &printer_;
    QPainter painter_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    uint8_t style_ = 0;
    QPoint pen_;
    QColor textColour_;
    QPen linePen_;
};

} // namespace ui
