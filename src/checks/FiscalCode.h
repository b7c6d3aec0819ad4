#pragma once
// The codice fiscale check and the routing of the fiscal code buttons.
#include <QChar>
#include <QStringView>
#include <optional>

namespace cal {

// True when the text is not empty and holds only the characters 0 to 9.
bool IsAllDigits(QStringView text);

// What a fiscal code button opens for the text of its field: the field's text is trimmed, and
// a text of digits only is taken as a VAT number; anything else (empty included) goes to the
// fiscal code check.
enum class FiscalCodeTarget { FiscalCodeCheck, VatNumberCheck };
FiscalCodeTarget FiscalCodeButtonTarget(QStringView fieldText);

// The check character ("A" to "Z") of the first 15 characters of a fiscal code, which must be
// the digits 0 to 9 and the letters A to Z only (upper case). No value for any other text.
std::optional<QChar> FiscalCodeCheckChar(QStringView first15);

// Whether a 16-character, already upper-cased fiscal code ends with the check character of its
// first 15 characters. Any other length, lower-case letters, blanks, punctuation or accented
// letters make the code not valid.
bool IsFiscalCodeValid(QStringView code);

}  // namespace cal
