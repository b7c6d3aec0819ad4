#include "clients/ClientTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {

QStringList clientExportRow(const char* record) {
    auto v = [&](int field) { return trimmed(fromCp1252(fieldBytes(kClientLayout, record, field))); };
    using namespace ClientField;
    return {v(Cliente),  v(DataNasc), trimmed(v(ComuneNasc) + u' ' + v(ProvNasc)), v(Recapito),
            v(IndirizzoRes), trimmed(v(ComuneRes) + u' ' + v(ProvRes)), v(Estremi), v(TelCasa),
            v(TelUff),   v(TelCel),   v(Fax),     v(Email),   v(CodFisc),  v(PartitaIva), v(Carta),
            v(ScadeCarta), v(Iban),   v(Documento), v(EnteRil), v(DataRil), v(Servizi),  v(Tariffa),
            v(Tessera),  v(Questioni), v(Note)};
}

}  // namespace cal
