#pragma once
// Files replaced whole or not at all, and the logging category of every file failure.
//
// The bytes go to a temporary file of the target's folder (QSaveFile) that is renamed over the
// target only once every byte is known to be on the disk: each write is checked, the data still
// in Qt's buffer is flushed and checked, and the temporary file is synced (fsync) and checked,
// all before the rename. QSaveFile::commit() alone is not enough: in Qt 6.4 it reports success
// when the final flush of its buffer fails (a full disk, a file-size limit), and then renames a
// short or empty file over the old one. Here such a write fails, the old file is left as it
// was, no temporary file remains, and the cause is kept in errorString() and logged under
// "calvetra.files" with the path.
#include <QByteArrayView>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QString>

#include <optional>

namespace cal {

Q_DECLARE_LOGGING_CATEGORY(lcFiles)

class SafeWrite {
public:
    explicit SafeWrite(const QString& path);
    SafeWrite(const SafeWrite&) = delete;
    SafeWrite& operator=(const SafeWrite&) = delete;
    ~SafeWrite();  // an unfinished write is abandoned: the old file stays

    bool open();
    // Appends bytes; false, and every later call false, once anything has failed.
    bool write(QByteArrayView bytes);
    // Puts the file in place; true only when every byte reached the disk.
    bool commit();
    // Abandons the write; `cause` is kept as the error when none is kept yet.
    void cancel(const QString& cause = {});

    bool failed() const { return failed_; }
    QString errorString() const { return error_; }
    QString path() const { return path_; }

private:
    bool fail(const QString& cause);

    QString path_;
    QSaveFile file_;
    QString error_;
    bool failed_ = false;
    bool done_ = false;
};

// Writes `bytes` as the whole content of `path` through SafeWrite. False when the file could
// not be written whole, with the cause in `error` when given; the old file is then unchanged.
bool writeFileWhole(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// Opens `file` (its fileName()) only when it is a regular file: a pipe, a device, a socket or a
// folder in its place is refused at once, without waiting for the other end of a pipe. Read-only
// and ExistingOnly opens never create the file; a read-write or write-only open creates a missing
// one. False, with the cause in `error` when given, when it cannot be opened or is no regular file.
bool openRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error = nullptr);

// Reads a file that the program keeps small (settings, password) with a bound: nullopt, with
// the cause in `error` and logged, when it cannot be read or holds more than `maxBytes` bytes.
// Read in chunks: at most maxBytes bytes (and one chunk more) are ever held in memory.
std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes, QString* error = nullptr);

}  // namespace cal
