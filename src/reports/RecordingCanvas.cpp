#include "reports/RecordingCanvas.h"

#include "settings/Preferences.h"

bool RecordingCanvas::BeginDoc() {
    if (refuse)
        return false;
    ++begun;
    pages = 1;
    return true;
}

void RecordingCanvas::TextOut(int x, int y, const std::string &text) {
    ops.push_back({CanvasOp::Text, pages, x, y, 0, 0, text, style});
}

void RecordingCanvas::LineTo(int x, int y) {
    ops.push_back({CanvasOp::Line, pages, penX_, penY_, x, y, {}, style});
    penX_ = x;
    penY_ = y;
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    ops.push_back({CanvasOp::Rect, pages, x1, y1, x2, y2, {}, style});
}

std::vector<std::string> RecordingCanvas::Texts(int page) const {
    std::vector<std::string> out;
    for (const CanvasOp &op : ops)
        if (op.kind == CanvasOp::Text && (page == 0 || op.page == page))
            out.push_back(op.text);
    return out;
}

const CanvasOp *RecordingCanvas::Find(const std::string &text) const {
    for (const CanvasOp &op : ops)
        if (op.kind == CanvasOp::Text && op.text == text)
            return &op;
    return nullptr;
}

int RecordingCanvas::WidthIn(uint8_t s, const std::string &text) const {
    int perCharacter = fontSize;
    if (s & ReportFont::Bold)
        perCharacter += fontSize / 5;
    if (s & ReportFont::Italic)
        perCharacter += fontSize / 10;
    return static_cast<int>(text.size()) * perCharacter;
}
