#pragma once
// Saves whose system calls fail on purpose: while a FaultInjection lives, every call a save
// makes is recorded, and the one numbered `failAt` (counting from 0 over all calls) fails
// with `error`. Writes take at most 64 bytes at a time, so a file is written in several
// writes and a fault can cut it anywhere.

#include "catalogue/SafeSave.h"

#include <QStringList>

#include <string>

class FaultInjection {
public:
    FaultInjection();
    ~FaultInjection();
    FaultInjection(const FaultInjection &) = delete;
    FaultInjection &operator=(const FaultInjection &) = delete;

    // Forgets the calls made so far and fails the call numbered `at` (none: -1).
    void FailAt(int at, int error);
    // Forgets the calls made so far and fails the first call of that name.
    void FailFirst(const QString &call, int error);
    // Forgets the calls made so far; from now on every file opened for a save takes
    // `bytes` bytes, then refuses the next write with `error` (a disk that fails part-way),
    // and takes later writes again.
    void FailAfterBytes(qint64 bytes, int error);
    // The folder refuses new files (EACCES) from now on, as a read-only folder does, so
    // saves write the existing file in place. The refused creations are not counted.
    void RefuseNewFiles();
    // The calls made since the last FailAt: "create", "open", "reserve", "write",
    // "fdatasync", "truncate", "close", "rename".
    static QStringList Calls();
    // The name of the last temporary file a save created.
    static std::string LastTemporary();

private:
    SaveCalls saved_;
};
