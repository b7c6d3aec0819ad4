#include "checks/Iban.h"

#include "core/Text.h"

namespace cal {

int IbanMod97(QStringView text) {
    QString iban = upperAscii(text);
    // Only the label written in front of the code is dropped: the same four letters inside the
    // account part are part of the IBAN and must stay in the check.
    if (iban.startsWith(u"IBAN")) iban.remove(0, 4);
    if (iban.isEmpty()) return 0;
    const QString rearranged = iban.mid(4) + iban.left(4);

    // The remainder of the long decimal number is carried digit by digit, which gives the same
    // result as any grouping of the digits and never grows beyond 96 * 10 + 9.
    int remainder = 0;
    const auto addDigit = [&remainder](int digit) { remainder = (remainder * 10 + digit) % 97; };
    for (QChar c : rearranged) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            addDigit(u - u'0');
        } else if (u >= u'A' && u <= u'Z') {
            const int value = u - u'A' + 10;
            addDigit(value / 10);
            addDigit(value % 10);
        } else {
            return 0;
        }
    }
    return remainder;
}

bool IsIbanValid(QStringView text) {
    QString compact = text.toString();
    compact.remove(u' ');
    return IbanMod97(compact) == 1;
}

}  // namespace cal
