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
#include <QtEndian>

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
        if (i + 1 == columns.size() || columns[i].width == kFreeWidth)
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
        QByteArrayView value = trimmedView(fieldBytes(layout, record, c.field));
        const bool padded = i + 1 < columns.size() && c.width != kFreeWidth;
        if (padded && value.size() > c.width) value.truncate(c.width);
        values[i] = value;
        length += padded ? c.width : value.size();
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
        if (i + 1 < columns.size() && c.width != kFreeWidth) line.resize(line.size() + c.width - values[i].size(), u' ');
    }
    return line;
}

namespace {

// One `T` made by `make` for every record `keep` accepts, in file order; false in `ok` when the
// file could not be read whole.
template <typename T, typename Make>
std::vector<T> gather(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                      const Make& make, bool& ok) {
    std::vector<T> all;
    ok = gatherRecords<T>(
        path, layout,
        [&](qint64 index, const char* record) { return keep(record) ? std::optional<T>(make(index, record)) : std::nullopt; },
        all);
    return all;
}

}  // namespace

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

// The order of the keys' ranks, as a type of its own so that the sorts inline it.
struct ByRanks {
    bool operator()(const LineKey& a, const LineKey& b) const {
        for (int w = 0; w < kKeyWords; ++w)
            if (a.ranks[std::size_t(w)] != b.ranks[std::size_t(w)]) return a.ranks[std::size_t(w)] < b.ranks[std::size_t(w)];
        return false;
    }
};
constexpr ByRanks byRanks;

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

// The first pass over a whole list. A large list is first split in place into as many ranges as
// it is sorted in at once, each range's keys ranking no higher than the next range's (the split
// costs a pass over the keys and no memory), then each range is sorted on a thread of its own;
// keys of equal ranks on both sides of a split are put in order with the others by orderRuns.
void sortAllKeys(std::span<LineKey> keys, const LineOf& lineOf) {
    const int parts = partsFor(qint64(keys.size()));
    const int ranges = parts >= 4 ? 4 : parts >= 2 ? 2 : 1;
    auto bound = [&](int range) { return keys.begin() + qsizetype(keys.size() * std::size_t(range) / std::size_t(ranges)); };
    if (ranges > 1) std::nth_element(keys.begin(), bound(ranges / 2), keys.end(), byRanks);
    if (ranges > 2)
        runParts(2, [&](int half) {
            std::nth_element(bound(2 * half), bound(2 * half + 1), bound(2 * half + 2), byRanks);
        });
    runParts(ranges, [&](int range) { std::sort(bound(range), bound(range + 1), byRanks); });
    orderRuns(keys, 0, lineOf);
}

// The ranks of every byte of the code page: what lineKey gives the character it decodes to.
const std::array<quint8, 256>& byteRanks() {
    static const std::array<quint8, 256> table = [] {
        std::array<quint8, 256> ranks{};
        const PrimaryRanks& rank = primaryRanks();
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString decoded = fromCp1252(QByteArrayView(&byte, 1));
            const char16_t c = decoded.size() == 1 ? decoded[0].unicode() : 0;
            ranks[std::size_t(b)] = c < kRanked ? rank[c] : 0;
        }
        return ranks;
    }();
    return table;
}

// The first sort key of the lines of a ColumnLine, taken from the record's bytes: the same key
// as lineKey(buildListLine(...), id, 0), without making the line. The captions' ranks are taken
// once for the whole list.
class ColumnKeys {
public:
    explicit ColumnKeys(const ColumnLine& line) : layout_(line.layout) {
        const PrimaryRanks& rank = primaryRanks();
        for (std::size_t i = 0; i < line.columns.size(); ++i) {
            const ListColumn& c = line.columns[i];
            Column column{{}, 0, layout_->offset(c.field), layout_->fields[std::size_t(c.field)].capacity,
                          i + 1 < line.columns.size() && c.width != kFreeWidth ? c.width : -1};
            const QString before = QString::fromUtf8(c.before);
            for (const QChar ch : before) column.before.push_back(ch.unicode() < kRanked ? rank[ch.unicode()] : 0);
            column.ranked = std::size_t(std::find(column.before.begin(), column.before.end(), 0) - column.before.begin());
            columns_.push_back(std::move(column));
        }
        blank_ = rank[u' '];
    }

