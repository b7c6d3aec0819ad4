#pragma once
// Record layout of the client archive, one file "Contatti.pro":
// 36 length-prefixed (FixedString) fields, 3482 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kClientFields[] = {
    {"txtCliente", 50},          // 0
    {"txtDataNasc", 30},         // 51
    {"txtComuneNasc", 50},       // 82
    {"txtProvNasc", 2},          // 133
    {"txtSesso", 1},             // 136
    {"txtRecapito", 50},         // 138
    {"txtIndirizzoRes", 50},     // 189
    {"txtProvRes", 2},           // 240
    {"txtComuneRes", 50},        // 243
    {"txtCapRes", 5},            // 294
    {"txtEstremi", 250},         // 300
    {"txtTelCasa", 30},          // 551
    {"txtTelUff", 30},           // 582
    {"txtTelCel", 30},           // 613
    {"txtFax", 30},              // 644
    {"txtEmail", 50},            // 675
    {"txtCodFisc", 16},          // 726
    {"txtCarta", 30},            // 743
    {"txtScadeCarta", 30},       // 774
    {"txtPartitaIva", 11},       // 805
    {"txtIban", 27},             // 817
    {"txtDocumento", 120},       // 845
    {"txtEnteRil", 50},          // 966
    {"txtDataRil", 50},          // 1017
    {"txtServizi", 250},         // 1068
    {"txtTariffa", 120},         // 1319
    {"txtTessera", 30},          // 1440
    {"txtQuestioni", 250},       // 1471
    {"txtNote", 250},            // 1722
    {"chkRicontatta", 2},        // 1973
    {"lblFile01", 250},          // 1976
    {"lblFile02", 250},          // 2227
    {"lblFile03", 250},          // 2478
    {"lblDesc01", 250},          // 2729
    {"lblDesc02", 250},          // 2980
    {"lblDesc03", 250},          // 3231
};

inline constexpr RecordLayout kClientLayout{"Contatti.pro", kClientFields};

// Field indexes in file order, for code that addresses fields by index.
namespace ClientField {
enum Index : int {
    Cliente,
    DataNasc,
    ComuneNasc,
    ProvNasc,
    Sesso,
    Recapito,
    IndirizzoRes,
    ProvRes,
    ComuneRes,
    CapRes,
    Estremi,
    TelCasa,
    TelUff,
    TelCel,
    Fax,
    Email,
    CodFisc,
    Carta,
    ScadeCarta,
    PartitaIva,
    Iban,
    Documento,
    EnteRil,
    DataRil,
    Servizi,
    Tariffa,
    Tessera,
    Questioni,
    Note,
    Ricontatta,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace ClientField

static_assert(kClientLayout.size() == 3482);
static_assert(capacitiesValid(kClientLayout));
static_assert(kClientLayout.count() == ClientField::Count);

}  // namespace cal
