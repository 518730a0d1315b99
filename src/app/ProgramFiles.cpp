#include "app/ProgramFiles.h"

#include "catalogue/SafeSave.h"
#include "ui/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString ProgramDir;
QString DataDir;
QString HelpDir;
QString DataFileName;
QString IniFileName;

namespace {

QString WithSeparator(const QString &folder) {
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

// File names are matched without regard to case, as on the system the files came from:
// an existing "SHOPPING.DAT" is the catalogue, not a stranger beside a new "Shopping.dat".
// Whatever holds the name counts, a folder, a pipe or a link to nothing too: reading it
// then says what is wrong, where a second file beside it would only hide it.
QString InFolder(const QString &folder, const QString &name) {
    const QDir dir(folder);
    const auto any = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList found = dir.entryList({name}, any | QDir::CaseSensitive);
    if (!found.isEmpty())
        return folder + found.first();
    for (const QString &entry : dir.entryList(any))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + entry;
    return folder + name;
}

// Whether the user running the program may do `mode` to `path`, judged by the kernel for
// the effective ids (read-only file systems, root and access lists included), without trying.
bool May(const QString &path, int mode) {
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0;
}

const QString HelpFileName = QStringLiteral("Shopping.hlp");

} // namespace

void SetProgramDir(const QString &folder, const QString &userData) {
    ProgramDir = WithSeparator(folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);

    // A program installed for everyone has its help under share/, as the file system's
    // layout has it; a copied program folder has everything beside the program.
    const QString shared = WithSeparator(ProgramDir + QStringLiteral("../share/trolleymind"));
    const bool installedForEveryone = !QFile::exists(InFolder(ProgramDir, HelpFileName)) &&
                                      QFile::exists(InFolder(shared, HelpFileName));
    HelpDir = installedForEveryone ? shared : ProgramDir;
    ui::HelpViewer::SetFolder(HelpDir);

    // Beside the program, as always, where the user may keep files there, or may at least
    // change the catalogue there (it is then written in place). A folder of programs
    // installed for everyone is no place for anyone's catalogue, not even root's.
    const QString own = userData.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                            : userData;
    const bool beside =
        !installedForEveryone && (May(ProgramDir, W_OK | X_OK) ||
                                  May(InFolder(ProgramDir, QStringLiteral("Shopping.dat")), W_OK));
    DataDir = beside || own.isEmpty() ? ProgramDir : WithSeparator(own);
    DataFileName = InFolder(DataDir, QStringLiteral("Shopping.dat"));
    IniFileName = InFolder(DataDir, QStringLiteral("Shopping.ini"));
}

bool MakeDataDir() {
    // The folders missing above it too (a fresh home has no ~/.local/share), each made for
    // the user alone, as the desktop's rules for data folders ask.
    QStringList missing;
    for (QString dir = QDir::cleanPath(DataDir); !QFileInfo::exists(dir);
         dir = QFileInfo(dir).path()) {
        if (dir == QFileInfo(dir).path())
            return false;
        missing.prepend(dir);
    }
    for (const QString &dir : missing)
        if (::mkdir(QFile::encodeName(dir).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    return QFileInfo(DataDir).isDir();
}

void RemoveUnfinishedSaves() {
    RemoveUnfinishedSaves(DataFileName);
    RemoveUnfinishedSaves(IniFileName);
}
