#pragma once
// The partita IVA check and the table of the issuing VAT offices.
#include <QString>
#include <QStringView>
#include <optional>

namespace cal {

// The check digit (0 to 9) of the first 10 digits of a VAT number by the Luhn formula; no value
// unless the text is exactly 10 characters, all of them 0 to 9.
std::optional<int> VatCheckDigit(QStringView first10);

// True only for exactly 11 characters, all of them 0 to 9, the 11th being the check digit of
// the first 10.
bool IsVatNumberValid(QStringView text);

// The office code of a VAT number: its 8th, 9th and 10th characters (shorter or empty when the
// text is shorter).
QStringView VatOfficeCode(QStringView number);

// The name of the VAT office with this 3-character code, or the empty text for a code that is
// not in the table.
QString VatOfficeName(QStringView code);

}  // namespace cal
