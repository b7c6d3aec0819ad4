#include "core/Search.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/SafeWrite.h"
#include "core/Text.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>
#include <thread>
#include <atomic>
#include <bit>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <memory>
#include <string_view>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cal {
namespace {

constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return t;
}
constexpr auto kFold = makeFoldTable();

QByteArray foldBytes(QByteArrayView bytes) {
    QByteArray out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) out[i] = static_cast<char>(kFold[static_cast<unsigned char>(bytes[i])]);
    return out;
}

// Case-folded substring test without copying the haystack.
bool containsFolded(QByteArrayView hay, const QByteArray& needle) {
    const qsizetype n = needle.size();
    if (n == 0 || n > hay.size()) return false;
    const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* p = reinterpret_cast<const unsigned char*>(needle.constData());
    const unsigned char first = p[0];
    const qsizetype last = hay.size() - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (kFold[h[i]] != first) continue;
        qsizetype j = 1;
        while (j < n && kFold[h[i + j]] == p[j]) ++j;
        if (j == n) return true;
    }
    return false;
}

constexpr qint64 kBlockBytes = 512 << 10;  // read the file 512 kB at a time: the block stays in the cache

}  // namespace

RecordMatcher::RecordMatcher(const RecordLayout& layout, std::span<const SearchFilter> filters) : layout_(&layout) {
    for (const SearchFilter& f : filters) {
        if (f.field < 0 || f.field >= layout.count() || trimmed(f.text).isEmpty()) continue;
        const QByteArray bytes = toCp1252(f.text);
        // A character outside the code page cannot occur in a stored value.
        if (fromCp1252(bytes) != f.text) {
            ++unmatchable_;
            continue;
        }
        needles_.push_back({f.field, foldBytes(bytes)});
    }
}

bool RecordMatcher::matches(const char* record) const {
    if (unmatchable_ > 0) return false;
    for (const Needle& n : needles_)
        if (!containsFolded(fieldBytes(*layout_, record, n.field), n.folded)) return false;
    return true;
}

QString buildListLine(std::span<const ListColumn> columns, const QStringList& values) {
    QString line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        line += QString::fromUtf8(columns[i].before);
        const QString value = trimmed(i < std::size_t(values.size()) ? values[qsizetype(i)] : QString());
        if (i + 1 == columns.size())
            line += value;
        else
            line += value.leftJustified(columns[i].width, u' ', /*truncate=*/true);
    }
    return line;
}

// The same line as above, built straight from the record's bytes into one string of the exact
// length: the blanks trimmed are the bytes up to 0x20, which decode to the same characters.
QString buildListLine(const RecordLayout& layout, std::span<const ListColumn> columns, const char* record) {
    constexpr std::size_t kMostColumns = 16;
    if (columns.empty() || columns.size() > kMostColumns) {
        QStringList values;
        for (const ListColumn& c : columns) values << fromCp1252(fieldBytes(layout, record, c.field));
        return buildListLine(columns, values);
    }
    QByteArrayView values[kMostColumns];
    bool asciiBefore[kMostColumns];
    qsizetype length = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& c = columns[i];
        // The caption's length in UTF-16 units, counted on its UTF-8 bytes: one for each character,
        // two for those beyond the basic plane (four-byte sequences).
        bool ascii = true;
        for (const char* p = c.before; *p; ++p) {
            const auto byte = static_cast<unsigned char>(*p);
            ascii = ascii && byte < 0x80;
            length += (byte & 0xC0) != 0x80;
            length += byte >= 0xF0;
        }
        asciiBefore[i] = ascii;
        QByteArrayView value = fieldBytes(layout, record, c.field);
        while (!value.isEmpty() && static_cast<unsigned char>(value.front()) <= 0x20) value = value.sliced(1);
        while (!value.isEmpty() && static_cast<unsigned char>(value.back()) <= 0x20) value.chop(1);
        if (i + 1 < columns.size() && value.size() > c.width) value.truncate(c.width);
        values[i] = value;
        length += i + 1 < columns.size() ? c.width : value.size();
    }
    QString line;
    line.reserve(length);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& c = columns[i];
        if (asciiBefore[i])
            line += QLatin1StringView(c.before);
        else
            line += QString::fromUtf8(c.before);
        appendCp1252(line, values[i]);
        if (i + 1 < columns.size()) line.resize(line.size() + c.width - values[i].size(), u' ');
    }
    return line;
}

