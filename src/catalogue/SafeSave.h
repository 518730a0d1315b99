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
// in such a folder could never be saved). A link is followed: the file it names is saved.
// False on any failure, and then no temporary file is left. SHOPPING.DAT and Shopping.ini
// are saved so.
bool SaveBytesSafely(const std::string &path, std::string_view bytes);

// The system calls a save makes, in one table so that a test can make any of them fail.
struct SaveCalls {
    int (*makeTemporary)(char *nameTemplate); // as mkstemp
    int (*openInPlace)(const char *path);     // the existing file, for writing, emptied
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fdatasync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char *from, const char *to);
};
// The calls saves use; a test may replace them and must put them back.
SaveCalls &CurrentSaveCalls();
// The system's own calls.
SaveCalls SystemSaveCalls();

// Removes the temporary files that saves of `path` left beside it when the program ended
// between writing and renaming: regular files named like `path` plus "." and six letters
// or digits (the name matched without regard to case, as the program's files are found).
// Returns how many were removed.
int RemoveUnfinishedSaves(const QString &path);
