#pragma once
// The copy of the program folder's data in one archive file, and its restore.
//
// The copy is a zip file (written and read by libarchive) that holds every data file of the
// program folder under its path relative to the folder, every data folder, and last a short
// description of the copy ("Calvetra-copia.txt": when it was taken, how many files and bytes).
// Which names are data is said by a DataFileRule that the application composes from what its
// archives and settings declare; the program's own files (the executable, its libraries, the
// manual, the sound) are never data.
//
// The copy is written whole or not at all (SafeWrite: a temporary file renamed into place once
// every byte is on the disk). Each record file is read under the lock its appends take, so a copy
// taken while another copy of the program adds records holds every record whole.
//
// A restore first reads the whole copy into a hidden folder of the program folder and checks
// every entry: a file that is no zip, a zip without the description, a damaged or truncated one,
// and any entry that is not a data file or folder by the rule (an absolute path, "..", a link, a
// device, a name the program does not own) refuse the copy, and the program folder is left as it
// was. Only then are the files put in place: each file of the folder that the copy replaces is
// first moved aside into a second hidden folder, and removed only when every file of the copy is
// in place; when anything fails, what was put in place is taken away and what was moved aside is
// put back. Data files of the folder that the copy does not hold are left as they are.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

namespace cal {

// The names of the program folder's data, at the top of the folder.
struct DataFileRule {
    QStringList recordFiles;      // record files by name ("Nome.ext")
    QStringList yearExtensions;   // per-year record files: four digits and one of these (".ext")
    QStringList files;            // other files by name: settings, the password file
    QStringList folders;          // folders kept with everything in them ("Documenti_Allegati")
    QStringList numberedFolders;  // the same for a prefix and a number from 1 ("Nome_" for Nome_12)
};

enum class DataKind { None, RecordFile, File, Folder };
// What a name at the top of the program folder is by the rule.
DataKind dataKind(const DataFileRule& rule, const QString& name);

// The name of the copy's description inside the zip file.
inline const QString kBackupDescription = QStringLiteral("Calvetra-copia.txt");

struct BackupOutcome {
    bool ok = false;
    qint64 files = 0;        // data files written
    qint64 bytes = 0;        // their bytes
    QStringList skipped;     // data names that are neither files nor folders (links, devices), not copied
    QString unreadable;      // the data file that could not be read (relative path); empty otherwise
    bool insideFolder = false;  // the target lies in the program folder: nothing written
    QString error;           // the cause, for the log
};

// Writes the copy of `folder`'s data into `target`, dated `taken`.
BackupOutcome writeBackup(const QString& folder, const DataFileRule& rule, const QString& target,
                          const QDateTime& taken);

class BackupRestore {
public:
    enum class Failure {
        None,
        Unreadable,  // the chosen file cannot be opened
        Foreign,     // no zip file, or a zip file that is no copy of this program
        Damaged,     // a zip file that is damaged or truncated
        Unsafe,      // an entry that is no data file or folder of the program (entry())
        Write,       // the program folder could not take the files (space, rights)
    };

    BackupRestore(const QString& folder, const DataFileRule& rule);
    ~BackupRestore();  // removes what prepare() read and did not put in place
    BackupRestore(const BackupRestore&) = delete;
    BackupRestore& operator=(const BackupRestore&) = delete;

    // Reads and checks the whole copy. False with failure() set; the folder is unchanged.
    bool prepare(const QString& backupFile);
    // After prepare(): the copy's date, its files, and the data entries of the folder that the
    // restore replaces (relative paths, files and whatever stands where the copy has a folder).
    QDateTime taken() const;
    qint64 files() const;
    QStringList replaced() const;

    // Puts the copy in place. False with failure() Write when it failed and everything was put
    // back; rolledBack() is false only when even that failed, the replaced files then being kept
    // in asideFolder().
    bool commit();
    bool rolledBack() const;
    QString asideFolder() const;

    Failure failure() const;
    QString entry() const;        // the entry that made the copy Unsafe
    QString errorString() const;  // the cause, for the log

private:
    struct State;
    std::unique_ptr<State> d_;
};

}  // namespace cal
