#pragma once
// The search rules shared by every search and list screen, the tests and the benchmark:
// which records a set of filters selects, the fixed-column line of a record, the sorted
// result list and the find-in-list walk.
#include "core/RecordLayout.h"
#include "core/RecordScan.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace cal {

// One filter field of a search screen: the record field it searches and the text as typed.
struct SearchFilter {
    int field;
    QString text;
};

// Selects the records in which every filter in use occurs. A filter is in use when its
// trimmed text is not empty; it is then matched as typed (untrimmed), as a contiguous
// substring of the stored (untrimmed) value, with only A to Z folded to a to z.
class RecordMatcher {
public:
    RecordMatcher(const RecordLayout& layout, std::span<const SearchFilter> filters);

    int filtersInUse() const { return static_cast<int>(needles_.size()) + unmatchable_; }
    bool matches(const char* record) const;

private:
    struct Needle {
        int field;
        QByteArray folded;  // Windows-1252 bytes, A-Z folded
    };
    const RecordLayout* layout_;
    std::vector<Needle> needles_;
    int unmatchable_ = 0;  // filters holding a character no stored value can hold
};

// One column of a list line: the text put before it, the field, the width.
// The last column of a line is neither padded nor cut, whatever its width; nor is a column of
// width kFreeWidth.
struct ListColumn {
    const char* before;  // UTF-8
    int field;
    int width;
};
inline constexpr int kFreeWidth = -1;

// A filter field of a search screen: its object name, its label, the record field it searches.
struct FilterField {
    const char* objectName;
    const char* label;  // UTF-8
    int field;
};

// What Open copies for a picker keyword: record field -> object name of the caller's field.
struct FieldCopy {
    int field;
    const char* target;
};
struct PickerKeyword {
    const char* keyword;
    const char* screen;  // the caller's screen, whose fields the copies name
    std::span<const FieldCopy> copies;
};

// Joins the values (each trimmed, padded with blanks and cut to its column's width) with the
// columns' separators. `values` has one entry per column.
QString buildListLine(std::span<const ListColumn> columns, const QStringList& values);
// The same, taking each column's value from the record image.
QString buildListLine(const RecordLayout& layout, std::span<const ListColumn> columns, const char* record);

// A line of a result list and the 0-based record it was built from, so the record that is
// opened is always the one whose line was clicked, also when two records give the same line.
struct ListEntry {
    QString line;
    qint64 record;
};

// Calls `visit` with the records numbered in `records` (0-based), in that order. False when the
// file cannot be opened or one of them can no longer be read whole.
bool visitRecords(const QString& path, const RecordLayout& layout, std::span<const qint64> records,
                  const std::function<void(qint64 index, const char* record)>& visit);

using LineBuilder = std::function<QString(const char* record)>;

// The line builder of a line made of the record's columns alone (buildListLine): a list sorts
// such lines by ranks taken straight from the record's bytes, without making the lines.
struct ColumnLine {
    const RecordLayout* layout;
    std::span<const ListColumn> columns;
    QString operator()(const char* record) const { return buildListLine(*layout, columns, record); }
};

// Appends to `entries`, in file order, the line of every record `keep` accepts. Large files are
// read in parts at once, each on a thread of its own: `keep` and `line` must only read the record.
// False when the file could not be read whole (what was read is still appended).
bool collectListEntries(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                        const LineBuilder& line, std::vector<ListEntry>& entries);

// A search with its lines kept: the matching records' lines, sorted (or in file order when not
// `sorted`), in the order a search screen lists them. A record `considered` rejects is skipped
// before any filter is tested. nullopt on access failure.
std::optional<std::vector<ListEntry>> searchRecords(const QString& path, const RecordLayout& layout,
                                                    const RecordMatcher& matcher, const LineBuilder& line,
                                                    bool sorted = true,
                                                    const std::function<bool(const char*)>& considered = {});

// The order of every result list: by line text, ignoring the case of the letters, in the
// Italian collation; equal lines keep file order.
void sortListEntries(std::vector<ListEntry>& entries);

// Reads single records of a file by their number, for lines made again from their records.
class RecordReader {
public:
    RecordReader(const QString& path, const RecordLayout& layout);
    // The record's bytes, valid until the next read; nullptr when it can no longer be read whole.
    const char* read(qint64 index);

private:
    QFile file_;
    QByteArray buffer_;
};

// A result list that keeps, for each row, only the record its line comes from: a line is made
// again from its record when it is asked for, so a list of a million records takes a few
// megabytes instead of a few hundred.
class ResultList {
public:
    ResultList() = default;
    ResultList(const QString& path, const RecordLayout& layout, LineBuilder line, std::vector<qint64> records);

    qsizetype size() const { return qsizetype(records_.size()); }
    bool empty() const { return records_.empty(); }
    // The 0-based record of a row.
    qint64 record(qsizetype row) const { return records_[std::size_t(row)]; }
    // The line of a row, from its record as the file holds it now (empty when it cannot be read).
    QString line(qsizetype row) const;
    // Every line, in list order.
    QStringList lines() const;
    // For each row, in list order, whether its line contains `lowered` once the line's A to Z are
    // folded to a to z (as find in list compares): the file is scanned once, in parts, each line
    // made from its record as the file holds it now, instead of reading the records one by one.
    // A row whose record can no longer be read has no hit.
    std::vector<char> rowsContaining(const QString& lowered) const;

private:
    QString path_;
    const RecordLayout* layout_ = nullptr;
    LineBuilder line_;
    std::vector<qint64> records_;
    std::unique_ptr<RecordReader> reader_;
};

// The list of a search or list screen: the records `keep` accepts, in the order of their lines
// (the order of sortListEntries) or in file order when not `sorted`. `complete` is false when the
// file could not be read whole (the list then holds what was read).
struct Listing {
    ResultList list;
    bool complete;
};
Listing listRecords(const QString& path, const RecordLayout& layout, const std::function<bool(const char*)>& keep,
                    const LineBuilder& line, bool sorted);
// The same for a summary: `keep` gives each record it lists a number (it runs in parts at once,
// so it must only read the record), and `confirm`, called on the calling thread in file order
// once the file is read, may still leave the record out (a total that would no longer fit).
Listing listRecords(const QString& path, const RecordLayout& layout,
                    const std::function<std::optional<qint64>(const char*)>& keep,
                    const std::function<bool(qint64 number)>& confirm, const LineBuilder& line, bool sorted);

// Find in list, with the memory of the last text found.
class ListFinder {
public:
    enum class Outcome { EmptyList, Found, NotFound };
    struct Result {
        Outcome outcome;
        int selected;  // the row selected afterwards (-1 only for an empty list)
    };

    // `selected` is the selected row or -1. A text searched again continues after the selected
    // row and wraps round; a new text starts from the first row.
    Result find(const QStringList& lines, int selected, const QString& typed);
    // The same over `count` lines made one at a time by `lineAt`.
    Result find(qsizetype count, const std::function<QString(qsizetype)>& lineAt, int selected, const QString& typed);
    // The same over a result list: the rows after the start are tested one by one, and past the
    // first few thousand the rest are tested in one pass over the file.
    Result find(const ResultList& list, int selected, const QString& typed);
    void forget() { last_.reset(); }

private:
    // The walk of every find over `count` rows, `hit` telling whether a row holds the text `t`.
    Result walk(qsizetype count, const std::function<bool(int row)>& hit, int selected, const QString& t);

    std::optional<QString> last_;
};

}  // namespace cal
