#pragma once
// The price list's tables outside its screens: search filters, list lines, picker copies and
// export columns. Shared by the screens, the tests and the benchmark.
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "pricelist/PriceListLayout.h"

#include <QStringList>

namespace cal {

inline constexpr FilterField kPriceListFilters[] = {
    {"txtID", "Codice ID servizio:", PriceListField::ID},
    {"txtTipologia", "Tipologia:", PriceListField::Tipologia},
    {"txtDescrizione", "Descrizione:", PriceListField::Descrizione},
    {"txtSpese", "Spese accessorie:", PriceListField::Spese},
    {"txtPersona", "Persona addetta:", PriceListField::Persona},
    {"txtCodFisc", "Codice fiscale:", PriceListField::CodFisc},
    {"txtUffici", "Uffici interessati:", PriceListField::Uffici},
    {"txtRequisiti", "Requisiti necessari:", PriceListField::Requisiti},
    {"txtDocumenti", "Documenti richiesti:", PriceListField::Documenti},
    {"txtNote", "Note:", PriceListField::Note},
};

// The line of a service: the search shows the ordinary rate, the discounted list the discounted one.
inline constexpr ListColumn kPriceListLine[] = {
    {"", PriceListField::Descrizione, 40}, {"  ID: ", PriceListField::ID, 20},
    {"  Addetto: ", PriceListField::Persona, 30}, {"  Tel. ", PriceListField::Recapito, 18},
    {"  Costo: € ", PriceListField::Ordinaria, 0}};
inline constexpr ListColumn kDiscountedLine[] = {
    {"", PriceListField::Descrizione, 40}, {"  ID: ", PriceListField::ID, 20},
    {"  Addetto: ", PriceListField::Persona, 30}, {"  Tel. ", PriceListField::Recapito, 18},
    {"  Costo: € ", PriceListField::Scontata, 0}};

// What the service picker copies for each caller keyword: price list field -> caller's field.
namespace ServicePicker {
using namespace PriceListField;
inline constexpr FieldCopy kOrdinary[] = {
    {ID, "txtID"}, {Tipologia, "txtTipologia"}, {Descrizione, "txtDescrizione"}, {Ordinaria, "txtTariffa"},
    {Pagamento, "txtPagamento"}};
inline constexpr FieldCopy kDiscounted[] = {
    {ID, "txtID"}, {Tipologia, "txtTipologia"}, {Descrizione, "txtDescrizione"}, {Scontata, "txtTariffa"},
    {Pagamento, "txtPagamento"}};
inline constexpr FieldCopy kDeadlines[] = {
    {ID, "txtID"},           {Tipologia, "txtTipologia"}, {Descrizione, "txtDescrizione"}, {Uffici, "txtUffici"},
    {Requisiti, "txtRequisiti"}, {Documenti, "txtDocumenti"}, {Persona, "txtPersona"},   {Pagamento, "txtPagamento"},
    {Ordinaria, "txtCosto"}, {Spese, "txtSpese"}};
}  // namespace ServicePicker

// The screen each keyword fills, for the name checks.
inline constexpr PickerKeyword kServicePickers[] = {
    {"serviziord", "TfrmServizi", ServicePicker::kOrdinary},
    {"servizisco", "TfrmServizi", ServicePicker::kDiscounted},
    {"scadenzario", "TfrmScadenzario", ServicePicker::kDeadlines},
};

inline constexpr ExportColumn kPriceListExportColumns[] = {
    {"Codice ID servizio", 200}, {"Tipologia", 250},       {"Descrizione", 300},       {"Tariffa ordinaria", 200},
    {"Tariffa scontata", 200},   {"Spese accessorie", 300}, {"Persona addetta", 250},  {"Codice fiscale", 200},
    {"Tel. preferenziale", 200}, {"E-mail", 250},           {"Uffici interessati", 300}, {"Requisiti necessari", 300},
    {"Documenti richiesti", 300}, {"Modalità pagamento", 250}, {"Tempi occorrenti", 250}, {"Note", 300},
    {"Sconto", 150}};

// The 17 export values of one service record, each trimmed: the first sixteen fields in file order,
// then the flag; the request form is not exported.
inline constexpr auto kPriceListExportCells = fieldCells<PriceListField::ID, PriceListField::Note, PriceListField::TarScontata>();
inline constexpr RecordRow priceListExportRow{&kPriceListLayout, kPriceListExportCells};
// True when the service's discounted flag, trimmed, is exactly "Sì".
bool isDiscounted(const char* record);

}  // namespace cal
