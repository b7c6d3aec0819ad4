#include "screens/TfrmPartitaIva.h"

#include "checks/VatNumber.h"
#include "core/Text.h"

#include <QLineEdit>

namespace cal {

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : CheckScreen({"TfrmPartitaIva", " Controllo partita IVA",
                   "Immettere il numero di partita IVA e premere il pulsante di controllo.", "txtPartitaIva",
                   "Partita IVA", 11, true},
                  parent) {}

void TfrmPartitaIva::check() {
    // A caller may have put letters into the field; they are judged (and found wrong), not refused.
    const QString number = upperAscii(field()->text());
    if (number.size() != 11) {
        refuse(QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        return;
    }
    if (!IsVatNumberValid(number)) {
        conclude(Dialogs::Kind::Warning,
                 QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                                "rilasciato."));
        return;
    }
    const QStringView code = VatOfficeCode(number);
    const QString office = VatOfficeName(code);
    const QString valid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    if (!office.isEmpty()) {
        conclude(Dialogs::Kind::Information,
                 valid + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + office + u'.');
        return;
    }
    // A number can pass the check digit with an office code that names no office (000, 103...):
    // saying it was issued "del Comune di ." would name an empty place, so the message tells
    // the code it found and that it knows no office by it.
    conclude(Dialogs::Kind::Information,
             valid + QStringLiteral("Il codice ") + code.toString() +
                 QStringLiteral(" dell'Ufficio IVA che lo ha rilasciato non corrisponde a nessun ufficio conosciuto."));
}

}  // namespace cal
