#include "services/ServiceTables.h"

#include "core/Amount.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kServiceLayout, record, field))); }
}  // namespace

QString serviceLine(const char* record) { return buildListLine(kServiceLayout, kServiceLine, record); }

QStringList serviceExportRow(const char* record) {
    QStringList row;
    // The sixteen fields before the invoice, then the flag; the invoice and attachments are not exported.
    for (int f = ServiceField::ID; f <= ServiceField::Note; ++f) row << value(record, f);
    row << value(record, ServiceField::Pagato);
    return row;
}

bool isUnpaid(const char* record) { return value(record, ServiceField::Pagato) == kNo; }

std::optional<FeeSummary> buildFeeSummary(const QString& path, const QString& fiscalCode, const QString& type,
                                          QDate from, QDate to) {
    const SearchFilter filters[] = {{ServiceField::CodFisc, fiscalCode}, {ServiceField::Tipologia, type}};
    const RecordMatcher matcher(kServiceLayout, filters);
    FeeSummary summary;
    AmountTotal total;
    const bool ok = scanRecordFile(path, kServiceLayout, [&](qint64 index, const char* record) {
        if (!matcher.matches(record)) return;
        const auto date = parseDateText(value(record, ServiceField::DataRic));
        if (!date) {
            ++summary.unreadable;
            return;
        }
        if (*date < from || *date > to) return;
        const auto rate = Amount::parse(value(record, ServiceField::Tariffa));
        if (!rate || !total.add(*rate)) {
            ++summary.unreadable;  // unreadable, or past what an amount holds
            return;
        }
        summary.lines.push_back({serviceLine(record), index});
    });
    if (!ok) return std::nullopt;
    sortListEntries(summary.lines);
    summary.total = total.text();
    return summary;
}

}  // namespace cal
