#pragma once
// Record layout of the two bank transfer registers, "Bonifici_Emessi.pro" (issued) and
// "Bonifici_Ricevuti.pro" (received):
// 21 length-prefixed (FixedString) fields, 2574 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kTransferFields[] = {
    {"txtPagatore", 50},         // 0
    {"txtCodFiscPag", 16},       // 51
    {"txtIbanPag", 27},          // 68
    {"txtBeneficiario", 50},     // 96
    {"txtCodFiscBen", 16},       // 147
    {"txtIbanBen", 27},          // 164
    {"txtTipo", 50},             // 192
    {"txtDataEse", 10},          // 243
    {"txtCausale", 250},         // 254
    {"txtCro", 30},              // 505
    {"txtDataAcc", 10},          // 536
    {"txtImporto", 15},          // 547
    {"txtNote", 250},            // 563
    {"txtCopia", 250},           // 814
    {"chkEseguito", 2},          // 1065
    {"lblFile01", 250},          // 1068
    {"lblFile02", 250},          // 1319
    {"lblFile03", 250},          // 1570
    {"lblDesc01", 250},          // 1821
    {"lblDesc02", 250},          // 2072
    {"lblDesc03", 250},          // 2323
};

// The issued and the received register share one layout.
inline constexpr RecordLayout kIssuedTransferLayout{"Bonifici_Emessi.pro", kTransferFields};
inline constexpr RecordLayout kReceivedTransferLayout{"Bonifici_Ricevuti.pro", kTransferFields};

// Field indexes in file order, for code that addresses fields by index.
namespace TransferField {
enum Index : int {
    Pagatore,
    CodFiscPag,
    IbanPag,
    Beneficiario,
    CodFiscBen,
    IbanBen,
    Tipo,
    DataEse,
    Causale,
    Cro,
    DataAcc,
    Importo,
    Note,
    Copia,
    Eseguito,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace TransferField

static_assert(kIssuedTransferLayout.size() == 2574);
static_assert(capacitiesValid(kIssuedTransferLayout));
static_assert(kIssuedTransferLayout.count() == TransferField::Count);
static_assert(kReceivedTransferLayout.size() == 2574);
static_assert(capacitiesValid(kReceivedTransferLayout));
static_assert(kReceivedTransferLayout.count() == TransferField::Count);

}  // namespace cal
