#include "pricelist/TfrmTariffario.h"

#include "pricelist/PriceListTables.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"

namespace cal {
namespace {

using namespace PriceListField;

const ArchiveDefinition kPriceList{
    .objectName = "TfrmTariffario",
    .layout = &kPriceListLayout,
    .caption = " Calvetra 4.0 - Tariffario Servizi",
    .keyword = "tariffario",
    .groups =
        {
            {" Servizio: ",
             {{ID, "Codice ID servizio:"},
              {Tipologia, "Tipologia:"},
              {Descrizione, "Descrizione:"},
              {Ordinaria, "Tariffa ordinaria:", Control::Amount4},
              {Scontata, "Tariffa scontata:", Control::Amount4},
              {Spese, "Spese accessorie:"},
              {.field = TarScontata,
               .label = "Tariffa scontata",
               .control = Control::Check,
               .hint = "Spunta questa casella per indicare che il servizio viene fornito a tariffa scontata."}}},
            {" Persona addetta: ",
             {{Persona, "Persona addetta:", Control::Line, Typing::Free,
               {{Side::Import, "impPersona", "Importa i dati dall'archivio anagrafico dei Clienti.", nullptr,
                 "TfrmTrovaClienti", "tariffario"}}},
              {CodFisc, "Codice fiscale:", Control::Line, Typing::UpperTrim,
               {{Side::FiscalCode, "btnCodFisc", "Controlla il codice fiscale."}}},
              {Recapito, "Tel. preferenziale:"},
              {Email, "E-mail:", Control::Line, Typing::Trim,
               {{Side::Email, "btnEmail", "Invia una e-mail all'indirizzo indicato."}}}}},
            {" Requisiti e modalità: ",
             {{Uffici, "Uffici interessati:"},
              {Requisiti, "Requisiti necessari:"},
              {Documenti, "Documenti richiesti:"},
              {Pagamento, "Modalità pagamento:"},
              {Tempi, "Tempi occorrenti:"},
              {Note, "Note:"}}},
            {" Modulo di richiesta: ",
             {{Copia, "Modulo richiesta servizio:", Control::ReadOnly, Typing::Free,
               documentSlot()}}},
        },
    .commands =
        {
            {Cmd::New, Hint::kNew},
            {Cmd::Duplicate, Hint::kDuplicate},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaTariffario"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Attachments, Hint::kAttach},
            {Cmd::Print, Hint::kPrint},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo dei servizi con tariffa scontata.",
             .target = "TfrmTariffeScontate",
             .objectName = "cmdScontate",
             .caption = "Scontate",
             .picture = "format-number-percent",
             .keys = "Ctrl+R"},
            {Cmd::Export, Hint::kExport, "TfrmExpTariffario"},
            {Cmd::Help, Hint::kHelp, "Applicazione Tariffario Servizi."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks =
        {
            required(ID, "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del servizio."),
            required(Tipologia, "Attenzione: per salvare la scheda è necessario indicare la tipologia di servizio."),
            required(Descrizione, "Attenzione: per salvare la scheda è necessario indicare la descrizione del servizio."),
            required(Ordinaria, "Attenzione: per salvare la scheda è necessario indicare la tariffa ordinaria."),
            required(Scontata, "Attenzione: per salvare la scheda è necessario indicare la tariffa scontata."),
        },
    .onClear = {{Ordinaria, Preset::ZeroAmount}, {Scontata, Preset::ZeroAmount}},
    .onDuplicate = {{ID, Preset::Empty}, {Copia, Preset::Empty}},
    .enterChain = {ID, Tipologia, Descrizione, Ordinaria, Scontata, Spese, Persona, CodFisc, Recapito, Email, Uffici,
                   Requisiti, Documenti, Pagamento, Tempi, Note, Copia},
    .card =
        {
            .kind = CardKind::FixedCaption,
            .title = "SCHEDA TARIFFA SERVIZIO",
            .rows =
                {
                    {"txtID", "Codice ID servizio:"},
                    {"txtTipologia", "Tipologia:"},
                    {"txtDescrizione", "Descrizione:"},
                    {"txtOrdinaria", "Tariffa ordinaria:"},
                    {"txtScontata", "Tariffa scontata:"},
                    {"txtSpese", "Spese accessorie:"},
                    {"txtPersona", "Persona addetta:"},
                    {"txtCodFisc", "Codice fiscale:"},
                    {"txtRecapito", "Tel. preferenziale:"},
                    {"txtEmail", "Indirizzo e-mail:"},
                    {"txtUffici", "Uffici interessati:"},
                    {"txtRequisiti", "Requisiti necessari:"},
                    {"txtDocumenti", "Documenti richiesti:"},
                    {"txtPagamento", "Modalità pagamento:"},
                    {"txtTempi", "Tempi occorrenti:"},
                    {"txtNote", "Note:"},
                },
            .printScreen = "TfrmStampaTariffa",
            .printCaption = " Stampa scheda",
        },
    .attachments = File01,
};

constexpr ColumnLine searchLine{&kPriceListLayout, kPriceListLine};

const SearchDefinition kPriceListSearch{
    .objectName = "TfrmTrovaTariffario",
    .caption = QStringLiteral(" Trova servizi in tariffario"),
    .layout = &kPriceListLayout,
    .filters = kPriceListFilters,
    .line = searchLine,
    .listTitle = QStringLiteral("Tariffario servizi"),
    .ownKeyword = QStringLiteral("tariffario"),
    .pickers = kServicePickers,
    .countBefore = QStringLiteral("Il presente elenco contiene 0 schede."),
};

const SearchDefinition kDiscountedList{
    .objectName = "TfrmTariffeScontate",
    .caption = QStringLiteral(" Riepilogo servizi con tariffa scontata"),
    .layout = &kPriceListLayout,
    .line = ColumnLine{&kPriceListLayout, kDiscountedLine},
    .listed = isDiscounted,
    .listTitle = QStringLiteral("Riepilogo servizi con tariffa scontata"),
    .ownKeyword = QStringLiteral("tariffario"),
};

const ExportDefinition kPriceListExport{
    .objectName = "TfrmExpTariffario",
    .caption = QStringLiteral(" Esporta tariffario servizi in Microsoft Excel"),
    .fileName = "Tariffario.xls",
    .sheetName = "Tariffario Servizi",
    .columns = kPriceListExportColumns,
    .helpTitle = QStringLiteral("Esportazione tariffario servizi in Microsoft Excel."),
    .layout = &kPriceListLayout,
    .row = priceListExportRow,
};

}  // namespace

TfrmTariffario::TfrmTariffario(QWidget* parent) : ArchiveScreen(kPriceList, parent) {}

const ArchiveModule& priceListModule() {
    static const ArchiveModule module{
        .archive = &kPriceList,
        .create = [] { return new TfrmTariffario; },
        .searches = {&kPriceListSearch, &kDiscountedList},
        .exports = {&kPriceListExport},
        .launcher = {{.entry = "Tariffario", .caption = "Tariffario Servizi",
                      .hint = "Catalogo dei servizi con tariffe ordinarie e scontate.",
                      .icon = "archive-pricelist"}},
    };
    return module;
}

}  // namespace cal
