#pragma once
// The lock that keeps the copies of the program sharing one program folder from changing a file
// at the same time: the lock of a record file (RecordFile::whileLocked, taken by every append and
// every overwrite) and the lock of the folder's settings files (withSettingsLock). Every lock of
// the program is taken here, so the kind of lock is chosen in this one place.
//
// The kind: the file system's own exclusive byte-range lock (fcntl, of the open-file-description
// kind) on one byte at kLockedByte, far past the end of any data file.
// - On a local disk the kernel keeps it. On an NFS mount the kernel sends it to the server (the
//   lock manager of version 3, the protocol's own locks in version 4), and on an SMB mount it is
//   sent as a byte-range lock of the protocol, so copies on different computers see each
//   other's locks.
// - One byte past the data rather than the whole file: SMB byte-range locks are mandatory, and a
//   lock over the records would make the other copies' reads fail while it is held.
// - It belongs to the open file, not to the process: two opens of one file conflict also within
//   one process, and closing another handle of the same file does not drop it. The system drops
//   it when the file is closed or the program ends, a crash included.
// - It does not meet the whole-file lock (flock) that earlier versions of the program took on a
//   local disk: all the copies on one folder must be of the same version.
// A file system without locks (ENOLCK, EOPNOTSUPP) is used without them, as a single copy needs
// none; the lack is logged under "calvetra.files".
#include <QString>

#include <functional>

namespace cal {

// The locked byte: 1 TiB, past any record file.
inline constexpr qint64 kLockedByte = qint64(1) << 40;

class FileLock {
public:
    // Waits until the lock on the open file `fd` is had, or fails.
    explicit FileLock(int fd);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return locked_; }
    // The file system keeps no locks: go on without.
    bool unsupported() const { return unsupported_; }
    QString errorString() const { return error_; }

private:
    int fd_;
    bool locked_ = false;
    bool unsupported_ = false;
    QString error_;
};

// The file of a folder whose lock stands for all the settings files in it (they are replaced
// whole by a rename, so a lock on them would not outlive the change): empty, created by the
// first change.
inline const QString kSettingsLockFile = QStringLiteral("Calvetra.lock");

// Runs `work` holding the settings lock of `folder`. False, with the cause in `error` when
// given, when the lock file cannot be opened or locked (then `work` does not run) or when
// `work` returns false.
bool withSettingsLock(const QString& folder, const std::function<bool()>& work, QString* error = nullptr);

}  // namespace cal
