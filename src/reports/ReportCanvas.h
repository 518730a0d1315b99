#pragma once
// The drawing surface the reports print on: exactly the printer operations they use, in
// the device's pixels. Texts are the catalogue's Windows-1252 bytes; the surface converts
// them for drawing and measuring. Font styles are sets of ReportFont::Style bits.

#include <cstdint>
#include <string>

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    // The name the job is listed under; set before BeginDoc.
    virtual void SetTitle(const std::string &title) = 0;
    // Starts the job and its first page; false when the printer refused it.
    virtual bool BeginDoc() = 0;
    // Ends the current page and starts the next.
    virtual void NewPage() = 0;
    // Ends the last page and the job.
    virtual void EndDoc() = 0;

    // The printable area.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    // Extent of a text in the current font; the height is that of a line of text.
    virtual int TextWidth(const std::string &text) = 0;
    virtual int TextHeight(const std::string &text) = 0;
    // Draws a text with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string &text) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // The outline of the rectangle from (x1, y1) up to, not including, (x2, y2).
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;

    virtual uint8_t FontStyle() const = 0;
    virtual void SetFontStyle(uint8_t style) = 0;
    // Shapes and texts draw without filling their background.
    virtual void SetBrushClear() = 0;
};
