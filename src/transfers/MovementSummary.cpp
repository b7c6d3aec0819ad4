#include "transfers/MovementSummary.h"

#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "transfers/TransferTables.h"

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

namespace {
SummaryQueryTexts queryTexts(TransferRegister reg) {
    const SummaryTexts& t = texts(reg);
    return {
        .objectName = t.objectName,
        .caption = QString::fromUtf8(t.caption),
        .instruction = t.instruction,
        .filters = {{.objectName = "txtCodFiscCliente",
                     .label = t.counterparty,
                     .maxLength = 50,
                     .typing = SummaryFilter::Typing::LettersAndDigits},
                    {.objectName = "txtDescBene01", .label = "Causale:", .maxLength = 250}},
        .blankFilters = t.blankFilters,
        .intervalInstruction = "Indicare l'intervallo di tempo relativo al periodo da riepilogare in base alla data "
                               "di esecuzione del bonifico.",
        // One register file holds every year.
        .file = [reg](const QString&) { return programFile(QString::fromLatin1(transferLayout(reg).fileName)); },
        .result = [reg](const QString& path, const QString& counterparty, const QString& reason, QDate from, QDate to,
                        QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfrmListaBonifici>(reg, path, counterparty, reason, from, to, parent);
        },
    };
}
const SummaryQueryTexts kQueryTexts[2] = {queryTexts(TransferRegister::Issued), queryTexts(TransferRegister::Received)};
}  // namespace

TfrmRiepBonifici::TfrmRiepBonifici(TransferRegister reg, QWidget* parent)
    : SummaryQuery(kQueryTexts[reg == TransferRegister::Issued ? 0 : 1], parent), reg_(reg) {}

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
                    [=] { return buildMovementSummary(path, reg, counterparty, reason, from, to); },
                    parent) {}

}  // namespace cal
