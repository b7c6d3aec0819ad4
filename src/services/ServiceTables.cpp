#include "services/ServiceTables.h"

#include "core/Amount.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

#include <atomic>

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kServiceLayout, record, field))); }
}  // namespace

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
    std::atomic<int> unreadable = 0;
    AmountTotal total;
    // The records are read in parts at once; the rates are added in file order afterwards.
    Listing listing = listRecords(
        path, kServiceLayout,
        [&](const char* record) -> std::optional<qint64> {
            if (!matcher.matches(record)) return std::nullopt;
            const auto date = parseDateText(value(record, ServiceField::DataRic));
            if (!date) {
                ++unreadable;
                return std::nullopt;
            }
            if (*date < from || *date > to) return std::nullopt;
            const auto rate = Amount::parse(value(record, ServiceField::Tariffa));
            if (!rate) ++unreadable;
            return rate ? std::optional<qint64>(rate->units()) : std::nullopt;
        },
        [&](qint64 rate) {
            if (total.add(Amount::fromUnits(rate))) return true;
            ++unreadable;  // past what an amount holds
            return false;
        },
        serviceLine, true);
    if (!listing.complete) return std::nullopt;
    return FeeSummary{std::move(listing.list), total.text(), unreadable};
}

}  // namespace cal
