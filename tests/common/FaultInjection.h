#pragma once
// Saves whose system calls fail on purpose: while a FaultInjection lives, every call a save
// makes is recorded, and the one numbered `failAt` (counting from 0 over all calls) fails
// with `error`. Writes take at most 64 bytes at a time, so a file is written in several
// writes and a fault can cut it anywhere.

#include "catalogue/SafeSave.h"

#include <QStringList>

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
    // The calls made since the last FailAt: "write", "fdatasync", "close", "rename", ...
    static QStringList Calls();

private:
    SaveCalls saved_;
};
