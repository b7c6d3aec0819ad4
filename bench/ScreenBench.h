#pragma once
#include <QString>
#include <QStringList>

// Screen benchmarks; needs a QApplication. Returns the process exit code (2: unknown command).
int runScreenBench(const QString& command, const QStringList& args, int times);
// Start-up to the login shown against a minimal Qt login, offscreen and under Xvfb.
int runStartupBench(const QString& folder, int times);
