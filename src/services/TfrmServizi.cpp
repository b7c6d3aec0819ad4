#include "services/TfrmServizi.h"

#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/YearMenu.h"
#include "services/FeeSummary.h"
#include "services/ServiceTables.h"

namespace cal {
namespace {

using namespace ServiceField;

const char* const kDateHint = "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";

const ArchiveDefinition kServices{
    .objectName = "TfrmServizi",
    .layout = &kServiceLayout,
    .caption = " Calvetra 4.0 - Registro Servizi",
    .keyword = "servizi",
    .groups =
        {
            {" Servizio: ",
             {{ID, "Codice ID servizio:", Control::Line, Typing::Free,
               {{Side::Import, "impServizioOrd", "Importa i dati dal tariffario dei servizi con tariffa ordinaria.",
                 "Tariffa ordinaria", "TfrmTrovaTariffario", "serviziord"},
                {Side::Import, "impServizioSco", "Importa i dati dal tariffario dei servizi con tariffa scontata.",
                 "Tariffa scontata", "TfrmTrovaTariffario", "servizisco"}}},
              {Tipologia, "Tipologia:"},
              {Descrizione, "Descrizione:"},
              {Tariffa, "Tariffa:", Control::Amount4},
              {.field = DataRic, .label = "Data richiesta:", .control = Control::PickedDate, .dateKeyword = "dataric",
               .hint = kDateHint},
              {.field = DataEsp, .label = "Data espletamento:", .control = Control::PickedDate,
               .dateKeyword = "dataesp", .hint = kDateHint},
              {Pagamento, "Modalità di pagamento:"},
              {.field = Pagato,
               .label = "Pagato",
               .control = Control::Check,
               .hint = "Spunta questa casella per indicare che il servizio è stato saldato dal Cliente."}}},
            {" Cliente: ",
             {{Cliente, "Cognome e nome Cliente:", Control::Line, Typing::Free,
               {{Side::Import, "impCliente", "Importa i dati dall'archivio anagrafico dei Clienti.", nullptr,
                 "TfrmTrovaClienti", "servizi"}}},
              {CodFisc, "Codice fiscale:", Control::Line, Typing::UpperTrim,
               {{Side::FiscalCode, "btnCodFisc", "Controlla il codice fiscale."}}},
              {Ditta, "Denominazione Ditta:"},
              {Iva, "Partita IVA:", Control::Line, Typing::Digits,
               {{Side::VatNumber, "btnIva", "Controlla il numero di partita IVA."}}}}},
            {" Avanzamento della pratica: ",
             {{Stato, "Stato avanzamento:"},
              {Uffici, "Uffici contattati:"},
              {Documenti, "Documenti prodotti:"},
              {Questioni, "Questioni in sospeso:"},
              {Note, "Note:"}}},
            {" Fattura: ",
             {{Copia, "Fattura rilasciata al Cliente:", Control::ReadOnly, Typing::Free,
               documentSlot()}}},
        },
    .commands =
        {
            {Cmd::New, Hint::kNew},
            {Cmd::Duplicate, Hint::kDuplicate},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaServizi"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Attachments, Hint::kAttach},
            {Cmd::Print, Hint::kPrint},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo dei servizi non ancora saldati dai Clienti.",
             .target = "TfrmNonPagati",
             .objectName = "cmdNonPagati",
             .caption = "Non pagati",
             .picture = "taxes-finances",
             .keys = "Ctrl+R"},
            {Cmd::Export, Hint::kExport, "TfrmExpServizi"},
            {Cmd::Help, Hint::kHelp, "Applicazione Registro Servizi."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks =
        {
            required(ID, "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del servizio."),
            required(Tipologia, "Attenzione: per salvare la scheda è necessario indicare la tipologia di servizio."),
            required(Descrizione, "Attenzione: per salvare la scheda è necessario indicare la descrizione del servizio."),
            required(Tariffa, "Attenzione: per salvare la scheda è necessario indicare la tariffa."),
            required(DataRic, "Attenzione: per salvare la scheda è necessario indicare la data di richiesta del servizio."),
            required(Cliente, "Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."),
            required(CodFisc, "Attenzione: per salvare la scheda è necessario indicare il codice fiscale del Cliente."),
        },
    .onClear = {{Tariffa, Preset::ZeroAmount}, {DataRic, Preset::Today}},
    .onDuplicate = {{DataRic, Preset::Today}, {Copia, Preset::Empty}},
    .enterChain = {ID, Tipologia, Descrizione, Tariffa, DataRic, DataEsp, Pagamento, Cliente, CodFisc, Ditta, Iva,
                   Stato, Uffici, Documenti, Questioni, Note, Copia},
    .card =
        {
            .kind = CardKind::FixedCaption,
            .title = "SCHEDA SERVIZIO PRESTATO",
            .rows =
                {
                    {"txtID", "Codice ID servizio:"},
                    {"txtTipologia", "Tipologia:"},
                    {"txtDescrizione", "Descrizione:"},
                    {"txtTariffa", "Tariffa:"},
                    {"txtDataRic", "Data richiesta:"},
                    {"txtDataEsp", "Data espletamento:"},
                    {"txtPagamento", "Modalità di pagamento:"},
                    {"txtCliente", "Cognome e nome Cliente:"},
                    {"txtCodFisc", "Codice fiscale:"},
                    {"txtDitta", "Denominazione Ditta:"},
                    {"txtIva", "Partita IVA:"},
                    {"txtStato", "Stato avanzamento:"},
                    {"txtUffici", "Uffici contattati:"},
                    {"txtDocumenti", "Documenti prodotti:"},
                    {"txtQuestioni", "Questioni in sospeso:"},
                    {"txtNote", "Note:"},
                },
            .printScreen = "TfrmStampaServizio",
            .printCaption = " Stampa scheda",
        },
    .attachments = File01,
};

const SearchDefinition kServiceSearch{
    .objectName = "TfrmTrovaServizi",
    .caption = QStringLiteral(" Trova servizi in archivio"),
    .layout = &kServiceLayout,
    .filters = kServiceFilters,
    .line = serviceLine,
    .listTitle = QStringLiteral("Registro servizi"),
    .ownKeyword = QStringLiteral("servizi"),
    .countBefore = QStringLiteral("Il presente elenco contiene 0 schede."),
};

const SearchDefinition kUnpaidList{
    .objectName = "TfrmNonPagati",
    .caption = QStringLiteral(" Riepilogo servizi non saldati"),
    .layout = &kServiceLayout,
    .line = serviceLine,
    .listed = isUnpaid,
    .listTitle = QStringLiteral("Riepilogo servizi non saldati"),
    .ownKeyword = QStringLiteral("servizi"),
};

const ExportDefinition kServiceExport{
    .objectName = "TfrmExpServizi",
    .caption = QStringLiteral(" Esporta registro servizi in Microsoft Excel"),
    .fileName = "Servizi.xls",
    .sheetName = "Registro Servizi",
    .columns = kServiceExportColumns,
    .helpTitle = QStringLiteral("Esportazione registro servizi in Microsoft Excel."),
    .layout = &kServiceLayout,
    .row = serviceExportRow,
};

}  // namespace

TfrmServizi::TfrmServizi(QWidget* parent) : ArchiveScreen(kServices, parent) {}

const YearMenuTexts kServiceYearMenu{
    .objectName = "TfrmMenuServizi",
    .caption = " Calvetra 4.0 - Registro Servizi",
    .heading = "ARCHIVIO SERVIZI:",
    .info = "In questo ambiente è possibile archiviare schede riassuntive dei servizi forniti ai propri Clienti e "
            "visualizzare il riepilogo dei compensi.",
    .extension = ".ser",
    .archiveTitle = " Calvetra 4.0 - Registro Servizi anno ",
    .keyword = "servizi",
    .helpTitle = "Applicazione Registro Servizi.",
    .otherButton = "btnCompensi",
    .otherCaption = "Riepilogo compensi",
    .otherKeyword = "compensi",
    .otherScreen = "TfrmMenuRiepCosti",
};

const ArchiveModule& serviceModule() {
    static const ArchiveModule module{
        .archive = &kServices,
        .create = [] { return new TfrmServizi; },
        .searches = {&kServiceSearch, &kUnpaidList},
        .exports = {&kServiceExport},
        .screens = {{"TfrmMenuRiepCosti", [] { return new TfrmMenuRiepCosti; }}},
        .launcher = {{.entry = "Servizi", .caption = "Registro Servizi",
                      .hint = "Registro annuale dei servizi prestati e riepilogo dei compensi.",
                      .icon = "archive-services", .yearMenu = &kServiceYearMenu}},
    };
    return module;
}

}  // namespace cal
