#include "core/SafeWrite.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace cal {

Q_LOGGING_CATEGORY(lcFiles, "calvetra.files")

SafeWrite::SafeWrite(const QString& path) : path_(path), file_(path) {}

SafeWrite::~SafeWrite() {
    if (!done_ && file_.isOpen()) file_.cancelWriting();
}

bool SafeWrite::fail(const QString& cause) {
    if (!failed_) {
        failed_ = true;
        error_ = cause;
        qCWarning(lcFiles).noquote() << "writing" << path_ << "failed:" << cause;
    }
    if (file_.isOpen()) file_.cancelWriting();
    done_ = true;
    return false;
}

bool SafeWrite::open() {
    if (failed_) return false;
    if (!file_.open(QIODevice::WriteOnly)) return fail(file_.errorString());
    return true;
}

bool SafeWrite::write(QByteArrayView bytes) {
    if (failed_) return false;
    if (done_ || !file_.isOpen()) return fail(QStringLiteral("file not open"));
    if (bytes.isEmpty()) return true;
    if (file_.write(bytes.data(), bytes.size()) != bytes.size() || file_.error() != QFileDevice::NoError)
        return fail(file_.errorString());
    return true;
}

bool SafeWrite::commit() {
    if (failed_) return false;
    if (done_ || !file_.isOpen()) return fail(QStringLiteral("file not open"));
    // The bytes Qt still holds in its buffer: commit() would flush them and ignore a failure.
    if (!file_.flush() || file_.error() != QFileDevice::NoError) return fail(file_.errorString());
    // Written is not yet stored: a file system may report a lack of space only on sync.
    const int fd = file_.handle();
    if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    done_ = true;
    if (!file_.commit()) {
        failed_ = true;
        error_ = file_.errorString();
        qCWarning(lcFiles).noquote() << "writing" << path_ << "failed:" << error_;
        return false;
    }
    return true;
}

void SafeWrite::cancel(const QString& cause) {
    if (done_) return;
    fail(cause.isEmpty() ? QStringLiteral("writing abandoned") : cause);
}

bool writeFileWhole(const QString& path, QByteArrayView bytes, QString* error) {
    SafeWrite file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (!ok && error) *error = file.errorString();
    return ok;
}

std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes, QString* error) {
    const auto failure = [&](const QString& cause) -> std::optional<QByteArray> {
        qCWarning(lcFiles).noquote() << "reading" << path << "failed:" << cause;
        if (error) *error = cause;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(file.errorString());
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
    // A regular file announces its size; a device or pipe is read up to the bound.
    if (file.size() > maxBytes) return failure(tooLarge);
    QByteArray bytes;
    char chunk[16384];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0) return failure(file.errorString());
        if (n == 0) return bytes;
        if (bytes.size() + n > maxBytes) return failure(tooLarge);
        bytes.append(chunk, qsizetype(n));
    }
}

}  // namespace cal
