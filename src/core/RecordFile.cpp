#include "core/RecordFile.h"

#include "core/FileLock.h"
#include "core/Record.h"
#include "core/SafeWrite.h"


namespace cal {

QString accessFailureMessage() {
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

bool RecordFile::fail(const QString& cause) {
    error_ = cause;
    qCWarning(lcFiles).noquote() << "record file" << path_ << "failed:" << cause;
    return false;
}

bool RecordFile::open(const QString& path, int recordSize) {
    close();
    error_.clear();
    path_ = path;
    file_.setFileName(path);
    if (recordSize <= 0) return fail(QStringLiteral("invalid record size %1").arg(recordSize));
    // ReadWrite without Truncate: an existing file is opened as it is, a missing one created;
    // anything but a regular file in its place (a folder, a pipe, a device) is refused.
    QString cause;
    if (!openRegularFile(file_, QIODevice::ReadWrite | QIODevice::Unbuffered, &cause)) return fail(cause);
    recordSize_ = recordSize;
    position_ = 0;
    return true;
}

qint64 RecordFile::count() const {
    if (!file_.isOpen()) return 0;
    return file_.size() / recordSize_;
}

bool RecordFile::seek(qint64 index) {
    if (!file_.isOpen()) return fail(QStringLiteral("file not open"));
    if (index < 0 || index > count()) return fail(QStringLiteral("position %1 out of range").arg(index + 1));
    position_ = index;
    return true;
}

bool RecordFile::read(Record& record) {
    if (!file_.isOpen()) return fail(QStringLiteral("file not open"));
    if (record.bytes().size() != recordSize_) return fail(QStringLiteral("record of another size"));
    if (atEnd()) return fail(QStringLiteral("reading past the last record"));
    if (!file_.seek(position_ * recordSize_)) return fail(file_.errorString());
    if (file_.read(record.bytes().data(), recordSize_) != recordSize_) return fail(file_.errorString());
    ++position_;
    return true;
}

qint64 RecordFile::readBlock(char* buffer, qint64 maxRecords) {
    if (!file_.isOpen()) return failedCount(QStringLiteral("file not open"));
    const qint64 wanted = std::min(maxRecords, count() - position_);
    if (wanted <= 0) return 0;
    if (!file_.seek(position_ * recordSize_)) return failedCount(file_.errorString());
    const qint64 bytes = wanted * recordSize_;
    if (file_.read(buffer, bytes) != bytes) return failedCount(file_.errorString());
    position_ += wanted;
    return wanted;
}

bool RecordFile::write(const Record& record) {
    if (!file_.isOpen()) return fail(QStringLiteral("file not open"));
    if (record.bytes().size() != recordSize_) return fail(QStringLiteral("record of another size"));
    if (position_ > count()) return fail(QStringLiteral("position %1 out of range").arg(position_ + 1));
    if (!file_.seek(position_ * recordSize_)) return fail(file_.errorString());
    if (file_.write(record.bytes().constData(), recordSize_) != recordSize_) return fail(file_.errorString());
    if (!file_.flush()) return fail(file_.errorString());
    ++position_;
    return true;
}

bool RecordFile::whileLocked(const std::function<bool()>& work) {
    if (!file_.isOpen()) return fail(QStringLiteral("file not open"));
    if (locked_) return work();  // already held by the caller
    const FileLock lock(file_.handle());
    if (lock.unsupported())
        qCWarning(lcFiles).noquote() << "record file" << path_ << "cannot be locked:" << lock.errorString();
    else if (!lock.locked())
        return fail(QStringLiteral("lock: ") + lock.errorString());
    locked_ = true;
    const bool ok = work();
    locked_ = false;
    return ok;
}

qint64 RecordFile::append(const Record& record) {
    if (!file_.isOpen()) return failedCount(QStringLiteral("file not open"));
    if (record.bytes().size() != recordSize_) return failedCount(QStringLiteral("record of another size"));
    qint64 appended = -1;
    const bool ok = whileLocked([&] {
        // The size as it is now, under the lock: another copy's append is either wholly before
        // or wholly after this one.
        const qint64 index = count();
        if (!file_.seek(index * recordSize_)) return fail(file_.errorString());
        if (file_.write(record.bytes().constData(), recordSize_) != recordSize_) return fail(file_.errorString());
        if (!file_.flush()) return fail(file_.errorString());
        appended = index + 1;
        return true;
    });
    if (!ok) return -1;
    position_ = appended;
    return position_;
}

bool readRecordFileWhole(const QString& path, const std::function<bool(qint64 size)>& begin,
                         const std::function<bool(QByteArrayView bytes)>& chunk, QString* error) {
    const auto failure = [&](const QString& cause) {
        qCWarning(lcFiles).noquote() << "record file" << path << "failed:" << cause;
        if (error) *error = cause;
        return false;
    };
    QFile file(path);
    QString cause;
    // The same access as an append, so that the lock is the one appends take; a file the user
    // may only read is read all the same. Anything but a regular file is refused.
    if (!openRegularFile(file, QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered, &cause) &&
        !openRegularFile(file, QIODevice::ReadOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered, &cause))
        return failure(cause);
    const FileLock lock(file.handle());
    if (lock.unsupported())
        qCWarning(lcFiles).noquote() << "record file" << path << "cannot be locked:" << lock.errorString();
    else if (!lock.locked())
        return failure(QStringLiteral("lock: ") + lock.errorString());
    const qint64 size = file.size();
    if (!begin(size)) return failure(QStringLiteral("reading abandoned"));
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 done = 0; done < size;) {
        const qint64 n = file.read(block.data(), std::min<qint64>(block.size(), size - done));
        if (n < 0) return failure(file.errorString());
        if (n == 0) return failure(QStringLiteral("the file became shorter while it was read"));
        if (!chunk(QByteArrayView(block.constData(), n))) return failure(QStringLiteral("reading abandoned"));
        done += n;
    }
    return true;
}

bool RecordFile::close() {
    if (!file_.isOpen()) return true;
    const bool ok = file_.error() == QFileDevice::NoError;
    if (!ok) fail(file_.errorString());
    file_.close();
    const bool closed = file_.error() == QFileDevice::NoError;
    if (!closed) fail(file_.errorString());
    file_.unsetError();
    return ok && closed;
}

}  // namespace cal