namespace {

// How many parts a whole-file operation over `count` records is split into, one thread each:
// one for small files, where starting threads would cost more than it saves.
int partsFor(qint64 count) {
    constexpr qint64 kPerPart = 20000;
    const int cores = int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    return int(std::clamp<qint64>(count / kPerPart, 1, cores));
}

// Runs part(0) ... part(parts - 1) at once, the first on the calling thread.
void runParts(int parts, const std::function<void(int)>& part) {
    std::vector<std::thread> others;
    for (int p = 1; p < parts; ++p) others.emplace_back(part, p);
    part(0);
    for (std::thread& t : others) t.join();
}

// The scan of a file that exists and can be read, through a read-only mapping of its whole
// records: a search touches only the bytes of the fields it matches, instead of copying every
// record. The records are split into `parts` runs of consecutive records, visited at once, each
// on a thread of its own (`visit` gets the part's number and must only touch that part's data).
// Records are visited in blocks; before each block the file's size is checked, so a file
// shortened meanwhile by another program ends the scan as an access failure instead of a read
// past its end. nullopt when the file cannot be mapped (the caller then reads it).
std::optional<bool> scanMapped(const QString& path, const RecordLayout& layout, int parts,
                               const std::function<void(int, qint64, const char*)>& visit) {
    // Opened as the record file opens it, for reading and writing, so a file the program may not
    // write is the same access failure here as on the archive screen.
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadWrite | QIODevice::ExistingOnly)) return std::nullopt;
    const qint64 size = layout.size();
    const qint64 count = file.size() / size;
    if (count == 0) return true;
    const char* base = reinterpret_cast<const char*>(file.map(0, count * size));
    if (!base) return std::nullopt;
    madvise(const_cast<char*>(base), std::size_t(count * size), MADV_SEQUENTIAL);
    std::atomic<bool> ok = true;
    const int handle = file.handle();
    runParts(parts, [&](int part) {
        constexpr qint64 kPerBlock = 1024;
        static const qint64 page = sysconf(_SC_PAGESIZE);
        const qint64 begin = count * part / parts, stop = count * (part + 1) / parts;
        for (qint64 first = begin; first < stop && ok; first += kPerBlock) {
            const qint64 end = std::min(stop, first + kPerBlock);
            struct stat now{};
            if (fstat(handle, &now) != 0 || now.st_size < end * size) {
                ok = false;
                break;
            }
            for (qint64 i = first; i < end; ++i) visit(part, i, base + i * size);
            // The pages of a visited block leave the process (they stay in the system's cache),
            // so a scan of a large file holds a block of it, not the whole file.
            const qint64 from = first * size / page * page, to = end * size / page * page;
            if (to > from) madvise(const_cast<char*>(base) + from, std::size_t(to - from), MADV_DONTNEED);
        }
    });
    if (!ok) qCWarning(lcFiles).noquote() << "record file" << path << "failed: shortened while read";
    file.unmap(reinterpret_cast<uchar*>(const_cast<char*>(base)));
    return bool(ok);
}

// The file read in blocks when it cannot be mapped, on the calling thread.
bool scanRead(const QString& path, const RecordLayout& layout, const std::function<void(qint64, const char*)>& visit) {
    RecordFile file;
    if (!file.open(path, layout.size())) return false;
    const qint64 perBlock = std::max<qint64>(1, kBlockBytes / layout.size());
    QByteArray block(perBlock * layout.size(), Qt::Uninitialized);
    qint64 index = 0;
    for (;;) {
        const qint64 got = file.readBlock(block.data(), perBlock);
        if (got < 0) return false;
        if (got == 0) break;
        for (qint64 i = 0; i < got; ++i) visit(index++, block.constData() + i * layout.size());
    }
    return file.close();
}

qint64 recordsIn(const QString& path, const RecordLayout& layout) { return QFileInfo(path).size() / layout.size(); }