    LineKey key(const char* record, qint64 id) const {
        const std::array<quint8, 256>& ranks = byteRanks();
        std::array<quint8, kKeyRanks> bytes{};
        quint8* out = bytes.data();
        quint32 n = 0;  // ranks written; the stretch ends at kKeyRanks or at a character outside the table
        quint32 known = kKeyRanks;
        for (const Column& c : columns_) {
            const quint32 caption = quint32(std::min<std::size_t>(c.before.size(), kKeyRanks - n));
            const quint32 ranked = std::min<quint32>(caption, quint32(c.ranked));
            if (ranked) std::memcpy(out + n, c.before.data(), ranked);  // an empty caption has no storage
            n += ranked;
            if (ranked < caption) {
                known = n;
                break;
            }
            if (n == kKeyRanks) break;
            const char* field = record + c.offset;
            QByteArrayView value = trimmedView(
                layout_->zeroTerminated
                    ? FixedZString::bytes(field, c.capacity)
                    : QByteArrayView(field + 1, std::min(int(static_cast<unsigned char>(field[0])), c.capacity)));
            if (c.width >= 0 && value.size() > c.width) value.truncate(c.width);
            const quint32 take = quint32(std::min<qsizetype>(value.size(), kKeyRanks - n));
            const auto* bytesIn = reinterpret_cast<const unsigned char*>(value.data());
            quint32 k = 0;
            for (; k < take; ++k) {
                const quint8 r = ranks[bytesIn[k]];
                if (!r) break;
                out[n + k] = r;
            }
            n += k;
            if (k < take) {
                known = n;
                break;
            }
            if (n == kKeyRanks) break;
            const quint32 pad = quint32(std::clamp<qsizetype>(c.width - value.size(), 0, kKeyRanks - n));
            std::memset(out + n, blank_, pad);
            n += pad;
            if (n == kKeyRanks) break;
        }
        LineKey key{{}, id, known};
        for (int w = 0; w < kKeyWords; ++w) key.ranks[std::size_t(w)] = qFromBigEndian<quint64>(out + w * 8);
        return key;
    }

private:
    struct Column {
        std::vector<quint8> before;  // the caption's ranks, one a UTF-16 unit
        std::size_t ranked;          // how many of them come before the first character outside the table
        int offset;
        int capacity;
        int width;  // -1: neither padded nor cut
    };
    const RecordLayout* layout_;
    std::vector<Column> columns_;
    quint8 blank_;
};

// The keys of the records a list keeps, and the number `keep` gave each, gathered while the file
// is scanned in parts. Each part writes from the place of its first record on, so no part needs
// an array of its own and joining them copies nothing: each part's keys are moved down to follow
// the previous part's. The arrays are made without being filled, so memory is taken only for
// what is written.
struct GatheredKeys {
    std::unique_ptr<LineKey[]> keys;
    std::unique_ptr<qint64[]> numbers;
    qint64 size = 0;
    bool ok = false;
    std::span<LineKey> span() { return {keys.get(), std::size_t(size)}; }
};

GatheredKeys gatherKeys(const QString& path, const RecordLayout& layout,
                        const std::function<std::optional<qint64>(const char*)>& keep, const LineBuilder& line,
                        bool numbered) {
    struct alignas(64) Part {  // one cache line each: the parts count on different processors
        qint64 begin = 0;
        qint64 written = 0;
    };
    const ColumnLine* columns = line.target<ColumnLine>();
    const std::optional<ColumnKeys> fromBytes = columns ? std::optional<ColumnKeys>(*columns) : std::nullopt;
    GatheredKeys out;
    std::vector<Part> parts;
    out.ok = scanRecordFileInParts(
        path, layout,
        [&](int count, qint64 records) {
            out.keys = std::make_unique_for_overwrite<LineKey[]>(std::size_t(records));
            if (numbered) out.numbers = std::make_unique_for_overwrite<qint64[]>(std::size_t(records));
            parts.resize(std::size_t(count));
            for (int p = 0; p < count; ++p) parts[std::size_t(p)].begin = partBegin(records, p, count);
        },
        [&](int p, qint64 index, const char* record) {
            const std::optional<qint64> number = keep(record);
            if (!number) return;
            Part& part = parts[std::size_t(p)];
            const qint64 at = part.begin + part.written++;
            out.keys[std::size_t(at)] = fromBytes ? fromBytes->key(record, index) : lineKey(line(record), index, 0);
            if (numbered) out.numbers[std::size_t(at)] = *number;
        });
    for (const Part& part : parts) {
        if (part.written && part.begin != out.size) {
            std::memmove(out.keys.get() + out.size, out.keys.get() + part.begin, std::size_t(part.written) * sizeof(LineKey));
            if (numbered)
                std::memmove(out.numbers.get() + out.size, out.numbers.get() + part.begin,
                             std::size_t(part.written) * sizeof(qint64));
        }
        out.size += part.written;
    }
    return out;
}

}  // namespace

