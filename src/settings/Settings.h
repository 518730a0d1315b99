#pragma once
// Shopping.ini: the report font in section [Font] and the fourteen preferences in
// section [Prefs]. Reading never fails (anything missing or unreadable gives its
// default); writing replaces the file in one step or leaves it as it was.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

// Reads the report font and every preference from the settings file at `path`.
void ReadSettings(const QString &path);
// Writes the report font and every preference, keeping the file's other lines.
// False when the file could not be written; the old file is then untouched.
bool WriteSettings(const QString &path);

// How single values of the file are read (exposed for the tests).
namespace settings {

// A whole 32-bit number; "0x"/"0X" followed by hexadecimal digits when the text is
// longer than two characters. Nothing for any other text.
std::optional<int32_t> ParseInteger(const std::string &text);
// Red + green * 256 + blue * 65536 from "r,g,b"; black unless the first three parts
// are each a whole number 0..255.
uint32_t ParseColour(const std::string &text);
std::string FormatColour(uint32_t colour);
// The set of ReportFont::Style bits named in a comma-separated list.
uint8_t ParseStyle(const std::string &text);
std::string FormatStyle(uint8_t styles);

} // namespace settings
