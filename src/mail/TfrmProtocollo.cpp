#include "mail/TfrmProtocollo.h"

#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "mail/MailSettings.h"
#include "mail/MailTables.h"
#include "screens/Catalog.h"
#include "screens/PeriodExport.h"
#include "screens/SearchScreen.h"
#include "screens/YearMenu.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace cal {
namespace {

using namespace MailField;

const char* const kDateHint = "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";
const QString kKeyword = QStringLiteral("protocollo");

TfrmProtocollo& mail(ArchiveScreen& screen) { return static_cast<TfrmProtocollo&>(screen); }

// A settings file that cannot be written (UTF-8).
const char* const kSettingsFailed =
    "Attenzione: il sistema non permette di salvare le impostazioni nel file Sabbiolo.ini.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

const ArchiveDefinition kMail{
    .objectName = "TfrmProtocollo",
    .layout = &kMailLayout,
    .caption = " Calvetra 4.0 - Protocollo Posta",
    .keyword = "protocollo",
    .groups =
        {
            {" Registrazione: ",
             {{Numero, "N. protocollo:"},
              {.field = Tipo,
               .label = "Tipologia posta:",
               .control = Control::Options,
               .choices = {{"optEntrata", "In entrata", "In entrata"},
                           {"optUscita", "In uscita", "In uscita"},
                           {"optInterna", "Interna", "Interna"}}},
              {.field = DataReg, .label = "Data registrazione:", .control = Control::PickedDate,
               .dateKeyword = "datareg", .hint = kDateHint},
              {Ufficio, "Ufficio:"},
              {Operatore, "Operatore:"},
              {Categoria, "Categoria:"},
              {Collocazione, "Collocazione documento cartaceo:"},
              {Copia, "Copia digitale documento:", Control::ReadOnly, Typing::Free,
               documentSlot("imgCancella01", "Cancella il percorso del file allegato alla scheda corrente.")}}},
            {" Documento: ",
             {{Oggetto, "Oggetto:"},
              {DataSpe, "Data spedizione:"},
              {DataRic, "Data ricezione:"},
              {Formato, "Formato:"},
              {Pagine, "N. pagine:"},
              {Riferimenti, "Riferimenti:"},
              {Note, "Note:"}}},
            {" Mittente e destinatario: ",
             {{Mittente, "Mittente:"},
              {RecapitoMit, "Recapito:"},
              {Destinatario, "Destinatario:"},
              {RecapitoDes, "Recapito:"}}},
        },
    .commands =
        {
            {.kind = Cmd::Custom,
             .hint = Hint::kNew,
             .objectName = "cmdNuovo",
             .caption = "Nuovo",
             .action = [](ArchiveScreen& s) { mail(s).numberedNew(); },
             .picture = "document-new"},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaProtocollo"},
            {Cmd::Navigation},
            {Cmd::Break},
            {.kind = Cmd::Custom,
             .hint = "Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo.",
             .objectName = "cmdRiepilogo",
             .caption = "Riepilogo",
             .action = [](ArchiveScreen& s) { mail(s).openSummary(); },
             .picture = "view-calendar-list",
             .keys = "Ctrl+R"},
            {.kind = Cmd::Custom,
             .hint = "Imposta il numero iniziale per la numerazione del protocollo.",
             .objectName = "cmdNumerazione",
             .caption = "Numerazione",
             .action = [](ArchiveScreen& s) { mail(s).openNumbering(); },
             .picture = "format-list-ordered",
             .keys = "Ctrl+U"},
            {Cmd::Export, Hint::kExport, "TfrmExpProtocollo"},
            {Cmd::Print, Hint::kPrint},
            {Cmd::Attachments, Hint::kAttach},
            {Cmd::Help, Hint::kHelp, "Applicazione Protocollo Posta."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks =
        {
            required(Numero, "Attenzione: per salvare la scheda è necessario indicare il numero di protocollo del documento."),
            required(DataReg, "Attenzione: per salvare la scheda è necessario indicare la data di registrazione del documento."),
            required(Categoria, "Attenzione: per salvare la scheda è necessario indicare la categoria del documento."),
            required(Oggetto, "Attenzione: per salvare la scheda è necessario indicare l'oggetto del documento."),
            required(Tipo, "Attenzione: per salvare la scheda è necessario indicare la tipologia di posta (in entrata, "
                           "in uscita o interna)."),
        },
    .onClear = {{DataReg, Preset::Today}},
    .enterMoves = {{Numero, DataReg},           {Ufficio, Operatore},         {Operatore, Categoria},
                   {Categoria, Collocazione},   {Collocazione, Oggetto},      {Oggetto, DataSpe},
                   {DataSpe, DataRic},          {DataRic, Formato},           {Formato, Pagine},
                   {Pagine, Riferimenti},       {Riferimenti, Note},          {Note, Mittente},
                   {Mittente, RecapitoMit},     {RecapitoMit, Destinatario},  {Destinatario, RecapitoDes},
                   {RecapitoDes, Copia}},
    .card =
        {
            .kind = CardKind::FixedCaption,
            .title = "SCHEDA PROTOCOLLO DOCUMENTO",
            .rows =
                {
                    {"txtNumero", "Protocollo n."},
                    {"txtDataReg", "Data registrazione:"},
                    {"txtUfficio", "Ufficio:"},
                    {"txtOperatore", "Operatore:"},
                    {"txtCategoria", "Categoria:"},
                    {"txtCollocazione", "Collocazione cartaceo:"},
                    {"txtOggetto", "Oggetto:"},
                    {"txtDataSpe", "Data spedizione:"},
                    {"txtDataRic", "Data ricezione:"},
                    {"txtFormato", "Formato:",
                     [](const ArchiveScreen& s) {
                         return s.fieldText(Formato) + QStringLiteral("  -  N. pagine: ") + s.fieldText(Pagine);
                     }},
                    {"txtRiferimenti", "Riferimenti:"},
                    {"txtMittente", "Mittente:"},
                    {"txtRecapitoMit", "Recapito mittente:"},
                    {"txtDestinatario", "Destinatario:"},
                    {"txtRecapitoDes", "Recapito destinatario:"},
                    {"txtNote", "Note:"},
                },
            .printScreen = "TfrmStampaProtocollo",
            .printCaption = " Stampa scheda",
        },
    .kept =
        {
            // The office and the operator last used, kept by New and between sessions.
            .fields = {Ufficio, Operatore},
            .load = []() -> std::optional<QStringList> {
                // A settings file that cannot be read gives an empty office and operator.
                const std::optional<MailOffice> office = readMailOffice(programFolder());
                if (!office) return std::nullopt;
                return QStringList{office->office, office->operatorName};
            },
            .store = [](const QStringList& values, const std::optional<QStringList>& asRead) {
                const auto office = [](const QStringList& v) { return MailOffice{v.value(0), v.value(1)}; };
                return writeMailOffice(programFolder(), office(values),
                                       asRead ? std::optional<MailOffice>(office(*asRead)) : std::nullopt);
            },
            .storeFailure = kSettingsFailed,
            .storeFailureKind = FailureKind::Warning,
        },
    .attachments = File01,
};

const SearchDefinition kMailSearch{
    .objectName = "TfrmTrovaProtocollo",
    .caption = QStringLiteral(" Trova documenti protocollati"),
    .layout = &kMailLayout,
    .filters = kMailFilters,
    .line = mailLine,
    .listTitle = QStringLiteral("Protocollo documenti"),
    .ownKeyword = QStringLiteral("protocollo"),
    .countBefore = QStringLiteral("Il presente elenco contiene 0 schede."),
};

const ExportDefinition kMailExport{
    .objectName = "TfrmExpProtocollo",
    .caption = QStringLiteral(" Esporta protocollo posta in Microsoft Excel"),
    .fileName = "Protocollo.xls",
    .sheetName = "Protocollo Posta",
    .columns = kMailExportColumns,
    .helpTitle = QStringLiteral("Esportazione protocollo posta in Microsoft Excel."),
    .layout = &kMailLayout,
    .row = mailExportRow,
};

const ExportDefinition kMailSummary{
    .objectName = "TfrmRiepProtocollo",
    .caption = QStringLiteral(" Riepilogo protocollo per intervallo di tempo"),
    .fileName = "Protocollo.xls",
    .sheetName = "Protocollo Documenti",
    .columns = kMailExportColumns,
    .helpTitle = QStringLiteral("Riepilogo protocollo per intervallo di tempo."),
    .statusText = QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."),
};

const PeriodQuery kMailPeriod{
    .command = "cmdTrova",
    .caption = "Visualizza",
    .commandHint = "Visualizza il riepilogo dei documenti protocollati nell'intervallo di tempo selezionato.",
    .startLabel = "Protocollati dalla data:",
    .endLabel = "alla data:",
    .fieldHint = "Indica una data nel formato gg/mm/aaa.",
    .missingDate = "Attenzione: per visualizzare il riepilogo è necessario indicare la data di %1 intervallo.",
    .invalidDate = "Attenzione: la data %1 di %2 intervallo non esiste.\n\r\n\r"
                   "Per poter visualizzare il riepilogo è necessario indicare una data valida.",
    .dateName = "registrazione",
    .row = mailExportRow,
    .dateField = DataReg,
    .createsFile = true,  // a missing year file is created empty, as the archive screen does
};

// Save gave the registration another number than the one shown.
const QString kRenumbered = QStringLiteral(
    "Il numero di protocollo %1 è stato assegnato nel frattempo da un'altra postazione.\n\r\n\r"
    "La scheda corrente è stata inserita in archivio con il numero di protocollo %2.");


QLabel* hiddenLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->hide();
    return label;
}

void setField(ArchiveScreen& screen, int field, const QString& text) {
    FieldEditor(screen.fieldWidget(field)).setText(text);
}

}  // namespace

// ---- the register screen ----

TfrmProtocollo::TfrmProtocollo(QWidget* parent) : ArchiveScreen(kMail, parent) {
    lblInizio_ = hiddenLabel(this, "lblInizio");
    lblSolare_ = hiddenLabel(this, "lblSolare");
}

void TfrmProtocollo::numberedNew() {
    const std::optional<MailNumbering> numbering = readMailNumbering(programFolder());
    if (numbering) {
        lblInizio_->setText(trimmed(numbering->start).isEmpty() ? QStringLiteral("1") : trimmed(numbering->start));
        lblSolare_->setText(checkText(numbering->withYear));
    }
    qint64 count = -1;
    RecordFile file;
    if (file.open(filePath(), layout().size())) count = file.count();
    if (!file.close()) count = -1;
    const std::optional<QString> number =
        numbering && count >= 0 ? nextMailNumber(numbering->start, numbering->withYear, count, QDate::currentDate().year())
                                : std::nullopt;
    if (!number) {
        error(accessFailureMessage());
        return;
    }
    clearScreen();  // keeps the office and the operator
    setField(*this, Numero, *number);
    proposed_ = *number;
    countAtNew_ = count;
    fieldWidget(Categoria)->setFocus(Qt::OtherFocusReason);
}

void TfrmProtocollo::clearExtra() {
    proposed_.clear();
    countAtNew_ = -1;
}

bool TfrmProtocollo::prepareAppend(RecordFile& file, Record& record, QString& message) {
    const QString shown = record.text(Numero);
    // Only the proposed number, and only when registrations were added since it was proposed: a
    // number typed by hand is stored as typed.
    if (proposed_.isEmpty() || shown != proposed_ || file.count() == countAtNew_) return true;
    const std::optional<QString> free = freeMailNumber(file, shown);
    if (!free) return false;
    if (*free == shown) return true;
    record.setText(Numero, *free);
    message = kRenumbered.arg(shown, *free);
    return true;
}

void TfrmProtocollo::openNumbering() {
    TfrmNumerazione screen(isVisible() ? this : nullptr);
    screen.setKeyword(kKeyword);
    screens().exec(&screen);
}

void TfrmProtocollo::openSummary() {
    PeriodExportScreen screen(kMailSummary, kMailPeriod, filePath(), isVisible() ? this : nullptr);
    screens().exec(&screen);
}

// ---- the numbering screen ----

TfrmNumerazione::TfrmNumerazione(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmNumerazione"));
    applyRegionalSettings();
    setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));
    auto* group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
    txtInizio_ = new QLineEdit(group);
    txtInizio_->setObjectName(QStringLiteral("txtInizio"));
    txtInizio_->setAccessibleName(QStringLiteral("Inizia numerazione da:"));
    txtInizio_->setMaxLength(5);
    acceptDigitsOnly(txtInizio_);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(txtInizio_);
    chkTipo_ = new QCheckBox(QStringLiteral("Indica l'anno solare dopo il numero progressivo del documento"), this);
    chkTipo_->setObjectName(QStringLiteral("chkTipo"));
    btnApplica_ = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica_->setObjectName(QStringLiteral("btnApplica"));
    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnApplica_->setAutoDefault(false);
    btnAnnulla->setAutoDefault(false);
    lblMemory_ = hiddenLabel(this, "lblMemory");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnApplica_);
    buttons->addWidget(btnAnnulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(chkTipo_);
    layout->addLayout(buttons);
    enterMovesTo(txtInizio_, btnApplica_);
    connect(txtInizio_, &QLineEdit::editingFinished, this, [this] { normaliseStart(); });
    connect(btnApplica_, &QPushButton::clicked, this, [this] { apply(); });
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmNumerazione::setKeyword(const QString& keyword) { lblMemory_->setText(keyword); }

void TfrmNumerazione::normaliseStart() {
    // Only digits can be typed: the number is written back in plain form ("007" is 7).
    const std::optional<qint64> n = MailNumbering{txtInizio_->text(), false}.startNumber();
    txtInizio_->setText(QString::number(n ? *n : 1));
}

void TfrmNumerazione::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (lblMemory_->text() == kKeyword) {
        asRead_ = readMailNumbering(programFolder());
        const MailNumbering numbering = asRead_.value_or(MailNumbering{});
        txtInizio_->setText(trimmed(numbering.start));
        chkTipo_->setChecked(numbering.withYear);
    }
    if (txtInizio_->text().isEmpty()) txtInizio_->setText(QStringLiteral("1"));
    txtInizio_->setFocus(Qt::OtherFocusReason);
}

