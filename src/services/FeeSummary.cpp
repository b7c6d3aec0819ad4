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

const QString kFileNotAccessible = QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
const QString kCaption = QStringLiteral(" Calvetra 4.0 - Riepilogo Compensi");
const auto label = namedLabel;
const auto button = namedButton;

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
    dates->addWidget(start_.box);
    dates->addWidget(end_.box);
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

void TfrmMenuRiepCosti::showSummary() {
    const std::optional<Interval> interval = checkYearInterval(txtAnno_, start_, end_);
    if (!interval) {
        lblAttendere_->hide();
        return;
    }
    const QDate from = interval->from;
    const QDate to = interval->to;
    lblFile_->setText(programFile(trimmed(txtAnno_->text()) + QStringLiteral(".ser")));
    TfrmRiepCosti result(lblFile_->text(), txtCliente_->text(), txtTarga_->text(), from, to,
                         isVisible() ? this : nullptr);
    screens().exec(&result);
    lblAttendere_->hide();
}

void TfrmMenuRiepCosti::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    txtCliente_->clear();
    txtTarga_->clear();
    clearDateBoxes(start_, end_);
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
    QToolButton* guida = summaryHelpButton(QStringLiteral("Applicazione Riepilogo Compensi."), this);
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

