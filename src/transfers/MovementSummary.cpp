#include "transfers/MovementSummary.h"

#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/IntervalQuery.h"
#include "transfers/TransferTables.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {
namespace {

const QString kHelpTopic = QStringLiteral("Applicazione Riepilogo Movimenti.");

struct SummaryTexts {
    const char* objectName;
    const char* listName;
    const char* caption;
    const char* instruction;
    const char* counterparty;
    const char* blankFilters;
    const char* title;
};

const SummaryTexts kTexts[2] = {
    {"TfrmRiepBonificiEmessi", "TfrmListaBonificiEmessi", " Calvetra 4.0 - Riepilogo bonifici emessi",
     "Indicare l'anno solare di interesse, il beneficiario e la causale.", "Beneficiario:",
     "Per ottenere il riepilogo di tutti i bonifici emessi nell'intervallo di tempo, lasciare in bianco i campi di "
     "testo.",
     "Riepilogo bonifici emessi"},
    {"TfrmRiepBonificiRicevuti", "TfrmListaBonificiRicevuti", " Calvetra 4.0 - Riepilogo bonifici ricevuti",
     "Indicare l'anno solare di interesse, il pagatore e la causale.", "Pagatore:",
     "Per ottenere il riepilogo di tutti i bonifici ricevuti nell'intervallo di tempo, lasciare in bianco i campi di "
     "testo.",
     "Riepilogo bonifici ricevuti"},
};

const SummaryTexts& texts(TransferRegister reg) { return kTexts[reg == TransferRegister::Issued ? 0 : 1]; }

// The last text found in each register's result screen: it outlives the screen, so searching the
// same text in a later summary goes on from the line after the selected one.
ListFinder& finder(TransferRegister reg) {
    static ListFinder finders[2];
    return finders[reg == TransferRegister::Issued ? 0 : 1];
}

}  // namespace

// ---- the query screen ----

TfrmRiepBonifici::TfrmRiepBonifici(TransferRegister reg, QWidget* parent) : QMainWindow(parent), reg_(reg) {
    const SummaryTexts& t = texts(reg);
    setObjectName(QString::fromLatin1(t.objectName));
    applyRegionalSettings();
    setWindowTitle(QString::fromUtf8(t.caption));
    auto* central = new QWidget(this);

    txtAnno_ = new QLineEdit(central);
    txtAnno_->setObjectName(QStringLiteral("txtAnno"));
    txtAnno_->setMaxLength(4);
    txtAnno_->setMaximumWidth(80);
    acceptDigitsOnly(txtAnno_);
    txtCliente_ = new QLineEdit(central);
    txtCliente_->setObjectName(QStringLiteral("txtCodFiscCliente"));
    txtCliente_->setMaxLength(50);
    txtCliente_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), txtCliente_));
    txtCausale_ = new QLineEdit(central);
    txtCausale_->setObjectName(QStringLiteral("txtDescBene01"));
    txtCausale_->setMaxLength(250);

    auto* form = new QFormLayout;
    auto addRow = [&](const QString& text, QLineEdit* field) {
        auto* l = new QLabel(text, central);
        l->setBuddy(field);
        field->setAccessibleName(text);
        form->addRow(l, field);
    };
    addRow(QStringLiteral("Anno:"), txtAnno_);
    addRow(QString::fromUtf8(t.counterparty), txtCliente_);
    addRow(QStringLiteral("Causale:"), txtCausale_);

    start_ = makeDateBox(QStringLiteral(" Data inizio intervallo: "), QStringLiteral("Inizio"), central);
    end_ = makeDateBox(QStringLiteral(" Data fine intervallo: "), QStringLiteral("Fine"), central);
    auto* visualizza = namedButton("btnVisualizza", QStringLiteral("Visualizza riepilogo"), central);
    auto* esci = namedButton("btnEsci", QStringLiteral("Esci"), central);
    lblAttendere_ = namedLabel("lblAttendere", QStringLiteral("Caricamento riepilogo in corso. Attendere..."), central);
    lblAttendere_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblAttendere_->hide();
    lblFile_ = namedLabel("lblFile", {}, central);
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
    layout->addWidget(namedLabel("lblCampo01", QString::fromUtf8(t.instruction), central));
    layout->addLayout(form);
    layout->addWidget(namedLabel("lblCampo02", QString::fromUtf8(t.blankFilters), central));
    layout->addSpacing(8);
    layout->addWidget(namedLabel("lblCampo03",
                                 QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare in "
                                                "base alla data di esecuzione del bonifico."),
                                 central));
    layout->addLayout(dates);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(makeStatusLine(central));
    setCentralWidget(central);

    enterMovesTo(txtAnno_, txtCliente_);
    enterMovesTo(txtCliente_, txtCausale_);
    enterMovesTo(txtCausale_, start_.day);
    enterMovesTo(start_.day, start_.month);
    enterMovesTo(start_.month, end_.day);
    enterMovesTo(end_.day, end_.month);
    enterMovesTo(end_.month, visualizza);
    connect(txtAnno_, &QLineEdit::textChanged, this, [this](const QString& text) {
        start_.year->setText(trimmed(text));
        end_.year->setText(trimmed(text));
    });
    connect(visualizza, &QPushButton::pressed, lblAttendere_, &QLabel::show);
    connect(visualizza, &QPushButton::clicked, this, &TfrmRiepBonifici::showSummary);
    connect(esci, &QPushButton::clicked, this, &TfrmRiepBonifici::close);
}

