#include "screens/TfrmCodFisc.h"

#include "checks/FiscalCode.h"
#include "core/Text.h"
#include "ui/KeyRules.h"

#include <QLineEdit>

namespace cal {

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : CheckScreen({"TfrmCodFisc", " Controllo codice fiscale",
                   "Immettere il codice fiscale e premere il pulsante di controllo.", "txtCodFisc",
                   "Codice fiscale", 16, false},
                  parent) {
    upperCaseWhileTyping(field(), true);
}

void TfrmCodFisc::check() {
    const QString code = upperAscii(field()->text());
    if (code.size() != 16) {
        refuse(QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        return;
    }
    // Only the check character is judged, so a code whose date or place digits were replaced
    // by their substitute letters is valid like any other.
    if (IsFiscalCodeValid(code))
        conclude(Dialogs::Kind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        conclude(Dialogs::Kind::Warning, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
}

}  // namespace cal
