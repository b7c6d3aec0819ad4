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

namespace {
SummaryResultTexts resultTexts(TransferRegister reg) {
    const SummaryTexts& t = texts(reg);
    return {
        .objectName = t.listName,
        .caption = QString::fromUtf8(t.caption),
        .helpTopic = kHelpTopic,
        .filterCaption = QStringLiteral("Causale:"),
        .totalCaption = QStringLiteral("Totale importi:"),
        .totalPrinted = QStringLiteral("TOTALE IMPORTI:            € "),
        .findInstruction = QStringLiteral("Immettere una o più parole consecutive presenti nel bonifico da cercare e "
                                          "premere il pulsante Trova."),
        .unreadableOne = QStringLiteral("Attenzione: una scheda dell'archivio ha una data di esecuzione o un importo "
                                        "non leggibile e non è compresa nel riepilogo."),
        .unreadableMany = QStringLiteral("Attenzione: %1 schede dell'archivio hanno una data di esecuzione o un "
                                         "importo non leggibile e non sono comprese nel riepilogo."),
        .printTitle = [title = QString::fromUtf8(t.title)](const QString&) { return title; },
        .printFooter = QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]"),
    };
}
const SummaryResultTexts kResultTexts[2] = {resultTexts(TransferRegister::Issued),
                                            resultTexts(TransferRegister::Received)};
}  // namespace

TfrmListaBonifici::TfrmListaBonifici(TransferRegister reg, const QString& path, const QString& counterparty,
                                     const QString& reason, QDate from, QDate to, QWidget* parent)
    : SummaryResult(kResultTexts[reg == TransferRegister::Issued ? 0 : 1], finder(reg),
                    int(!trimmed(counterparty).isEmpty()) + int(!trimmed(reason).isEmpty()), reason, from, to,
                    [=]() -> std::optional<SummaryData> {
                        auto summary = buildMovementSummary(path, reg, counterparty, reason, from, to);
                        if (!summary) return std::nullopt;
                        return SummaryData{std::move(summary->list), summary->total, summary->unreadable};
                    },
                    parent) {}

}  // namespace cal
