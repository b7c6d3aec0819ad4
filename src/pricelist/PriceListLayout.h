#pragma once
// Record layout of the service price list, one file "Tariffario.pro":
// 24 length-prefixed (FixedString) fields, 4042 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kPriceListFields[] = {
    {"txtID", 20},              // 0
    {"txtTipologia", 50},       // 21
    {"txtDescrizione", 250},    // 72
    {"txtOrdinaria", 15},       // 323
    {"txtScontata", 15},        // 339
    {"txtSpese", 250},          // 355
    {"txtPersona", 50},         // 606
    {"txtCodFisc", 16},         // 657
    {"txtRecapito", 50},        // 674
    {"txtEmail", 50},           // 725
    {"txtUffici", 250},         // 776
    {"txtRequisiti", 250},      // 1027
    {"txtDocumenti", 250},      // 1278
    {"txtPagamento", 250},      // 1529
    {"txtTempi", 250},          // 1780
    {"txtNote", 250},           // 2031
    {"txtCopia", 250},          // 2282
    {"chkTarScontata", 2},      // 2533
    {"lblFile01", 250},         // 2536
    {"lblFile02", 250},         // 2787
    {"lblFile03", 250},         // 3038
    {"lblDesc01", 250},         // 3289
    {"lblDesc02", 250},         // 3540
    {"lblDesc03", 250},         // 3791
};

inline constexpr RecordLayout kPriceListLayout{"Tariffario.pro", kPriceListFields};

// Field indexes in file order, for code that addresses fields by index.
namespace PriceListField {
enum Index : int {
    ID,
    Tipologia,
    Descrizione,
    Ordinaria,
    Scontata,
    Spese,
    Persona,
    CodFisc,
    Recapito,
    Email,
    Uffici,
    Requisiti,
    Documenti,
    Pagamento,
    Tempi,
    Note,
    Copia,
    TarScontata,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace PriceListField

static_assert(kPriceListLayout.size() == 4042);
static_assert(capacitiesValid(kPriceListLayout));
static_assert(kPriceListLayout.count() == PriceListField::Count);

}  // namespace cal
