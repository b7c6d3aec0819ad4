#pragma once
// Record layout of the deadlines and appointments, one file per year (2024.sca):
// 25 length-prefixed (FixedString) fields, 2318 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kDeadlineFields[] = {
    {"txtGiorno", 2},            // 0
    {"txtMese", 10},             // 3
    // lblAnno (the year of the archive), lblData and lblOra (the date and the time composed at
    // save from the typed parts) are labels of the screen, not edit fields.
    {"lblAnno", 4},              // 14
    {"lblData", 10},             // 19
    {"txtOreApp", 2},            // 30
    {"txtMinutiApp", 2},         // 33
    {"lblOra", 5},               // 36
    {"txtAvviso", 3},            // 42
    {"txtCliente", 50},          // 46
    {"txtCodFisc", 16},          // 97
    {"txtRecapito", 50},         // 114
    {"txtID", 20},               // 165
    {"txtTipologia", 50},        // 186
    {"txtDescrizione", 250},     // 237
    {"txtUffici", 250},          // 488
    {"txtRequisiti", 250},       // 739
    {"txtDocumenti", 250},       // 990
    {"txtPersona", 50},          // 1241
    {"txtDettagli", 250},        // 1292
    {"txtPagamento", 250},       // 1543
    {"txtCosto", 15},            // 1794
    {"txtSpese", 250},           // 1810
    {"txtNote", 250},            // 2061
    {"chkDaConfermare", 2},      // 2312
    {"chkEffettuata", 2},        // 2315
};

// Per-year archive: the file is the four-digit year followed by this extension.
inline constexpr RecordLayout kDeadlineLayout{".sca", kDeadlineFields};

// Field indexes in file order, for code that addresses fields by index.
namespace DeadlineField {
enum Index : int {
    Giorno,
    Mese,
    Anno,
    Data,
    OreApp,
    MinutiApp,
    Ora,
    Avviso,
    Cliente,
    CodFisc,
    Recapito,
    ID,
    Tipologia,
    Descrizione,
    Uffici,
    Requisiti,
    Documenti,
    Persona,
    Dettagli,
    Pagamento,
    Costo,
    Spese,
    Note,
    DaConfermare,
    Effettuata,
    Count
};
}  // namespace DeadlineField

static_assert(kDeadlineLayout.size() == 2318);
static_assert(capacitiesValid(kDeadlineLayout));
static_assert(kDeadlineLayout.count() == DeadlineField::Count);

}  // namespace cal