void TfrmRiepBonifici::showSummary() {
    lblAttendere_->show();
    const std::optional<Interval> interval = checkYearInterval(txtAnno_, start_, end_);
    if (!interval) {
        lblAttendere_->hide();
        return;
    }
    lblFile_->setText(programFile(QString::fromLatin1(transferLayout(reg_).fileName)));
    TfrmListaBonifici result(reg_, lblFile_->text(), txtCliente_->text(), txtCausale_->text(), interval->from,
                             interval->to, isVisible() ? this : nullptr);
    screens().exec(&result);
    lblAttendere_->hide();
}

void TfrmRiepBonifici::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    txtCliente_->clear();
    txtCausale_->clear();
    clearDateBoxes(start_, end_);
    txtAnno_->setText(QString::number(QDate::currentDate().year()).rightJustified(4, u'0'));
    lblAttendere_->hide();
    txtCliente_->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepBonifici::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

// ---- the result screen ----

TfrmListaBonifici::TfrmListaBonifici(TransferRegister reg, const QString& path, const QString& counterparty,
                                     const QString& reason, QDate from, QDate to, QWidget* parent)
    : QDialog(parent), reg_(reg), path_(path), counterparty_(counterparty), reason_(reason), from_(from), to_(to) {
    const SummaryTexts& t = texts(reg);
    setObjectName(QString::fromLatin1(t.listName));
    applyRegionalSettings();
    setWindowTitle(QString::fromUtf8(t.caption));
    setModal(true);
    resize(1300, 640);

    auto* grid = new QGridLayout;
    auto pair = [&](int row, const char* infoName, const QString& info, const char* valueName) {
        QLabel* caption = namedLabel(infoName, info, this);
        caption->setWordWrap(false);
        grid->addWidget(caption, row, 0);
        QLabel* value = namedLabel(valueName, {}, this);
        value->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(value, row, 1);
        return value;
    };
    titTipologia_ = pair(0, "lblTipologia", QStringLiteral("Causale:"), "titTipologia");
    lblIntervallo_ = pair(1, "infIntervallo", QStringLiteral("Intervallo selezionato:"), "lblIntervallo");
    lblTotCosti_ = pair(2, "infTotCosti", QStringLiteral("Totale importi:"), "lblTotCosti");
    lblTotCosti_->setText(QStringLiteral("0,00"));
    grid->setColumnStretch(1, 1);
    model_ = new ListModel(this);
    lstRecords_ = new QListView(this);
    lstRecords_->setObjectName(QStringLiteral("lstRecords"));
    lstRecords_->setAccessibleName(QStringLiteral("Bonifici del riepilogo"));
    lstRecords_->setModel(model_);
    lstRecords_->setFont(listFont());
    lstRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords_->setUniformItemSizes(true);
    lblConta_ = namedLabel("lblConta", {}, this);
    lblConta_->hide();

    txtTrova_ = new QLineEdit(this);
    txtTrova_->setObjectName(QStringLiteral("txtTrova"));
    txtTrova_->setAccessibleName(QStringLiteral("Testo da trovare"));
    auto* trova = namedButton("btnTrova", QStringLiteral("Trova"), this);
    auto* stampa = namedButton("btnStampa", QStringLiteral("Stampa riepilogo"), this);
    auto* esci = namedButton("btnEsci", QStringLiteral("Esci"), this);
    QToolButton* guida = summaryHelpButton(kHelpTopic, this);
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
    layout->addWidget(namedLabel("lblRigo01",
                                 QStringLiteral("Immettere una o più parole consecutive presenti nel bonifico da "
                                                "cercare e premere il pulsante Trova."),
                                 this));
    layout->addWidget(namedLabel("lblRigo02",
                                 QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                                "ricerca, fare di nuovo clic su Trova."),
                                 this));
    layout->addLayout(findRow);
    layout->addLayout(buttons);

    connect(trova, &QPushButton::clicked, this, &TfrmListaBonifici::findInList);
    connect(stampa, &QPushButton::clicked, this, &TfrmListaBonifici::printSummary);
    connect(esci, &QPushButton::clicked, this, &TfrmListaBonifici::reject);
}

