#include "transfers/TransferTables.h"

#include "core/Amount.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

#include <atomic>

namespace cal {

const RecordLayout& transferLayout(TransferRegister reg) {
    return reg == TransferRegister::Issued ? kIssuedTransferLayout : kReceivedTransferLayout;
}

ColumnLine transferLine(TransferRegister reg) {
    return reg == TransferRegister::Issued ? ColumnLine{&kIssuedTransferLayout, kIssuedTransferLine}
                                           : ColumnLine{&kReceivedTransferLayout, kReceivedTransferLine};
}

bool isNotExecuted(const char* record) {
    return FieldText(kIssuedTransferLayout, record, TransferField::Eseguito).text() == kNo;
}


std::optional<MovementSummary> buildMovementSummary(const QString& path, TransferRegister reg,
                                                    const QString& counterparty, const QString& reason, QDate from,
                                                    QDate to) {
    const int other = reg == TransferRegister::Issued ? TransferField::Beneficiario : TransferField::Pagatore;
    const SearchFilter filters[] = {{other, counterparty}, {TransferField::Causale, reason}};
    const RecordMatcher matcher(transferLayout(reg), filters);
    std::atomic<int> unreadable = 0;
    AmountTotal total;
    // The records are read in parts at once; the amounts are added in file order afterwards.
    Listing listing = listRecords(
        path, transferLayout(reg),
        [&](const char* record) -> std::optional<qint64> {
            if (!matcher.matches(record)) return std::nullopt;
            const FieldText amount(transferLayout(reg), record, TransferField::Importo);
            if (amount.text().isEmpty()) return std::nullopt;
            const auto date = parseDateText(FieldText(transferLayout(reg), record, TransferField::DataEse).text());
            if (!date) {
                ++unreadable;
                return std::nullopt;
            }
            if (*date < from || *date > to) return std::nullopt;
            const auto units = Amount::parse(amount.text());
            if (!units) ++unreadable;
            return units ? std::optional<qint64>(units->units()) : std::nullopt;
        },
        [&](qint64 amount) {
            if (total.add(Amount::fromUnits(amount))) return true;
            ++unreadable;  // past what an amount holds
            return false;
        },
        transferLine(reg), true);
    if (!listing.complete) return std::nullopt;
    return MovementSummary{std::move(listing.list), total.text(), unreadable};
}

}  // namespace cal
