#include "core/ProgramFolder.h"

#include "core/Password.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace cal {
namespace {
QString& override() {
    static QString folder;
    return folder;
}

// Copies `from` to `to` and checks that every byte arrived.
bool copyWhole(const QString& from, const QString& to) {
    if (!QFile::copy(from, to)) return false;
    QFile copy(to);
    return QFileInfo(from).size() == copy.size();
}
}  // namespace

QString programFolder() {
    QString folder = override().isEmpty() ? QCoreApplication::applicationDirPath() : override();
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

QString programFile(const QString& name) { return programFolder() + name; }

void setProgramFolder(const QString& folder) { override() = folder; }

QStringList installedFiles() {
    return {kPasswordFile, QStringLiteral("Guida.pdf"), QStringLiteral("Avviso.mp3")};
}

std::optional<QString> resolveProgramFolder(const QString& executableFolder, const QString& userFolder,
                                            QString* error) {
    const QDir installed(executableFolder);
    if (!installed.exists(kInstalledMark)) return executableFolder;
    const QFileInfo user(userFolder);
    if (user.isDir()) return userFolder;
    auto fail = [&](const QString& cause) -> std::optional<QString> {
        if (error) *error = cause;
        return std::nullopt;
    };
    if (user.exists()) return fail(QStringLiteral("%1 is not a folder").arg(userFolder));

    // Set up in a folder of its own next to the target, renamed into place when complete, so
    // that a failed set-up leaves no half-filled program folder behind.
    const QString parent = user.absolutePath();
    if (!QDir().mkpath(parent)) return fail(QStringLiteral("cannot create %1").arg(parent));
    const QString staging = user.absoluteFilePath() + QStringLiteral(".preparazione");
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging)) return fail(QStringLiteral("cannot create %1").arg(staging));
    for (const QString& name : installedFiles()) {
        if (!installed.exists(name)) continue;
        if (!copyWhole(installed.filePath(name), staging + u'/' + name)) {
            QDir(staging).removeRecursively();
            return fail(QStringLiteral("cannot copy %1 into %2").arg(installed.filePath(name), staging));
        }
        // The installed files are read-only; the user's copies are the user's to change.
        QFile::setPermissions(staging + u'/' + name,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    }
    if (!QDir().rename(staging, user.absoluteFilePath())) {
        QDir(staging).removeRecursively();
        return fail(QStringLiteral("cannot rename %1 to %2").arg(staging, userFolder));
    }
    return userFolder;
}

bool prepareProgramFolder(QString* error) {
    if (!override().isEmpty()) return true;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Calvetra");
    const std::optional<QString> folder = resolveProgramFolder(QCoreApplication::applicationDirPath(), user, error);
    if (!folder) return false;
    setProgramFolder(*folder);
    return true;
}

}  // namespace cal
