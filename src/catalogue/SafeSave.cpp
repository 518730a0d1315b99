#include "catalogue/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

int MakeTemporary(char *nameTemplate) {
    return ::mkostemp(nameTemplate, O_CLOEXEC);
}

int OpenInPlace(const char *path) {
    return ::open(path, O_WRONLY | O_TRUNC | O_CLOEXEC);
}

// The whole buffer, however many writes it takes; false when the disk refuses any of it.
bool WriteAll(const SaveCalls &calls, int fd, std::string_view bytes) {
    const char *at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = calls.write(fd, at, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Written, on the disk and closed, each step checked: a close can report a write the disk
// refused late, and a file whose data never reached the disk is no saved file. The
// descriptor is gone afterwards, whatever the result.
bool Finish(const SaveCalls &calls, int fd, std::string_view bytes) {
    const bool synced = WriteAll(calls, fd, bytes) && calls.fdatasync(fd) == 0;
    const bool closed = calls.close(fd) == 0;
    return synced && closed;
}

// The folder's entry for a renamed file reaches the disk too; a folder that cannot be
// synced at all (some file systems refuse) has nothing to sync.
bool SyncFolder(const std::string &path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return synced;
}

// The file a link leads to, so that saving replaces that file and keeps the link.
std::string Target(const std::string &path) {
    const QFileInfo info(QString::fromStdString(path));
    const QString target = info.isSymLink() ? info.canonicalFilePath() : QString();
    return target.isEmpty() ? path : target.toStdString();
}

} // namespace

SaveCalls SystemSaveCalls() {
    return {MakeTemporary, OpenInPlace, ::write, ::fdatasync, ::close, ::rename};
}

SaveCalls &CurrentSaveCalls() {
    static SaveCalls calls = SystemSaveCalls();
    return calls;
}

bool SaveBytesSafely(const std::string &path, std::string_view bytes) {
    const SaveCalls &calls = CurrentSaveCalls();
    const std::string target = Target(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false; // a folder or a device in its place is nothing to replace

    // The same name with six random letters or digits: what RemoveUnfinishedSaves looks for.
    std::vector<char> temporary(target.begin(), target.end());
    for (const char c : std::string(".XXXXXX"))
        temporary.push_back(c);
    temporary.push_back('\0');
    const int fd = calls.makeTemporary(temporary.data());
    if (fd < 0) {
        if ((errno != EACCES && errno != EPERM) || !exists)
            return false;
        // A folder that refuses new files: the file is written where it is.
        const int direct = calls.openInPlace(target.c_str());
        return direct >= 0 && Finish(calls, direct, bytes);
    }
    // The new file gets the old one's permissions; a first file those of any new file.
    mode_t mode = old.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    if (!Finish(calls, fd, bytes) || calls.rename(temporary.data(), target.c_str()) != 0) {
        ::unlink(temporary.data());
        return false;
    }
    return SyncFolder(target);
}

int RemoveUnfinishedSaves(const QString &path) {
    const QFileInfo target(path);
    // A save's temporary file is the file's name, a dot and six random letters or digits;
    // nothing else in the folder is ours to remove.
    const QRegularExpression pattern(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(target.fileName())),
        QRegularExpression::CaseInsensitiveOption);
    int removed = 0;
    const QFileInfoList entries =
        target.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries)
        if (pattern.match(entry.fileName()).hasMatch() && QFile::remove(entry.filePath()))
            ++removed;
    return removed;
}
