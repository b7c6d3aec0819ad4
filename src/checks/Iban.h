#pragma once
// The IBAN check by the mod-97 rule (ISO 7064 MOD 97-10).
#include <QStringView>

namespace cal {

// The remainder (0 to 96) modulo 97 of an IBAN: letters a to z are upper-cased, a leading
// "IBAN" label is dropped, the first four characters are moved to the end and every letter A
// to Z becomes its number ("A" = 10 ... "Z" = 35). The result is 0 when the text is empty or
// holds any character other than the digits 0 to 9 and the letters (blanks included).
int IbanMod97(QStringView text);

// Whether the text, with every blank (space) removed, has the remainder 1.
bool IsIbanValid(QStringView text);

}  // namespace cal
