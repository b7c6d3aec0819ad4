#pragma once
// The spreadsheet export file: an HTML table with the Office spreadsheet extensions
// (an XML island naming the worksheet), in Windows-1252, written as one single line.
// Every export screen fills a grid and hands its header cells and rows to this writer.
#include "core/RecordLayout.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <span>
#include <string_view>

namespace cal {

// One header cell of an export: its text (UTF-8 in the table) and the width number
// written in the cell's width attribute.
struct ExportColumn {
    std::string_view header;
    int width;
};

// True when the trimmed text is made only of the digits 0 to 9 (at least one): such a cell is
// marked as text, so a spreadsheet program keeps its leading zeros and all its digits.
bool isDigitString(QStringView text);

// The bytes of the file. `rows` are the grid's rows from the first to the last, empty
// rows included, each holding the grid's columns 1..K (column 0, the row number, is not
// passed). Every row is written with exactly header.size() cells: missing cells are
// written empty, cells beyond the header are ignored. Texts are trimmed, "&", "<" and ">"
// become character references, and characters outside Windows-1252 become '?'. A data cell
// holding a digit string carries the text number format (isDigitString).
QByteArray spreadsheetBytes(const QString& sheetName, std::span<const ExportColumn> header,
                            const QList<QStringList>& rows);

// Writes the same bytes to `path` through a temporary file in the same folder that
// replaces the old file only once it is all on the disk (core/SafeWrite.h): on failure the
// previous file is left as it was and no partial file remains. False when anything fails,
// a full disk included, with the cause in `error` when given.
bool writeSpreadsheet(const QString& path, const QString& sheetName,
                      std::span<const ExportColumn> header, const QList<QStringList>& rows,
                      QString* error = nullptr);

// The same, with the rows handed over one at a time: `rows` calls its argument with each row in
// order and returns false when it could not produce them all (the file is then not written).
// Nothing but the block being written is held in memory.
using RowStream = std::function<bool(const std::function<void(const QStringList&)>& put)>;
bool writeSpreadsheetRows(const QString& path, const QString& sheetName,
                      std::span<const ExportColumn> header, const RowStream& rows,
                      QString* error = nullptr);

// One cell of an export row made from a record: a field's trimmed value, or two fields' trimmed
// values joined by a blank and trimmed again (a town and its province).
struct RecordCell {
    int field;
    int joined = -1;  // the second field, or -1
};

// The cells of the fields from First to Last in file order, then of the Extra fields.
template <int First, int Last, int... Extra>
constexpr std::array<RecordCell, std::size_t(Last - First + 1) + sizeof...(Extra)> fieldCells() {
    std::array<RecordCell, std::size_t(Last - First + 1) + sizeof...(Extra)> cells{};
    std::size_t i = 0;
    for (int f = First; f <= Last; ++f) cells[i++] = RecordCell{f};
    ((cells[i++] = RecordCell{Extra}), ...);
    return cells;
}

// The export row of a record made only of its fields (RecordCell); callable as a row maker.
struct RecordRow {
    const RecordLayout* layout;
    std::span<const RecordCell> cells;
    QStringList operator()(const char* record) const;
};

// The same file as writeSpreadsheetRows with the rows `row` makes, each made straight from the
// record's bytes, which are written as they are stored (the records are in the file's code page
// already) instead of being decoded and encoded again: `records` calls its argument with each
// record in order and returns false when it could not give them all.
using RecordStream = std::function<bool(const std::function<void(const char* record)>& put)>;
bool writeSpreadsheetRecords(const QString& path, const QString& sheetName, std::span<const ExportColumn> header,
                             const RecordRow& row, const RecordStream& records, QString* error = nullptr);

}  // namespace cal
