#pragma once
// The payment card check (Luhn formula) and the kind of card told by its first digits.
#include <QString>
#include <QStringView>

namespace cal {

// Judges the digits 0 to 9 of the text, in order, every other character being skipped (so
// blanks between groups do not matter). 0 when there is no digit or the last digit is not the
// Luhn check digit of the others; otherwise the first digit minus 2: 1 for a number beginning
// with 3, 2 for 4, 3 for 5, 4 for 6, and -2, -1, 5, 6 or 7 for 0, 1, 7, 8 or 9. A number
// beginning with 2 that passes the check therefore also gives 0.
int CardCheckResult(QStringView text);

// The kind of card shown for a number whose CardCheckResult is `result`: "Visa" (2),
// "MasterCard" (3), "Discover" (4) and, for 1, by the first two digits of the number:
// "Diner's Club / Carte Blanche" (30, 36, 38), "American Express" (34, 37), "JCB" (31, 33,
// 35). Empty for every other result and for a number beginning with 32 or 39.
QString CardKindName(int result, QStringView text);

}  // namespace cal
