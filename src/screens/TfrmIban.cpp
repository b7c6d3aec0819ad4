#include "screens/TfrmIban.h"

#include "checks/Iban.h"
#include "core/Text.h"
#include "ui/KeyRules.h"

#include <QLineEdit>

namespace cal {

TfrmIban::TfrmIban(QWidget* parent)
    : CheckScreen({"TfrmIban", " Controllo IBAN", "Immettere l'IBAN e premere il pulsante di controllo.", "txtIban",
                   "IBAN", 27, false},
                  parent) {
    upperCaseWhileTyping(field(), true);
}

void TfrmIban::check() {
    // Blanks inside the text count in its length; the check itself then leaves them out.
    const QString iban = trimmed(field()->text());
    if (iban.size() != 27) {
        refuse(QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
        return;
    }
    if (IsIbanValid(iban))
        conclude(Dialogs::Kind::Information, QStringLiteral("L'IBAN digitato è VALIDO."));
    else
        conclude(Dialogs::Kind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
}

}  // namespace cal
