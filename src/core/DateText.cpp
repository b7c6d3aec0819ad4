#include "core/DateText.h"

#include "core/Text.h"

namespace cal {
namespace {

// The number written by `count` ASCII digits at `from`, or -1.
int digitsAt(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

std::optional<QDate> parseDateText(QStringView text) {
    const QStringView t = trimmedView(text);
    if (t.size() != 10 || t[2] != u'/' || t[5] != u'/') return std::nullopt;
    const int day = digitsAt(t, 0, 2);
    const int month = digitsAt(t, 3, 2);
    const int year = digitsAt(t, 6, 4);
    // Year 0 does not exist in the calendar (QDate would take it as invalid too, but the
    // check keeps the rule visible); day and month 00 fail QDate::isValid.
    if (day < 0 || month < 0 || year < 1) return std::nullopt;
    if (!QDate::isValid(year, month, day)) return std::nullopt;
    return QDate(year, month, day);
}

QString dateText(const QDate& date) {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString todayText() { return dateText(QDate::currentDate()); }

std::optional<std::strong_ordering> compareDateTexts(QStringView a, QStringView b) {
    const std::optional<QDate> da = parseDateText(a);
    const std::optional<QDate> db = parseDateText(b);
    if (!da || !db) return std::nullopt;
    return da->toJulianDay() <=> db->toJulianDay();
}

}  // namespace cal
