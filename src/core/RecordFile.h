#pragma once
// The handle on one record file: records of a fixed size laid end to end, no header.
// Opened and closed within one command. Every failure is reported as `false` (or -1), its
// cause kept in errorString() and logged under "calvetra.files" with the path; the screens
// turn it into the access-failure message.
//
// Several copies of the program may share one program folder. A new record is added with
// append(), which takes the next free position under the file's lock (core/FileLock.h), held
// only while it counts and writes: appends from several copies never land on the same
// position. Whatever else must not be split by another copy's change (reading a record and
// overwriting it, checking a number before adding a record, reading the file whole for a copy)
// runs inside whileLocked(), under the same lock.
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>

namespace cal {

class Record;

class RecordFile {
public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() { close(); }

    // Opens for reading and writing at record 0; creates the file only when none exists.
    bool open(const QString& path, int recordSize);
    bool isOpen() const { return file_.isOpen(); }

    // Whole records; a trailing partial record is not counted.
    qint64 count() const;
    bool seek(qint64 index);  // 0 <= index <= count()
    qint64 position() const { return position_; }
    bool atEnd() const { return position_ >= count(); }

    bool read(Record& record);         // the record at position(), then advance
    bool write(const Record& record);  // overwrite or append at position(), then advance
    // Writes the record after the last whole record of the file as it is at that moment, under
    // the file lock; returns its 1-based position (position() is then that number), or -1.
    // Inside whileLocked() it uses the lock already held.
    qint64 append(const Record& record);
    // Runs `work` holding the file's lock, the one append() takes, so that no other copy adds
    // or changes a record while it reads and writes. Returns what `work` returns; false without
    // running it when the lock cannot be had (a file system without locks runs it unlocked).
    bool whileLocked(const std::function<bool()>& work);
    // Reads up to `maxRecords` whole records from position() into `buffer`; returns how many
    // were read (0 at the end), or -1 on failure. Used by scans that walk the file in blocks.
    qint64 readBlock(char* buffer, qint64 maxRecords);

    bool close();
    int recordSize() const { return recordSize_; }
    // The cause of the last failure; empty when nothing failed since open().
    QString errorString() const { return error_; }

private:
    bool fail(const QString& cause);
    qint64 failedCount(const QString& cause) { fail(cause); return -1; }

    QFile file_;
    QString path_;
    QString error_;
    int recordSize_ = 0;
    qint64 position_ = 0;
    bool locked_ = false;  // inside whileLocked()
};

// Reads an existing record file whole while holding the lock its appends take, so that the bytes
// read are the file as it stands between two appends of any copy of the program: `begin` is told
// the size, then `chunk` gets every byte in order, in blocks. A missing file is not created.
// False, with the cause in `error` and logged, when the file cannot be opened, locked or read,
// is not a regular file, or a callback returns false.
bool readRecordFileWhole(const QString& path, const std::function<bool(qint64 size)>& begin,
                         const std::function<bool(QByteArrayView bytes)>& chunk, QString* error = nullptr);

// The access-failure text, shared by every archive screen.
QString accessFailureMessage();

}  // namespace cal
