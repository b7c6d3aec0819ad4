#include "core/Amount.h"

#include "core/Text.h"

#include <QtNumeric>

#include <algorithm>
#include <limits>

namespace cal {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
int digitValue(QChar c) { return c.unicode() - u'0'; }

// v = v * 10 + digit, false on overflow.
bool pushDigit(qint64& v, int digit) {
    return !qMulOverflow(v, qint64(10), &v) && !qAddOverflow(v, qint64(digit), &v);
}

// The magnitude of an amount; the range is symmetric, so it always fits in qint64.
quint64 magnitude(qint64 units) {
    return units < 0 ? quint64(0) - quint64(units) : quint64(units);
}

QString withSign(bool negative, quint64 whole, QString fraction) {
    QString out;
    if (negative) out += u'-';
    out += QString::number(whole);
    out += u',';
    out += fraction;
    return out;
}

constexpr qint64 kLowest = -std::numeric_limits<qint64>::max();

}  // namespace

std::optional<Amount> Amount::parse(QStringView text, int decimals) {
    decimals = std::clamp(decimals, 0, kDecimals);
    const QStringView t = trimmedView(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    const qsizetype wholeBegin = i;
    while (i < t.size() && isDigit(t[i])) ++i;
    const QStringView whole = QStringView(t).mid(wholeBegin, i - wholeBegin);
    QStringView fraction;
    if (i < t.size() && t[i] == u',') {
        const qsizetype fractionBegin = ++i;
        while (i < t.size() && isDigit(t[i])) ++i;
        fraction = QStringView(t).mid(fractionBegin, i - fractionBegin);
    }
    if (i != t.size() || (whole.isEmpty() && fraction.isEmpty())) return std::nullopt;

    // The value in units of 10^-decimals, then half up on the next digit: the digits after
    // that one cannot change a half-up result.
    qint64 v = 0;
    for (QChar c : whole)
        if (!pushDigit(v, digitValue(c))) return std::nullopt;
    for (int k = 0; k < decimals; ++k)
        if (!pushDigit(v, k < fraction.size() ? digitValue(fraction[k]) : 0)) return std::nullopt;
    if (decimals < fraction.size() && digitValue(fraction[decimals]) >= 5)
        if (qAddOverflow(v, qint64(1), &v)) return std::nullopt;
    for (int k = decimals; k < kDecimals; ++k)
        if (qMulOverflow(v, qint64(10), &v)) return std::nullopt;
    return Amount(negative ? -v : v);
}

Amount Amount::fromUnits(qint64 tenThousandths) {
    return Amount(std::max(tenThousandths, kLowest));
}

QString Amount::text() const {
    const quint64 m = magnitude(units_);
    QString fraction = QStringLiteral("%1").arg(m % kScale, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 2 && fraction.endsWith(u'0')) fraction.chop(1);
    return withSign(units_ < 0, m / kScale, fraction);
}

QString Amount::text2() const {
    // Hundredths, half away from zero; m + 50 cannot overflow an unsigned 64-bit value.
    const quint64 hundredths = (magnitude(units_) + 50) / 100;
    return withSign(units_ < 0 && hundredths != 0, hundredths / 100,
                    QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0')));
}

std::optional<Amount> Amount::plus(Amount other) const {
    qint64 sum = 0;
    if (qAddOverflow(units_, other.units_, &sum) || sum < kLowest) return std::nullopt;
    return Amount(sum);
}

QString normaliseAmount(QStringView typed) {
    const std::optional<Amount> a = Amount::parse(typed, Amount::kDecimals);
    return a ? a->text() : kZeroAmount;
}

QString normaliseAmount2(QStringView typed) {
    const std::optional<Amount> a = Amount::parse(typed, 2);
    return a ? a->text2() : kZeroAmount;
}

bool AmountTotal::add(QStringView amountText) {
    const std::optional<Amount> a = Amount::parse(amountText, Amount::kDecimals);
    return a && add(*a);
}

bool AmountTotal::add(Amount amount) {
    const std::optional<Amount> sum = total_.plus(amount);
    if (!sum) return false;
    total_ = *sum;
    return true;
}

}  // namespace cal
