#include "clients/TfrmClienti.h"

#include "clients/ClientLayout.h"
#include "clients/ClientScreens.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "report/PdfWriter.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/TfrmGuida.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace cal {
namespace {

using namespace ClientField;

const QStringList kProvinces = QStringLiteral(
    "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
    "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
    "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
    "VI VR VT VV").split(u' ');

// The record area: groups of labelled fields, in the record's Enter order.
struct FieldRow {
    int field;
    const char* label;
};
struct Group {
    const char* title;
    std::initializer_list<FieldRow> rows;
};

const Group kGroups[] = {
    {"Dati anagrafici",
     {{Cliente, "Cognome e nome o ragione sociale:"}, {DataNasc, "Data di nascita:"}, {ComuneNasc, "Comune di nascita:"},
      {ProvNasc, "Prov."}, {Sesso, "Sesso:"}, {Recapito, "Telefono preferenziale:"}}},
    {"Residenza",
     {{IndirizzoRes, "Indirizzo e numero civico:"}, {ProvRes, "Prov."}, {ComuneRes, "Comune di residenza:"},
      {CapRes, "CAP:"}}},
    {"Pagamento e recapiti",
     {{Estremi, "Modalità di pagamento:"}, {TelCasa, "Tel. casa:"}, {TelUff, "Tel. ufficio:"},
      {TelCel, "Tel. cellulare:"}, {Fax, "PEC:"}, {Email, "E-mail:"}}},
    {"Dati fiscali e bancari",
     {{CodFisc, "Codice fiscale:"}, {Carta, "Carta di credito n."}, {ScadeCarta, "Scadenza:"},
      {PartitaIva, "Partita IVA:"}, {Iban, "IBAN:"}}},
    {"Documento di riconoscimento",
     {{Documento, "Tipo e numero documento:"}, {EnteRil, "Ente di rilascio:"}, {DataRil, "Data di rilascio:"}}},
    {"Servizi e annotazioni",
     {{Servizi, "Prodotti o servizi abitualmente richiesti:"}, {Tariffa, "Tariffa applicata:"},
      {Tessera, "Tessera n."}, {Questioni, "Questioni in sospeso:"}, {Note, "Note:"}}},
};

// The buttons beside a field: object name, caption, hint, what it does.
struct SideButton {
    int field;
    const char* objectName;
    const char* caption;
    const char* hint;
    void (TfrmClienti::*action)();
};

const SideButton kSideButtons[] = {
    {Email, "btnEmail", "Scrivi", "Invia una e-mail all'indirizzo indicato.", &TfrmClienti::sendEmail},
    {CodFisc, "btnCodFisc", "Verifica", "Verifica il codice fiscale.", &TfrmClienti::checkFiscalCode},
    {Carta, "btnCarta", "Verifica", "Verifica il numero di carta di credito.", nullptr},
    {PartitaIva, "btnPartitaIva", "Verifica", "Verifica il numero di partita IVA.", nullptr},
    {Iban, "btnIban", "Verifica", "Verifica l'IBAN.", nullptr},
};

QString field(const char* text) { return QString::fromUtf8(text); }

}  // namespace