// One `T` made by `make` for every record `keep` accepts, in file order; false in `ok` when the
// file could not be read whole. Each part of the scan gathers its own; the first part's array has
// room for all of them, so the others are added to it without a second copy of the whole list.
template <typename T, typename Make>
std::vector<T> gather(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                      const Make& make, bool& ok) {
    const qint64 count = recordsIn(path, layout);
    const int parts = partsFor(count);
    std::vector<std::vector<T>> found(static_cast<std::size_t>(parts));
    for (int part = 0; part < parts; ++part)
        found[std::size_t(part)].reserve(std::size_t(part == 0 ? count : count * (part + 1) / parts - count * part / parts));
    auto visit = [&](int part, qint64 index, const char* record) {
        if (keep(record)) found[std::size_t(part)].push_back(make(index, record));
    };
    std::optional<bool> read = scanMapped(path, layout, parts, visit);
    if (!read) read = scanRead(path, layout, [&](qint64 index, const char* record) { visit(0, index, record); });
    ok = *read;
    std::vector<T>& all = found.front();
    for (std::size_t part = 1; part < found.size(); ++part) {
        all.insert(all.end(), std::make_move_iterator(found[part].begin()), std::make_move_iterator(found[part].end()));
        std::vector<T>().swap(found[part]);
    }
    return std::move(all);
}

}  // namespace

bool scanRecordFile(const QString& path, const RecordLayout& layout,
                    const std::function<void(qint64, const char*)>& visit) {
    if (const auto mapped = scanMapped(path, layout, 1, [&](int, qint64 i, const char* r) { visit(i, r); }))
        return *mapped;
    return scanRead(path, layout, visit);
}

bool visitRecords(const QString& path, const RecordLayout& layout, std::span<const qint64> records,
                  const std::function<void(qint64, const char*)>& visit) {
    RecordReader reader(path, layout);
    for (const qint64 index : records) {
        const char* record = reader.read(index);
        if (!record) return false;
        visit(index, record);
    }
    return true;
}

