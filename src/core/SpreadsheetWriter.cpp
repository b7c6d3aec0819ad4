#include "core/SpreadsheetWriter.h"

#include "core/Codepage.h"
#include "core/Record.h"

#include "core/SafeWrite.h"
#include "core/Text.h"

#include <cstring>
#include <string>

namespace cal {
namespace {

constexpr std::string_view kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
    " xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>";
constexpr std::string_view kAfterName =
    "</x:Name>"
    "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
    "</xml><![endif]--></head><body>"
    "<table x:str>";
constexpr std::string_view kHeaderCell = "<td style=\"text-align: left; font-weight: bold;\" width=";
constexpr std::string_view kDataCell = "<td style=\"text-align: left;\">";
// A data cell whose text is a digit string (a VAT number, a postcode, a card or account
// number, a protocol number): the table's x:str keeps it as text in the programs that read
// the Office extensions, and the sdnum attribute (the text number format "@") does the same
// in the programs that read their own HTML attributes, which would otherwise turn
// "00743110157" into the number 743110157 and round a card number past 15 digits. Other
// programs ignore the attribute. The cell's text itself is not changed.
constexpr std::string_view kDigitCell = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr std::string_view kTail = "</table></body></html>";

// Collects the file's bytes; when it writes to a device it hands them over in blocks,
// so a large export never holds the whole file in memory.
class Sink {
public:
    explicit Sink(SafeWrite* device, qsizetype reserve) : device_(device) {
        buffer_.reserve(std::size_t(device ? kBlock + kBlock / 4 : reserve));
    }

    void put(std::string_view text) { buffer_.append(text); }
    void putNumber(int n) { buffer_.append(std::to_string(n)); }

    // Trimmed, in Windows-1252, with the three characters that HTML would take as
    // markup written as character references.
    void putText(QStringView text) {
        text = trimmedView(text);
        const qsizetype b = 0, e = text.size();
        const qsizetype start = qsizetype(buffer_.size());
        buffer_.resize(std::size_t(start + (e - b)));  // one byte per UTF-16 unit at most
        char* out = buffer_.data() + start;
        qsizetype extra = 0;  // bytes the character references add
        for (qsizetype i = b; i < e; ++i) {
            const char16_t c = text[i].unicode();
            if (c < 0x80) {
                *out++ = char(c);
                extra += c == u'&' ? 4 : (c == u'<' || c == u'>') ? 3 : 0;
            } else if (QChar::isHighSurrogate(c) && i + 1 < e && QChar::isLowSurrogate(text[i + 1].unicode())) {
                *out++ = '?';  // one character outside the code page
                ++i;
            } else {
                *out++ = cp1252Byte(c);
            }
        }
        buffer_.resize(std::size_t(out - buffer_.data()));
        if (extra) escapeFrom(start, extra);
    }

    // Bytes already in the code page, trimmed by the caller, with the same character references.
    void putBytes(QByteArrayView bytes) {
        const qsizetype start = qsizetype(buffer_.size());
        buffer_.append(bytes.data(), std::size_t(bytes.size()));
        qsizetype extra = 0;
        for (const char c : bytes) extra += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
        if (extra) escapeFrom(start, extra);
    }

    // Hands a full block to the device; without a device the bytes stay in the buffer.
    void flushIfFull() {
        if (device_ && qsizetype(buffer_.size()) >= kBlock) flush();
    }
    bool finish() {
        if (device_) flush();
        return ok_;
    }
    QByteArray bytes() const { return QByteArray(buffer_.data(), qsizetype(buffer_.size())); }

private:
    // Rewrites "&", "<" and ">" from `start` to the end of the buffer as character
    // references, in place from the back; `extra` is the growth they need.
    void escapeFrom(qsizetype start, qsizetype extra) {
        qsizetype read = qsizetype(buffer_.size());
        qsizetype write = read + extra;
        buffer_.resize(std::size_t(write));
        char* data = buffer_.data();
        auto place = [&](std::string_view text) {
            write -= qsizetype(text.size());
            std::memcpy(data + write, text.data(), text.size());
        };
        while (read > start) {
            const char c = data[--read];
            switch (c) {
            case '&': place("&amp;"); break;
            case '<': place("&lt;"); break;
            case '>': place("&gt;"); break;
            default: data[--write] = c;
            }
        }
    }

    void flush() {
        if (ok_ && !device_->write(QByteArrayView(buffer_.data(), qsizetype(buffer_.size())))) ok_ = false;
        buffer_.clear();  // keeps the allocation for the next block
    }

