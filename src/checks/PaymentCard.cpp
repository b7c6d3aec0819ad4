#include "checks/PaymentCard.h"

#include <vector>

namespace cal {

namespace {

std::vector<int> digitsOf(QStringView text) {
    std::vector<int> digits;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9') digits.push_back(c.unicode() - u'0');
    return digits;
}

}  // namespace

int CardCheckResult(QStringView text) {
    // Every digit of the text takes part: judging only a leading part would report a verdict
    // on a different number from the one shown to the user.
    const std::vector<int> digits = digitsOf(text);
    if (digits.empty()) return 0;

    int sum = 0;
    bool doubled = true;  // the digit just left of the check digit is doubled
    for (auto it = digits.rbegin() + 1; it != digits.rend(); ++it, doubled = !doubled) {
        int d = *it;
        if (doubled) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
    }
    const int expected = (10 - sum % 10) % 10;
    return digits.back() == expected ? digits.front() - 2 : 0;
}

QString CardKindName(int result, QStringView text) {
    switch (result) {
    case 2: return QStringLiteral("Visa");
    case 3: return QStringLiteral("MasterCard");
    case 4: return QStringLiteral("Discover");
    case 1: break;
    default: return {};
    }
    const std::vector<int> digits = digitsOf(text);
    if (digits.size() < 2 || digits[0] != 3) return {};
    switch (digits[1]) {
    case 0: case 6: case 8: return QStringLiteral("Diner's Club / Carte Blanche");
    case 4: case 7: return QStringLiteral("American Express");
    case 1: case 3: case 5: return QStringLiteral("JCB");
    default: return {};
    }
}

}  // namespace cal
