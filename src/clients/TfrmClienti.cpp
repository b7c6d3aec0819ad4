#include "clients/TfrmClienti.h"

#include "clients/ClientLayout.h"
#include "clients/ClientTables.h"
#include "clients/ClientVCard.h"
#include "clients/TfrmCartella.h"
#include "core/Codepage.h"
#include "core/Text.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/FileExport.h"
#include "screens/SearchScreen.h"

namespace cal {
namespace {

using namespace ClientField;

const QStringList kProvinces = QStringLiteral(
    "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
    "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
    "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
    "VI VR VT VV").split(u' ');

void openAssociatedFolder(ArchiveScreen& screen) {
    if (!screen.requireSavedRecord(QStringLiteral("Attenzione: l'associazione di una cartella ad un cliente può "
                                                  "avvenire soltanto dopo che la scheda è stata inserita in archivio.")))
        return;
    openClientFolderScreen(screen.position().toLongLong());
}

// The clients of `path` (all, or those a search listed) as an address book for another program.
FileExport addressBook(const QString& path, std::optional<std::span<const qint64>> records) {
    return {
        .title = QStringLiteral("Esporta i clienti in una rubrica (vCard)"),
        .filter = QStringLiteral("Rubrica vCard (*.vcf)"),
        .suggestedName = QStringLiteral("Clienti.vcf"),
        .write = [path, records](const QString& target, bool& readFailed) -> std::optional<ExportCount> {
            const std::optional<qint64> cards = writeClientVCards(path, records, target, &readFailed);
            if (!cards) return std::nullopt;
            return ExportCount{*cards};
        },
    };
}

// A card value joining two fields.
std::function<QString(const ArchiveScreen&)> join(int a, const char* between, int b, const char* before = "") {
    return [=](const ArchiveScreen& s) {
        return QString::fromUtf8(before) + s.fieldText(a) + QString::fromUtf8(between) + s.fieldText(b);
    };
}

const ArchiveDefinition kClients{
    .objectName = "TfrmClienti",
    .layout = &kClientLayout,
    .caption = " Calvetra 4.0 - Anagrafica Clienti",
    .keyword = "clienti",
    .groups =
        {
            {" Dati anagrafici: ",
             {{Cliente, "Cognome e nome o ragione sociale:"},
              {DataNasc, "Data di nascita:"},
              {ComuneNasc, "Comune di nascita:"},
              {ProvNasc, "Prov.", Control::EditableList, Typing::UpperTrim, {}, kProvinces},
              {Sesso, "Sesso:", Control::Line, Typing::Upper},
              {Recapito, "Telefono preferenziale:"}}},
            {" Residenza: ",
             {{IndirizzoRes, "Indirizzo e numero civico:"},
              {ProvRes, "Prov.", Control::EditableList, Typing::UpperTrim, {}, kProvinces},
              {ComuneRes, "Comune di residenza:"},
              {CapRes, "CAP:", Control::Line, Typing::Upper}}},
            {" Pagamento e recapiti: ",
             {{Estremi, "Modalità di pagamento:"},
              {TelCasa, "Tel. casa:"},
              {TelUff, "Tel. ufficio:"},
              {TelCel, "Tel. cellulare:"},
              {Fax, "PEC:", Control::Line, Typing::Trim},
              {Email, "E-mail:", Control::Line, Typing::Trim,
               {{Side::Email, "btnEmail", "Invia una e-mail all'indirizzo indicato."}}}}},
            {" Dati fiscali e bancari: ",
             {{CodFisc, "Codice fiscale:", Control::Line, Typing::UpperTrim,
               {{Side::FiscalCode, "btnCodFisc", "Verifica il codice fiscale."}}},
              {Carta, "Carta di credito n.", Control::Line, Typing::Digits,
               {{Side::Card, "btnCarta", "Verifica il numero di carta di credito."}}},
              {ScadeCarta, "Scadenza:"},
              {PartitaIva, "Partita IVA:", Control::Line, Typing::Digits,
               {{Side::VatNumber, "btnPartitaIva", "Verifica il numero di partita IVA."}}},
              {Iban, "IBAN:", Control::Line, Typing::UpperTrim, {{Side::Iban, "btnIban", "Verifica l'IBAN."}}}}},
            {" Documento di riconoscimento: ",
             {{Documento, "Tipo e numero documento:"}, {EnteRil, "Ente di rilascio:"}, {DataRil, "Data di rilascio:"}}},
            {" Servizi e annotazioni: ",
             {{Servizi, "Prodotti o servizi abitualmente richiesti:"},
              {Tariffa, "Tariffa applicata:"},
              {Tessera, "Tessera n."},
              {Questioni, "Questioni in sospeso:"},
              {Note, "Note:"},
              {.field = Ricontatta,
               .label = "Da ricontattare",
               .control = Control::Check,
               .hint = "Spunta questa casella per indicare che il cliente è da ricontattare per questioni in sospeso."}}},
        },
    .commands =
        {
            {Cmd::New, "Prepara la schermata per la registrazione di una nuova scheda."},
            {Cmd::Duplicate, "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {Cmd::Save, "Salva la scheda in archivio."},
            {Cmd::Find, Hint::kFind, "TfrmTrovaClienti"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Attachments, "Allega file alla scheda."},
            {.kind = Cmd::Custom,
             .hint = "Gestisci la cartella associata alla scheda.",
             .objectName = "cmdAssocia",
             .caption = "Cartella",
             .action = openAssociatedFolder,
             .picture = "document-open-folder",
             .keys = "Ctrl+K"},
            {Cmd::Preview, "Visualizza l'anteprima di stampa della scheda."},
            {Cmd::Print, "Stampa la scheda."},
            {Cmd::Pdf, "Esporta la scheda in formato PDF."},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo delle persone da ricontattare.",
             .target = "TfrmRicontatta",
             .objectName = "cmdRicontatta",
             .caption = "Ricontattare",
             .picture = "call-start",
             .keys = "Ctrl+R"},
            {Cmd::Export, Hint::kExport, "TfrmExpClienti"},
            {.kind = Cmd::Custom,
             .hint = "Esporta le schede in archivio in una rubrica (vCard) per il telefono o la posta elettronica.",
             .objectName = "cmdRubrica",
             .caption = "Rubrica",
             .action = [](ArchiveScreen& s) { exportArchive(s, addressBook(s.filePath(), std::nullopt)); },
             .picture = "view-pim-contacts",
             .keys = "Ctrl+Shift+E"},
            {Cmd::Help, Hint::kHelp, "Applicazione Anagrafica Clienti."},
            {Cmd::Exit, "Esci dalla schermata di lavoro corrente."},
        },
    .checks = {required(Cliente, "Attenzione: per salvare la scheda è necessario indicare il nome del cliente.")},
    .card =
        {
            .kind = CardKind::CaptionValue,
            .title = "SCHEDA ANAGRAFICA",
            .pdfTitle = "SCHEDA ANAGRAFICA CLIENTE",
            .rows =
                {
                    {"txtCliente", "Cognome e nome:"},
                    {"txtDataNasc", "Data di nascita:"},
                    {"", "Comune di nascita:", join(ComuneNasc, " ", ProvNasc)},
                    {"txtSesso", "Sesso:"},
                    {"txtRecapito", "Telefono preferenziale:"},
                    {"txtIndirizzoRes", "Indirizzo di residenza:"},
                    {"", "Comune di residenza:", join(ComuneRes, " ", ProvRes)},
                    {"txtEstremi", "Modalità pagamento:"},
                    {"txtTelCasa", "Tel. casa:"},
                    {"txtTelUff", "Tel. ufficio:"},
                    {"txtTelCel", "Tel. cellulare:"},
                    {"txtFax", "PEC:"},
                    {"txtEmail", "E-mail:"},
                    {"txtCodFisc", "Codice fiscale:"},
                    {"txtPartitaIva", "Partita IVA:"},
                    {"", "Carta di credito:", join(Carta, "  -  Scadenza: ", ScadeCarta, "N. ")},
                    {"txtIban", "IBAN:"},
                    {"txtDocumento", "Tipo e numero documento:"},
                    {"", "Ente di rilascio:", join(EnteRil, "  -  Data rilascio: ", DataRil)},
                    {"txtServizi", "Prodotti o servizi richiesti:", {}, "Servizi abitualmente richiesti:"},
                    {"txtTariffa", "Tariffa applicata:"},
                    {"txtTessera", "Tessera n."},
                    {"txtQuestioni", "Questioni in sospeso:"},
                    {"txtNote", "Note:"},
                },
            .pdfFile = "Contatto.pdf",
        },
    .attachments = File01,
};

const SearchDefinition kClientSearch{
    .objectName = "TfrmTrovaClienti",
    .caption = QStringLiteral(" Trova clienti in archivio"),
    .layout = &kClientLayout,
    .filters = kClientFilters,
    .line = ColumnLine{&kClientLayout, kClientSearchLine},
    .listTitle = QStringLiteral("Riepilogo clienti"),
    .ownKeyword = QStringLiteral("clienti"),
    .pickers = kClientPickers,
    .listCommands = {{"btnRubrica", "Esporta in &rubrica",
                      "Esporta i clienti in elenco in una rubrica (vCard) per il telefono o la posta elettronica.",
                      [](const QString& path, std::span<const qint64> records) {
                          exportToChosenFile(addressBook(path, records));
                      }}},
};

const SearchDefinition kRecontactList{
    .objectName = "TfrmRicontatta",
    .caption = QStringLiteral(" Riepilogo persone da ricontattare"),
    .layout = &kClientLayout,
    .line = ColumnLine{&kClientLayout, kClientRecontactLine},
    .listed = [](const char* record) {
        return trimmed(fromCp1252(fieldBytes(kClientLayout, record, ClientField::Ricontatta))) == kYes;
    },
    .listTitle = QStringLiteral("Riepilogo persone da ricontattare"),
    .ownKeyword = QStringLiteral("clienti"),
};

const ExportDefinition kClientExport = [] {
    ExportDefinition d{
        .objectName = "TfrmExpClienti",
        .caption = QStringLiteral(" Esporta archivio clienti in Microsoft Excel"),
        .fileName = "Clienti.xls",
        .sheetName = "Archivio Clienti",
        .columns = kClientExportColumns,
        .helpTitle = QStringLiteral("Esportazione archivio clienti in Microsoft Excel."),
        .layout = &kClientLayout,
        .row = clientExportRow,
    };
    for (const ExportColumn& c : kClientExportColumns)
        d.gridHeaders << QString::fromUtf8(c.header.data(), qsizetype(c.header.size()));
    d.gridHeaders[2] = QString::fromUtf8(kClientExportGridHeader3);
    return d;
}();

}  // namespace

TfrmClienti::TfrmClienti(QWidget* parent) : ArchiveScreen(kClients, parent) {}

const ArchiveModule& clientModule() {
    static const ArchiveModule module{
        .archive = &kClients,
        .create = [] { return new TfrmClienti; },
        .searches = {&kClientSearch, &kRecontactList},
        .exports = {&kClientExport},
        .launcher = {{.entry = "Clienti", .caption = "Anagrafica Clienti",
                      .hint = "Archivio dei clienti: dati anagrafici, recapiti, dati fiscali.",
                      .icon = "archive-clients"}},
    };
    return module;
}

}  // namespace cal
