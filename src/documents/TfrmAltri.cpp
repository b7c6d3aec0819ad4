#include "documents/TfrmAltri.h"

#include "documents/DocumentTables.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"

namespace cal {
namespace {

using namespace DocumentField;

const char* const kDateHint =
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";

const ArchiveDefinition kDocuments{
    .objectName = "TfrmAltri",
    .layout = &kDocumentLayout,
    .caption = " Calvetra 4.0 - Archivio Documenti",
    .keyword = "altri",
    .groups =
        {
            {" Produzione: ",
             {{Documento, "Documento:"},
              {Protocollo, "Protocollo n."},
              {Produttore, "Produttore:"},
              {IndirizzoPro, "Indirizzo produttore:"},
              {.field = DataPro,
               .label = "Data produzione:",
               .control = Control::PickedDate,
               .dateKeyword = "datapro",
               .hint = kDateHint}}},
            {" Ricezione: ",
             {{Destinatario, "Destinatario:"},
              {IndirizzoDes, "Indirizzo destinatario:"},
              {.field = DataDes,
               .label = "Data ricezione:",
               .control = Control::PickedDate,
               .dateKeyword = "datades",
               .hint = kDateHint}}},
            {" Contenuto e classificazione: ",
             {{Oggetto, "Oggetto:"},
              {Tipo, "Tipo documento:"},
              {Classificazione, "Classificazione:"},
              {Fascicolo, "Fascicolo contenitore del documento:"},
              {Formato, "Formato:"},
              {Pagine, "N. pagine:"},
              {Allegati, "Allegati:"},
              {Riferimenti, "Riferimenti:"}}},
            {" Riservatezza e conservazione: ",
             {{Livello, "Livello di riservatezza:"},
              {Software, "Software di produzione del documento:"},
              {Luogo, "Luogo conservazione originale cartaceo:"},
              {Soggetti, "Soggetti citati nel documento:"},
              {Note, "Note:"}}},
            {" Copia digitale: ",
             {{Copia, "Copia digitale documento:", Control::ReadOnly, Typing::Free,
               documentSlot("btnCancella", "Cancella il percorso del file allegato alla scheda corrente.")},
              {.field = DaCompletare,
               .label = "Da completare",
               .control = Control::Check,
               .hint = "Spunta questa casella per indicare che il documento deve ancora essere completato."}}},
        },
    .commands =
        {
            {Cmd::New, "Prepara la schermata per la registrazione di una nuova scheda."},
            {Cmd::Duplicate, "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaAltri"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Attachments, Hint::kAttach},
            {Cmd::Print, Hint::kPrint},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo dei documenti non ancora completati.",
             .target = "TfrmDaCompletare",
             .objectName = "cmdDaCompletare",
             .caption = "Da completare",
             .picture = "document-edit-sign",
             .keys = "Ctrl+R"},
            {Cmd::Export, "Esporta tutte le schede in archivio in un file di Microsoft Excel.", "TfrmExpAltri"},
            {Cmd::Help, Hint::kHelp, "Applicazione Archivio Documenti."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks =
        {
            required(Documento, "Attenzione: per salvare la scheda è necessario indicare il nome del documento."),
            required(Produttore,
                     "Attenzione: per salvare la scheda è necessario indicare il nome del produttore del documento."),
            required(DataPro,
                     "Attenzione: per salvare la scheda è necessario indicare la data di produzione del documento."),
        },
    // The duplicate is a new document: no digital copy yet, and not marked as still to complete.
    .onDuplicate = {{Copia, Preset::Empty}, {DaCompletare, Preset::Empty}},
    .enterChain = {Documento, Protocollo, Produttore, IndirizzoPro, DataPro, Destinatario, IndirizzoDes, DataDes,
                   Oggetto, Tipo, Classificazione, Fascicolo, Formato, Pagine, Allegati, Riferimenti, Livello,
                   Software, Luogo, Soggetti, Note, Copia},
    .card =
        {
            .kind = CardKind::FixedCaption,
            .title = "SCHEDA RIASSUNTIVA DEL DOCUMENTO",
            .rows =
                {
                    {"txtDocumento", "Documento:"},
                    {"txtProtocollo", "Protocollo n."},
                    {"txtProduttore", "Produttore:"},
                    {"txtIndirizzoPro", "Indirizzo produttore:"},
                    {"txtDataPro", "Data produzione:"},
                    {"txtDestinatario", "Destinatario:"},
                    {"txtIndirizzoDes", "Indirizzo destinatario:"},
                    {"txtDataDes", "Data ricezione:"},
                    {"txtOggetto", "Oggetto:"},
                    {"txtTipo", "Tipo documento:"},
                    {"txtClassificazione", "Classificazione:"},
                    {"txtFascicolo", "Fascicolo contenitore:"},
                    {"txtFormato", "Formato:"},
                    {"txtPagine", "N. pagine:"},
                    {"txtAllegati", "Allegati:"},
                    {"txtRiferimenti", "Riferimenti:"},
                    {"txtLivello", "Livello di riservatezza:"},
                    {"txtSoftware", "Software di produzione:"},
                    {"txtLuogo", "Luogo conservazione:"},
                    {"txtSoggetti", "Soggetti citati:"},
                    {"txtNote", "Note:"},
                },
            .printScreen = "TfrmStampaAltri",
            .printCaption = " Stampa scheda",
        },
    .focusLook = FocusLook::Background,
    .duplicateFailure = FailureKind::Warning,
    .attachments = File01,
};

const SearchDefinition kDocumentSearch{
    .objectName = "TfrmTrovaAltri",
    .caption = QStringLiteral(" Trova documenti in archivio"),
    .layout = &kDocumentLayout,
    .filters = kDocumentFilters,
    .line = documentLine,
    .listTitle = QStringLiteral("Riepilogo documenti"),
    .ownKeyword = QStringLiteral("altri"),
};

const SearchDefinition kToCompleteList{
    .objectName = "TfrmDaCompletare",
    .caption = QStringLiteral(" Riepilogo documenti da completare"),
    .layout = &kDocumentLayout,
    .line = documentLine,
    .listed = isToComplete,
    .listTitle = QStringLiteral("Riepilogo documenti da completare"),
    .ownKeyword = QStringLiteral("altri"),
};

const ExportDefinition kDocumentExport{
    .objectName = "TfrmExpAltri",
    .caption = QStringLiteral(" Esporta archivio documenti in Microsoft Excel"),
    .fileName = "Altri_Documenti.xls",
    .sheetName = "Altri Documenti",
    .columns = kDocumentExportColumns,
    .helpTitle = QStringLiteral("Esportazione archivio documenti in Microsoft Excel."),
    .layout = &kDocumentLayout,
    .row = documentExportRow,
};

}  // namespace

TfrmAltri::TfrmAltri(QWidget* parent) : ArchiveScreen(kDocuments, parent) {}

const ArchiveModule& documentModule() {
    static const ArchiveModule module{
        .archive = &kDocuments,
        .create = [] { return new TfrmAltri; },
        .searches = {&kDocumentSearch, &kToCompleteList},
        .exports = {&kDocumentExport},
        .launcher = {{.entry = "Documenti", .caption = "Archivio Documenti",
                      .hint = "Archivio dei documenti con copia digitale e allegati.",
                      .icon = "archive-documents"}},
    };
    return module;
}

}  // namespace cal
