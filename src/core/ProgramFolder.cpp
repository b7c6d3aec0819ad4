#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace cal {
namespace {
QString& override() {
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder() {
    QString folder = override().isEmpty() ? QCoreApplication::applicationDirPath() : override();
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

QString programFile(const QString& name) { return programFolder() + name; }

void setProgramFolder(const QString& folder) { override() = folder; }

}  // namespace cal
