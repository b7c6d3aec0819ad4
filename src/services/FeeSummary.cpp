#include "services/FeeSummary.h"

#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "services/ServiceTables.h"

namespace cal {
namespace {

const QString kCaption = QStringLiteral(" Calvetra 4.0 - Riepilogo Compensi");

}  // namespace

// ---- the query screen ----

namespace {
const SummaryQueryTexts kQueryTexts{
    .objectName = "TfrmMenuRiepCosti",
    .caption = kCaption,
    .instruction = "Indicare l'anno solare di interesse, il codice fiscale del Cliente e/o la tipologia di servizi.",
    .filters = {{.objectName = "txtCliente",
                 .label = "Codice fiscale Cliente:",
                 .maxLength = 16,
                 .typing = SummaryFilter::Typing::UpperCase,
                 .importButton = "impCliente",
                 .importName = "Importa il codice fiscale dall'archivio anagrafico dei Clienti.",
                 .importSearch = "TfrmTrovaClienti",
                 .importKeyword = "riepilogo"},
                {.objectName = "txtTarga", .label = "Tipologia servizio:", .maxLength = 250}},
    .blankFilters = "Per ottenere il riepilogo dei compensi relativi ai servizi erogati a tutti i Clienti, lasciare "
                    "in bianco i campi di testo.",
    .intervalInstruction = "Indicare l'intervallo di tempo relativo al periodo da riepilogare in base alla data di "
                           "richiesta del servizio.",
    .file = [](const QString& year) { return programFile(year + QStringLiteral(".ser")); },
    .result = [](const QString& path, const QString& fiscalCode, const QString& type, QDate from, QDate to,
                 QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfrmRiepCosti>(path, fiscalCode, type, from, to, parent);
    },
};
}  // namespace

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget* parent) : SummaryQuery(kQueryTexts, parent) {}

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
                    [=] { return buildFeeSummary(path, fiscalCode, type, from, to); },
                    parent) {}

}  // namespace cal