TfrmClienti::TfrmClienti(QWidget* parent)
    : ArchiveScreen(kClientLayout, QStringLiteral(" Calvetra 4.0 - Anagrafica Clienti"), parent) {
    setObjectName(QStringLiteral("TfrmClienti"));
    QStyle* s = style();
    addCommand("cmdNuovo", s->standardIcon(QStyle::SP_FileIcon), "Nuova",
               "Prepara la schermata per la registrazione di una nuova scheda.", [this] { newRecord(); });
    addCommand("cmdDuplica", s->standardIcon(QStyle::SP_FileDialogNewFolder), "Duplica",
               "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
               [this] { duplicate(); });
    addCommand("cmdSalva", s->standardIcon(QStyle::SP_DialogSaveButton), "Salva", "Salva la scheda in archivio.",
               [this] { save(); });
    addCommand("cmdTrova", s->standardIcon(QStyle::SP_FileDialogContentsView), "Trova", "Trova una scheda in archivio.",
               [this] { openClientSearch(QStringLiteral("clienti"), this); });
    addNavigation("Visualizza la prima scheda in archivio.", "Visualizza la scheda precedente in archivio.",
                  "Visualizza la scheda successiva in archivio.", "Visualizza l'ultima scheda in archivio.");
    addCommandRow();
    addCommand("cmdFile", s->standardIcon(QStyle::SP_DirLinkIcon), "Allegati", "Allega file alla scheda.",
               [this] { openClientAttachments(*this); });
    addCommand("cmdAssocia", s->standardIcon(QStyle::SP_DirOpenIcon), "Cartella",
               "Gestisci la cartella associata alla scheda.", [this] { openAssociatedFolder(); });
    addCommand("cmdAnteprima", s->standardIcon(QStyle::SP_FileDialogDetailedView), "Anteprima",
               "Visualizza l'anteprima di stampa della scheda.", [this] { preview(); });
    addCommand("cmdStampa", s->standardIcon(QStyle::SP_DialogApplyButton), "Stampa", "Stampa la scheda.",
               [this] { print(); });
    addCommand("cmdPDF", s->standardIcon(QStyle::SP_DriveFDIcon), "PDF", "Esporta la scheda in formato PDF.",
               [this] { writePdf(); });
    addCommand("cmdRicontatta", s->standardIcon(QStyle::SP_MessageBoxInformation), "Ricontattare",
               "Visualizza il riepilogo delle persone da ricontattare.", [this] { openRecontactList(); });
    addCommand("cmdEsporta", s->standardIcon(QStyle::SP_ArrowDown), "Excel",
               "Esporta le schede in archivio in un file di Microsoft Excel.", [this] { openClientExport(); });
    addCommand("cmdGuida", s->standardIcon(QStyle::SP_DialogHelpButton), "Guida", "Visualizza la guida in linea.",
               [] { showHelp(QStringLiteral("Applicazione Anagrafica Clienti.")); });
    addCommand("cmdEsci", s->standardIcon(QStyle::SP_DialogCloseButton), "Esci",
               "Esci dalla schermata di lavoro corrente.", [this] { close(); });

    auto* area = new QWidget;
    auto* grid = new QGridLayout(area);
    QList<QWidget*> enterOrder;
    int groupIndex = 0;
    for (const Group& g : kGroups) {
        auto* box = new QGroupBox(field(g.title), area);
        auto* form = new QFormLayout(box);
        for (const FieldRow& row : g.rows) {
            const QString name = QString::fromLatin1(kClientFields[row.field].name.data());
            QWidget* input;
            if (row.field == ProvNasc || row.field == ProvRes) {
                auto* combo = new QComboBox(box);
                combo->addItems(kProvinces);
                provinceCombo(combo);
                input = combo;
            } else {
                input = new QLineEdit(box);
            }
            input->setObjectName(name);
            auto* label = new QLabel(field(row.label), box);
            label->setBuddy(input);
            input->setAccessibleName(label->text());
            bind(row.field, input);
            enterOrder << input;

            QWidget* cell = input;
            for (const SideButton& b : kSideButtons) {
                if (b.field != row.field) continue;
                cell = new QWidget(box);
                auto* line = new QHBoxLayout(cell);
                line->setContentsMargins(0, 0, 0, 0);
                input->setParent(cell);
                line->addWidget(input, 1);
                auto* button = new QPushButton(field(b.caption), cell);
                button->setObjectName(b.objectName);
                button->setAccessibleName(field(b.hint));
                button->setFocusPolicy(Qt::NoFocus);
                addHint(button, field(b.hint));
                if (b.action) connect(button, &QPushButton::clicked, this, b.action);
                else connect(button, &QPushButton::clicked, this, [this, f = b.field] { openFieldCheck(f, fieldText(f)); });
                line->addWidget(button);
            }
            form->addRow(label, cell);
        }
        grid->addWidget(box, groupIndex / 2, groupIndex % 2);
        ++groupIndex;
    }
    auto* chk = new QCheckBox(QStringLiteral("Da ricontattare"), area);
    chk->setObjectName(QStringLiteral("chkRicontatta"));
    addHint(chk, QStringLiteral("Spunta questa casella per indicare che il cliente è da ricontattare per questioni in sospeso."));
    bind(Ricontatta, chk);
    grid->addWidget(chk, groupIndex / 2 + 1, 0);
    for (int f = File01; f <= Desc03; ++f) {
        auto* hidden = new QLabel(area);
        hidden->setObjectName(QString::fromLatin1(kClientFields[f].name.data()));
        hidden->hide();
        bind(f, hidden);
    }
    grid->setRowStretch(groupIndex / 2 + 2, 1);
    setRecordArea(area);

    // Typing rules.
    upperCaseWhileTyping(edit(CapRes), false);
    upperCaseWhileTyping(edit(Sesso), false);
    upperCaseWhileTyping(edit(CodFisc), true);
    upperCaseWhileTyping(edit(Iban), true);
    trimWhileTyping(edit(Email));
    trimWhileTyping(edit(Fax));
    acceptDigitsOnly(edit(Carta));
    acceptDigitsOnly(edit(PartitaIva));
    enterChain(enterOrder);
    setFirstField(edit(Cliente));
    setRequired({{Cliente, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del cliente.")}});
}

QLineEdit* TfrmClienti::edit(int f) const { return qobject_cast<QLineEdit*>(fieldWidget(f)); }

Report TfrmClienti::card(bool forPdf) const {
    auto v = [this](int f) { return fieldText(f); };
    const QString rows[24][2] = {
        {"Cognome e nome:", v(Cliente)},
        {"Data di nascita:", v(DataNasc)},
        {"Comune di nascita:", v(ComuneNasc) + ' ' + v(ProvNasc)},
        {"Sesso:", v(Sesso)},
        {"Telefono preferenziale:", v(Recapito)},
        {"Indirizzo di residenza:", v(IndirizzoRes)},
        {"Comune di residenza:", v(ComuneRes) + ' ' + v(ProvRes)},
        {"Modalità pagamento:", v(Estremi)},
        {"Tel. casa:", v(TelCasa)},
        {"Tel. ufficio:", v(TelUff)},
        {"Tel. cellulare:", v(TelCel)},
        {"PEC:", v(Fax)},
        {"E-mail:", v(Email)},
        {"Codice fiscale:", v(CodFisc)},
        {"Partita IVA:", v(PartitaIva)},
        {"Carta di credito:", "N. " + v(Carta) + "  -  Scadenza: " + v(ScadeCarta)},
        {"IBAN:", v(Iban)},
        {"Tipo e numero documento:", v(Documento)},
        {"Ente di rilascio:", v(EnteRil) + "  -  Data rilascio: " + v(DataRil)},
        {forPdf ? "Servizi abitualmente richiesti:" : "Prodotti o servizi richiesti:", v(Servizi)},
        {"Tariffa applicata:", v(Tariffa)},
        {"Tessera n.", v(Tessera)},
        {"Questioni in sospeso:", v(Questioni)},
        {"Note:", v(Note)},
    };
    Report report = Report::captionValueCard();
    report.setOrientation(Report::Orientation::Portrait);
    report.setText("txtTitolo", forPdf ? "SCHEDA ANAGRAFICA CLIENTE" : "SCHEDA ANAGRAFICA");
    for (int i = 0; i < 24; ++i) {
        const QString n = QStringLiteral("%1").arg(i + 1, 2, 10, QChar('0'));
        report.setText("titCampo" + n, rows[i][0]);
        report.setText("txtCampo" + n, rows[i][1]);
    }
    report.setText("txtCalce", cardFooter(QDateTime::currentDateTime()));
    report.setDocumentInfo(QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa"));
    report.prepare();
    return report;
}

void TfrmClienti::preview() { printing().preview(card(false)); }

void TfrmClienti::print() { printing().print(card(false)); }

void TfrmClienti::writePdf() {
    const QString path = programFile(QStringLiteral("Contatto.pdf"));
    if (!writeReportPdf(card(true), path)) {
        error(QStringLiteral("Attenzione: il sistema non permette di scrivere il file PDF.\n\r\n\r"
                             "Accertarsi che il file non sia già aperto e di possedere i privilegi di scrittura "
                             "nella cartella di installazione del programma."));
        return;
    }
    if (dialogs().question(QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                                          "Si vuole aprire il file?")))
        shell().open(path);
}

void TfrmClienti::sendEmail() { shell().open(mailtoTarget(fieldText(Email))); }

void TfrmClienti::openAssociatedFolder() {
    if (!requireSavedRecord(QStringLiteral("Attenzione: l'associazione di una cartella ad un cliente può avvenire "
                                           "soltanto dopo che la scheda è stata inserita in archivio.")))
        return;
    openClientFolder(position().toLongLong());
}

void TfrmClienti::checkFiscalCode() { openFieldCheck(CodFisc, fieldText(CodFisc)); }

}  // namespace cal