void sortListEntries(std::vector<ListEntry>& entries) {
    std::vector<LineKey> keys(entries.size());
    const int parts = partsFor(qint64(entries.size()));
    runParts(parts, [&](int part) {
        const std::size_t end = std::size_t(partBegin(qint64(entries.size()), part + 1, parts));
        for (std::size_t i = std::size_t(partBegin(qint64(entries.size()), part, parts)); i < end; ++i)
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
    : path_(path), layout_(&layout), line_(std::move(line)), records_(std::move(records)),
      reader_(std::make_unique<RecordReader>(path, layout)) {}

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

namespace {

// Whether `line`, its A to Z folded to a to z, contains `lowered` (not empty, already folded).
bool containsLowered(QStringView line, QStringView lowered) {
    const qsizetype n = lowered.size();
    if (n == 0 || n > line.size()) return false;
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    const char16_t first = lowered[0].unicode();
    for (qsizetype i = 0; i + n <= line.size(); ++i) {
        if (fold(line[i].unicode()) != first) continue;
        qsizetype j = 1;
        while (j < n && fold(line[i + j].unicode()) == lowered[j].unicode()) ++j;
        if (j == n) return true;
    }
    return false;
}

}  // namespace

std::vector<char> ResultList::rowsContaining(const QString& lowered) const {
    std::vector<char> rows(records_.size(), 0);
    if (records_.empty() || lowered.isEmpty()) return rows;
    const qint64 most = *std::max_element(records_.begin(), records_.end()) + 1;
    std::vector<char> listed(std::size_t(most), 0), hit(std::size_t(most), 0);
    for (const qint64 r : records_) listed[std::size_t(r)] = 1;
    scanRecordFileInParts(path_, *layout_, [](int, qint64) {}, [&](int, qint64 index, const char* record) {
        if (index < most && listed[std::size_t(index)]) hit[std::size_t(index)] = containsLowered(line_(record), lowered);
    });
    for (std::size_t row = 0; row < records_.size(); ++row) rows[row] = hit[std::size_t(records_[row])];
    return rows;
}


Listing listRecords(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                    const LineBuilder& line, bool sorted) {
    return listRecords(
        path, layout, [&](const char* record) { return keep(record) ? std::optional<qint64>(0) : std::nullopt; }, {},
        line, sorted);
}

Listing listRecords(const QString& path, const RecordLayout& layout,
                    const std::function<std::optional<qint64>(const char*)>& keep,
                    const std::function<bool(qint64)>& confirm, const LineBuilder& line, bool sorted) {
    std::vector<qint64> records;
    bool ok = false;
    if (!sorted) {
        std::vector<std::pair<qint64, qint64>> kept;  // record, number
        ok = gatherRecords<std::pair<qint64, qint64>>(
            path, layout,
            [&](qint64 index, const char* record) -> std::optional<std::pair<qint64, qint64>> {
                if (const std::optional<qint64> number = keep(record)) return std::pair{index, *number};
                return std::nullopt;
            },
            kept);
        records.reserve(kept.size());
        for (const auto& [record, number] : kept)
            if (!confirm || confirm(number)) records.push_back(record);
        return {ResultList(path, layout, line, std::move(records)), ok};
    }
    GatheredKeys gathered = gatherKeys(path, layout, keep, line, bool(confirm));
    ok = gathered.ok;
    if (confirm) {
        qint64 confirmed = 0;
        for (qint64 k = 0; k < gathered.size; ++k)
            if (confirm(gathered.numbers[std::size_t(k)])) gathered.keys[std::size_t(confirmed++)] = gathered.keys[std::size_t(k)];
        gathered.size = confirmed;
    }
    gathered.numbers.reset();
    RecordReader reader(path, layout);
    sortAllKeys(gathered.span(), [&](qint64 id) {
        const char* record = reader.read(id);
        return record ? line(record) : QString();
    });
    records.reserve(std::size_t(gathered.size));
    for (const LineKey& k : gathered.span()) records.push_back(k.id);
    return {ResultList(path, layout, line, std::move(records)), ok};
}

ListFinder::Result ListFinder::find(const QStringList& lines, int selected, const QString& typed) {
    return find(lines.size(), [&](qsizetype row) { return lines[row]; }, selected, typed);
}

ListFinder::Result ListFinder::find(qsizetype lines, const std::function<QString(qsizetype)>& lineAt, int selected,
                                    const QString& typed) {
    const QString t = lowerAscii(typed);
    return walk(lines, [&](int row) { return containsLowered(lineAt(row), t); }, selected, t);
}

ListFinder::Result ListFinder::find(const ResultList& list, int selected, const QString& typed) {
    const QString t = lowerAscii(typed);
    constexpr int kOneByOne = 2000;  // a text found among these costs no pass over the file
    int tested = 0;
    std::vector<char> hits;
    return walk(
        list.size(),
        [&](int row) {
            if (hits.empty() && ++tested > kOneByOne) hits = list.rowsContaining(t);
            return hits.empty() ? containsLowered(list.line(row), t) : hits[std::size_t(row)] != 0;
        },
        selected, t);
}

ListFinder::Result ListFinder::walk(qsizetype lines, const std::function<bool(int)>& lineHits, int selected,
                                    const QString& t) {
    if (lines <= 0) return {Outcome::EmptyList, -1};
    const int count = int(std::min<qsizetype>(lines, std::numeric_limits<int>::max()));
    if (selected < 0 || selected >= count) selected = 0;
    auto hit = [&](int row) { return !t.isEmpty() && lineHits(row); };

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