    static constexpr qsizetype kBlock = 1 << 16;
    SafeWrite* device_;
    std::string buffer_;  // the standard string appends short texts inline
    bool ok_ = true;
};

// A generous guess of the file size, so that building it in memory rarely reallocates.
qsizetype estimatedSize(std::span<const ExportColumn> header, const QList<QStringList>& rows) {
    qsizetype size = 1024 + qsizetype(header.size()) * 96;
    const qsizetype perRow = 9 + qsizetype(header.size()) * qsizetype(kDataCell.size() + 5);
    for (const QStringList& row : rows) {
        size += perRow;
        for (qsizetype c = 0; c < row.size() && c < qsizetype(header.size()); ++c) size += row[c].size();
    }
    return size;
}

// The rows of a list, as a stream.
RowStream listed(const QList<QStringList>& rows) {
    return [&rows](const std::function<void(const QStringList&)>& put) {
        for (const QStringList& row : rows) put(row);
        return true;
    };
}

// The whole file: the head, the header row, the rows `body` puts (false when it could not put
// them all), the tail.
bool generate(Sink& out, const QString& sheetName, std::span<const ExportColumn> header,
              const std::function<bool(Sink&)>& body) {
    out.put(kHead);
    out.putText(sheetName);
    out.put(kAfterName);

    out.put("<tr>");
    for (const ExportColumn& column : header) {
        out.put(kHeaderCell);
        out.putNumber(column.width);
        out.put(">");
        out.putText(QString::fromUtf8(column.header.data(), qsizetype(column.header.size())));
        out.put("</td>");
    }
    out.put("</tr>");
    const bool whole = body(out);
    out.put(kTail);
    return out.finish() && whole;
}

// The rows of a stream of texts.
bool generate(Sink& out, const QString& sheetName, std::span<const ExportColumn> header, const RowStream& rows) {
    return generate(out, sheetName, header, [&](Sink& out) {
        const qsizetype columns = qsizetype(header.size());
        return rows([&](const QStringList& row) {
            out.put("<tr>");
            for (qsizetype c = 0; c < columns; ++c) {
                if (c < row.size()) {
                    out.put(isDigitString(row[c]) ? kDigitCell : kDataCell);
                    out.putText(row[c]);
                } else {
                    out.put(kDataCell);
                }
                out.put("</td>");
            }
            out.put("</tr>");
            out.flushIfFull();
        });
    });
}

bool allDigits(QByteArrayView bytes) {
    if (bytes.isEmpty()) return false;
    for (const char c : bytes)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

bool isDigitString(QStringView text) {
    text = trimmedView(text);
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QByteArray spreadsheetBytes(const QString& sheetName, std::span<const ExportColumn> header,
                            const QList<QStringList>& rows) {
    Sink sink(nullptr, estimatedSize(header, rows));
    generate(sink, sheetName, header, listed(rows));
    return sink.bytes();
}

bool writeSpreadsheet(const QString& path, const QString& sheetName,
                      std::span<const ExportColumn> header, const QList<QStringList>& rows,
                      QString* error) {
    return writeSpreadsheetRows(path, sheetName, header, listed(rows), error);
}

namespace {

// The file written whole through SafeWrite, its bytes made by `make`.
bool writeWhole(const QString& path, const std::function<bool(Sink&)>& make, QString* error) {
    SafeWrite file(path);
    bool ok = file.open();
    if (ok) {
        Sink sink(&file, 0);
        ok = make(sink) && file.commit();
    }
    if (!ok && error) *error = file.errorString();
    return ok;
}

}  // namespace

bool writeSpreadsheetRows(const QString& path, const QString& sheetName,
                      std::span<const ExportColumn> header, const RowStream& rows,
                      QString* error) {
    return writeWhole(path, [&](Sink& sink) { return generate(sink, sheetName, header, rows); }, error);
}

QStringList RecordRow::operator()(const char* record) const {
    QStringList row;
    row.reserve(qsizetype(cells.size()));
    for (const RecordCell& c : cells) {
        QString text = fromCp1252(trimmedView(fieldBytes(*layout, record, c.field)));
        if (c.joined >= 0) text = trimmed(text + u' ' + fromCp1252(trimmedView(fieldBytes(*layout, record, c.joined))));
        row << text;
    }
    return row;
}

bool writeSpreadsheetRecords(const QString& path, const QString& sheetName, std::span<const ExportColumn> header,
                             const RecordRow& row, const RecordStream& records, QString* error) {
    const std::size_t columns = header.size();
    // Where each cell's fields lie in the record, found once for the whole file.
    struct Place {
        int offset;
        int capacity;
    };
    auto place = [&](int field) {
        return field < 0 ? Place{-1, 0} : Place{row.layout->offset(field), row.layout->fields[std::size_t(field)].capacity};
    };
    std::vector<std::pair<Place, Place>> places;
    for (const RecordCell& cell : row.cells) places.emplace_back(place(cell.field), place(cell.joined));
    const bool zeroTerminated = row.layout->zeroTerminated;
    auto trimmedAt = [&](const char* record, Place p) {
        if (p.offset < 0) return QByteArrayView();
        return trimmedView(zeroTerminated ? FixedZString::bytes(record + p.offset, p.capacity)
                                          : FixedString::bytes(record + p.offset, p.capacity));
    };
    return writeWhole(
        path,
        [&](Sink& sink) {
            return generate(sink, sheetName, header, [&](Sink& out) {
                return records([&](const char* record) {
                    out.put("<tr>");
                    for (std::size_t c = 0; c < columns; ++c) {
                        if (c >= row.cells.size()) {
                            out.put(kDataCell);
                            out.put("</td>");
                            continue;
                        }
                        const QByteArrayView first = trimmedAt(record, places[c].first);
                        const QByteArrayView second = trimmedAt(record, places[c].second);
                        const bool both = !first.isEmpty() && !second.isEmpty();
                        out.put(!both && allDigits(first.isEmpty() ? second : first) ? kDigitCell : kDataCell);
                        out.putBytes(first);
                        if (both) out.put(" ");
                        out.putBytes(second);
                        out.put("</td>");
                    }
                    out.put("</tr>");
                    out.flushIfFull();
                });
            });
        },
        error);
}

}  // namespace cal
