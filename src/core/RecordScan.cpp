#include "core/RecordScan.h"

#include "core/SafeWrite.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cal {
namespace {

std::atomic<ScanAccess> gAccess{ScanAccess::Read};

// The block each thread reads at a time: large enough that the system calls cost nothing beside
// the copy, small enough to stay in the processor's cache while its records are visited.
constexpr qint64 kBlockBytes = 256 << 10;

bool failed(const QString& path, const QString& cause) {
    qCWarning(lcFiles).noquote() << "record file" << path << "failed:" << cause;
    return false;
}

// Reads `bytes` bytes at `offset` whole; false at the end of the file or on an error.
bool readAt(int fd, char* buffer, qint64 bytes, qint64 offset) {
    while (bytes > 0) {
        const ssize_t got = ::pread(fd, buffer, std::size_t(bytes), off_t(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buffer += got;
        bytes -= got;
        offset += got;
    }
    return true;
}

// The records of the parts read in blocks, each part into a buffer of its own thread.
bool scanRead(int fd, qint64 size, qint64 count, int parts, const PartVisit& visit) {
    const qint64 perBlock = std::max<qint64>(1, kBlockBytes / size);
    std::atomic<bool> ok = true;
    runParts(parts, [&](int part) {
        const std::unique_ptr<char[]> block(new char[std::size_t(perBlock * size)]);
        const qint64 begin = partBegin(count, part, parts), stop = partBegin(count, part + 1, parts);
        for (qint64 first = begin; first < stop && ok; first += perBlock) {
            const qint64 records = std::min(perBlock, stop - first);
            if (!readAt(fd, block.get(), records * size, first * size)) {
                ok = false;
                break;
            }
            for (qint64 i = 0; i < records; ++i) visit(part, first + i, block.get() + i * size);
        }
    });
    return ok;
}

// The records of the parts through a read-only mapping of the file, visited in blocks. Before
// each block the file's size is checked, so a file shortened meanwhile ends the scan instead of
// a read past its end; the pages of a visited block leave the process (they stay in the system's
// cache), so a scan holds a block of the file, not the whole file. nullopt when the file cannot
// be mapped (the caller then reads it).
std::optional<bool> scanMapped(int fd, qint64 size, qint64 count, int parts, const PartVisit& visit) {
    const std::size_t length = std::size_t(count * size);
    void* mapped = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) return std::nullopt;
    const char* base = static_cast<const char*>(mapped);
    ::madvise(mapped, length, MADV_SEQUENTIAL);
    static const qint64 page = ::sysconf(_SC_PAGESIZE);
    std::atomic<bool> ok = true;
    runParts(parts, [&](int part) {
        constexpr qint64 kPerBlock = 1024;
        const qint64 begin = partBegin(count, part, parts), stop = partBegin(count, part + 1, parts);
        for (qint64 first = begin; first < stop && ok; first += kPerBlock) {
            const qint64 end = std::min(stop, first + kPerBlock);
            struct stat now {};
            if (::fstat(fd, &now) != 0 || now.st_size < end * size) {
                ok = false;
                break;
            }
            for (qint64 i = first; i < end; ++i) visit(part, i, base + i * size);
            const qint64 from = first * size / page * page, to = end * size / page * page;
            if (to > from) ::madvise(const_cast<char*>(base) + from, std::size_t(to - from), MADV_DONTNEED);
        }
    });
    ::munmap(mapped, length);
    return bool(ok);
}

// The scan of both entry points: in parts, or as one part on the calling thread.
bool scanFile(const QString& path, const RecordLayout& layout, bool inParts,
              const std::function<void(int, qint64)>& prepare, const PartVisit& visit) {
    // Opened as the record store opens a record file, for reading and writing (created when
    // missing), so a file the program may not write is the same access failure here as on the
    // archive screen; anything but a regular file in its place is refused, never waited on.
    QFile file(path);
    QString cause;
    if (!openRegularFile(file, QIODevice::ReadWrite | QIODevice::Unbuffered, &cause)) return failed(path, cause);
    const int fd = file.handle();
    struct stat info {};
    if (::fstat(fd, &info) != 0) return failed(path, QString::fromLocal8Bit(std::strerror(errno)));
    const qint64 size = layout.size();
    const qint64 count = qint64(info.st_size) / size;
    const int parts = inParts ? partsFor(count) : 1;
    prepare(parts, count);
    if (count == 0) return true;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::optional<bool> ok;
    if (scanAccess() == ScanAccess::Map) ok = scanMapped(fd, size, count, parts, visit);
    if (!ok) ok = scanRead(fd, size, count, parts, visit);
    if (!*ok) return failed(path, QStringLiteral("shortened or unreadable while read"));
    return true;
}

}  // namespace

void setScanAccess(ScanAccess access) { gAccess = access; }
ScanAccess scanAccess() { return gAccess; }

int partsFor(qint64 count) {
    constexpr qint64 kPerPart = 20000;
    const int cores = int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    return int(std::clamp<qint64>(count / kPerPart, 1, cores));
}

void runParts(int parts, const std::function<void(int)>& part) {
    std::vector<std::thread> others;
    for (int p = 1; p < parts; ++p) others.emplace_back(part, p);
    part(0);
    for (std::thread& t : others) t.join();
}

bool scanRecordFileInParts(const QString& path, const RecordLayout& layout,
                           const std::function<void(int, qint64)>& prepare, const PartVisit& visit) {
    return scanFile(path, layout, true, prepare, visit);
}

bool scanRecordFile(const QString& path, const RecordLayout& layout,
                    const std::function<void(qint64, const char*)>& visit) {
    return scanFile(path, layout, false, [](int, qint64) {},
                    [&](int, qint64 index, const char* record) { visit(index, record); });
}

}  // namespace cal
