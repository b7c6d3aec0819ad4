#pragma once
#include <QStringList>

// calvetra_bench movements <folder> [records] [--repeat R]: the movement summary of a year over
// the issued transfers file (made with `records` transfers of 2026 when it does not hold them),
// against a plain scan of the same file. Prints figures and asserts nothing.
int runMovementBench(const QStringList& args, int times);
