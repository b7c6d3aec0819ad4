#include "services/FeeSummary.h"

#include "core/Amount.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/Catalog.h"
#include "screens/TfrmGuida.h"
#include "services/ServiceTables.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {
namespace {

const QStringList kMonths{"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                          "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
const QString kFileNotAccessible = QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
const QString kCaption = QStringLiteral(" Calvetra 4.0 - Riepilogo Compensi");

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// The drop-downs of the interval take no typing: Backspace and Delete empty them, the keys that
// move through a list or open it act as usual, any character is discarded.
class ListKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* combo = static_cast<QComboBox*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            combo->setCurrentIndex(-1);
            return true;
        }
        return !key->text().isEmpty() && key->text()[0].isPrint();
    }
};

QComboBox* dropDown(const char* name, const QStringList& items, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    c->setCurrentIndex(-1);
    c->installEventFilter(new ListKeys(c));
    return c;
}

}  // namespace

// ---- the query screen ----

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TfrmMenuRiepCosti"));
    applyRegionalSettings();
    setWindowTitle(kCaption);
    auto* central = new QWidget(this);

    txtAnno_ = new QLineEdit(central);
    txtAnno_->setObjectName(QStringLiteral("txtAnno"));
    txtAnno_->setMaxLength(4);
    txtAnno_->setMaximumWidth(80);
    acceptDigitsOnly(txtAnno_);
    txtCliente_ = new QLineEdit(central);
    txtCliente_->setObjectName(QStringLiteral("txtCliente"));
    txtCliente_->setMaxLength(16);
    upperCaseWhileTyping(txtCliente_, true);
    txtTarga_ = new QLineEdit(central);
    txtTarga_->setObjectName(QStringLiteral("txtTarga"));
    txtTarga_->setMaxLength(250);
    auto* impCliente = button("impCliente", QStringLiteral("Importa"), central);
    impCliente->setAccessibleName(QStringLiteral("Importa il codice fiscale dall'archivio anagrafico dei Clienti."));

    auto* form = new QFormLayout;
    auto addRow = [&](const char* text, QLineEdit* field, QWidget* beside = nullptr) {
        auto* l = new QLabel(QString::fromUtf8(text), central);
        l->setBuddy(field);
        field->setAccessibleName(l->text());
        if (!beside) return form->addRow(l, field);
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(beside);
        form->addRow(l, row);
    };
    addRow("Anno:", txtAnno_);
    addRow("Codice fiscale Cliente:", txtCliente_, impCliente);
    addRow("Tipologia servizio:", txtTarga_);

    start_ = makeDateBox(QStringLiteral(" Data inizio intervallo: "), QStringLiteral("Inizio"), central);
    end_ = makeDateBox(QStringLiteral(" Data fine intervallo: "), QStringLiteral("Fine"), central);
    auto* visualizza = button("btnVisualizza", QStringLiteral("Visualizza riepilogo"), central);
    auto* esci = button("btnEsci", QStringLiteral("Esci"), central);
    lblAttendere_ = label("lblAttendere", QStringLiteral("Caricamento riepilogo in corso. Attendere..."), central);
    lblAttendere_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblAttendere_->hide();
    lblFile_ = label("lblFile", {}, central);
    lblFile_->hide();

    auto* dates = new QHBoxLayout;
    dates->addWidget(start_.day->parentWidget());
    dates->addWidget(end_.day->parentWidget());
    dates->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblAttendere_);
    buttons->addStretch();
    buttons->addWidget(visualizza);
    buttons->addWidget(esci);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(label("lblCampo01",
                            QStringLiteral("Indicare l'anno solare di interesse, il codice fiscale del Cliente e/o la "
                                           "tipologia di servizi."),
                            central));
    layout->addLayout(form);
    layout->addWidget(label("lblCampo02",
                            QStringLiteral("Per ottenere il riepilogo dei compensi relativi ai servizi erogati a tutti "
                                           "i Clienti, lasciare in bianco i campi di testo."),
                            central));
    layout->addSpacing(8);
    layout->addWidget(label("lblCampo03",
                            QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare in base "
                                           "alla data di richiesta del servizio."),
                            central));
    layout->addLayout(dates);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(makeStatusLine(central));
    setCentralWidget(central);

    // Enter moves on; from the last drop-down to the command.
    enterMovesTo(txtAnno_, txtCliente_);
    enterMovesTo(txtCliente_, txtTarga_);
    enterMovesTo(txtTarga_, start_.day);
    enterMovesTo(start_.day, start_.month);
    enterMovesTo(start_.month, end_.day);
    enterMovesTo(end_.day, end_.month);
    enterMovesTo(end_.month, visualizza);
    connect(txtAnno_, &QLineEdit::textChanged, this, [this](const QString& text) {
        start_.year->setText(trimmed(text));
        end_.year->setText(trimmed(text));
    });
    connect(impCliente, &QPushButton::clicked, this,
            [this] { openSearch("TfrmTrovaClienti", QStringLiteral("riepilogo"), this); });
    connect(visualizza, &QPushButton::pressed, lblAttendere_, &QLabel::show);
    connect(visualizza, &QPushButton::clicked, this, &TfrmMenuRiepCosti::showSummary);
    connect(esci, &QPushButton::clicked, this, &TfrmMenuRiepCosti::close);
}