void TfrmListaBonifici::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) build();
}

void TfrmListaBonifici::build() {
    int filters = 0;
    for (const QString& f : {counterparty_, reason_}) filters += trimmed(f).isEmpty() ? 0 : 1;
    lblConta_->setText(QString::number(filters));
    titTipologia_->setText(trimmed(reason_).isEmpty() ? QStringLiteral("- - -") : trimmed(reason_));
    model_->setEntries(nullptr);
    entries_.clear();
    const auto summary = buildMovementSummary(path_, reg_, counterparty_, reason_, from_, to_);
    lblIntervallo_->setText(QStringLiteral("Dal   %1   al   %2").arg(dateText(from_), dateText(to_)));
    if (summary) {
        entries_ = summary->lines;
        lblTotCosti_->setText(summary->total);
    }
    model_->setEntries(&entries_);
    if (!entries_.empty()) lstRecords_->setCurrentIndex(model_->index(0));
    txtTrova_->setFocus(Qt::OtherFocusReason);
    if (!summary) {
        plainMessage(QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
    } else if (summary->unreadable > 0) {
        // Records this program did not write may hold a date or amount it cannot read: they are
        // left out of the list and of the total, and the user is told how many.
        plainMessage(summary->unreadable == 1
                         ? QStringLiteral("Attenzione: una scheda dell'archivio ha una data di esecuzione o un importo "
                                          "non leggibile e non è compresa nel riepilogo.")
                         : QStringLiteral("Attenzione: %1 schede dell'archivio hanno una data di esecuzione o un "
                                          "importo non leggibile e non sono comprese nel riepilogo.")
                               .arg(summary->unreadable));
    }
}

QStringList TfrmListaBonifici::lines() const {
    QStringList out;
    for (const ListEntry& e : entries_) out << e.line;
    return out;
}

void TfrmListaBonifici::findInList() {
    const QModelIndex current = lstRecords_->currentIndex();
    const auto result = finder(reg_).find(lines(), current.isValid() ? current.row() : -1, txtTrova_->text());
    if (result.outcome == ListFinder::Outcome::EmptyList) {
        plainMessage(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    lstRecords_->setCurrentIndex(model_->index(result.selected));
    lstRecords_->scrollTo(lstRecords_->currentIndex());
}

void TfrmListaBonifici::printSummary() {
    if (entries_.empty()) {
        warning(QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        return;
    }
    if (!dialogs().question(QStringLiteral("Si vuole stampare il presente riepilogo?"))) return;
    QStringList body = lines();
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimmed(lblIntervallo_->text())
         << QStringLiteral("TOTALE IMPORTI:            € ") + trimmed(lblTotCosti_->text());
    Report report = listingReport(QString::fromUtf8(texts(reg_).title), body);
    report.setText(QStringLiteral("txtPagina"), QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]"));
    printing().print(report);
}

void TfrmListaBonifici::done(int result) {
    model_->setEntries(nullptr);
    entries_.clear();
    QDialog::done(result);
}

}  // namespace cal
