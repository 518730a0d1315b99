#include "FaultInjection.h"

#include <algorithm>
#include <cerrno>

namespace {

QStringList made;
int failAt = -1;
QString failCall;
int failWith = EIO;
bool refuseNewFiles = false;
qint64 byteBudget = -1; // per opened file; none: -1
qint64 writtenToFile = 0;
bool budgetSpent = false; // the file's one refused write was made
std::string lastTemporary;

bool Fails(const char *call) {
    made << QString::fromLatin1(call);
    const bool named = !failCall.isEmpty() && made.count(failCall) == 1 && made.last() == failCall;
    if (made.size() - 1 != failAt && !named)
        return false;
    errno = failWith;
    return true;
}

int Opened(int fd) {
    writtenToFile = 0;
    budgetSpent = false;
    return fd;
}

int MakeTemporary(char *nameTemplate) {
    if (refuseNewFiles) {
        errno = EACCES;
        return -1;
    }
    if (Fails("create"))
        return -1;
    const int fd = SystemSaveCalls().makeTemporary(nameTemplate);
    lastTemporary = nameTemplate;
    return Opened(fd);
}
int OpenInPlace(const char *path) {
    return Fails("open") ? -1 : Opened(SystemSaveCalls().openInPlace(path));
}
int Reserve(int fd, off_t size) {
    return Fails("reserve") ? failWith : SystemSaveCalls().reserve(fd, size);
}
ssize_t Write(int fd, const void *data, size_t size) {
    if (Fails("write"))
        return -1;
    qint64 take = std::min<qint64>(static_cast<qint64>(size), 64);
    if (byteBudget >= 0 && !budgetSpent) {
        take = std::min(take, byteBudget - writtenToFile);
        if (take <= 0) {
            budgetSpent = true;
            errno = failWith;
            return -1;
        }
    }
    const ssize_t written = SystemSaveCalls().write(fd, data, static_cast<size_t>(take));
    if (written > 0)
        writtenToFile += written;
    return written;
}
int Fdatasync(int fd) {
    return Fails("fdatasync") ? -1 : SystemSaveCalls().fdatasync(fd);
}
int Truncate(int fd, off_t size) {
    return Fails("truncate") ? -1 : SystemSaveCalls().truncate(fd, size);
}
int Close(int fd) {
    // A close that reports an error has still released the descriptor.
    const bool fails = Fails("close");
    const int result = SystemSaveCalls().close(fd);
    if (fails)
        errno = failWith;
    return fails ? -1 : result;
}
int Rename(const char *from, const char *to) {
    return Fails("rename") ? -1 : SystemSaveCalls().rename(from, to);
}

} // namespace

FaultInjection::FaultInjection() : saved_(CurrentSaveCalls()) {
    CurrentSaveCalls() = {MakeTemporary, OpenInPlace, Reserve, Write,
                          Fdatasync,     Truncate,    Close,   Rename};
    refuseNewFiles = false;
    FailAt(-1, EIO);
}

FaultInjection::~FaultInjection() {
    CurrentSaveCalls() = saved_;
    refuseNewFiles = false;
    byteBudget = -1;
}

void FaultInjection::FailAt(int at, int error) {
    made.clear();
    failAt = at;
    failCall.clear();
    failWith = error;
    byteBudget = -1;
}

void FaultInjection::FailFirst(const QString &call, int error) {
    FailAt(-1, error);
    failCall = call;
}

void FaultInjection::FailAfterBytes(qint64 bytes, int error) {
    FailAt(-1, error);
    byteBudget = bytes;
}

void FaultInjection::RefuseNewFiles() {
    refuseNewFiles = true;
}

QStringList FaultInjection::Calls() {
    return made;
}

std::string FaultInjection::LastTemporary() {
    return lastTemporary;
}
