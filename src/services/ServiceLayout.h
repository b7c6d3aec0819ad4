#pragma once
// Record layout of the service register, one file per year (2024.ser):
// 24 length-prefixed (FixedString) fields, 3758 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kServiceFields[] = {
    {"txtID", 20},              // 0
    {"txtTipologia", 50},       // 21
    {"txtDescrizione", 250},    // 72
    {"txtTariffa", 15},         // 323
    {"txtDataRic", 10},         // 339
    {"txtDataEsp", 10},         // 350
    {"txtPagamento", 250},      // 361
    {"txtCliente", 50},         // 612
    {"txtCodFisc", 16},         // 663
    {"txtDitta", 50},           // 680
    {"txtIva", 11},             // 731
    {"txtStato", 250},          // 743
    {"txtUffici", 250},         // 994
    {"txtDocumenti", 250},      // 1245
    {"txtQuestioni", 250},      // 1496
    {"txtNote", 250},           // 1747
    {"txtCopia", 250},          // 1998
    {"chkPagato", 2},           // 2249
    {"lblFile01", 250},         // 2252
    {"lblFile02", 250},         // 2503
    {"lblFile03", 250},         // 2754
    {"lblDesc01", 250},         // 3005
    {"lblDesc02", 250},         // 3256
    {"lblDesc03", 250},         // 3507
};

// Per-year archive: the file is the four-digit year followed by this extension.
inline constexpr RecordLayout kServiceLayout{".ser", kServiceFields};

// Field indexes in file order, for code that addresses fields by index.
namespace ServiceField {
enum Index : int {
    ID,
    Tipologia,
    Descrizione,
    Tariffa,
    DataRic,
    DataEsp,
    Pagamento,
    Cliente,
    CodFisc,
    Ditta,
    Iva,
    Stato,
    Uffici,
    Documenti,
    Questioni,
    Note,
    Copia,
    Pagato,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace ServiceField

static_assert(kServiceLayout.size() == 3758);
static_assert(capacitiesValid(kServiceLayout));
static_assert(kServiceLayout.count() == ServiceField::Count);

}  // namespace cal
