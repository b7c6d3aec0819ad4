#pragma once
// Record layout of the mail register, one file per year (2024.prt):
// 25 length-prefixed (FixedString) fields, 3403 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kMailFields[] = {
    {"txtNumero", 16},           // 0
    // The type of mail ("In entrata", "In uscita" or "Interna") is one field shown by three
    // options, optEntrata, optUscita and optInterna; it is named optTipo after none of them.
    {"optTipo", 20},             // 17
    {"txtDataReg", 10},          // 38
    {"txtUfficio", 50},          // 49
    {"txtOperatore", 50},        // 100
    {"txtCategoria", 50},        // 151
    {"txtCollocazione", 120},    // 202
    {"txtOggetto", 250},         // 323
    {"txtDataSpe", 10},          // 574
    {"txtDataRic", 10},          // 585
    {"txtFormato", 50},          // 596
    {"txtPagine", 12},           // 647
    {"txtRiferimenti", 250},     // 660
    {"txtNote", 250},            // 911
    {"txtMittente", 120},        // 1162
    {"txtRecapitoMit", 120},     // 1283
    {"txtDestinatario", 120},    // 1404
    {"txtRecapitoDes", 120},     // 1525
    {"txtCopia", 250},           // 1646
    {"lblFile01", 250},          // 1897
    {"lblFile02", 250},          // 2148
    {"lblFile03", 250},          // 2399
    {"lblDesc01", 250},          // 2650
    {"lblDesc02", 250},          // 2901
    {"lblDesc03", 250},          // 3152
};

// Per-year archive: the file is the four-digit year followed by this extension.
inline constexpr RecordLayout kMailLayout{".prt", kMailFields};

// Field indexes in file order, for code that addresses fields by index.
namespace MailField {
enum Index : int {
    Numero,
    Tipo,
    DataReg,
    Ufficio,
    Operatore,
    Categoria,
    Collocazione,
    Oggetto,
    DataSpe,
    DataRic,
    Formato,
    Pagine,
    Riferimenti,
    Note,
    Mittente,
    RecapitoMit,
    Destinatario,
    RecapitoDes,
    Copia,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace MailField

static_assert(kMailLayout.size() == 3403);
static_assert(capacitiesValid(kMailLayout));
static_assert(kMailLayout.count() == MailField::Count);

}  // namespace cal
