#pragma once
// Test main for the suite: pins what a test must not depend on (Italian locale,
// offscreen platform set by CTest) and gives each test a fresh program folder.
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#define CAL_TEST_MAIN(TestClass)                                   \
    int main(int argc, char** argv) {                              \
        QCoreApplication app(argc, argv);                          \
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); \
        TestClass tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }

// The same main for a test that starts copies of itself as other processes: when the
// environment variable CALTEST_CHILD is set, `child(argc, argv)` runs instead of the tests.
#define CAL_TEST_MAIN_WITH_CHILD(TestClass, child)                 \
    int main(int argc, char** argv) {                              \
        if (qEnvironmentVariableIsSet("CALTEST_CHILD")) {          \
            QCoreApplication app(argc, argv);                      \
            return child(argc, argv);                              \
        }                                                          \
        QCoreApplication app(argc, argv);                          \
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); \
        TestClass tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }

namespace caltest {

// A fresh, empty program folder whose path ends with a separator.
struct ProgramFolder {
    QTemporaryDir dir;
    QString path(const QString& name = {}) const { return dir.path() + '/' + name; }
};

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

// Makes a file or folder unwritable for the duration of a scope. Plain permissions do not
// stop root (CI runs as root), so there the immutable attribute is used instead.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path) : path_(path) {
        if (geteuid() != 0) {
            const bool dir = QFileInfo(path).isDir();
            ok_ = QFile::setPermissions(path, dir ? (QFile::ReadOwner | QFile::ExeOwner) : QFile::ReadOwner);
        } else {
            ok_ = setImmutable(true);
        }
    }
    ~ReadOnly() {
        if (!ok_) return;
        if (geteuid() != 0)
            QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            setImmutable(false);
    }
    bool ok() const { return ok_; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    QString path_;
    bool ok_ = false;
};

}  // namespace caltest

// Skips the test where the machine cannot make a path read-only.
#define CAL_READ_ONLY(guard, path)                                            \
    caltest::ReadOnly guard(path);                                             \
    if (!guard.ok()) QSKIP("cannot make the folder read-only on this machine")
