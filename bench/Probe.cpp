// The page-touch probe, printed beside every table so that the kind of machine shows: one byte
// of every page of a read-only mapping of the file touched, against the file read once into one
// reused 4 MB buffer, alternating, in this process. Where the touch costs several times the read
// (the first touch of a mapped page is dear on some virtual machines), a scan through a mapping
// cannot come near reading the file once; where it costs less, the mapping is the cheaper way.
//
//   calvetra_bench probe <file> [--repeat R]
#include "Measure.h"
#include "Probe.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Touches one byte of every page of the mapped file; -1 when it cannot be mapped.
double touchMapped(int fd, qint64 size) {
    QElapsedTimer clock;
    clock.start();
    void* mapped = ::mmap(nullptr, std::size_t(size), PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) return -1;
    const auto* bytes = static_cast<const volatile unsigned char*>(mapped);
    const long page = ::sysconf(_SC_PAGESIZE);
    unsigned sum = 0;
    for (qint64 at = 0; at < size; at += page) sum += bytes[at];
    ::munmap(mapped, std::size_t(size));
    return sum == 0xFFFFFFFFu ? -2 : double(clock.nsecsElapsed()) / 1e6;  // the bytes touched are used
}

}  // namespace

int runProbe(const QString& path, int times) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || info.st_size == 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        if (fd >= 0) ::close(fd);
        return 1;
    }
    ::close(fd);
    std::vector<double> touch, read;
    for (int i = 0; i < times; ++i) {
        const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        touch.push_back(touchMapped(handle, info.st_size));
        ::close(handle);
        QElapsedTimer clock;
        clock.start();
        readFileOnce(path);
        read.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    const double ratio = median(touch) / median(read);
    std::printf("page-touch probe, %.0f MB: touch every mapped page %.1f ms, read into a reused 4 MB buffer %.1f ms "
                "(%.2f: %s)\n",
                double(info.st_size) / 1048576.0, median(touch), median(read), ratio,
                ratio > 1.5 ? "mapping is costly on this machine" : "mapping is cheap on this machine");
    return 0;
}
