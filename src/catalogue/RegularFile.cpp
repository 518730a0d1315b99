#include "catalogue/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ReadResult Failed(int *error) {
    if (error)
        *error = errno;
    return ReadResult::Failed;
}

} // namespace

ReadResult ReadRegularFile(const std::string &path, std::string &bytes, int *error) {
    bytes.clear();
    RegularFileStream file;
    if (const ReadResult opened = file.Open(path, error); opened != ReadResult::Ok)
        return opened;
    // One buffer of the file's size; a file that grows while it is read is read to its end
    // through a small buffer, so the whole is never held twice.
    bytes.resize(static_cast<std::size_t>(file.Size()));
    std::size_t done = 0;
    char more[4096];
    for (;;) {
        const bool inBuffer = done < bytes.size();
        const std::size_t got = inBuffer ? file.Read(bytes.data() + done, bytes.size() - done)
                                         : file.Read(more, sizeof more);
        if (file.Failed()) {
            const ReadResult result = Failed(error);
            bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        if (!inBuffer)
            bytes.append(more, got);
        done += got;
    }
    bytes.resize(done);
    return ReadResult::Ok;
}

RegularFileStream::~RegularFileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

ReadResult RegularFileStream::Open(const std::string &path, int *error) {
    // Opened without waiting, so that a FIFO cannot hold the program up before it is seen,
    // and looked at before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ::Failed(error);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const ReadResult result = ::Failed(error);
        ::close(fd);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadResult::NotRegular;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return ReadResult::Ok;
}

std::size_t RegularFileStream::Read(char *into, std::size_t room) {
    if (fd_ < 0 || failed_)
        return 0;
    for (;;) {
        const ssize_t got = ::read(fd_, into, room);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failed_ = true;
            return 0;
        }
        done_ += static_cast<std::uint64_t>(got);
        return static_cast<std::size_t>(got);
    }
}
