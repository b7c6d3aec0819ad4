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
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return std::nullopt;
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

}  // namespace

bool scanRecordFile(const QString& path, const RecordLayout& layout,
                    const std::function<void(qint64, const char*)>& visit) {
    if (const auto mapped = scanMapped(path, layout, 1, [&](int, qint64 i, const char* r) { visit(i, r); }))
        return *mapped;
    return scanRead(path, layout, visit);
}

bool collectListEntries(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                        const LineBuilder& line, std::vector<ListEntry>& entries) {
    const int parts = partsFor(recordsIn(path, layout));
    std::vector<std::vector<ListEntry>> found(static_cast<std::size_t>(parts));
    auto visit = [&](int part, qint64 index, const char* record) {
        if (keep(record)) found[std::size_t(part)].push_back({line(record), index});
    };
    std::optional<bool> ok = scanMapped(path, layout, parts, visit);
    if (!ok) ok = scanRead(path, layout, [&](qint64 index, const char* record) { visit(0, index, record); });
    std::size_t total = entries.size();
    for (const auto& part : found) total += part.size();
    entries.reserve(total);
    for (auto& part : found) {
        std::move(part.begin(), part.end(), std::back_inserter(entries));
        std::vector<ListEntry>().swap(part);
    }
    return *ok;
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
// blank to the tilde) or that of their base letter (the accented letters that decompose to an
// ASCII letter and a mark), each with its primary rank, taken from the collator itself; 0 for
// every other character (controls, symbols outside ASCII, ligatures), left to the collator.
constexpr char16_t kRanked = 0x180;
using PrimaryRanks = std::array<quint8, kRanked>;

const PrimaryRanks& primaryRanks() {
    static const PrimaryRanks table = [] {
        PrimaryRanks rank{};
        const QCollator collator = listCollator();
        std::vector<char16_t> ascii;
        for (char16_t c = 0x20; c < 0x7F; ++c) ascii.push_back(c);
        auto cmp = [&](char16_t a, char16_t b) { return collator.compare(QStringView(&a, 1), QStringView(&b, 1)); };
        std::stable_sort(ascii.begin(), ascii.end(), [&](char16_t a, char16_t b) { return cmp(a, b) < 0; });
        quint8 r = 0;
        for (std::size_t i = 0; i < ascii.size(); ++i) {
            if (i == 0 || cmp(ascii[i - 1], ascii[i]) != 0) ++r;
            rank[ascii[i]] = r;
        }
        for (char16_t c = 0xC0; c < kRanked; ++c) {
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

}  // namespace

// One sort on the lines' primary ranks, compared as bytes, which decide nearly every comparison
// without the collator; the collator decides the rest (ties on the primary weights, and a line
// whose first difference comes after a character outside the table), so the order is the
// collator's own.
void sortListEntries(std::vector<ListEntry>& entries) {
    const PrimaryRanks& rank = primaryRanks();
    struct Item {
        quint32 offset;    // of the line's ranks in `keys`
        quint32 length;
        quint32 unranked;  // the first character outside the table, or `length`
        quint32 index;     // in `entries`
        quint64 prefix;    // the first eight ranks, big-endian, zero past `ranked()`
        quint32 ranked() const { return std::min(length, unranked); }
    };
    std::vector<Item> items(entries.size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto length = quint32(entries[i].line.size());
        items[i] = Item{quint32(total), length, length, quint32(i), 0};
        total += length;
    }
    std::string keys(total, '\0');
    // Large lists are ranked and sorted in parts at once, then the sorted parts are merged.
    const int parts = partsFor(qint64(entries.size()));
    auto bound = [&](int part) { return items.begin() + qsizetype(items.size() * std::size_t(part) / std::size_t(parts)); };
    auto lessWith = [&](const QCollator& collator) {
        return [&](const Item& a, const Item& b) {
            // Most comparisons end in the first eight ranks, kept beside the item: a difference
            // there, before either line's ranks end, decides as the whole ranks would.
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
            const QString& x = entries[a.index].line;
            const QString& y = entries[b.index].line;
            return x != y && collator.compare(x, y) < 0;  // equal lines are frequent, and keep file order
        };
    };
    runParts(parts, [&](int part) {
        for (auto item = bound(part); item != bound(part + 1); ++item) {
            const char16_t* text = reinterpret_cast<const char16_t*>(entries[item->index].line.constData());
            char* key = keys.data() + item->offset;
            for (quint32 k = 0; k < item->length; ++k) {
                const char16_t c = text[k];
                const quint8 r = c < kRanked ? rank[c] : 0;
                if (!r && item->unranked == item->length) item->unranked = k;
                key[k] = char(r);
            }
            for (quint32 k = 0; k < 8; ++k)
                item->prefix = item->prefix << 8 | (k < item->ranked() ? quint8(key[k]) : 0);
        }
        const QCollator collator = listCollator();
        std::stable_sort(bound(part), bound(part + 1), lessWith(collator));
    });
    const QCollator collator = listCollator();
    for (int part = 1; part < parts; ++part) std::inplace_merge(items.begin(), bound(part), bound(part + 1), lessWith(collator));
    // The entries put in the sorted order in place, one cycle of the permutation at a time.
    for (std::size_t start = 0; start < items.size(); ++start) {
        if (items[start].index == start) continue;
        ListEntry held = std::move(entries[start]);
        std::size_t at = start;
        for (;;) {
            const std::size_t from = items[at].index;
            items[at].index = quint32(at);
            if (from == start) {
                entries[at] = std::move(held);
                break;
            }
            entries[at] = std::move(entries[from]);
            at = from;
        }
    }
}

ListFinder::Result ListFinder::find(const QStringList& lines, int selected, const QString& typed) {
    if (lines.isEmpty()) return {Outcome::EmptyList, -1};
    const int count = static_cast<int>(lines.size());
    if (selected < 0 || selected >= count) selected = 0;
    const QString t = lowerAscii(typed);
    auto hit = [&](int row) { return !t.isEmpty() && lowerAscii(lines[row]).contains(t); };

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
