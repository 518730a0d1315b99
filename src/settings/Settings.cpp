#include "settings/Settings.h"

#include "settings/IniFile.h"
#include "settings/Preferences.h"

void ReadSettings(const QString &path) {
    // A file that cannot be read counts as missing: everything takes its default.
    IniFile ini;
    if (!ini.Load(path))
        ini = IniFile{};
    for (const Preference &p : PreferenceTable())
        p.Read(ini.ReadString(p.section, p.key, p.defaultText));
}

bool WriteSettings(const QString &path) {
    // The file's other sections, keys and comments are kept, so it is read first; a
    // file that is there but cannot be read is not overwritten.
    IniFile ini;
    if (!ini.Load(path))
        return false;
    for (const Preference &p : PreferenceTable())
        ini.WriteString(p.section, p.key, p.Text());
    return ini.Save(path);
}
