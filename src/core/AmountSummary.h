#pragma once
// A summary of amounts: the records of a file that match its filters (as the search screens
// match) and whose date falls in an interval (both ends included), listed by their line, with the
// exact total of their amounts. Each archive's summary names its filters, its date and its amount.
#include "core/RecordLayout.h"
#include "core/Search.h"

#include <QDate>
#include <QString>

#include <optional>
#include <span>

namespace cal {

struct AmountSummaryFields {
    int date;    // the record's date
    int amount;  // the record's amount
    // A record with no amount at all is not listed and not counted as unreadable (an amount that
    // was never given); otherwise an empty amount is unreadable.
    bool emptyAmountSkipped = false;
};

struct AmountSummary {
    ResultList list;
    QString total;       // "0,00" when nothing is listed
    int unreadable = 0;  // records left out because their date or amount cannot be read, or would
                         // take the total past what an amount holds
};

// nullopt when the file cannot be read. The records are read in parts at once; the amounts are
// added in file order afterwards, so the records a total too large leaves out are always the same.
std::optional<AmountSummary> buildAmountSummary(const QString& path, const RecordLayout& layout,
                                                std::span<const SearchFilter> filters,
                                                const AmountSummaryFields& fields, QDate from, QDate to,
                                                const LineBuilder& line);

}  // namespace cal
