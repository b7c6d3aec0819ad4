#pragma once
// The document archive's tables outside its screens: search filters, the list line, export
// columns and the to-complete rule. Shared by the screens and the tests.
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "documents/DocumentLayout.h"

#include <QStringList>

namespace cal {

// The filters of the document search, in their Enter order. The date filter is plain text: what
// is typed is looked for in the stored date, so "2024" finds the whole year.
inline constexpr FilterField kDocumentFilters[] = {
    {"txtDocumento", "Documento:", DocumentField::Documento},
    {"txtProtocollo", "Protocollo n.", DocumentField::Protocollo},
    {"txtProduttore", "Produttore:", DocumentField::Produttore},
    {"txtDataPro", "Data produzione (gg/mm/aaaa):", DocumentField::DataPro},
    {"txtDestinatario", "Destinatario:", DocumentField::Destinatario},
    {"txtOggetto", "Oggetto:", DocumentField::Oggetto},
    {"txtTipo", "Tipo documento:", DocumentField::Tipo},
    {"txtClassificazione", "Classificazione:", DocumentField::Classificazione},
    {"txtRiferimenti", "Riferimenti:", DocumentField::Riferimenti},
    {"txtNote", "Note:", DocumentField::Note},
};

// The line of a document, in the search and in the to-complete list alike.
inline constexpr ListColumn kDocumentLine[] = {
    {"", DocumentField::Documento, 40},       {"  Data: ", DocumentField::DataPro, 10},
    {"  Da: ", DocumentField::Produttore, 30}, {"  A: ", DocumentField::Destinatario, 30},
    {"  Prot. n. ", DocumentField::Protocollo, 0}};

inline constexpr ExportColumn kDocumentExportColumns[] = {
    {"Documento", 300},
    {"Protocollo n.", 200},
    {"Produttore", 250},
    {"Indirizzo produttore", 250},
    {"Data produzione", 200},
    {"Destinatario", 250},
    {"Indirizzo destinatario", 250},
    {"Data ricezione", 200},
    {"Oggetto", 400},
    {"Tipo documento", 250},
    {"Classificazione", 250},
    {"Fascicolo contenitore", 300},
    {"Formato", 250},
    {"N. pagine", 200},
    {"Allegati", 300},
    {"Riferimenti", 300},
    {"Livello di riservatezza", 250},
    {"Software di produzione", 250},
    {"Luogo conservazione", 250},
    {"Soggetti citati nel documento", 400},
    {"Note", 400},
    {"Da completare", 120},
};

inline constexpr ColumnLine documentLine{&kDocumentLayout, kDocumentLine};
// The 22 export values of one document record, each trimmed: the fields from the name to the notes
// in file order, then the flag; the digital copy and the attachments are not exported.
inline constexpr auto kDocumentExportCells =
    fieldCells<DocumentField::Documento, DocumentField::Note, DocumentField::DaCompletare>();
inline constexpr RecordRow documentExportRow{&kDocumentLayout, kDocumentExportCells};
// True when the document's "Da completare" flag, trimmed, is exactly "Sì".
bool isToComplete(const char* record);

}  // namespace cal
