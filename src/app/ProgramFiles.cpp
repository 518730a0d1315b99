#include "app/ProgramFiles.h"

#include "catalogue/SafeSave.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramDir;
QString DataFileName;
QString IniFileName;

namespace {

// File names are matched without regard to case, as on the system the files came from:
// an existing "SHOPPING.DAT" is the catalogue, not a stranger beside a new "Shopping.dat".
// Whatever holds the name counts, a folder, a pipe or a link to nothing too: reading it
// then says what is wrong, where a second file beside it would only hide it.
QString InProgramDir(const QString &name) {
    const QDir dir(ProgramDir);
    const auto any = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList found = dir.entryList({name}, any | QDir::CaseSensitive);
    if (!found.isEmpty())
        return ProgramDir + found.first();
    for (const QString &entry : dir.entryList(any))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return ProgramDir + entry;
    return ProgramDir + name;
}

} // namespace

void SetProgramDir(const QString &folder) {
    const QString dir = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    ProgramDir = QDir::cleanPath(dir) + QLatin1Char('/');
    DataFileName = InProgramDir(QStringLiteral("Shopping.dat"));
    IniFileName = InProgramDir(QStringLiteral("Shopping.ini"));
}

void RemoveUnfinishedSaves() {
    RemoveUnfinishedSaves(DataFileName);
    RemoveUnfinishedSaves(IniFileName);
}
