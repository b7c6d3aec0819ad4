#pragma once
// The service register's tables outside its screens: search filters, the service line (shared
// with the fee summary), export columns. Shared by the screens, the tests and the benchmark.
#include "core/AmountSummary.h"
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "services/ServiceLayout.h"

#include <QDate>
#include <QStringList>

#include <optional>
#include <vector>

namespace cal {

inline constexpr FilterField kServiceFilters[] = {
    {"txtID", "Codice ID servizio:", ServiceField::ID},
    {"txtTipologia", "Tipologia:", ServiceField::Tipologia},
    {"txtDescrizione", "Descrizione:", ServiceField::Descrizione},
    {"txtStato", "Stato avanzamento:", ServiceField::Stato},
    {"txtCliente", "Cognome e nome Cliente:", ServiceField::Cliente},
    {"txtCodFisc", "Codice fiscale:", ServiceField::CodFisc},
    {"txtDitta", "Denominazione Ditta:", ServiceField::Ditta},
    {"txtIva", "Partita IVA:", ServiceField::Iva},
    {"txtQuestioni", "Questioni in sospeso:", ServiceField::Questioni},
    {"txtNote", "Note:", ServiceField::Note},
};

// The line of a service in the search, the unpaid list and the fee summary.
inline constexpr ListColumn kServiceLine[] = {
    {"ID: ", ServiceField::ID, 20},          {"  ", ServiceField::Descrizione, 35},
    {"  Data: ", ServiceField::DataRic, 10}, {"  ", ServiceField::Cliente, 28},
    {"  CF: ", ServiceField::CodFisc, 16},   {"  Tariffa: € ", ServiceField::Tariffa, 0}};

inline constexpr ExportColumn kServiceExportColumns[] = {
    {"Codice ID servizio", 200}, {"Tipologia", 250},        {"Descrizione", 300},
    {"Tariffa", 200},            {"Data richiesta", 200},   {"Data espletamento", 200},
    {"Modalità di pagamento", 300}, {"Cognome e nome Cliente", 250}, {"Codice fiscale", 200},
    {"Denominazione Ditta", 250}, {"Partita IVA", 200},     {"Stato avanzamento", 300},
    {"Uffici contattati", 300},  {"Documenti prodotti", 300}, {"Questioni in sospeso", 300},
    {"Note", 300},               {"Pagato", 150}};

inline constexpr ColumnLine serviceLine{&kServiceLayout, kServiceLine};
// The 17 export values of one service record, each trimmed: the sixteen fields before the invoice,
// then the flag; the invoice and attachments are not exported.
inline constexpr auto kServiceExportCells = fieldCells<ServiceField::ID, ServiceField::Note, ServiceField::Pagato>();
inline constexpr RecordRow serviceExportRow{&kServiceLayout, kServiceExportCells};
// True when the paid flag, trimmed, is exactly "No" (a flag holding anything else is not listed).
bool isUnpaid(const char* record);

// The fee summary of one year's register: the services requested from `from` to `to` (both
// included) whose fiscal code and type contain the filters in use (as the search screens match),
// sorted by their line, and the exact sum of their rates. A record whose request date or rate
// cannot be read is left out and counted. nullopt when the file cannot be read.
std::optional<AmountSummary> buildFeeSummary(const QString& path, const QString& fiscalCode, const QString& type,
                                             QDate from, QDate to);

}  // namespace cal
