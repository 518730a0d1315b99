#pragma once
// The boundary between the catalogue's Windows-1252 bytes and Qt's Unicode text.

#include <QString>
#include <string>

class QLineEdit;

namespace ui {

QString FromAnsi(const std::string &bytes);
std::string ToAnsi(const QString &text);
// True when every character of `text` has a Windows-1252 byte.
bool IsAnsi(const QString &text);
// Limits an edit box to `maxLength` characters that Windows-1252 can hold; anything
// else typed or pasted is refused with the beep (one per key or paste), so nothing typed
// is lost in the file.
void MakeAnsiEdit(QLineEdit *edit, int maxLength);

} // namespace ui