bool collectListEntries(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                        const LineBuilder& line, std::vector<ListEntry>& entries) {
    bool ok = false;
    auto found = gather<ListEntry>(
        path, layout, keep, [&](qint64 index, const char* record) { return ListEntry{line(record), index}; }, ok);
    if (entries.empty())
        entries = std::move(found);
    else
        entries.insert(entries.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    return ok;
}
std::optional<std::vector<ListEntry>> searchRecords(const QString& path, const RecordLayout& layout,
                                                    const RecordMatcher& matcher, const LineBuilder& line,
                                                    bool sorted, const std::function<bool(const char*)>& considered) {
    std::vector<ListEntry> entries;
    const bool ok = collectListEntries(
        path, layout, [&](const char* record) { return (!considered || considered(record)) && matcher.matches(record); },
        line, entries);
    if (!ok) return std::nullopt;
    if (sorted) sortListEntries(entries);
    return entries;
}

namespace {

QCollator listCollator() {
    QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The characters whose place in the collation is one primary weight of their own (ASCII from the
// blank to the tilde, and the punctuation and symbols of the code page that are neither letters
// nor made of other characters) or that of their base letter (the accented letters that decompose
// to an ASCII letter and a mark), each with its primary rank, taken from the collator itself; 0
// for every other character (controls, ligatures, fractions, letters of their own), left to the
// collator.
constexpr char16_t kRanked = 0x2100;
using PrimaryRanks = std::array<quint8, kRanked>;

constexpr char16_t kRankedSymbols[] = {
    0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A9, 0x00AB, 0x00AC, 0x00AE, 0x00B0, 0x00B1,
    0x00B6, 0x00B7, 0x00BB, 0x00BF, 0x00D7, 0x00F7, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D,
    0x201E, 0x2020, 0x2021, 0x2022, 0x2030, 0x2039, 0x203A, 0x20AC};

const PrimaryRanks& primaryRanks() {
    static const PrimaryRanks table = [] {
        PrimaryRanks rank{};
        const QCollator collator = listCollator();
        std::vector<char16_t> ranked(std::begin(kRankedSymbols), std::end(kRankedSymbols));
        for (char16_t c = 0x20; c < 0x7F; ++c) ranked.push_back(c);
        auto cmp = [&](char16_t a, char16_t b) { return collator.compare(QStringView(&a, 1), QStringView(&b, 1)); };
        std::stable_sort(ranked.begin(), ranked.end(), [&](char16_t a, char16_t b) { return cmp(a, b) < 0; });
        quint8 r = 0;
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            if (i == 0 || cmp(ranked[i - 1], ranked[i]) != 0) ++r;
            rank[ranked[i]] = r;
        }
        for (char16_t c = 0xC0; c < 0x180; ++c) {
            const QChar ch(c);
            const QString d = ch.decomposition();
            if (ch.decompositionTag() == QChar::Canonical && d.size() == 2 && d[0].unicode() < 0x7F &&
                d[0].isLetter() && d[1].isMark())
                rank[c] = rank[d[0].unicode()];
        }
        return rank;
    }();
    return table;
}

// The sort key of a line: the primary ranks of a stretch of its characters, one byte each,
// compared as bytes. Nearly every comparison of two lines is decided in their first stretch;
// lines that agree on it are sorted on their next stretch, and the collator itself decides only
// what the ranks cannot (lines equal on their primary weights, characters outside the table).
constexpr int kKeyWords = 12;
constexpr quint32 kKeyRanks = kKeyWords * 8;

struct LineKey {
    std::array<quint64, kKeyWords> ranks;  // big-endian; 0 at and past the line's end and from `known` on
    qint64 id;                             // the record (or entry) of the line: equal lines keep this order
    quint32 known;  // kKeyRanks, or the place of the stretch's first character outside the table
};

using LineOf = std::function<QString(qint64 id)>;

LineKey lineKey(QStringView line, qint64 id, qsizetype from) {
    const PrimaryRanks& rank = primaryRanks();
    LineKey key{{}, id, kKeyRanks};
    std::array<quint8, kKeyRanks> bytes{};
    const qsizetype end = std::min(line.size(), from + qsizetype(kKeyRanks));
    for (qsizetype k = from; k < end; ++k) {
        const char16_t c = line[k].unicode();
        const quint8 r = c < kRanked ? rank[c] : 0;
        if (!r) {
            key.known = quint32(k - from);
            break;
        }
        bytes[std::size_t(k - from)] = r;
    }
    for (int w = 0; w < kKeyWords; ++w)
        for (int b = 0; b < 8; ++b) key.ranks[std::size_t(w)] = key.ranks[std::size_t(w)] << 8 | bytes[std::size_t(w * 8 + b)];
    return key;
}

quint32 firstDifference(const LineKey& a, const LineKey& b) {
    for (int w = 0; w < kKeyWords; ++w)
        if (const quint64 d = a.ranks[std::size_t(w)] ^ b.ranks[std::size_t(w)])
            return quint32(w * 8 + std::countl_zero(d) / 8);
    return kKeyRanks;
}

bool byRanks(const LineKey& a, const LineKey& b) { return a.ranks < b.ranks; }

// The order of a few lines by the collator, equal lines in their given order: a sort on the
// lines' whole primary ranks with the first eight beside each line, the collator for ties.
std::vector<quint32> collatedOrder(const std::vector<QString>& lines) {
    const PrimaryRanks& rank = primaryRanks();
    struct Item {
        quint32 offset;    // of the line's ranks in `keys`
        quint32 length;
        quint32 unranked;  // the first character outside the table, or `length`
        quint32 index;     // in `lines`
        quint64 prefix;    // the first eight ranks, big-endian, zero past `ranked()`
        quint32 ranked() const { return std::min(length, unranked); }
    };
    std::vector<Item> items(lines.size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto length = quint32(lines[i].size());
        items[i] = Item{quint32(total), length, length, quint32(i), 0};
        total += length;
    }
    std::string keys(total, '\0');
    for (Item& item : items) {
        const char16_t* text = reinterpret_cast<const char16_t*>(lines[item.index].constData());
        char* key = keys.data() + item.offset;
        for (quint32 k = 0; k < item.length; ++k) {
            const char16_t c = text[k];
            const quint8 r = c < kRanked ? rank[c] : 0;
            if (!r && item.unranked == item.length) item.unranked = k;
            key[k] = char(r);
        }
        for (quint32 k = 0; k < 8; ++k) item.prefix = item.prefix << 8 | (k < item.ranked() ? quint8(key[k]) : 0);
    }
    const QCollator collator = listCollator();
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        // A difference in the first eight ranks, before either line's ranks end, decides as the
        // whole ranks would.
        if (const quint64 diff = a.prefix ^ b.prefix) {
            const quint32 first = quint32(std::countl_zero(diff)) / 8;
            if (first < std::min(a.ranked(), b.ranked())) return a.prefix < b.prefix;
        }
        const quint32 shorter = std::min(a.length, b.length);
        const quint32 ranked = std::min({shorter, a.unranked, b.unranked});
        const int c = std::memcmp(keys.data() + a.offset, keys.data() + b.offset, ranked);
        if (c != 0) return c < 0;
        if (ranked == shorter && a.length != b.length) {
            // One is the other's beginning, primary-wise: the longer follows when its rest is ranked.
            const Item& longer = a.length > b.length ? a : b;
            if (longer.unranked == longer.length) return a.length < b.length;
        }
        const QString& x = lines[a.index];
        const QString& y = lines[b.index];
        return x != y && collator.compare(x, y) < 0;  // equal lines are frequent, and keep their order
    });
    std::vector<quint32> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) order[i] = items[i].index;
    return order;
}