void TfrmNumerazione::apply() {
    if (lblMemory_->text() != kKeyword) return;
    normaliseStart();
    if (!writeMailNumbering(programFolder(), {txtInizio_->text(), chkTipo_->isChecked()}, asRead_)) {
        warning(QString::fromUtf8(kSettingsFailed));
        return;
    }
    accept();
}

// ---- the period summary ----

// ---- the module ----

const YearMenuTexts kMailYearMenu{
    .objectName = "TfrmMenuProtocollo",
    .caption = " Calvetra 4.0 - Protocollo Posta",
    .heading = "Archivio protocollo documenti:",
    .info = "In questo ambiente è possibile protocollare i documenti interni e la posta in entrata e in uscita.",
    .extension = ".prt",
    .archiveTitle = " Calvetra 4.0 - Protocollo Posta anno ",
    .keyword = "protocollo",
    .helpTitle = "Applicazione Protocollo Posta.",
};

const ArchiveModule& mailModule() {
    static const ArchiveModule module{
        .archive = &kMail,
        .create = [] { return new TfrmProtocollo; },
        .searches = {&kMailSearch},
        .exports = {&kMailExport},
        .launcher = {{.entry = "Posta", .caption = "Protocollo Posta",
                      .hint = "Protocollo annuale della posta in entrata e in uscita.",
                      .icon = "archive-mail", .yearMenu = &kMailYearMenu}},
        .dateTargets = {{"protinizio", "TfrmRiepProtocollo", "txtDataInizio"},
                        {"protfine", "TfrmRiepProtocollo", "txtDataFine"}},
    };
    return module;
}

}  // namespace cal