TfrmMenuRiepCosti::DateBox TfrmMenuRiepCosti::makeDateBox(const QString& title, const QString& suffix,
                                                          QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QStringLiteral("grpData") + suffix);
    QStringList days;
    for (int d = 1; d <= 31; ++d) days << QStringLiteral("%1").arg(d, 2, 10, QChar(u'0'));
    DateBox out{dropDown(qPrintable(QStringLiteral("txtGiorno") + suffix), days, box),
                dropDown(qPrintable(QStringLiteral("txtMese") + suffix), kMonths, box),
                label(qPrintable(QStringLiteral("lblAnno") + suffix), QStringLiteral("ANNO"), box),
                label(qPrintable(QStringLiteral("lblData") + suffix), {}, box)};
    out.date->hide();
    auto* grid = new QGridLayout(box);
    auto* dayLabel = new QLabel(QStringLiteral("Giorno:"), box);
    dayLabel->setBuddy(out.day);
    out.day->setAccessibleName(title.trimmed() + QStringLiteral(" giorno"));
    auto* monthLabel = new QLabel(QStringLiteral("Mese:"), box);
    monthLabel->setBuddy(out.month);
    out.month->setAccessibleName(title.trimmed() + QStringLiteral(" mese"));
    grid->addWidget(dayLabel, 0, 0);
    grid->addWidget(out.day, 1, 0);
    grid->addWidget(monthLabel, 0, 1);
    grid->addWidget(out.month, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Anno:"), box), 0, 2);
    grid->addWidget(out.year, 1, 2);
    return out;
}

QString TfrmMenuRiepCosti::dateText(const DateBox& box) {
    const int month = int(kMonths.indexOf(box.month->currentText())) + 1;
    return trimmed(box.day->currentText()) + u'/' + QStringLiteral("%1").arg(month, 2, 10, QChar(u'0')) + u'/' +
           trimmed(box.year->text());
}

void TfrmMenuRiepCosti::showSummary() {
    start_.date->clear();
    end_.date->clear();
    auto refuse = [this](Dialogs::Kind kind, const QString& text, QWidget* focus) {
        lblAttendere_->hide();
        dialogs().message(kind, text);
        if (focus) focus->setFocus(Qt::OtherFocusReason);
    };
    if (txtAnno_->text().size() != 4)
        return refuse(Dialogs::Kind::Warning, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."),
                      txtAnno_);
    const struct {
        QComboBox* box;
        const char* what;
    } required[] = {{start_.day, "il giorno di inizio"}, {start_.month, "il mese di inizio"},
                    {end_.day, "il giorno di fine"},      {end_.month, "il mese di fine"}};
    for (const auto& r : required)
        if (trimmed(r.box->currentText()).isEmpty())
            return refuse(Dialogs::Kind::Warning,
                          QStringLiteral("Attenzione: indicare %1 intervallo selezionandolo dall'elenco a cascata.")
                              .arg(QString::fromUtf8(r.what)),
                          r.box);
    const QString sentence = QStringLiteral("\n\r\n\r");
    start_.date->setText(dateText(start_));
    const auto from = parseDateText(start_.date->text());
    if (!from)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di inizio intervallo non esiste.").arg(start_.date->text()) +
                          sentence + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida."),
                      start_.day);
    end_.date->setText(dateText(end_));
    const auto to = parseDateText(end_.date->text());
    if (!to)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di fine intervallo non esiste.").arg(end_.date->text()) +
                          sentence + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida."),
                      end_.day);
    if (*from > *to)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella di "
                                     "inizio intervallo (%2).")
                              .arg(end_.date->text(), start_.date->text()) +
                          sentence +
                          QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare un intervallo di "
                                         "tempo valido."),
                      nullptr);
    lblFile_->setText(programFile(trimmed(txtAnno_->text()) + QStringLiteral(".ser")));
    TfrmRiepCosti result(lblFile_->text(), txtCliente_->text(), txtTarga_->text(), *from, *to,
                         isVisible() ? this : nullptr);
    screens().exec(&result);
    lblAttendere_->hide();
}

