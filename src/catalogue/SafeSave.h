#pragma once
// Saving a whole file so that a failure at any step leaves the old file as it was, and
// clearing away what a save cut short by a crash left behind.

#include <QString>

#include <string>
#include <string_view>
#include <sys/types.h>

// Writes `bytes` as the whole file `path`: into a new file beside it, flushed to the disk
// with every result checked, then renamed over the old one, so a failure at any step leaves
// the old file untouched. Only where the folder refuses the new file for lack of permission
// while the file itself may be written is the existing file written in place (else a file
// in such a folder could never be saved): its new size is reserved first, the new bytes go
// over the old ones, and the file is cut to its new length only once they are on the disk;
// any failure on the way writes the old bytes back. A link is followed: the file it names is
// saved (and made, for a link to a file that does not exist yet). False on any failure, and
// then no temporary file is left. SHOPPING.DAT and Shopping.ini are saved so.
bool SaveBytesSafely(const std::string &path, std::string_view bytes);

// The system calls a save makes, in one table so that a test can make any of them fail.
struct SaveCalls {
    int (*makeTemporary)(char *nameTemplate); // as mkstemp
    int (*openInPlace)(const char *path);     // the existing file, for reading and writing
    int (*reserve)(int fd, off_t size);       // as posix_fallocate from 0: 0 or an error number
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fdatasync)(int fd);
    int (*truncate)(int fd, off_t size); // as ftruncate
    int (*close)(int fd);
    int (*rename)(const char *from, const char *to);
};
// The calls saves use; a test may replace them and must put them back.
SaveCalls &CurrentSaveCalls();
// The system's own calls.
SaveCalls SystemSaveCalls();

// The name a save of `path` writes to before it renames it into place: hidden, beside the
// file, and saying whose it is, so that no one would give a file of their own such a name.
// `random` stands for the six letters or digits that make it unique.
std::string SaveTemporaryName(const std::string &path, std::string_view random = "XXXXXX");

// Removes the temporary files that saves of `path` left beside it when the program ended
// between writing and renaming: regular files of the user's own whose names are exactly
// what SaveTemporaryName makes. Anything else, however alike, is left alone. Returns how
// many were removed.
int RemoveUnfinishedSaves(const QString &path);
