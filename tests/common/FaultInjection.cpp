#include "FaultInjection.h"

#include <algorithm>
#include <cerrno>

namespace {

QStringList made;
int failAt = -1;
QString failCall;
int failWith = EIO;

bool Fails(const char *call) {
    made << QString::fromLatin1(call);
    const bool named = !failCall.isEmpty() && made.count(failCall) == 1 && made.last() == failCall;
    if (made.size() - 1 != failAt && !named)
        return false;
    errno = failWith;
    return true;
}

int MakeTemporary(char *nameTemplate) {
    return Fails("create") ? -1 : SystemSaveCalls().makeTemporary(nameTemplate);
}
int OpenInPlace(const char *path) {
    return Fails("open") ? -1 : SystemSaveCalls().openInPlace(path);
}
ssize_t Write(int fd, const void *data, size_t size) {
    return Fails("write") ? -1 : SystemSaveCalls().write(fd, data, std::min<size_t>(size, 64));
}
int Fdatasync(int fd) {
    return Fails("fdatasync") ? -1 : SystemSaveCalls().fdatasync(fd);
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
    CurrentSaveCalls() = {MakeTemporary, OpenInPlace, Write, Fdatasync, Close, Rename};
    FailAt(-1, EIO);
}

FaultInjection::~FaultInjection() {
    CurrentSaveCalls() = saved_;
}

void FaultInjection::FailAt(int at, int error) {
    made.clear();
    failAt = at;
    failCall.clear();
    failWith = error;
}

void FaultInjection::FailFirst(const QString &call, int error) {
    FailAt(-1, error);
    failCall = call;
}

QStringList FaultInjection::Calls() {
    return made;
}
