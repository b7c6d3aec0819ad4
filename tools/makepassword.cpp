// makepassword writes the password file "unins000.dll" with the initial password into a
// program folder, as the installation does: `makepassword <folder>`. A folder that already
// holds a password file keeps it, so rebuilding never resets a password the user changed.
// Exit status 1 when the file cannot be written.
#include "core/Password.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makepassword <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (QFile::exists(QDir(folder).filePath(cal::kPasswordFile))) return 0;
    if (!QDir().mkpath(folder) ||
        cal::writeStoredPassword(folder, cal::kInitialPassword) != cal::PasswordWrite::Written) {
        std::fprintf(stderr, "makepassword: cannot write %s\n",
                     qPrintable(QDir(folder).filePath(cal::kPasswordFile)));
        return 1;
    }
    return 0;
}