// Lines that the keys cannot order: made again and put in the collator's order, equal lines
// in the order of their ids.
void collate(std::span<LineKey> run, const LineOf& lineOf) {
    std::sort(run.begin(), run.end(), [](const LineKey& a, const LineKey& b) { return a.id < b.id; });
    std::vector<QString> lines;
    lines.reserve(run.size());
    for (const LineKey& k : run) lines.push_back(lineOf(k.id));
    if (std::all_of(lines.begin(), lines.end(), [&](const QString& l) { return l == lines.front(); })) return;
    const std::vector<quint32> order = collatedOrder(lines);
    const std::vector<LineKey> was(run.begin(), run.end());
    for (std::size_t i = 0; i < order.size(); ++i) run[i] = was[order[i]];
}

void sortKeys(std::span<LineKey> keys, qsizetype from, const LineOf& lineOf);

// Keys sorted by their ranks fall into runs that the ranks leave undecided: lines whose keys are
// equal, and after a line with a character outside the table, every line that shares the ranks
// before it (the collator alone places that line among them). Every other pair of neighbours
// differs at a known rank, and that difference orders the runs as the collator would. Each run is
// then ordered on its lines' next stretch when they all go on beyond this one, else by the collator.
void orderRuns(std::span<LineKey> keys, qsizetype from, const LineOf& lineOf) {
    auto refine = [&](std::span<LineKey> run) {
        if (run.size() < 2) return;
        const bool goOn = std::all_of(run.begin(), run.end(), [](const LineKey& k) {
            return k.known == kKeyRanks && (k.ranks.back() & 0xFF) != 0;
        });
        if (!goOn) return collate(run, lineOf);
        const qsizetype next = from + qsizetype(kKeyRanks);
        for (LineKey& k : run) k = lineKey(lineOf(k.id), k.id, next);
        sortKeys(run, next, lineOf);
    };
    std::size_t start = 0;
    std::optional<std::size_t> open;  // the run's line with a character outside the table
    for (std::size_t i = 1; i <= keys.size(); ++i) {
        if (!open && keys[i - 1].known < kKeyRanks) open = i - 1;
        bool joins = false;
        if (i < keys.size()) {
            if (open && firstDifference(keys[*open], keys[i]) < keys[*open].known) open.reset();
            joins = open || keys[i].ranks == keys[i - 1].ranks;
        }
        if (!joins) {
            refine(keys.subspan(start, i - start));
            start = i;
            open.reset();
        }
    }
}

void sortKeys(std::span<LineKey> keys, qsizetype from, const LineOf& lineOf) {
    std::sort(keys.begin(), keys.end(), byRanks);
    orderRuns(keys, from, lineOf);
}