void TfrmMenuRiepCosti::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    txtCliente_->clear();
    txtTarga_->clear();
    for (QComboBox* c : {start_.day, start_.month, end_.day, end_.month}) c->setCurrentIndex(-1);
    txtAnno_->setText(QString::number(QDate::currentDate().year()).rightJustified(4, u'0'));
    lblAttendere_->hide();
    txtCliente_->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRiepCosti::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

// ---- the result screen ----

TfrmRiepCosti::TfrmRiepCosti(const QString& path, const QString& fiscalCode, const QString& type, QDate from,
                             QDate to, QWidget* parent)
    : QDialog(parent), path_(path), fiscalCode_(fiscalCode), type_(type), from_(from), to_(to) {
    setObjectName(QStringLiteral("TfrmRiepCosti"));
    applyRegionalSettings();
    setWindowTitle(kCaption);
    setModal(true);
    resize(1100, 640);

    auto* grid = new QGridLayout;
    auto pair = [&](int row, const char* infoName, const QString& info, const char* valueName) {
        QLabel* caption = label(infoName, info, this);
        caption->setWordWrap(false);
        grid->addWidget(caption, row, 0);
        QLabel* value = label(valueName, {}, this);
        value->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(value, row, 1);
        return value;
    };
    titTipologia_ = pair(0, "lblTipologia", QStringLiteral("C.F. Cliente:"), "titTipologia");
    lblIntervallo_ = pair(1, "infIntervallo", QStringLiteral("Intervallo selezionato:"), "lblIntervallo");
    grid->setColumnStretch(1, 1);
    model_ = new ListModel(this);
    lstRecords_ = new QListView(this);
    lstRecords_->setObjectName(QStringLiteral("lstRecords"));
    lstRecords_->setAccessibleName(QStringLiteral("Servizi del riepilogo"));
    lstRecords_->setModel(model_);
    lstRecords_->setFont(listFont());
    lstRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords_->setUniformItemSizes(true);
    auto* totals = new QHBoxLayout;
    totals->addWidget(label("infTotKmPercorsi", QStringLiteral("Totale compensi: €"), this));
    lblTotCosti_ = label("lblTotCosti", kZeroAmount, this);
    lblTotCosti_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    totals->addWidget(lblTotCosti_);
    totals->addStretch();
    lblConta_ = label("lblConta", {}, this);
    lblConta_->hide();

    txtTrova_ = new QLineEdit(this);
    txtTrova_->setObjectName(QStringLiteral("txtTrova"));
    txtTrova_->setAccessibleName(QStringLiteral("Testo da trovare"));
    auto* trova = button("btnTrova", QStringLiteral("Trova"), this);
    auto* stampa = button("btnStampa", QStringLiteral("Stampa riepilogo"), this);
    auto* esci = button("btnEsci", QStringLiteral("Esci"), this);
    auto* guida = new QToolButton(this);
    guida->setObjectName(QStringLiteral("imgGuida"));
    guida->setIcon(programIcon(QStyle::SP_DialogHelpButton));
    guida->setText(QStringLiteral("Guida"));
    guida->setToolTip(QStringLiteral("Visualizza la guida in linea. (F1)"));
    guida->setAccessibleName(QStringLiteral("Guida"));
    guida->setShortcut(QKeySequence(Qt::Key_F1));
    guida->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    enterMovesTo(txtTrova_, trova);

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(txtTrova_, 1);
    findRow->addWidget(trova);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(guida);
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(esci);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lstRecords_, 1);
    layout->addLayout(totals);
    layout->addWidget(label("lblRigo01",
                            QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                           "cercare e premere il pulsante Trova."),
                            this));
    layout->addWidget(label("lblRigo02",
                            QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                           "fare di nuovo clic su Trova."),
                            this));
    layout->addLayout(findRow);
    layout->addLayout(buttons);

    connect(trova, &QPushButton::clicked, this, &TfrmRiepCosti::findInList);
    connect(stampa, &QPushButton::clicked, this, &TfrmRiepCosti::printSummary);
    connect(esci, &QPushButton::clicked, this, &TfrmRiepCosti::reject);
    connect(guida, &QToolButton::clicked, this, [] { showHelp(QStringLiteral("Applicazione Riepilogo Compensi.")); });
}

