#include "checks/FiscalCode.h"

#include "core/Text.h"

namespace cal {

namespace {

// Values of the characters in odd positions (1st, 3rd, ... 15th); digits and letters share the
// same value by place: "0" and "A" count 1, "1" and "B" count 0, and so on up to "9" and "J".
constexpr int kOddValues[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};

// A character's place: 0 to 9 for the digits, 0 to 25 for the letters A to Z; no value for
// anything else (lower case, blanks, punctuation, accented letters).
std::optional<int> placeOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'Z') return u - u'A';
    return std::nullopt;
}

}  // namespace

bool IsAllDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

FiscalCodeTarget FiscalCodeButtonTarget(QStringView fieldText) {
    return IsAllDigits(trimmed(fieldText)) ? FiscalCodeTarget::VatNumberCheck
                                           : FiscalCodeTarget::FiscalCodeCheck;
}

std::optional<QChar> FiscalCodeCheckChar(QStringView first15) {
    if (first15.size() != 15) return std::nullopt;
    int sum = 0;
    for (qsizetype i = 0; i < first15.size(); ++i) {
        const std::optional<int> place = placeOf(first15[i]);
        if (!place) return std::nullopt;
        // Position i + 1 counted from 1: odd positions use the odd table, even ones the place.
        sum += (i % 2 == 0) ? kOddValues[*place] : *place;
    }
    return QChar(char16_t(u'A' + sum % 26));
}

bool IsFiscalCodeValid(QStringView code) {
    if (code.size() != 16) return false;
    const std::optional<QChar> expected = FiscalCodeCheckChar(code.first(15));
    return expected && *expected == code[15];
}

}  // namespace cal