// The first pass over a whole list: large lists are sorted in parts at once, then merged.
void sortAllKeys(std::vector<LineKey>& keys, const LineOf& lineOf) {
    const int parts = partsFor(qint64(keys.size()));
    auto bound = [&](int part) { return keys.begin() + qsizetype(keys.size() * std::size_t(part) / std::size_t(parts)); };
    runParts(parts, [&](int part) { std::sort(bound(part), bound(part + 1), byRanks); });
    for (int part = 1; part < parts; ++part) std::inplace_merge(keys.begin(), bound(part), bound(part + 1), byRanks);
    orderRuns(keys, 0, lineOf);
}

}  // namespace

void sortListEntries(std::vector<ListEntry>& entries) {
    std::vector<LineKey> keys(entries.size());
    const int parts = partsFor(qint64(entries.size()));
    runParts(parts, [&](int part) {
        const std::size_t end = entries.size() * std::size_t(part + 1) / std::size_t(parts);
        for (std::size_t i = entries.size() * std::size_t(part) / std::size_t(parts); i < end; ++i)
            keys[i] = lineKey(entries[i].line, qint64(i), 0);
    });
    sortAllKeys(keys, [&](qint64 id) { return entries[std::size_t(id)].line; });
    std::vector<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const LineKey& k : keys) sorted.push_back(std::move(entries[std::size_t(k.id)]));
    entries = std::move(sorted);
}

RecordReader::RecordReader(const QString& path, const RecordLayout& layout)
    : file_(path), buffer_(layout.size(), Qt::Uninitialized) {
    openRegularFile(file_, QIODevice::ReadOnly | QIODevice::Unbuffered);  // every read sees the file as it is now
}

const char* RecordReader::read(qint64 index) {
    const qint64 size = buffer_.size();
    if (!file_.isOpen() || index < 0 || !file_.seek(index * size)) return nullptr;
    return file_.read(buffer_.data(), size) == size ? buffer_.constData() : nullptr;
}

ResultList::ResultList(const QString& path, const RecordLayout& layout, LineBuilder line, std::vector<qint64> records)
    : line_(std::move(line)), records_(std::move(records)), reader_(std::make_unique<RecordReader>(path, layout)) {}

QString ResultList::line(qsizetype row) const {
    if (row < 0 || row >= size()) return {};
    const char* record = reader_->read(records_[std::size_t(row)]);
    return record ? line_(record) : QString();
}

QStringList ResultList::lines() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype row = 0; row < size(); ++row) out << line(row);
    return out;
}


Listing listRecords(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                    const LineBuilder& line, bool sorted) {
    bool ok = false;
    if (!sorted) {
        auto records = gather<qint64>(path, layout, keep, [](qint64 index, const char*) { return index; }, ok);
        return {ResultList(path, layout, line, std::move(records)), ok};
    }
    auto keys = gather<LineKey>(
        path, layout, keep, [&](qint64 index, const char* record) { return lineKey(line(record), index, 0); }, ok);
    RecordReader reader(path, layout);
    sortAllKeys(keys, [&](qint64 id) {
        const char* record = reader.read(id);
        return record ? line(record) : QString();
    });
    std::vector<qint64> records;
    records.reserve(keys.size());
    for (const LineKey& k : keys) records.push_back(k.id);
    std::vector<LineKey>().swap(keys);
    return {ResultList(path, layout, line, std::move(records)), ok};
}

ListFinder::Result ListFinder::find(const QStringList& lines, int selected, const QString& typed) {
    return find(lines.size(), [&](qsizetype row) { return lines[row]; }, selected, typed);
}

ListFinder::Result ListFinder::find(qsizetype lines, const std::function<QString(qsizetype)>& lineAt, int selected,
                                    const QString& typed) {
    if (lines <= 0) return {Outcome::EmptyList, -1};
    const int count = int(std::min<qsizetype>(lines, std::numeric_limits<int>::max()));
    if (selected < 0 || selected >= count) selected = 0;
    const QString t = lowerAscii(typed);
    auto hit = [&](int row) { return !t.isEmpty() && lowerAscii(lineAt(row)).contains(t); };

    const bool again = last_ && *last_ == t;
    last_ = t;
    int start = selected;
    if (!again) {
        if (hit(0)) return {Outcome::Found, 0};
        start = 0;
    }
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (hit(row)) return {Outcome::Found, row};
    }
    return {Outcome::NotFound, selected};
}

}  // namespace cal
