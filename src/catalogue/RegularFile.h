#pragma once
// Reading a whole file of the program's own (the catalogue, the settings, the help files).

#include <cstdint>
#include <string>

enum class ReadResult {
    Missing,    // nothing of that name (or a link to nothing)
    NotRegular, // a folder, a FIFO, a device or a socket: never read
    Failed,     // a regular file that could not be opened or read
    Ok,
};

// Reads the whole of `path` (UTF-8) into `bytes`, growing it only as far as the file's size,
// when it is a regular file or a link to one. Anything else is refused before a byte is read:
// a FIFO would block the program for ever and a device such as /dev/zero never ends.
// `error` receives the system's error number when it is Failed.
ReadResult ReadRegularFile(const std::string &path, std::string &bytes, int *error = nullptr);

// A regular file read a part at a time, for a file too large to be held whole beside what is
// made of it. Open refuses what ReadRegularFile refuses, for the same reasons.
class RegularFileStream {
public:
    RegularFileStream() = default;
    RegularFileStream(const RegularFileStream &) = delete;
    RegularFileStream &operator=(const RegularFileStream &) = delete;
    ~RegularFileStream();

    ReadResult Open(const std::string &path, int *error = nullptr);
    // Up to `room` bytes into `into`; how many were read, 0 at the end of the file and after
    // a failure (which Failed then tells).
    std::size_t Read(char *into, std::size_t room);
    bool Failed() const { return failed_; }
    // The file's size when it was opened, and how much of it has been read since.
    std::uint64_t Size() const { return size_; }
    std::uint64_t Done() const { return done_; }

private:
    int fd_ = -1;
    bool failed_ = false;
    std::uint64_t size_ = 0;
    std::uint64_t done_ = 0;
};
