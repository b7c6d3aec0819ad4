#include "transfers/TfrmBonifici.h"

#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/ChoiceMenu.h"
#include "screens/PeriodExport.h"
#include "screens/SearchScreen.h"
#include "transfers/MovementSummary.h"
#include "transfers/TransferTables.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace cal {
namespace {

using namespace TransferField;

// What differs between the two registers; everything else is one description.
struct RegisterTraits {
    TransferRegister reg;
    const char* objectName;
    const RecordLayout* layout;
    const char* caption;
    const char* keyword;             // towards the search, the attachments and the pickers
    const char* payerPicker;         // client picker keywords
    const char* beneficiaryPicker;
    const char* dateEsePicker;       // date picker keywords
    const char* dateAccPicker;
    std::vector<int> keptSide;       // kept in the settings file and by New
    int firstOther;                  // the first field of the other side
    const char* search;
    const char* notExecuted;
    const char* exportScreen;
    const char* exportFile;          // the export's file and sheet
    const char* exportSheet;
    const char* printScreen;
    const char* cardTitle;
};

const RegisterTraits kIssuedTraits{
    .reg = TransferRegister::Issued,
    .objectName = "TfrmBonificiEmessi",
    .layout = &kIssuedTransferLayout,
    .caption = " Calvetra 4.0 - Registro bonifici emessi",
    .keyword = "bonificiemessi",
    .payerPicker = "bonificiemessi_pagatore",
    .beneficiaryPicker = "bonificiemessi_beneficiario",
    .dateEsePicker = "bonificiemessi_dataese",
    .dateAccPicker = "bonificiemessi_dataacc",
    .keptSide = {Pagatore, CodFiscPag, IbanPag},
    .firstOther = Beneficiario,
    .search = "TfrmTrovaBonificiEmessi",
    .notExecuted = "TfrmBonificiDaEseguire",
    .exportScreen = "TfrmExpBonificiEmessi",
    .exportFile = "Bonifici_Emessi.xls",
    .exportSheet = "Bonifici Emessi",
    .printScreen = "TfrmStampaServizi",
    .cardTitle = "SCHEDA BONIFICO EMESSO",
};

const RegisterTraits kReceivedTraits{
    .reg = TransferRegister::Received,
    .objectName = "TfrmBonificiRicevuti",
    .layout = &kReceivedTransferLayout,
    .caption = " Calvetra 4.0 - Registro bonifici ricevuti",
    .keyword = "bonificiricevuti",
    .payerPicker = "bonificiricevuti_pagatore",
    .beneficiaryPicker = "bonificiricevuti_beneficiario",
    .dateEsePicker = "bonificiricevuti_dataese",
    .dateAccPicker = "bonificiricevuti_dataacc",
    .keptSide = {Beneficiario, CodFiscBen, IbanBen},
    .firstOther = Pagatore,
    .search = "TfrmTrovaBonificiRicevuti",
    .notExecuted = "TfrmBonificiDaEseguireRic",
    .exportScreen = "TfrmExpBonificiRicevuti",
    .exportFile = "Bonifici_Ricevuti.xls",
    .exportSheet = "Bonifici Ricevuti",
    .printScreen = "TfrmStampaBonRicevuti",
    .cardTitle = "SCHEDA BONIFICO RICEVUTO",
};

const char* const kImportHint = "Importa i dati dall'archivio anagrafico dei clienti.";
const char* const kTodayHint = "Inserisci la data corrente.";

FieldGroup partyGroup(const char* title, int name, int fiscalCode, int iban, const char* importName,
                      const char* picker, const char* fiscalButton, const char* ibanButton) {
    return {title,
            {{name, "Cognome e nome o ragione sociale:", Control::Line, Typing::Free,
              {{Side::Import, importName, kImportHint, nullptr, "TfrmTrovaClienti", picker}}},
             {fiscalCode, "Codice fiscale:", Control::Line, Typing::UpperTrim,
              {{Side::FiscalCode, fiscalButton, "Verifica il codice fiscale."}}},
             {iban, "IBAN:", Control::Line, Typing::UpperTrim, {{Side::Iban, ibanButton, "Verifica l'IBAN."}}}}};
}

ArchiveDefinition transferDefinition(const RegisterTraits& t) {
    const TransferRegister reg = t.reg;
    return {
        .objectName = t.objectName,
        .layout = t.layout,
        .caption = t.caption,
        .keyword = t.keyword,
        .groups =
            {
                partyGroup("Pagatore", Pagatore, CodFiscPag, IbanPag, "impPagatore", t.payerPicker, "btnCodFiscPag",
                           "btnIbanPag"),
                partyGroup("Beneficiario", Beneficiario, CodFiscBen, IbanBen, "impBeneficiario", t.beneficiaryPicker,
                           "btnCodFiscBen", "btnIbanBen"),
                {" Bonifico: ",
                 {{Tipo, "Tipo:"},
                  {.field = DataEse,
                   .label = "Data esecuzione:",
                   .control = Control::PickedDate,
                   .buttons = {{Side::Today, "impDataEse", kTodayHint}},
                   .dateKeyword = t.dateEsePicker,
                   .hint = "Premi un tasto qualsiasi per selezionare la data dal calendario."},
                  {Causale, "Causale:"},
                  {Cro, "CRO / TRN:", Control::Line, Typing::UpperTrim},
                  {.field = DataAcc,
                   .label = "Data accredito:",
                   .control = Control::PickedDate,
                   .buttons = {{Side::Today, "btnDataAcc", kTodayHint}},
                   .dateKeyword = t.dateAccPicker,
                   .hint = "Premi un tasto qualsiasi per selezionare la data dal calendario."},
                  {Importo, "Importo:", Control::Amount2},
                  {.field = Eseguito,
                   .label = "Bonifico eseguito",
                   .control = Control::Check,
                   .hint = "Spunta questa casella per indicare che il bonifico è stato eseguito."}}},
                {" Note e ricevuta: ",
                 {{Note, "Note:"},
                  {Copia, "Copia ricevuta bonifico:", Control::ReadOnly, Typing::Free,
                   {{Side::DocumentChoose, "btnSfoglia", "Seleziona il file della ricevuta del bonifico da allegare."},
                    {Side::DocumentOpen, "btnApri", "Apri il file della ricevuta del bonifico allegato."},
                    {Side::DocumentClear, "imgCancella01",
                     "Cancella la copia digitale della ricevuta del bonifico allegata alla scheda corrente."}}}}},
            },
        .commands =
            {
                {Cmd::New, "Prepara la schermata per la registrazione di una nuova scheda."},
                {Cmd::Duplicate,
                 "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
                {Cmd::Save, "Salva la scheda in archivio."},
                {Cmd::Find, "Trova una scheda in archivio.", t.search},
                {Cmd::Navigation},
                {Cmd::Break},
                {Cmd::Attachments, "Allega file alla scheda."},
                {Cmd::Print, "Stampa la scheda."},
                {.kind = Cmd::List,
                 .hint = "Visualizza il riepilogo dei bonifici non ancora eseguiti.",
                 .target = t.notExecuted,
                 .objectName = "cmdDaEseguire",
                 .caption = "Da eseguire",
                 .picture = "clock",
                 .keys = "Ctrl+R"},
                {Cmd::Export, "Esporta le schede in archivio in un file di Microsoft Excel.", t.exportScreen},
                {Cmd::Help, "Visualizza la guida in linea.", "Applicazione Registro Bonifici."},
                {Cmd::Exit, "Esci dalla schermata di lavoro corrente."},
            },
        .checks =
            {
                required(Pagatore, "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore."),
                required(Beneficiario,
                         "Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario."),
                required(Importo, "Attenzione: per salvare la scheda è necessario indicare l'importo del bonifico."),
                required(DataEse, "Attenzione: per salvare la scheda è necessario indicare la data di esecuzione del "
                                  "bonifico."),
                required(Causale, "Attenzione: per salvare la scheda è necessario indicare la causale del bonifico."),
            },
        .onClear = {{Importo, Preset::ZeroAmount}},
        .enterMoves = {{Pagatore, CodFiscPag},
                       {CodFiscPag, IbanPag},
                       {IbanPag, Beneficiario},
                       {Beneficiario, CodFiscBen},
                       {CodFiscBen, IbanBen},
                       {IbanBen, Tipo},
                       {Tipo, DataEse},
                       {Causale, Cro},
                       {Cro, DataAcc},
                       {Importo, Note}},
        .firstField = t.firstOther,
        .card =
            {
                .kind = CardKind::FixedCaption,
                .title = t.cardTitle,
                .rows =
                    {
                        {"txtPagatore", "Pagatore:"},
                        {"txtCodFiscPag", "Codice fiscale pagatore:"},
                        {"txtIbanPag", "IBAN pagatore:"},
                        {"txtBeneficiario", "Beneficiario:"},
                        {"txtCodFiscBen", "Codice fiscale beneficiario:"},
                        {"txtIbanBen", "IBAN beneficiario:"},
                        {"txtTipo", "Tipo bonifico:"},
                        {"txtDataEse", "Data esecuzione:"},
                        {"txtCausale", "Causale:"},
                        {"txtCro", "CRO / TRN:"},
                        {"txtDataAcc", "Data accredito:"},
                        {"txtImporto", "Importo:",
                         [](const ArchiveScreen& s) { return QStringLiteral("€ ") + s.fieldText(Importo); }},
                        {"txtNote", "Note:"},
                        {"txtEseguito", "Bonifico eseguito:",
                         [](const ArchiveScreen& s) { return s.fieldText(Eseguito) == kYes ? kYes : kNo; }},
                    },
                .printScreen = t.printScreen,
                .printCaption = " Stampa scheda corrente",
            },
        .saveLeavesField = true,
        .kept =
            {
                .fields = t.keptSide,
                .load = [reg]() -> std::optional<QStringList> {
                    const std::optional<TransferParty> party = readTransferParty(programFolder(), reg);
                    if (!party) return std::nullopt;
                    return QStringList{party->name, party->fiscalCode, party->iban};
                },
                .store =
                    [reg](const QStringList& v, const std::optional<QStringList>& r) {
                        const auto party = [](const QStringList& p) {
                            return TransferParty{p.value(0), p.value(1), p.value(2)};
                        };
                        return writeTransferParty(programFolder(), reg, party(v),
                                                  r ? std::optional(party(*r)) : std::nullopt);
                    },
                .storeFailure = "Attenzione: il sistema non permette di salvare i dati del titolare del conto nel "
                                "file Bonifici.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                                "cartella di installazione del programma.",
            },
        .attachments = File01,
    };
}

const ArchiveDefinition kIssued = transferDefinition(kIssuedTraits);
const ArchiveDefinition kReceived = transferDefinition(kReceivedTraits);

SearchDefinition searchDefinition(const RegisterTraits& t, const char* caption, const char* listTitle) {
    const TransferRegister reg = t.reg;
    return {
        .objectName = t.search,
        .caption = QString::fromUtf8(caption),
        .layout = t.layout,
        .filters = kTransferFilters,
        .line = transferLine(reg),
        .listTitle = QString::fromUtf8(listTitle),
        .ownKeyword = QString::fromLatin1(t.keyword),
        .fileOrder = true,
    };
}

SearchDefinition notExecutedDefinition(const RegisterTraits& t) {
    const TransferRegister reg = t.reg;
    return {
        .objectName = t.notExecuted,
        .caption = QStringLiteral(" Riepilogo bonifici non eseguiti"),
        .layout = t.layout,
        .line = transferLine(reg),
        .listed = isNotExecuted,
        .listTitle = QStringLiteral("Riepilogo bonifici non eseguiti"),
        .ownKeyword = QString::fromLatin1(t.keyword),
        .fileOrder = true,
    };
}

const SearchDefinition kIssuedSearch =
    searchDefinition(kIssuedTraits, " Trova bonifici emessi in archivio", "Riepilogo bonifici emessi");
const SearchDefinition kReceivedSearch =
    searchDefinition(kReceivedTraits, " Trova bonifici ricevuti in archivio", "Riepilogo bonifici ricevuti");
const SearchDefinition kIssuedNotExecuted = notExecutedDefinition(kIssuedTraits);
const SearchDefinition kReceivedNotExecuted = notExecutedDefinition(kReceivedTraits);

const QStringList kGridHeaders{"Pagatore",          "C.F. pagatore",  "IBAN pagatore",   "Beneficiario",
                               "C.F. beneficiario", "IBAN beneficiario", "Tipo bonifico", "Data esecuzione",
                               "Causale",           "CRO o TRN",      "Data accredito",  "Importo in euro",
                               "Note",              "Eseguito"};

// The export of a register: the transfers executed in a period, which may span several years.
PeriodQuery periodQuery(const char* avanti) {
    return {
        .command = "btnAvanti",
        .caption = ">>  Visualizza riepilogo",
        .commandHint = avanti,
        .startLabel = "Data inizio intervallo:",
        .endLabel = "Data fine intervallo:",
        .fieldHint = "Indica una data nel formato gg/mm/aaaa.",
        .missingDate = "Attenzione: indicare la data di %1 intervallo utilizzando il formato gg/mm/aaaa.",
        .invalidDate = "Attenzione: la data %1 di %2 intervallo non esiste.\n\r\n\r"
                       "Per poter visualizzare il riepilogo è necessario indicare una data valida utilizzando il "
                       "formato gg/mm/aaaa.",
        .dateName = "esecuzione",
        .row = transferExportRow,
        .dateField = DataEse,
        .startsToday = true,
        .digitsOnly = true,
    };
}
const PeriodQuery kIssuedPeriod =
    periodQuery("Visualizza il riepilogo dei bonifici emessi nell'intervallo di tempo selezionato.");
const PeriodQuery kReceivedPeriod =
    periodQuery("Visualizza il riepilogo dei bonifici ricevuti nell'intervallo di tempo selezionato.");

ExportDefinition exportDefinition(const RegisterTraits& t, const char* caption, const char* help,
                                  const PeriodQuery& period) {
    const RecordLayout* layout = t.layout;
    ExportDefinition def{
        .objectName = t.exportScreen,
        .caption = QString::fromUtf8(caption),
        .fileName = t.exportFile,
        .sheetName = t.exportSheet,
        .columns = kTransferExportColumns,
        .gridHeaders = kGridHeaders,
        .helpTitle = QString::fromUtf8(help),
        .filePath = [layout] { return programFile(QString::fromLatin1(layout->fileName)); },
    };
    def.create = [name = t.exportScreen, &period](QWidget* caller) -> ExportScreen* {
        return new PeriodExportScreen(*findExport(name), period, {}, caller && caller->isVisible() ? caller : nullptr);
    };
    return def;
}

const ExportDefinition kIssuedExport =
    exportDefinition(kIssuedTraits, " Esporta archivio bonifici emessi in Microsoft Excel",
                     "Esportazione dati bonifici emessi in Microsoft Excel.", kIssuedPeriod);
const ExportDefinition kReceivedExport =
    exportDefinition(kReceivedTraits, " Esporta archivio bonifici ricevuti in Microsoft Excel",
                     "Esportazione dati bonifici ricevuti in Microsoft Excel.", kReceivedPeriod);

const ChoiceMenuTexts kTransferMenu{
    .objectName = "TfrmMenuBonifici",
    .caption = " Calvetra 4.0 - Registro Bonifici",
    .instruction = "Premi il pulsante relativo al tipo di archivio da gestire.",
    .helpTitle = "Applicazione Registro Bonifici.",
    .choices = {{"btnPreventivi", "Bonifici emessi", "emessi", "TfrmBonificiEmessi"},
                {"btnContratti", "Bonifici ricevuti", "ricevuti", "TfrmBonificiRicevuti"}},
};

const ChoiceMenuTexts kSummaryMenu{
    .objectName = "TfrmMenuRiepBonifici",
    .caption = " Calvetra 4.0 - Riepilogo Movimenti",
    .instruction = "Premi il pulsante per visualizzare il riepilogo dei bonifici emessi o ricevuti.",
    .helpTitle = "Applicazione Riepilogo Movimenti.",
    .choices = {{"btnBonificiEmessi", "Riepilogo bonifici emessi", "emessi", "TfrmRiepBonificiEmessi"},
                {"btnBonificiRicevuti", "Riepilogo bonifici ricevuti", "ricevuti", "TfrmRiepBonificiRicevuti"}},
};

}  // namespace

// ---- the modules ----

const ArchiveModule& issuedTransferModule() {
    static const ArchiveModule module{
        .archive = &kIssued,
        .create = [] { return new ArchiveScreen(kIssued); },
        .searches = {&kIssuedSearch, &kIssuedNotExecuted},
        .exports = {&kIssuedExport},
        .screens = {{"TfrmMenuBonifici", [] { return new ChoiceMenu(kTransferMenu); }},
                    {"TfrmRiepBonificiEmessi", [] { return new TfrmRiepBonifici(TransferRegister::Issued); }}},
        .launcher = {{.entry = "Bonifici", .caption = "Registro Bonifici", .hint = "Bonifici emessi e ricevuti.",
                      .icon = "archive-transfers", .screen = "TfrmMenuBonifici"}},
    };
    return module;
}

const ArchiveModule& receivedTransferModule() {
    static const ArchiveModule module{
        .archive = &kReceived,
        .create = [] { return new ArchiveScreen(kReceived); },
        .searches = {&kReceivedSearch, &kReceivedNotExecuted},
        .exports = {&kReceivedExport},
        .screens = {{"TfrmMenuRiepBonifici", [] { return new ChoiceMenu(kSummaryMenu); }},
                    {"TfrmRiepBonificiRicevuti", [] { return new TfrmRiepBonifici(TransferRegister::Received); }}},
        .launcher = {{.entry = "Riepiloghi", .caption = "Riepilogo Movimenti", .hint = "Riepilogo dei bonifici di un periodo.",
                      .icon = "archive-summaries", .screen = "TfrmMenuRiepBonifici"}},
    };
    return module;
}

}  // namespace cal
