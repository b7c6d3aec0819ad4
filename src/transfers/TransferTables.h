#pragma once
// The transfer registers' tables outside their screens: search filters, list lines, export
// columns and rows, the not-executed test, the period selection of the export and the movement
// summary. Shared by the screens, the tests and the benchmark.
#include "core/AmountSummary.h"
#include "core/Search.h"
#include "transfers/TransferSettings.h"
#include "core/SpreadsheetWriter.h"
#include "transfers/TransferLayout.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>
#include <vector>

namespace cal {

inline constexpr FilterField kTransferFilters[] = {
    {"txtPagatore", "Pagatore:", TransferField::Pagatore},
    {"txtCodFiscPag", "Codice fiscale pagatore:", TransferField::CodFiscPag},
    {"txtBeneficiario", "Beneficiario:", TransferField::Beneficiario},
    {"txtCodFiscBen", "Codice fiscale beneficiario:", TransferField::CodFiscBen},
    {"txtTipo", "Tipo bonifico:", TransferField::Tipo},
    {"txtDataEse", "Data esecuzione:", TransferField::DataEse},
    {"txtCro", "CRO / TRN:", TransferField::Cro},
    {"txtDataAcc", "Data accredito:", TransferField::DataAcc},
    {"txtCausale", "Causale:", TransferField::Causale},
    {"txtNote", "Note:", TransferField::Note},
};

// The line of a transfer in the searches, the not-executed lists and the movement summaries:
// the other party first (the beneficiary of an issued transfer, the payer of a received one).
inline constexpr ListColumn kIssuedTransferLine[] = {
    {"Data: ", TransferField::DataEse, 10},     {"  A: ", TransferField::Beneficiario, 30},
    {"  Causale: ", TransferField::Causale, 40}, {"  Da: ", TransferField::Pagatore, 30},
    {"  € ", TransferField::Importo, 0}};
inline constexpr ListColumn kReceivedTransferLine[] = {
    {"Data: ", TransferField::DataEse, 10},     {"  Da: ", TransferField::Pagatore, 30},
    {"  Causale: ", TransferField::Causale, 40}, {"  A: ", TransferField::Beneficiario, 30},
    {"  € ", TransferField::Importo, 0}};

inline constexpr ExportColumn kTransferExportColumns[] = {
    {"Pagatore", 280},      {"C.F. pagatore", 250},   {"IBAN pagatore", 250},   {"Beneficiario", 280},
    {"C.F. beneficiario", 250}, {"IBAN beneficiario", 250}, {"Tipo bonifico", 250}, {"Data esecuzione", 200},
    {"Causale", 350},       {"CRO o TRN", 250},       {"Data accredito", 200},  {"Importo", 200},
    {"Note", 350},          {"Eseguito", 180}};

const RecordLayout& transferLayout(TransferRegister reg);
// The list line of a register (search, lists, movement summary).
ColumnLine transferLine(TransferRegister reg);
// The 14 export values of one transfer, each trimmed: the thirteen fields from the payer to the
// notes, then the executed flag.
inline constexpr auto kTransferExportCells =
    fieldCells<TransferField::Pagatore, TransferField::Note, TransferField::Eseguito>();
inline constexpr RecordRow transferExportRow{&kIssuedTransferLayout, kTransferExportCells};
// True when the executed flag, trimmed, is exactly "No" (a flag holding anything else is not listed).
bool isNotExecuted(const char* record);


// The movement summary of one register: the transfers executed from `from` to `to` (both
// included) whose other party (the beneficiary of an issued transfer, the payer of a received one)
// and reason contain the filters in use (as the search screens match), with a stored amount,
// sorted by their line, and the exact sum of their amounts. A record whose execution date or
// amount cannot be read is left out and counted. nullopt when the file cannot be read.
std::optional<AmountSummary> buildMovementSummary(const QString& path, TransferRegister reg,
                                                  const QString& counterparty, const QString& reason, QDate from,
                                                  QDate to);

}  // namespace cal
