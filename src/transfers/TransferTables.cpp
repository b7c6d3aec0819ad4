#include "transfers/TransferTables.h"

#include "core/Record.h"
#include "core/Text.h"

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


std::optional<AmountSummary> buildMovementSummary(const QString& path, TransferRegister reg,
                                                  const QString& counterparty, const QString& reason, QDate from,
                                                  QDate to) {
    const int other = reg == TransferRegister::Issued ? TransferField::Beneficiario : TransferField::Pagatore;
    const SearchFilter filters[] = {{other, counterparty}, {TransferField::Causale, reason}};
    return buildAmountSummary(
        path, transferLayout(reg), filters,
        {.date = TransferField::DataEse, .amount = TransferField::Importo, .emptyAmountSkipped = true}, from, to,
        transferLine(reg));
}

}  // namespace cal
