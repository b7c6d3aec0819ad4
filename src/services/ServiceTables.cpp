#include "services/ServiceTables.h"

#include "core/Amount.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

#include <atomic>

namespace cal {

bool isUnpaid(const char* record) { return FieldText(kServiceLayout, record, ServiceField::Pagato).text() == kNo; }

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
            const auto date = parseDateText(FieldText(kServiceLayout, record, ServiceField::DataRic).text());
            if (!date) {
                ++unreadable;
                return std::nullopt;
            }
            if (*date < from || *date > to) return std::nullopt;
            const auto rate = Amount::parse(FieldText(kServiceLayout, record, ServiceField::Tariffa).text());
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
