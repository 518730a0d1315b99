#include "catalogue/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

// What every temporary name of a save carries after the file's own name.
constexpr std::string_view TemporaryMark = ".trolleymind-save-";

int MakeTemporary(char *nameTemplate) {
    return ::mkostemp(nameTemplate, O_CLOEXEC);
}

int OpenInPlace(const char *path) {
    return ::open(path, O_RDWR | O_CLOEXEC);
}

int Reserve(int fd, off_t size) {
    return ::posix_fallocate(fd, 0, size);
}

// The whole buffer from the descriptor's offset, however many writes it takes; false when
// the disk refuses any of it.
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

// The file a link leads to, so that saving replaces that file and keeps the link; for a
// link to a file not there yet, the file it names.
std::string Target(const std::string &path) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.isSymLink())
        return path;
    QString target = info.canonicalFilePath();
    if (target.isEmpty())
        target = info.symLinkTarget();
    return target.isEmpty() ? path : target.toStdString();
}

// The whole of an open file, read from its start without moving its offset.
bool ReadOld(int fd, std::string &old) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    old.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < old.size()) {
        const ssize_t got =
            ::pread(fd, old.data() + done, old.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Room for a file of `size` bytes where one of `oldSize` is, taken before the first byte
// changes, so that a full disk refuses the save while the old file is whole. Where the file
// system cannot reserve, the free space is counted instead.
bool MakeRoom(const SaveCalls &calls, int fd, off_t oldSize, off_t size) {
    if (size <= oldSize)
        return true;
    const int result = calls.reserve(fd, size);
    if (result == 0)
        return true;
    if (result != EOPNOTSUPP && result != EINVAL) {
        errno = result;
        return false;
    }
    struct statvfs disk {};
    if (::fstatvfs(fd, &disk) != 0)
        return false;
    if (static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize <
        static_cast<unsigned long long>(size - oldSize)) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

// The old bytes and length back after a write in place that failed part-way, as far as the
// disk lets; the error that failed the save is kept for the caller.
void PutBack(const SaveCalls &calls, int fd, std::string_view old) {
    const int error = errno;
    if (::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(calls, fd, old)) {
        calls.truncate(fd, static_cast<off_t>(old.size()));
        calls.fdatasync(fd);
    }
    errno = error;
}

// Saves into the existing file itself, for a folder that refuses new files. The new bytes go
// over the old ones and the file takes its new length only once they are on the disk, so no
// attempt leaves less than was there; until then the old bytes are kept to be written back.
bool WriteInPlace(const SaveCalls &calls, const std::string &target, std::string_view bytes) {
    const int fd = calls.openInPlace(target.c_str());
    if (fd < 0)
        return false;
    std::string old;
    if (!ReadOld(fd, old)) {
        calls.close(fd);
        return false;
    }
    const auto oldSize = static_cast<off_t>(old.size());
    const auto size = static_cast<off_t>(bytes.size());
    if (!MakeRoom(calls, fd, oldSize, size)) {
        // Not a byte was written; a reservation that failed part-way may have lengthened
        // the file, which is given its old length back.
        const int error = errno;
        struct stat now {};
        if (::fstat(fd, &now) == 0 && now.st_size != oldSize)
            calls.truncate(fd, oldSize);
        calls.close(fd);
        errno = error;
        return false;
    }
    const bool saved =
        WriteAll(calls, fd, bytes) && calls.fdatasync(fd) == 0 &&
        (size >= oldSize || (calls.truncate(fd, size) == 0 && calls.fdatasync(fd) == 0));
    if (!saved)
        PutBack(calls, fd, old);
    if (calls.close(fd) == 0)
        return saved;
    // A close that fails may report a write the disk refused late: the old bytes go back.
    if (saved) {
        const int again = calls.openInPlace(target.c_str());
        if (again >= 0) {
            PutBack(calls, again, old);
            calls.close(again);
        }
    }
    return false;
}

} // namespace

SaveCalls SystemSaveCalls() {
    return {MakeTemporary, OpenInPlace, Reserve, ::write,
            ::fdatasync,   ::ftruncate, ::close, ::rename};
}

SaveCalls &CurrentSaveCalls() {
    static SaveCalls calls = SystemSaveCalls();
    return calls;
}

std::string SaveTemporaryName(const std::string &path, std::string_view random) {
    const auto slash = path.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path.substr(0, nameAt);
    name += '.';
    name.append(path, nameAt);
    name += TemporaryMark;
    name += random;
    return name;
}

bool SaveBytesSafely(const std::string &path, std::string_view bytes) {
    const SaveCalls &calls = CurrentSaveCalls();
    const std::string target = Target(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false; // a folder or a device in its place is nothing to replace

    std::string temporary = SaveTemporaryName(target);
    const int fd = calls.makeTemporary(temporary.data());
    if (fd < 0) {
        if ((errno != EACCES && errno != EPERM) || !exists)
            return false;
        // A folder that refuses new files: the file is written where it is.
        return WriteInPlace(calls, target, bytes);
    }
    // The new file gets the old one's permissions; a first file those of any new file.
    mode_t mode = old.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    if (!Finish(calls, fd, bytes) || calls.rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(target);
}

int RemoveUnfinishedSaves(const QString &path) {
    const QFileInfo target(QString::fromStdString(Target(path.toStdString())));
    // Exactly the names a save of this file makes; nothing else in the folder is ours.
    const QRegularExpression pattern(QStringLiteral("^\\.%1%2[A-Za-z0-9]{6}$")
                                         .arg(QRegularExpression::escape(target.fileName()),
                                              QRegularExpression::escape(QString::fromLatin1(
                                                  TemporaryMark.data(), TemporaryMark.size()))));
    int removed = 0;
    const QStringList entries =
        target.dir().entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &entry : entries) {
        if (!pattern.match(entry).hasMatch())
            continue;
        // A regular file of the user's own, looked at without following a link.
        const std::string name = target.dir().filePath(entry).toStdString();
        struct stat info {};
        if (::lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && ::unlink(name.c_str()) == 0)
            ++removed;
    }
    return removed;
}
