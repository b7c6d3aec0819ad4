#pragma once
// Record layout of the document archive, one file "Archivio_Documenti.pro":
// 29 length-prefixed (FixedString) fields, 3991 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kDocumentFields[] = {
    {"txtDocumento", 120},          // 0
    {"txtProtocollo", 30},          // 121
    {"txtProduttore", 50},          // 152
    {"txtIndirizzoPro", 120},       // 203
    {"txtDataPro", 10},             // 324
    {"txtDestinatario", 50},        // 335
    {"txtIndirizzoDes", 120},       // 386
    {"txtDataDes", 10},             // 507
    {"txtOggetto", 250},            // 518
    {"txtTipo", 50},                // 769
    {"txtClassificazione", 50},     // 820
    {"txtFascicolo", 120},          // 871
    {"txtFormato", 50},             // 992
    {"txtPagine", 30},              // 1043
    {"txtAllegati", 250},           // 1074
    {"txtRiferimenti", 250},        // 1325
    {"txtLivello", 50},             // 1576
    {"txtSoftware", 50},            // 1627
    {"txtLuogo", 50},               // 1678
    {"txtSoggetti", 250},           // 1729
    {"txtNote", 250},               // 1980
    {"txtCopia", 250},              // 2231
    {"chkDaCompletare", 2},         // 2482
    {"lblFile01", 250},             // 2485
    {"lblFile02", 250},             // 2736
    {"lblFile03", 250},             // 2987
    {"lblDesc01", 250},             // 3238
    {"lblDesc02", 250},             // 3489
    {"lblDesc03", 250},             // 3740
};

inline constexpr RecordLayout kDocumentLayout{"Archivio_Documenti.pro", kDocumentFields};

// Field indexes in file order, for code that addresses fields by index.
namespace DocumentField {
enum Index : int {
    Documento,
    Protocollo,
    Produttore,
    IndirizzoPro,
    DataPro,
    Destinatario,
    IndirizzoDes,
    DataDes,
    Oggetto,
    Tipo,
    Classificazione,
    Fascicolo,
    Formato,
    Pagine,
    Allegati,
    Riferimenti,
    Livello,
    Software,
    Luogo,
    Soggetti,
    Note,
    Copia,
    DaCompletare,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace DocumentField

static_assert(kDocumentLayout.size() == 3991);
static_assert(capacitiesValid(kDocumentLayout));
static_assert(kDocumentLayout.count() == DocumentField::Count);

}  // namespace cal
