#pragma once
// The client archive's tables outside its screens: search filters, list lines and
// export columns. Shared by the screens, the tests and the benchmark.
#include "clients/ClientLayout.h"
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"

#include <QStringList>

namespace cal {

// Filter fields of the client search, in their Enter order, with their labels.
inline constexpr FilterField kClientFilters[] = {
    {"txtCliente", "Cognome e nome o ragione sociale:", ClientField::Cliente},
    {"txtComuneRes", "Comune di residenza:", ClientField::ComuneRes},
    {"txtPartitaIva", "Partita IVA:", ClientField::PartitaIva},
    {"txtCodFisc", "Codice fiscale:", ClientField::CodFisc},
    {"txtDocumento", "Tipo e numero documento:", ClientField::Documento},
    {"txtEnteRil", "Ente di rilascio:", ClientField::EnteRil},
    {"txtServizi", "Prodotti o servizi abitualmente richiesti:", ClientField::Servizi},
    {"txtTessera", "Tessera n.", ClientField::Tessera},
    {"txtQuestioni", "Questioni in sospeso:", ClientField::Questioni},
    {"txtNote", "Note:", ClientField::Note},
};

inline constexpr ListColumn kClientSearchLine[] = {
    {"", ClientField::Cliente, 26},      {"  Tel. ", ClientField::Recapito, 15},
    {"  Servizi: ", ClientField::Servizi, 30}, {"  Città: ", ClientField::ComuneRes, 26},
    {"  ", ClientField::Note, 0}};

inline constexpr ListColumn kClientRecontactLine[] = {
    {"", ClientField::Cliente, 26},      {"  Tel. ", ClientField::Recapito, 15},
    {"  Servizi: ", ClientField::Servizi, 30}, {"  Città: ", ClientField::ComuneRes, 26},
    {"  ", ClientField::Questioni, 0}};

// What the client picker copies for each caller keyword: client field -> caller's field.
namespace ClientPicker {
using namespace ClientField;
inline constexpr FieldCopy kPriceList[] = {{Cliente, "txtPersona"}, {CodFisc, "txtCodFisc"}, {Recapito, "txtRecapito"}, {Email, "txtEmail"}};
inline constexpr FieldCopy kServices[] = {{Cliente, "txtCliente"}, {CodFisc, "txtCodFisc"}, {PartitaIva, "txtIva"}};
inline constexpr FieldCopy kFeeSummary[] = {{CodFisc, "txtCliente"}};
inline constexpr FieldCopy kDeadlines[] = {{Cliente, "txtCliente"}, {CodFisc, "txtCodFisc"}, {Recapito, "txtRecapito"}};
inline constexpr FieldCopy kPayer[] = {{Cliente, "txtPagatore"}, {CodFisc, "txtCodFiscPag"}, {Iban, "txtIbanPag"}};
inline constexpr FieldCopy kBeneficiary[] = {{Cliente, "txtBeneficiario"}, {CodFisc, "txtCodFiscBen"}, {Iban, "txtIbanBen"}};
}  // namespace ClientPicker

inline constexpr PickerKeyword kClientPickers[] = {
    {"tariffario", "TfrmTariffario", ClientPicker::kPriceList},
    {"servizi", "TfrmServizi", ClientPicker::kServices},
    {"riepilogo", "TfrmMenuRiepCosti", ClientPicker::kFeeSummary},
    {"scadenzario", "TfrmScadenzario", ClientPicker::kDeadlines},
    {"bonificiemessi_pagatore", "TfrmBonificiEmessi", ClientPicker::kPayer},
    {"bonificiemessi_beneficiario", "TfrmBonificiEmessi", ClientPicker::kBeneficiary},
    {"bonificiricevuti_pagatore", "TfrmBonificiRicevuti", ClientPicker::kPayer},
    {"bonificiricevuti_beneficiario", "TfrmBonificiRicevuti", ClientPicker::kBeneficiary},
};

// Grid headers of the export screen differ from the file's in one column only.
inline constexpr ExportColumn kClientExportColumns[] = {
    {"Cliente", 280}, {"Data di nascita", 200}, {"Comune di nascita", 250},
    {"Tel. preferenziale", 250}, {"Indirizzo di residenza", 300}, {"Comune di residenza", 250},
    {"Modalità di pagamento", 250}, {"Tel. casa", 250}, {"Tel. ufficio", 250},
    {"Tel. cellulare", 250}, {"PEC", 250}, {"E-mail", 250}, {"Codice fiscale", 250},
    {"Partita IVA", 250}, {"Carta di credito n.", 300}, {"Scadenza", 150}, {"IBAN", 300},
    {"Tipo e numero documento", 280}, {"Ente di rilascio", 250}, {"Data di rilascio", 250},
    {"Prodotti o servizi richiesti", 350}, {"Tariffa applicata", 250}, {"Tessera n.", 250},
    {"Questioni in sospeso", 350}, {"Note", 350}};
inline constexpr const char* kClientExportGridHeader3 = "Comune / Stato estero di nascita";

// The 25 export values of one client record, each trimmed; the place of birth and the town of
// residence each with its province after a blank.
inline constexpr RecordCell kClientExportCells[] = {
    {ClientField::Cliente},      {ClientField::DataNasc},  {ClientField::ComuneNasc, ClientField::ProvNasc},
    {ClientField::Recapito},     {ClientField::IndirizzoRes}, {ClientField::ComuneRes, ClientField::ProvRes},
    {ClientField::Estremi},      {ClientField::TelCasa},   {ClientField::TelUff},     {ClientField::TelCel},
    {ClientField::Fax},          {ClientField::Email},     {ClientField::CodFisc},    {ClientField::PartitaIva},
    {ClientField::Carta},        {ClientField::ScadeCarta}, {ClientField::Iban},      {ClientField::Documento},
    {ClientField::EnteRil},      {ClientField::DataRil},   {ClientField::Servizi},    {ClientField::Tariffa},
    {ClientField::Tessera},      {ClientField::Questioni}, {ClientField::Note}};
inline constexpr RecordRow clientExportRow{&kClientLayout, kClientExportCells};

}  // namespace cal
