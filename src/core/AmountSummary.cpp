#include "core/AmountSummary.h"

#include "core/Amount.h"
#include "core/DateText.h"
#include "core/Record.h"

#include <atomic>

namespace cal {

std::optional<AmountSummary> buildAmountSummary(const QString& path, const RecordLayout& layout,
                                                std::span<const SearchFilter> filters,
                                                const AmountSummaryFields& fields, QDate from, QDate to,
                                                const LineBuilder& line) {
    const RecordMatcher matcher(layout, filters);
    std::atomic<int> unreadable = 0;
    AmountTotal total;
    Listing listing = listRecords(
        path, layout,
        [&](const char* record) -> std::optional<qint64> {
            if (!matcher.matches(record)) return std::nullopt;
            const FieldText amount(layout, record, fields.amount);
            if (fields.emptyAmountSkipped && amount.text().isEmpty()) return std::nullopt;
            const auto date = parseDateText(FieldText(layout, record, fields.date).text());
            if (!date) {
                ++unreadable;
                return std::nullopt;
            }
            if (*date < from || *date > to) return std::nullopt;
            const auto units = Amount::parse(amount.text());
            if (!units) ++unreadable;
            return units ? std::optional<qint64>(units->units()) : std::nullopt;
        },
        [&](qint64 units) {
            if (total.add(Amount::fromUnits(units))) return true;
            ++unreadable;  // past what an amount holds
            return false;
        },
        line, true);
    if (!listing.complete) return std::nullopt;
    return AmountSummary{std::move(listing.list), total.text(), unreadable};
}

}  // namespace cal
