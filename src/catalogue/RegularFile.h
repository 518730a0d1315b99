#pragma once
// Reading a whole file of the program's own (the catalogue, the settings, the help files).

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
