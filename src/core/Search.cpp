#include "core/Search.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cstring>
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

constexpr qint64 kBlockBytes = 4 << 20;  // read the file 4 MB at a time

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

QString buildListLine(const RecordLayout& layout, std::span<const ListColumn> columns, const char* record) {
    QStringList values;
    values.reserve(qsizetype(columns.size()));
    for (const ListColumn& c : columns) values << fromCp1252(fieldBytes(layout, record, c.field));
    return buildListLine(columns, values);
}

bool scanRecordFile(const QString& path, const RecordLayout& layout,
                    const std::function<void(qint64, const char*)>& visit) {
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

std::optional<std::vector<ListEntry>> searchRecords(const QString& path, const RecordLayout& layout,
                                                    const RecordMatcher& matcher, const LineBuilder& line,
                                                    bool sorted, const std::function<bool(const char*)>& considered) {
    std::vector<ListEntry> entries;
    const bool ok = scanRecordFile(path, layout, [&](qint64 index, const char* record) {
        if ((!considered || considered(record)) && matcher.matches(record)) entries.push_back({line(record), index});
    });
    if (!ok) return std::nullopt;
    if (sorted) sortListEntries(entries);
    return entries;
}

void sortListEntries(std::vector<ListEntry>& entries) {
    QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) keys.emplace_back(collator.sortKey(entries[i].line), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    std::vector<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& k : keys) sorted.push_back(std::move(entries[k.second]));
    entries = std::move(sorted);
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
