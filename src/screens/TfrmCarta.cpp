#include "screens/TfrmCarta.h"

#include "checks/PaymentCard.h"
#include "core/Text.h"
#include "ui/KeyRules.h"

#include <QLineEdit>

#include <optional>

namespace cal {
namespace {

// The first four digits of the text, skipping anything else as the check does; 0 when fewer.
int firstFourDigits(QStringView text) {
    int value = 0;
    int count = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') continue;
        value = value * 10 + (c.unicode() - u'0');
        if (++count == 4) return value;
    }
    return 0;
}

// Whether the digits pass the Luhn check, whatever the first digit. CardCheckResult tells a
// passed check from a failed one by the first digit minus 2, which is 0 for a passed number
// beginning with 2; a 0 put in front changes no Luhn sum (it counts 0, doubled or not) and makes
// every passed number give 0 - 2.
bool passesCheck(QStringView text) { return CardCheckResult(QString(u'0' + text.toString())) == -2; }

// The verdict on a card number: no value when the number is wrong, otherwise the kind of card,
// empty when the number passes the check but its first digits name no kind.
std::optional<QString> cardVerdict(QStringView number) {
    const int result = CardCheckResult(number);
    if (result >= 1 && result <= 4) return CardKindName(result, number);  // empty for 32 and 39
    // The MasterCard numbers beginning with 2221 to 2720, issued since 2017.
    const int prefix = firstFourDigits(number);
    if (result == 0 && prefix >= 2221 && prefix <= 2720 && passesCheck(number)) return QStringLiteral("MasterCard");
    return std::nullopt;
}

}  // namespace

TfrmCarta::TfrmCarta(QWidget* parent)
    : CheckScreen({"TfrmCarta", " Controllo carta di credito",
                   "Immettere il numero di carta di credito e premere il pulsante di controllo.", "txtNumero",
                   "Numero di carta di credito", 30, true},
                  parent) {
    upperCaseWhileTyping(field(), true);
}

void TfrmCarta::check() {
    const QString number = trimmed(field()->text());
    if (number.isEmpty()) {
        refuse(QStringLiteral(
            "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo."));
        return;
    }
    const std::optional<QString> kind = cardVerdict(number);
    if (!kind) {
        conclude(Dialogs::Kind::Warning,
                 QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                                "Non è quindi possibile fornire informazioni relative al tipo di carta di credito."));
        return;
    }
    QString text = QStringLiteral("Il numero di carta di credito ") + number + QStringLiteral(" risulta valido.");
    // A valid number whose first digits name no kind (32, 39) is still reported valid: closing
    // without a word would leave the user not knowing whether the check ran.
    if (!kind->isEmpty()) text += QStringLiteral("\r\n\r\nLa carta di credito è del tipo ") + *kind + u'.';
    conclude(Dialogs::Kind::Information, text);
}

}  // namespace cal
