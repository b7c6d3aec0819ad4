// Where the program keeps its files: the executable's folder, or for an installed copy the
// user's own folder, set up once from the installed files.
#include "core/Password.h"
#include "core/FileLock.h"
#include "core/ProgramFolder.h"
#include "testlib/CalTest.h"

#include <QDir>
#include <QFile>

using namespace cal;

namespace {

QStringList entries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// An installed program folder: the executable, the mark, the password file with the initial
// password and the manual, all read-only as the package leaves them.
void install(const QString& folder, bool marked) {
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(caltest::writeAll(folder + "/Calvetra", "\x7f" "ELF"));
    QVERIFY(caltest::writeAll(folder + "/Guida.pdf", "%PDF-1.4 manuale"));
    QCOMPARE(writeStoredPassword(folder, kInitialPassword), PasswordWrite::Written);
    if (marked) QVERIFY(caltest::writeAll(folder + '/' + kInstalledMark, "installata"));
    for (const QString& name : entries(folder))
        QVERIFY(QFile::setPermissions(folder + '/' + name, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
}

}  // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void unmarkedFolderIsItsOwnProgramFolder() {
        caltest::ProgramFolder root;
        install(root.path("copia"), false);
        const std::optional<QString> folder = resolveProgramFolder(root.path("copia"), root.path("utente/Calvetra"));
        QCOMPARE(folder, std::optional<QString>(root.path("copia")));
        QVERIFY(!QFileInfo::exists(root.path("utente")));
    }

    void installedCopySetsUpTheUserFolderOnce() {
        caltest::ProgramFolder root;
        install(root.path("lib/calvetra"), true);
        const QString user = root.path("home/.local/share/Calvetra");
        std::optional<QString> folder = resolveProgramFolder(root.path("lib/calvetra"), user);
        QCOMPARE(folder, std::optional<QString>(user));
        // The installed files that a user needs, not the executable nor the mark.
        QCOMPARE(entries(user), (QStringList{"Guida.pdf", kPasswordFile}));
        QCOMPARE(caltest::readAll(user + "/Guida.pdf"), QByteArray("%PDF-1.4 manuale"));
        QCOMPARE(readStoredPassword(user), std::optional<QString>(kInitialPassword));
        QCOMPARE(entries(root.path("home/.local/share")), QStringList{"Calvetra"});  // no staging left
        // The user's password file can be changed.
        QCOMPARE(writeStoredPassword(user, u"nuova"), PasswordWrite::Written);
        QCOMPARE(readStoredPassword(user), std::optional<QString>("NUOVA"));

        // Later starts use the folder as it is: a changed password stays, and a deleted
        // password file is not brought back with the initial password.
        QVERIFY(caltest::writeAll(user + "/Contatti.pro", "dati"));
        QCOMPARE(resolveProgramFolder(root.path("lib/calvetra"), user), std::optional<QString>(user));
        QCOMPARE(readStoredPassword(user), std::optional<QString>("NUOVA"));
        QVERIFY(QFile::remove(user + '/' + kPasswordFile));
        QCOMPARE(resolveProgramFolder(root.path("lib/calvetra"), user), std::optional<QString>(user));
        // (the lock file was left by the change of the password)
        QCOMPARE(entries(user), (QStringList{kSettingsLockFile, "Contatti.pro", "Guida.pdf"}));
        QCOMPARE(readStoredPassword(user), std::optional<QString>(QString()));
    }

    void failedSetUpLeavesNoFolder() {
        caltest::ProgramFolder root;
        install(root.path("lib/calvetra"), true);
        QVERIFY(QDir().mkpath(root.path("share")));
        QString error;
        {
            CAL_READ_ONLY(guard, root.path("share"));
            QVERIFY(!resolveProgramFolder(root.path("lib/calvetra"), root.path("share/Calvetra"), &error));
            QVERIFY(!error.isEmpty());
        }
        QVERIFY(entries(root.path("share")).isEmpty());
    }

    void userFolderNameTakenByAFile() {
        caltest::ProgramFolder root;
        install(root.path("lib/calvetra"), true);
        QVERIFY(caltest::writeAll(root.path("Calvetra"), "un file"));
        QString error;
        QVERIFY(!resolveProgramFolder(root.path("lib/calvetra"), root.path("Calvetra"), &error));
        QVERIFY(error.contains("not a folder"));
        QCOMPARE(caltest::readAll(root.path("Calvetra")), QByteArray("un file"));
    }
};

CAL_TEST_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
