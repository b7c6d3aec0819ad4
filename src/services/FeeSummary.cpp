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

namespace {
const SummaryResultTexts kResultTexts{
    .objectName = "TfrmRiepCosti",
    .caption = kCaption,
    .helpTopic = QStringLiteral("Applicazione Riepilogo Compensi."),
    .filterCaption = QStringLiteral("C.F. Cliente:"),
    .totalCaption = QStringLiteral("Totale compensi: €"),
    .totalPrinted = QStringLiteral("TOTALE COMPENSI:           € "),
    .findInstruction = QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                      "cercare e premere il pulsante Trova."),
    .unreadableOne = QStringLiteral("Attenzione: una scheda dell'archivio ha una data di richiesta o una tariffa "
                                    "non leggibile e non è compresa nel riepilogo."),
    .unreadableMany = QStringLiteral("Attenzione: %1 schede dell'archivio hanno una data di richiesta o una "
                                     "tariffa non leggibile e non sono comprese nel riepilogo."),
    .printTitle = [](const QString& filter) {
        return QStringLiteral("Riepilogo compensi   -   C.F. Cliente:  ") +
               (trimmed(filter).isEmpty() ? QStringLiteral("- - -") : trimmed(filter));
    },
};
}  // namespace

TfrmRiepCosti::TfrmRiepCosti(const QString& path, const QString& fiscalCode, const QString& type, QDate from,
                             QDate to, QWidget* parent)
    : SummaryResult(kResultTexts, finder_, int(!trimmed(fiscalCode).isEmpty()) + int(!trimmed(type).isEmpty()),
                    fiscalCode, from, to,
                    [=]() -> std::optional<SummaryData> {
                        auto summary = buildFeeSummary(path, fiscalCode, type, from, to);
                        if (!summary) return std::nullopt;
                        return SummaryData{std::move(summary->list), summary->total, summary->unreadable};
                    },
                    parent) {}

}  // namespace cal

