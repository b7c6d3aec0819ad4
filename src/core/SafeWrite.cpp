#include "core/SafeWrite.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

bool openRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error) {
    const auto failure = [&](const QString& cause) {
        if (error) *error = cause;
        return false;
    };
    const bool reads = mode & QIODevice::ReadOnly, writes = mode & QIODevice::WriteOnly;
    if (!reads && !writes) return failure(QStringLiteral("no open mode"));
    // Opened without blocking, so a pipe with no writer does not hold the program; the blocking
    // mode comes back once the file is known to be a regular one.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (writes && !(mode & QIODevice::ExistingOnly)) flags |= O_CREAT;
    if (mode & QIODevice::NewOnly) flags |= O_CREAT | O_EXCL;
    if (mode & QIODevice::Truncate) flags |= O_TRUNC;
    if (mode & QIODevice::Append) flags |= O_APPEND;
    const QByteArray native = QFile::encodeName(file.fileName());
    int fd;
    do fd = ::open(native.constData(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return failure(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int cause = errno;
        ::close(fd);
        return failure(S_ISDIR(info.st_mode) ? QStringLiteral("a folder, not a file")
                       : info.st_mode != 0   ? QStringLiteral("not a regular file")
                                             : QString::fromLocal8Bit(std::strerror(cause)));
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        const QString cause = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return failure(cause);
    }
    const QIODevice::OpenMode kept = mode & ~(QIODevice::ExistingOnly | QIODevice::NewOnly | QIODevice::Truncate);
    if (!file.open(fd, kept, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(file.errorString());
    }
    return true;
}

std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes, QString* error) {
    const auto failure = [&](const QString& cause) -> std::optional<QByteArray> {
        qCWarning(lcFiles).noquote() << "reading" << path << "failed:" << cause;
        if (error) *error = cause;
        return std::nullopt;
    };
    QFile file(path);
    QString cause;
    if (!openRegularFile(file, QIODevice::ReadOnly, &cause)) return failure(cause);
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
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
