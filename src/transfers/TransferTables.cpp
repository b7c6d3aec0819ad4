#include "transfers/TransferTables.h"

#include "core/Amount.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {
namespace {
QString value(const char* record, int field) {
    return trimmed(fromCp1252(fieldBytes(kIssuedTransferLayout, record, field)));
}
}  // namespace

const RecordLayout& transferLayout(TransferRegister reg) {
    return reg == TransferRegister::Issued ? kIssuedTransferLayout : kReceivedTransferLayout;
}

QString transferLine(TransferRegister reg, const char* record) {
    return reg == TransferRegister::Issued ? buildListLine(kIssuedTransferLayout, kIssuedTransferLine, record)
                                           : buildListLine(kReceivedTransferLayout, kReceivedTransferLine, record);
}

QStringList transferExportRow(const char* record) {
    QStringList row;
    for (int f = TransferField::Pagatore; f <= TransferField::Note; ++f) row << value(record, f);
    row << value(record, TransferField::Eseguito);
    return row;
}

bool isNotExecuted(const char* record) { return value(record, TransferField::Eseguito) == kNo; }

std::optional<TransferPeriod> transfersInPeriod(const QString& path, QDate from, QDate to) {
    TransferPeriod period;
    const bool ok = scanRecordFile(path, kIssuedTransferLayout, [&](qint64, const char* record) {
        ++period.records;
        const auto date = parseDateText(value(record, TransferField::DataEse));
        if (!date) {
            ++period.unreadable;
            return;
        }
        if (*date >= from && *date <= to) period.rows << transferExportRow(record);
    });
    if (!ok) return std::nullopt;
    return period;
}

std::optional<MovementSummary> buildMovementSummary(const QString& path, TransferRegister reg,
                                                    const QString& counterparty, const QString& reason, QDate from,
                                                    QDate to) {
    const int other = reg == TransferRegister::Issued ? TransferField::Beneficiario : TransferField::Pagatore;
    const SearchFilter filters[] = {{other, counterparty}, {TransferField::Causale, reason}};
    const RecordMatcher matcher(transferLayout(reg), filters);
    MovementSummary summary;
    AmountTotal total;
    const bool ok = scanRecordFile(path, transferLayout(reg), [&](qint64 index, const char* record) {
        if (!matcher.matches(record)) return;
        const QString amount = value(record, TransferField::Importo);
        if (amount.isEmpty()) return;
        const auto date = parseDateText(value(record, TransferField::DataEse));
        if (!date) {
            ++summary.unreadable;
            return;
        }
        if (*date < from || *date > to) return;
        if (!total.add(amount)) {
            ++summary.unreadable;  // unreadable, or past what an amount holds
            return;
        }
        summary.lines.push_back({transferLine(reg, record), index});
    });
    if (!ok) return std::nullopt;
    sortListEntries(summary.lines);
    summary.total = total.text();
    return summary;
}

}  // namespace cal
