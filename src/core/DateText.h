#pragma once
// Date texts: every date the program stores or compares is "dd/mm/yyyy" text (05/03/2024),
// day and month with two digits and the year with four.
//
// Reading is strict: after blanks around the text are removed, it must be exactly two digits,
// "/", two digits, "/", four digits, and name a day of the Gregorian calendar between
// 01/01/0001 and 31/12/9999. "5/3/2024", "05-03-2024" or "05/03/24" are not date texts, nor are
// 31/04/2024, 29/02/2023, 00/01/2024 or 01/01/0000.
#include <QDate>
#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

namespace cal {

// The date a text names, or nullopt when it is not a valid date text.
std::optional<QDate> parseDateText(QStringView text);
inline bool isValidDateText(QStringView text) { return parseDateText(text).has_value(); }

// "dd/mm/yyyy"; empty for an invalid date or one outside the years 1 to 9999.
QString dateText(const QDate& date);
// Today's date from the system clock as a date text.
QString todayText();

// Compares the dates two texts name (not the texts: 02/01/2024 is before 10/01/2023 as text,
// after it as a date); nullopt when either text is not a valid date text.
std::optional<std::strong_ordering> compareDateTexts(QStringView a, QStringView b);

}  // namespace cal
