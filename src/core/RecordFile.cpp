#include "core/RecordFile.h"

#include "core/Record.h"

#include <QFileInfo>

namespace cal {

QString accessFailureMessage() {
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

bool RecordFile::open(const QString& path, int recordSize) {
    close();
    if (recordSize <= 0) return false;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    file_.setFileName(path);
    // ReadWrite without Truncate: an existing file is opened as it is, a missing one created.
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) return false;
    recordSize_ = recordSize;
    position_ = 0;
    return true;
}

qint64 RecordFile::count() const {
    if (!file_.isOpen()) return 0;
    return file_.size() / recordSize_;
}

bool RecordFile::seek(qint64 index) {
    if (!file_.isOpen() || index < 0 || index > count()) return false;
    position_ = index;
    return true;
}

bool RecordFile::read(Record& record) {
    if (!file_.isOpen() || record.bytes().size() != recordSize_ || atEnd()) return false;
    if (!file_.seek(position_ * recordSize_)) return false;
    if (file_.read(record.bytes().data(), recordSize_) != recordSize_) return false;
    ++position_;
    return true;
}

qint64 RecordFile::readBlock(char* buffer, qint64 maxRecords) {
    if (!file_.isOpen()) return -1;
    const qint64 wanted = std::min(maxRecords, count() - position_);
    if (wanted <= 0) return 0;
    if (!file_.seek(position_ * recordSize_)) return -1;
    const qint64 bytes = wanted * recordSize_;
    if (file_.read(buffer, bytes) != bytes) return -1;
    position_ += wanted;
    return wanted;
}

bool RecordFile::write(const Record& record) {
    if (!file_.isOpen() || record.bytes().size() != recordSize_ || position_ > count()) return false;
    if (!file_.seek(position_ * recordSize_)) return false;
    if (file_.write(record.bytes().constData(), recordSize_) != recordSize_) return false;
    if (!file_.flush()) return false;
    ++position_;
    return true;
}

bool RecordFile::close() {
    if (!file_.isOpen()) return true;
    const bool ok = file_.error() == QFileDevice::NoError;
    file_.close();
    const bool closed = file_.error() == QFileDevice::NoError;
    file_.unsetError();
    return ok && closed;
}

}  // namespace cal
