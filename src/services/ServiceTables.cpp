#include "services/ServiceTables.h"

#include "core/Record.h"
#include "core/Text.h"

namespace cal {

bool isUnpaid(const char* record) { return FieldText(kServiceLayout, record, ServiceField::Pagato).text() == kNo; }

std::optional<AmountSummary> buildFeeSummary(const QString& path, const QString& fiscalCode, const QString& type,
                                             QDate from, QDate to) {
    const SearchFilter filters[] = {{ServiceField::CodFisc, fiscalCode}, {ServiceField::Tipologia, type}};
    return buildAmountSummary(path, kServiceLayout, filters, {.date = ServiceField::DataRic, .amount = ServiceField::Tariffa},
                              from, to, serviceLine);
}

}  // namespace cal