void TfrmRiepCosti::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) build();
}

void TfrmRiepCosti::build() {
    int filters = 0;
    for (const QString& f : {fiscalCode_, type_}) filters += trimmed(f).isEmpty() ? 0 : 1;
    lblConta_->setText(QString::number(filters));
    titTipologia_->setText(trimmed(fiscalCode_).isEmpty() ? QStringLiteral("- - -") : trimmed(fiscalCode_));
    model_->setEntries(nullptr);
    entries_.clear();
    const auto summary = buildFeeSummary(path_, fiscalCode_, type_, from_, to_);
    lblIntervallo_->setText(QStringLiteral("Dal   %1   al   %2").arg(cal::dateText(from_), cal::dateText(to_)));
    if (summary) {
        entries_ = summary->lines;
        lblTotCosti_->setText(summary->total);
    }
    model_->setEntries(&entries_);
    if (!entries_.empty()) lstRecords_->setCurrentIndex(model_->index(0));
    txtTrova_->setFocus(Qt::OtherFocusReason);
    if (!summary) {
        plainMessage(kFileNotAccessible);
    } else if (summary->unreadable > 0) {
        // Records this program did not write may hold a date or rate it cannot read: they are
        // left out of the list and of the total, and the user is told how many.
        plainMessage(summary->unreadable == 1
                         ? QStringLiteral("Attenzione: una scheda dell'archivio ha una data di richiesta o una tariffa "
                                          "non leggibile e non è compresa nel riepilogo.")
                         : QStringLiteral("Attenzione: %1 schede dell'archivio hanno una data di richiesta o una "
                                          "tariffa non leggibile e non sono comprese nel riepilogo.")
                               .arg(summary->unreadable));
    }
}

QStringList TfrmRiepCosti::lines() const {
    QStringList out;
    for (const ListEntry& e : entries_) out << e.line;
    return out;
}

void TfrmRiepCosti::findInList() {
    const QModelIndex current = lstRecords_->currentIndex();
    const auto result = finder_.find(lines(), current.isValid() ? current.row() : -1, txtTrova_->text());
    if (result.outcome == ListFinder::Outcome::EmptyList) {
        plainMessage(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    lstRecords_->setCurrentIndex(model_->index(result.selected));
    lstRecords_->scrollTo(lstRecords_->currentIndex());
}

void TfrmRiepCosti::printSummary() {
    if (entries_.empty()) {
        warning(QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        return;
    }
    if (!dialogs().question(QStringLiteral("Si vuole stampare il presente riepilogo?"))) return;
    QStringList body = lines();
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimmed(lblIntervallo_->text())
         << QStringLiteral("TOTALE COMPENSI:           € ") + trimmed(lblTotCosti_->text());
    printing().print(listingReport(
        QStringLiteral("Riepilogo compensi   -   C.F. Cliente:  ") + trimmed(titTipologia_->text()), body));
}

void TfrmRiepCosti::done(int result) {
    model_->setEntries(nullptr);
    entries_.clear();
    QDialog::done(result);
}

}  // namespace cal

#include "FeeSummary.moc"
