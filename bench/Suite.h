#pragma once
#include <QString>
#include <QStringList>

// The suite, its child processes and the SQLite peer; -1 for a command that is not theirs.
int runSuiteCommand(const QString& command, const QStringList& args, int times);
