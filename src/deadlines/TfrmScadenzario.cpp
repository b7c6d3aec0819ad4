#include "deadlines/TfrmScadenzario.h"
#include "ui/Icons.h"

#include "core/Amount.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "deadlines/DeadlineCalendar.h"
#include "deadlines/DeadlineTables.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/FileExport.h"
#include "screens/SearchScreen.h"
#include "screens/TfrmGuida.h"
#include "screens/YearMenu.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace cal {
namespace {

using namespace DeadlineField;

const char* const kCaption = " Calvetra 4.0 - Scadenze e appuntamenti";
const char* const kKeyword = "Scadenzario";
const QString kHelpTopic = QStringLiteral("Applicazione Scadenze e Appuntamenti.");
const QString kListHelpTopic = QStringLiteral("Visualizzazione scadenze e appuntamenti.");

TfrmScadenzario& deadlines(ArchiveScreen& screen) { return static_cast<TfrmScadenzario&>(screen); }

QStringList twoDigits(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i) items << QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
    return items;
}
QStringList days() {
    QStringList items = twoDigits(32);
    items.removeFirst();
    return items;
}

void setField(ArchiveScreen& screen, int field, const QString& text) { FieldEditor(screen.fieldWidget(field)).setText(text); }

// The checks that need the composed date: after them the date, the time and the year are set.
bool composeDateAndTime(ArchiveScreen& screen) {
    if (screen.fieldText(Costo).isEmpty()) setField(screen, Costo, kZeroAmount);
    setField(screen, Ora, screen.fieldText(OreApp) + u':' + screen.fieldText(MinutiApp));
    const QString month = deadlineMonthNumber(screen.fieldText(Mese));
    if (month.isEmpty()) {
        warning(QString::fromUtf8("Attenzione: selezionare il mese dal menu a cascata.\n\r\n\r"
                                  "Per poter salvare la scheda è necessario indicare una data valida."));
        screen.fieldWidget(Mese)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // The year is always the open archive's, whatever a record shown before held.
    setField(screen, Anno, deadlines(screen).year());
    const QString date = screen.fieldText(Giorno) + u'/' + month + u'/' + deadlines(screen).year();
    setField(screen, Data, date);
    if (!isValidDateText(date)) {
        plainMessage(QStringLiteral("Attenzione: la data ") + date +
                     QString::fromUtf8(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida."));
        screen.fieldWidget(Giorno)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

// The deadlines of the year file `path` (all, or those a search listed) as a calendar for another
// program.
FileExport calendarFile(const QString& path, std::optional<std::span<const qint64>> records) {
    const QString year = QFileInfo(path).completeBaseName();
    return {
        .title = QStringLiteral("Esporta le scadenze in un calendario (iCalendar)"),
        .filter = QStringLiteral("Calendario iCalendar (*.ics)"),
        .suggestedName = QStringLiteral("Scadenze_%1.ics").arg(year),
        .skippedNote = QStringLiteral("la data della scadenza non è valida"),
        .write = [path, records, year](const QString& target, bool& readFailed) -> std::optional<ExportCount> {
            const std::optional<CalendarExport> done = writeDeadlineCalendar(
                path, records, QStringLiteral("Scadenze e appuntamenti %1").arg(year), target, &readFailed);
            if (!done) return std::nullopt;
            return ExportCount{done->events, done->skipped};
        },
    };
}

SaveCheck twoCharacters(int field, const char* message) {
    return {field, QString::fromUtf8(message), [](const QString& text) { return text.size() >= 2; }};
}

const char* const kNewHint = "Prepara la schermata per la registrazione di una nuova scheda.";
const char* const kHelpHint = "Visualizza la pagina della guida sensibile al contesto.";

const ArchiveDefinition kDeadlines{
    .objectName = "TfrmScadenzario",
    .layout = &kDeadlineLayout,
    .caption = kCaption,
    .keyword = kKeyword,
    .groups =
        {
            {" Data scadenza: ",
             {{.field = Giorno, .label = "Giorno:", .control = Control::List, .items = days()},
              {.field = Mese, .label = "Mese:", .control = Control::List, .items = deadlineMonths()}}},
            {" Ora appuntamento: ",
             {{.field = OreApp, .label = "Ore:", .control = Control::List, .items = twoDigits(24)},
              {.field = MinutiApp, .label = "Minuti:", .control = Control::List, .items = twoDigits(60)},
              {Avviso, "Avvisa n.", Control::Line, Typing::Digits}}},
            {" Cliente: ",
             {{Cliente, "Cliente:", Control::Line, Typing::Free,
               {{Side::Import, "impPersona", "Importa i dati dall'archivio anagrafico dei clienti.", nullptr,
                 "TfrmTrovaClienti", "scadenzario"}}},
              {CodFisc, "Codice fiscale:", Control::Line, Typing::UpperTrim,
               {{Side::FiscalCode, "btnCodFisc", "Controlla il codice fiscale."}}},
              {Recapito, "Recapito preferenziale:"},
              {.field = DaConfermare, .label = "Appuntamento da confermare", .control = Control::Check,
               .hint = "Spunta questa casella per annotare che l'appuntamento è in attesa di conferma."},
              {.field = Effettuata, .label = "Pagamento effettuato", .control = Control::Check,
               .hint = "Spunta questa casella per annotare che il pagamento è stata effettuato."}}},
            {" Servizio: ",
             {{ID, "Codice ID servizio:"},
              {Tipologia, "Tipologia:"},
              {Descrizione, "Descrizione:"},
              {Uffici, "Uffici interessati:"},
              {Requisiti, "Requisiti necessari:"},
              {Documenti, "Documenti richiesti:"},
              {Persona, "Persona addetta:"}}},
            {" Scadenza: ",
             {{Dettagli, "Causale scadenza:"},
              {Pagamento, "Modalità di pagamento:"},
              {Costo, "Tariffa ordinaria:", Control::Amount4},
              {Spese, "Spese accessorie:"},
              {Note, "Note:"}}},
        },
    .commands =
        {
            {Cmd::New, kNewHint},
            {Cmd::Duplicate,
             "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {.kind = Cmd::Custom,
             .hint = "Importa i dati dal tariffario servizi.",
             .objectName = "cmdImporta",
             .caption = "Importa",
             .action = [](ArchiveScreen& s) { deadlines(s).importService(); },
             .picture = "document-import",
             .keys = "Ctrl+I"},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaScadenzario"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Export, Hint::kExport, "TfrmExpScadenzario"},
            {.kind = Cmd::List,
             .hint = "Visualizza l'elenco degli appuntamenti in attesa di conferma.",
             .target = "TfrmDaConfermare",
             .objectName = "cmdDaConfermare",
             .caption = "Da confermare",
             .picture = "question",
             .keys = "Ctrl+R"},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.",
             .target = "TfrmConfermati",
             .objectName = "cmdDaEffettuare",
             .caption = "Da pagare",
             .picture = "view-pim-tasks-pending",
             .keys = "Ctrl+G"},
            {.kind = Cmd::List,
             .hint = "Visualizza il riepilogo storico dei pagamenti effettuati.",
             .target = "TfrmNonConfermati",
             .objectName = "cmdEffettuate",
             .caption = "Pagati",
             .picture = "view-task",
             .keys = "Ctrl+H"},
            {.kind = Cmd::Custom,
             .hint = "Esporta le scadenze dell'anno in un calendario (iCalendar) per il telefono, il computer o la "
                     "posta elettronica.",
             .objectName = "cmdCalendario",
             .caption = "Calendario",
             .action = [](ArchiveScreen& s) { exportArchive(s, calendarFile(s.filePath(), std::nullopt)); },
             .picture = "view-calendar",
             .keys = "Ctrl+Shift+E"},
            {Cmd::Print, Hint::kPrint},
            {Cmd::Help, kHelpHint, "Applicazione Scadenze e Appuntamenti."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks =
        {
            required(Giorno, "Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza."),
            twoCharacters(Giorno, "Attenzione: per salvare la scheda è necessario indicare il giorno della scadenza "
                                  "usando due cifre."),
            required(Mese, "Attenzione: per salvare la scheda è necessario indicare il mese della scadenza."),
            required(OreApp, "Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento."),
            required(MinutiApp,
                     "Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora dell'appuntamento."),
            twoCharacters(OreApp, "Attenzione: per salvare la scheda è necessario indicare l'ora dell'appuntamento "
                                  "usando due cifre."),
            twoCharacters(MinutiApp, "Attenzione: per salvare la scheda è necessario indicare i minuti dell'ora "
                                     "dell'appuntamento usando due cifre."),
            required(Avviso, "Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso."),
            required(Cliente, "Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."),
            required(Dettagli, "Attenzione: per salvare la scheda è necessario indicare la causale della scadenza."),
        },
    .onClear = {{OreApp, Preset::Text, "00"}, {MinutiApp, Preset::Text, "00"}, {Costo, Preset::ZeroAmount}},
    .onDuplicate = {{Giorno, Preset::Empty},
                    {Mese, Preset::Empty},
                    {OreApp, Preset::Text, "00"},
                    {MinutiApp, Preset::Text, "00"}},
    .enterChain = {Giorno, Mese, OreApp, MinutiApp, Avviso, Cliente, CodFisc, Recapito, ID, Tipologia, Descrizione,
                   Uffici, Requisiti, Documenti, Persona, Dettagli, Pagamento, Costo, Spese, Note},
    .firstField = Giorno,
    .columns = 2,
    .card =
        {
            .kind = CardKind::CaptionValue,
            .title = "SCHEDA SCADENZA / APPUNTAMENTO",
            .rows =
                {
                    {"", "Data scadenza:",
                     [](const ArchiveScreen& s) {
                         return s.fieldText(Giorno) + u' ' + s.fieldText(Mese) + u' ' + s.fieldText(Anno);
                     }},
                    {"", "Ora appuntamento:",
                     [](const ArchiveScreen& s) { return s.fieldText(OreApp) + u':' + s.fieldText(MinutiApp); }},
                    {"txtAvviso", "Giorni preavviso:"},
                    {"txtCliente", "Cognome e nome Cliente:"},
                    {"txtCodFisc", "Codice fiscale:"},
                    {"txtRecapito", "Recapito preferenziale:"},
                    {"txtID", "Codice ID servizio:"},
                    {"txtTipologia", "Tipologia:"},
                    {"txtDescrizione", "Descrizione"},
                    {"txtUffici", "Uffici interessati:"},
                    {"txtRequisiti", "Requisiti necessari:"},
                    {"txtDocumenti", "Documenti richiesti:"},
                    {"txtPersona", "Persona addetta:"},
                    {"txtDettagli", "Causale scadenza:"},
                    {"txtPagamento", "Modalità di pagamento:"},
                    {"txtCosto", "Tariffa ordinaria:"},
                    {"txtSpese", "Spese accessorie:"},
                    {"txtNote", "Note:"},
                    {"chkDaConfermare", "Appuntamento da confermare:"},
                    {"chkEffettuata", "Pagamento effettuato:"},
                },
        },
    .beforeSave = composeDateAndTime,
    .insertedMessage = "La scheda corrente è stata salvata in archivio.",
};

// The three status lists: by the appointment mark, and by the payment mark either way.
const SearchDefinition kToConfirm{
    .objectName = "TfrmDaConfermare",
    .caption = QStringLiteral(" Riepilogo appuntamenti da confermare"),
    .layout = &kDeadlineLayout,
    .line = deadlineLine,
    .listed = [](const char* record) { return deadlineValue(record, DaConfermare) == kYes; },
    .listTitle = QStringLiteral("Riepilogo appuntamenti da confermare"),
    .ownKeyword = QString::fromLatin1(kKeyword),
    .countText = QString(),  // the status lists have no count label
};

const SearchDefinition kToPay{
    .objectName = "TfrmConfermati",
    .caption = QStringLiteral(" Riepilogo pagamenti da effettuare"),
    .layout = &kDeadlineLayout,
    .line = deadlineLine,
    .listed = [](const char* record) { return deadlineValue(record, Effettuata) == kNo; },
    .listTitle = QStringLiteral("Riepilogo pagamenti da effettuare"),
    .ownKeyword = QString::fromLatin1(kKeyword),
    .countText = QString(),  // the status lists have no count label
};

const SearchDefinition kPaid{
    .objectName = "TfrmNonConfermati",
    .caption = QStringLiteral(" Riepilogo pagamenti effettuati"),
    .layout = &kDeadlineLayout,
    .line = deadlineLine,
    .listed = [](const char* record) { return deadlineValue(record, Effettuata) == kYes; },
    .listTitle = QStringLiteral("Riepilogo pagamenti effettuati"),
    .ownKeyword = QString::fromLatin1(kKeyword),
    .countText = QString(),  // the status lists have no count label
};

const SearchDefinition kDeadlineSearch{
    .objectName = "TfrmTrovaScadenzario",
    .caption = QStringLiteral(" Trova scadenze e appuntamenti in archivio"),
    .layout = &kDeadlineLayout,
    .filters = kDeadlineFilters,
    .line = deadlineLine,
    .listTitle = QStringLiteral("Riepilogo scadenze e appuntamenti"),
    .ownKeyword = QString::fromLatin1(kKeyword),
    .countBefore = QStringLiteral("Il presente elenco contiene 0 schede."),
    .countText = QStringLiteral("Il presente elenco contiene %1 schede."),
    .listCommands = {{"btnCalendario", "Esporta in &calendario",
                      "Esporta le scadenze in elenco in un calendario (iCalendar) per il telefono, il computer o la "
                      "posta elettronica.",
                      [](const QString& path, std::span<const qint64> records) {
                          exportToChosenFile(calendarFile(path, records));
                      }}},
};

const ExportDefinition kDeadlineExport{
    .objectName = "TfrmExpScadenzario",
    .caption = QStringLiteral(" Esporta archivio scadenze e appuntamenti"),
    .fileName = "Scadenze_e_Appuntamenti.xls",
    .sheetName = "Scadenze e appuntamenti",
    .columns = kDeadlineExportColumns,
    .helpTitle = QStringLiteral("Esportazione archivio scadenze e appuntamenti in Microsoft Excel."),
    .layout = &kDeadlineLayout,
    .row = deadlineExportRow,
};

const ExportDefinition kImminentList{
    .objectName = "TfrmExpImminenti",
    .caption = QStringLiteral(" Scadenze imminenti"),
    .fileName = "Scadenze_Imminenti.xls",
    .sheetName = "Scadenze imminenti",
    .columns = kDeadlineListColumns,
    .helpTitle = kListHelpTopic,
};
const ExportDefinition kDayList{
    .objectName = "TfrmExpGiornaliere",
    .caption = QStringLiteral(" Scadenze del giorno"),
    .fileName = "Scadenze_Giornaliere.xls",
    .sheetName = "Scadenze del giorno",
    .columns = kDeadlineListColumns,
    .helpTitle = kListHelpTopic,
};
const ExportDefinition kMonthList{
    .objectName = "TfrmExpMensili",
    .caption = QStringLiteral(" Scadenze del mese"),
    .fileName = "Scadenze_Mensili.xls",
    .sheetName = "Scadenze del mese",
    .columns = kDeadlineListColumns,
    .helpTitle = kListHelpTopic,
};

// The two banners of the reminder: drawn, so that they follow the screen's font.
QPixmap banner(const QString& text, const QColor& background) {
    QFont font;
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    const QFontMetrics metrics(font);
    QPixmap picture(std::max(380, metrics.horizontalAdvance(text) + 60), metrics.height() * 2 + 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(background.darker(150), 2));
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(1, 1, -1, -1), 10, 10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return picture;
}

QLabel* text(const QString& words, QWidget* parent) {
    auto* label = new QLabel(words, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TfrmScadenzario::TfrmScadenzario(QWidget* parent) : ArchiveScreen(kDeadlines, parent) {
    year_ = QString::number(today().year());
    setFilePath(deadlineYearFile(programFolder(), today().year()));

    // The year of the archive, large beside the date fields.
    if (auto* anno = findChild<QLabel*>(QStringLiteral("lblAnno"))) {
        QFont big = anno->font();
        big.setPointSizeF(big.pointSizeF() * 2);
        big.setBold(true);
        anno->setFont(big);
        anno->setAccessibleName(QStringLiteral("Anno"));
        if (auto* form = qobject_cast<QFormLayout*>(fieldWidget(Giorno)->parentWidget()->layout())) {
            form->addRow(QStringLiteral("Anno:"), anno);
            anno->show();
        }
    }
    // The notice days read as a sentence. The field stays a sibling of its label, so the label
    // keeps naming it for assistive technology: the words go into the field's own row.
    if (QWidget* notice = fieldWidget(Avviso)) {
        if (auto* form = qobject_cast<QFormLayout*>(notice->parentWidget()->layout())) {
            for (int row = 0; row < form->rowCount(); ++row) {
                QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
                auto* line = item ? qobject_cast<QBoxLayout*>(item->layout()) : nullptr;
                if (!line || line->indexOf(notice) < 0) continue;
                line->insertWidget(line->indexOf(notice) + 1,
                                   new QLabel(QStringLiteral("giorni prima della scadenza."), notice->parentWidget()));
                break;
            }
        }
    }
    fieldWidget(Giorno)->setMinimumWidth(70);
    fieldWidget(Mese)->setMinimumWidth(120);

    // The opening panel.
    panAvvio_ = new QWidget;
    panAvvio_->setObjectName(QStringLiteral("panAvvio"));
    auto* yearBox = new QGroupBox(QStringLiteral(" Anno solare: "), panAvvio_);
    txtAnno_ = makeYearField("txtAnno", yearBox);
    txtAnno_->setAccessibleName(QStringLiteral("Anno solare"));
    txtAnno_->setFixedWidth(txtAnno_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    btnApri_ = button("btnApri", QStringLiteral("Apri"), yearBox);
    auto* yearRow = new QGridLayout(yearBox);
    yearRow->addWidget(txtAnno_, 0, 0);
    yearRow->addWidget(btnApri_, 0, 1);
    yearRow->addWidget(text(QStringLiteral("Indicare l'anno solare e premere Apri."), yearBox), 0, 2);
    yearRow->addWidget(text(QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."), yearBox),
                       1, 0, 1, 3);
    yearRow->setColumnStretch(2, 1);

    auto* calendarBox = new QGroupBox(QStringLiteral(" Calendario: "), panAvvio_);
    calAppuntamenti_ = new QCalendarWidget(calendarBox);
    calAppuntamenti_->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti_->setAccessibleName(QStringLiteral("Calendario degli appuntamenti"));
    calAppuntamenti_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti_->setGridVisible(true);
    calAppuntamenti_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti_->setSelectedDate(today());
    setCalendarPictures(calAppuntamenti_);
    auto* btnGiorno = button("btnGiorno", QStringLiteral("Scadenze del giorno"), calendarBox);
    auto* btnMese = button("btnMese", QStringLiteral("Scadenze del mese"), calendarBox);
    auto* calendarLayout = new QGridLayout(calendarBox);
    calendarLayout->addWidget(calAppuntamenti_, 0, 0, 1, 2);
    calendarLayout->addWidget(btnGiorno, 1, 0);
    calendarLayout->addWidget(btnMese, 1, 1);

    auto* reminderBox = new QGroupBox(QStringLiteral(" Scadenze imminenti: "), panAvvio_);
    imgAssenti_ = new QLabel(reminderBox);
    imgAssenti_->setObjectName(QStringLiteral("imgAssenti"));
    imgAssenti_->setPixmap(banner(QStringLiteral("Nessuna scadenza imminente"), QColor(0x2e, 0x7d, 0x32)));
    imgAssenti_->setAccessibleName(QStringLiteral("Nessuna scadenza imminente"));
    imgPresenti_ = new QLabel(reminderBox);
    imgPresenti_->setObjectName(QStringLiteral("imgPresenti"));
    imgPresenti_->setPixmap(banner(QStringLiteral("Attenzione: ci sono scadenze imminenti!"), QColor(0xc6, 0x28, 0x28)));
    imgPresenti_->setAccessibleName(QStringLiteral("Ci sono scadenze imminenti"));
    imgPresenti_->hide();
    btnOK_ = button("btnOK", QStringLiteral("OK"), reminderBox);
    btnOK_->setEnabled(false);
    auto* reminderLayout = new QGridLayout(reminderBox);
    reminderLayout->addWidget(imgAssenti_, 0, 0, 1, 2);
    reminderLayout->addWidget(imgPresenti_, 0, 0, 1, 2);
    reminderLayout->addWidget(btnOK_, 1, 0);
    reminderLayout->addWidget(text(QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."), reminderBox), 1, 1);
    reminderLayout->addWidget(text(QStringLiteral("Visualizza le scadenze imminenti."), reminderBox), 2, 0, 1, 2);
    reminderLayout->setRowStretch(3, 1);

    auto* imgGuida = button("imgGuida", QStringLiteral("Guida"), panAvvio_);
    imgGuida->setIcon(programIcon("help-contents"));
    auto* imgEsci = button("imgEsci", QStringLiteral("Esci"), panAvvio_);
    imgEsci->setIcon(programIcon("application-exit"));
    auto* heading = new QLabel(QStringLiteral("Scadenze e appuntamenti"), panAvvio_);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* openingLayout = new QGridLayout(panAvvio_);
    openingLayout->addWidget(heading, 0, 0, 1, 2);
    openingLayout->addWidget(yearBox, 1, 0, 1, 2);
    openingLayout->addWidget(calendarBox, 2, 0);
    openingLayout->addWidget(reminderBox, 2, 1);
    auto* exits = new QHBoxLayout;
    exits->addStretch();
    exits->addWidget(imgGuida);
    exits->addWidget(imgEsci);
    openingLayout->addLayout(exits, 3, 0, 1, 2);
    openingLayout->setRowStretch(4, 1);

    // The record panel is the archive screen's own area.
    panContainer_ = takeCentralWidget();
    panContainer_->setObjectName(QStringLiteral("panContainer"));
    auto* both = new QWidget(this);
    auto* bothLayout = new QVBoxLayout(both);
    bothLayout->setContentsMargins(0, 0, 0, 0);
    bothLayout->addWidget(panAvvio_);
    bothLayout->addWidget(panContainer_, 1);
    setCentralWidget(both);

    enterMovesTo(txtAnno_, btnApri_);
    connect(btnApri_, &QPushButton::clicked, this, [this] { openYear(); });
    connect(btnOK_, &QPushButton::clicked, this, [this] { openImminent(); });
    connect(btnGiorno, &QPushButton::clicked, this, [this] { openDay(); });
    connect(btnMese, &QPushButton::clicked, this, [this] { openMonth(); });
    connect(imgGuida, &QPushButton::clicked, this, [] { showHelp(kHelpTopic); });
    connect(imgEsci, &QPushButton::clicked, this, [this] { close(); });
    showOpeningPanel();
}

void TfrmScadenzario::setToday(QDate day) {
    today_ = day;
    calAppuntamenti_->setSelectedDate(today());
}

void TfrmScadenzario::setRecordPanelVisible(bool visible) {
    panAvvio_->setVisible(!visible);
    panContainer_->setVisible(visible);
    for (QToolBar* bar : findChildren<QToolBar*>()) bar->setVisible(visible);
}

void TfrmScadenzario::showOpeningPanel() {
    setWindowTitle(QString::fromUtf8(kCaption));
    setRecordPanelVisible(false);
    txtAnno_->setText(QString::number(today().year()));
    txtAnno_->setFocus(Qt::OtherFocusReason);
}

void TfrmScadenzario::openYear() {
    const std::optional<QString> year = typedYear(txtAnno_);
    if (!year) return;
    year_ = *year;
    setFilePath(programFile(year_ + QStringLiteral(".sca")));
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" anno ") + year_);
    setRecordPanelVisible(true);
    clearScreen();
}

void TfrmScadenzario::clearExtra() { setField(*this, Anno, year_); }

void TfrmScadenzario::checkReminders() {
    const std::optional<Reminder> reminder = cal::checkReminders(programFolder(), today());
    // A record that cannot be read stops the check: the banners stay as they were.
    if (!reminder || !reminder->readable) return;
    const bool imminent = reminder->imminent > 0;
    imgAssenti_->setVisible(!imminent);
    imgPresenti_->setVisible(imminent);
    btnOK_->setEnabled(imminent);
    if (imminent) sound().play(programFile(QStringLiteral("Avviso.mp3")));
}

void TfrmScadenzario::openList(const ExportDefinition& definition, const DeadlineList& list) {
    ExportScreen screen(definition, isVisible() ? this : nullptr);
    // An empty year file leaves the grid's ten empty rows; a year without matches, no row.
    if (list.records > 0) screen.model()->setRows(list.rows, list.numbers);
    screens().exec(&screen);
}

void TfrmScadenzario::openImminent() { openList(kImminentList, imminentDeadlines(programFolder(), today())); }

void TfrmScadenzario::openDay() {
    openList(kDayList, dayDeadlines(programFolder(), dateText(calAppuntamenti_->selectedDate())));
}

void TfrmScadenzario::openMonth() {
    openList(kMonthList, monthDeadlines(programFolder(), dateText(calAppuntamenti_->selectedDate())));
}

void TfrmScadenzario::importService() { openSearch("TfrmTrovaTariffario", QStringLiteral("scadenzario"), this); }

void TfrmScadenzario::showEvent(QShowEvent* event) {
    ArchiveScreen::showEvent(event);
    if (event->spontaneous()) return;
    if (panAvvio_->isVisibleTo(this)) {
        txtAnno_->setText(QString::number(today().year()));
        txtAnno_->setFocus(Qt::OtherFocusReason);
    }
    checkReminders();
}

void TfrmScadenzario::closeEvent(QCloseEvent* event) {
    ArchiveScreen::closeEvent(event);
    if (!event->isAccepted()) return;
    sound().stop();
    showOpeningPanel();
}

const ArchiveModule& deadlineModule() {
    static const ArchiveModule module{
        .archive = &kDeadlines,
        .create = [] { return new TfrmScadenzario; },
        .searches = {&kDeadlineSearch, &kToConfirm, &kToPay, &kPaid},
        .exports = {&kDeadlineExport, &kImminentList, &kDayList, &kMonthList},
        .launcher = {{.entry = "Scadenzario", .caption = "Scadenze e Appuntamenti",
                      .hint = "Scadenze e appuntamenti dell'anno, con avviso delle scadenze imminenti.",
                      .icon = "archive-deadlines"}},
    };
    return module;
}

}  // namespace cal
