#pragma once
#include <QString>

// The page-touch probe over `path`: prints one line, the kind of machine. Returns the exit code.
int runProbe(const QString& path, int times);
