#pragma once
// A canvas that keeps every drawing call, for tests: texts are measured with fixed, simple
// metrics, so a test can work out every position by hand. A line is twice the font's size
// in points high; a character is as wide as that size, a fifth of it more in bold and a
// tenth more in italics (at 10 pt: 10, bold 12, italic 11, both 13), so that a text
// measured in another style than it is drawn in lands somewhere a test can see.

#include "reports/ReportCanvas.h"

#include <string>
#include <vector>

struct CanvasOp {
    enum Kind { Text, Line, Rect };
    Kind kind = Text;
    int page = 1; // counted from 1
    int x = 0;
    int y = 0;
    int x2 = 0; // lines and rectangles
    int y2 = 0;
    std::string text;
    uint8_t style = 0;
};

class RecordingCanvas : public ReportCanvas {
public:
    explicit RecordingCanvas(int fontSize = 10, int width = 1000, int height = 1400)
        : fontSize(fontSize), width(width), height(height) {}

    void SetTitle(const std::string &text) override { title = text; }
    bool BeginDoc() override;
    void NewPage() override { ++pages; }
    void EndDoc() override { ++ended; }
    int PageWidth() const override { return width; }
    int PageHeight() const override { return height; }
    int TextWidth(const std::string &text) override { return WidthIn(style, text); }
    int TextHeight(const std::string &) override { return 2 * fontSize; }
    void TextOut(int x, int y, const std::string &text) override;
    void MoveTo(int x, int y) override {
        penX_ = x;
        penY_ = y;
    }
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    uint8_t FontStyle() const override { return style; }
    void SetFontStyle(uint8_t s) override { style = s; }
    void SetBrushClear() override { brushClear = true; }

    // The texts drawn, in order (on `page` only, when it is given).
    std::vector<std::string> Texts(int page = 0) const;
    // The first text op whose text is `text`, or none.
    const CanvasOp *Find(const std::string &text) const;
    // The width of `text` in the font style `s` (a set of ReportFont::Style bits).
    int WidthIn(uint8_t s, const std::string &text) const;

    int fontSize;
    int width;
    int height;
    bool refuse = false; // BeginDoc fails, as a printer that refuses the job
    std::string title;
    int begun = 0;
    int ended = 0;
    int pages = 0; // pages started
    uint8_t style = 0;
    bool brushClear = false;
    std::vector<CanvasOp> ops;

private:
    int penX_ = 0;
    int penY_ = 0;
};
