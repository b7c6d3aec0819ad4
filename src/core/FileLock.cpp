#include "core/FileLock.h"

#include "core/SafeWrite.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cal {

static_assert(sizeof(off_t) >= 8, "the locked byte lies past 4 GiB");

namespace {

QString systemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

struct flock lockedByte(short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = kLockedByte;
    range.l_len = 1;
    range.l_pid = 0;  // required by the open-file-description kind
    return range;
}

}  // namespace

FileLock::FileLock(int fd) : fd_(fd) {
    struct flock range = lockedByte(F_WRLCK);
    int rc;
    do rc = ::fcntl(fd_, F_OFD_SETLKW, &range);
    while (rc != 0 && errno == EINTR);
    locked_ = rc == 0;
    if (locked_) return;
    const int code = errno;
    unsupported_ = code == ENOLCK || code == EOPNOTSUPP;
    error_ = systemError(code);
}

FileLock::~FileLock() {
    if (!locked_) return;
    struct flock range = lockedByte(F_UNLCK);
    ::fcntl(fd_, F_OFD_SETLK, &range);
}

bool withSettingsLock(const QString& folder, const std::function<bool()>& work, QString* error) {
    const QString path = QDir(folder).filePath(kSettingsLockFile);
    const auto failure = [&](const QString& cause) {
        qCWarning(lcFiles).noquote() << "settings lock" << path << "failed:" << cause;
        if (error) *error = cause;
        return false;
    };
    // Never through a link (it could lead out of the folder), and never blocking on something
    // that is not a file (a named pipe would wait for a writer).
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return failure(systemError(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failure(QStringLiteral("not a file"));
    }
    bool ok = false;
    QString lockError;
    {
        const FileLock lock(fd);
        if (lock.unsupported())
            qCWarning(lcFiles).noquote() << "settings lock" << path << "cannot be locked:" << lock.errorString();
        if (lock.locked() || lock.unsupported())
            ok = work();
        else
            lockError = lock.errorString();
    }
    ::close(fd);
    if (!lockError.isEmpty()) return failure(QStringLiteral("lock: ") + lockError);
    return ok;
}

}  // namespace cal
