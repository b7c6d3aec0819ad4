#pragma once
// Money amounts. An amount is an exact integer of ten-thousandths; the screens and the record
// files hold it as text with the comma as decimal separator and no thousands separator
// ("1250,50", "12,345"). Binary floating point is never used, so 0,10 + 0,20 is 0,30 and
// 12,345 rounds to 12,35.
//
// Reading a text (what "can be read as a number" means here):
// - blanks and control characters around the text are ignored;
// - an optional sign "+" or "-", then digits, then optionally "," and more digits; at least
//   one digit in all (",5" and "12," are numbers, "," and "-" are not);
// - nothing else: a dot, a second comma, a blank inside, letters, exponents or thousands
//   separators make the text unreadable ("1.5" is not one and a half: in this program the dot
//   never separates decimals, and taking "1.234" as 1,234 would silently change an amount);
// - any number of decimals, rounded half up to the precision asked for, in one step from
//   the digits typed (12,34499 is 12,34 in two decimals, not 12,35 via 12,345);
// - half up means away from zero for negative amounts (-12,345 gives -12,35), so an amount and
//   its opposite always round alike;
// - a number whose magnitude does not fit in ten-thousandths of a signed 64-bit integer
//   (above 922337203685477,5807) cannot be read: it is treated like any other unreadable text.
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace cal {

class Amount {
public:
    static constexpr int kDecimals = 4;
    static constexpr qint64 kScale = 10000;

    constexpr Amount() = default;
    // The range is symmetric: the lowest 64-bit value is taken as its neighbour, so every
    // amount has an opposite.
    static Amount fromUnits(qint64 tenThousandths);
    constexpr qint64 units() const { return units_; }

    // The text read as described above and rounded half up to `decimals` (0 to 4) decimals;
    // nullopt when it cannot be read or does not fit.
    static std::optional<Amount> parse(QStringView text, int decimals = kDecimals);

    // Rounded half up (away from zero) to `decimals` (0 to 4) decimals.
    Amount rounded(int decimals) const;

    // Shortest form with at least two and at most four decimals: "12,00", "12,50", "12,345",
    // "-0,50". The amount is printed as it is (it is already in ten-thousandths).
    QString text() const;
    // Exactly two decimals, rounded half up first: "12,35" for 12,345.
    QString text2() const;

    // The sum, or nullopt when it would not fit (totals then behave as for an unreadable amount).
    std::optional<Amount> plus(Amount other) const;

    friend constexpr auto operator<=>(Amount, Amount) = default;

private:
    constexpr explicit Amount(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};

// The text of an empty or unreadable amount field.
inline const QString kZeroAmount = QStringLiteral("0,00");

// Amount entry of the four-decimal fields (rates and costs):
// the text a field takes when the user leaves it. Empty or unreadable gives "0,00"; otherwise
// the number rounded half up to four decimals, shown with two to four decimals.
QString normaliseAmount(QStringView typed);
// Amount entry of the two-decimal fields: the same with exactly two decimals.
QString normaliseAmount2(QStringView typed);

// A running total of stored amounts (the summaries of amounts).
class AmountTotal {
public:
    // Adds one stored amount text, read at four decimals. Returns false, leaving the total
    // unchanged, when the text cannot be read (an empty text included) or the sum would not
    // fit; the summaries then stop reading and show "0,00".
    bool add(QStringView amountText);
    bool add(Amount amount);

    Amount value() const { return total_; }
    // The total as the summaries show it: the four-decimal amount form ("0,00" for nothing,
    // "30,75", "0,30").
    QString text() const { return total_.text(); }

private:
    Amount total_;
};

}  // namespace cal
