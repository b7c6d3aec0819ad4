#pragma once
// Whole-file scans of a record file: every record visited once, the file read in large blocks
// into a buffer that each thread reuses, a large file split into parts visited at once, each on
// a thread of its own. The record file's bytes are only read.
#include "core/RecordLayout.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace cal {

// How a scan reaches the records. Reading blocks into a reused buffer costs about the same on
// every machine; a read-only mapping saves the copy but pays for the first touch of every page,
// which on some virtual machines costs several times the read. Reading is the program's way;
// the mapping is kept so that the benchmark measures both on the machine at hand.
enum class ScanAccess { Read, Map };
void setScanAccess(ScanAccess access);
ScanAccess scanAccess();

// How many parts a whole-file operation over `count` records is split into: one for small files,
// where starting threads would cost more than it saves.
int partsFor(qint64 count);
// Runs part(0) ... part(parts - 1) at once, the first on the calling thread.
void runParts(int parts, const std::function<void(int)>& part);
// The first record of `part` when `count` records are split into `parts` runs of consecutive
// records (partBegin(count, parts, parts) is `count`).
constexpr qint64 partBegin(qint64 count, int part, int parts) { return count * part / parts; }

// Visits every whole record of the file once: `prepare` is told first how many parts the records
// are split into and how many records there are; then `visit` gets each record's part, 0-based
// index and bytes (valid during the call only). The parts are runs of consecutive records visited
// at once, each on a thread of its own, each in file order: `visit` must only touch its own part's
// data. The file is opened as the record store opens it (for reading and writing, created when
// missing); anything but a regular file, a file that cannot be opened or read, or one shortened
// while it is read, ends the scan as the access failure (false, logged). Records appended
// meanwhile are not visited.
using PartVisit = std::function<void(int part, qint64 index, const char* record)>;
bool scanRecordFileInParts(const QString& path, const RecordLayout& layout,
                           const std::function<void(int parts, qint64 count)>& prepare, const PartVisit& visit);

// The same on the calling thread alone, records in file order.
bool scanRecordFile(const QString& path, const RecordLayout& layout,
                    const std::function<void(qint64 index, const char* record)>& visit);

// What `make(index, record)` gives (a std::optional) for each record, in file order, gathered in
// parts at once: `make` must only read the record. False when the file could not be read whole
// (what was read is still given).
template <typename T, typename Make>
bool gatherRecords(const QString& path, const RecordLayout& layout, const Make& make, std::vector<T>& out) {
    std::vector<std::vector<T>> found;
    const bool ok = scanRecordFileInParts(
        path, layout, [&](int parts, qint64) { found.resize(std::size_t(parts)); },
        [&](int part, qint64 index, const char* record) {
            if (std::optional<T> item = make(index, record)) found[std::size_t(part)].push_back(std::move(*item));
        });
    out.clear();
    std::size_t total = 0;
    for (const std::vector<T>& part : found) total += part.size();
    out.reserve(total);
    for (std::vector<T>& part : found) {
        for (T& item : part) out.push_back(std::move(item));
        std::vector<T>().swap(part);
    }
    return ok;
}

}  // namespace cal
