#include "deadlines/DeadlineTables.h"

#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/Text.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace cal {
namespace {

using namespace DeadlineField;

QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kDeadlineLayout, record, field))); }

const char* const kMonths[12] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                 "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

// Orders the rows (numbers alongside) by `key`, case-insensitively; equal keys keep file order.
void orderRows(DeadlineList& list, const std::function<QString(const QStringList& row)>& key) {
    std::vector<qsizetype> order(std::size_t(list.rows.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::vector<QString> keys;
    keys.reserve(order.size());
    for (const QStringList& row : list.rows) keys.push_back(key(row));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return keys[std::size_t(a)].compare(keys[std::size_t(b)], Qt::CaseInsensitive) < 0;
    });
    DeadlineList sorted;
    sorted.records = list.records;
    for (qsizetype i : order) {
        sorted.rows << list.rows[i];
        sorted.numbers << list.numbers[i];
    }
    list = std::move(sorted);
}

// Appends the selected records of one file, numbering on from the rows already there. False when
// the file could not be read to its end.
bool appendDeadlines(DeadlineList& list, const QString& path, const std::function<bool(const char*)>& keep) {
    return scanRecordFile(path, kDeadlineLayout, [&](qint64, const char* record) {
        ++list.records;
        if (!keep(record)) return;
        list.rows << deadlineListRow(record);
        list.numbers << QString::number(list.rows.size());
    });
}

const int kKeyColumn = 19;  // the sort key among the list values (grid column 20)

}  // namespace

QString deadlineValue(const char* record, int field) { return value(record, field); }

QStringList deadlineMonths() {
    QStringList months;
    for (const char* m : kMonths) months << QString::fromLatin1(m);
    return months;
}

QString deadlineMonthNumber(const QString& name) {
    const QString wanted = trimmed(name).toLower();
    for (int m = 0; m < 12; ++m)
        if (wanted == QString::fromLatin1(kMonths[m]).toLower()) return QStringLiteral("%1").arg(m + 1, 2, 10, QChar(u'0'));
    return {};
}

QString deadlineYearFile(const QString& folder, int year) {
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(u'/')) path += u'/';
    return path + QStringLiteral("%1").arg(year, 4, 10, QChar(u'0')) + QStringLiteral(".sca");
}

QString deadlineKey(const char* record) {
    return value(record, Data).mid(3, 2) + value(record, Giorno) + value(record, OreApp) + value(record, MinutiApp);
}

QStringList deadlineListRow(const char* record) {
    QStringList row = deadlineExportRow(record);
    row << deadlineKey(record);
    return row;
}

std::optional<bool> isImminent(const char* record, QDate today) {
    const std::optional<QDate> date = parseDateText(FieldText(kDeadlineLayout, record, Data).text());
    bool ok = false;
    const int notice = FieldText(kDeadlineLayout, record, Avviso).text().toInt(&ok);
    if (!date || !ok) return std::nullopt;
    const qint64 days = today.daysTo(*date);
    return days >= 0 && days <= notice;
}

std::optional<Reminder> checkReminders(const QString& folder, QDate today) {
    Reminder reminder;
    // Read in parts at once, each counting until its first unreadable record; joined in file
    // order, the count is the one a check stopping at the first unreadable record would give.
    struct alignas(64) Part {  // one cache line each: the parts count on different processors
        Reminder counted;
    };
    auto scan = [&](const QString& path) {
        std::vector<Part> parts;
        const bool ok = scanRecordFileInParts(
            path, kDeadlineLayout, [&](int count, qint64) { parts.resize(std::size_t(count)); },
            [&](int p, qint64, const char* record) {
                Reminder& part = parts[std::size_t(p)].counted;
                if (!part.readable) return;
                const std::optional<bool> imminent = isImminent(record, today);
                if (!imminent) part.readable = false;
                else if (*imminent) ++part.imminent;
            });
        for (const Part& part : parts) {
            if (!reminder.readable) break;
            reminder.imminent += part.counted.imminent;
            reminder.readable = part.counted.readable;
        }
        return ok;
    };
    // Today's year file is created when missing; the next year's is read only when it is there.
    if (!scan(deadlineYearFile(folder, today.year()))) return std::nullopt;
    const QString next = deadlineYearFile(folder, today.year() + 1);
    if (reminder.readable && QFileInfo::exists(next) && !scan(next)) return std::nullopt;
    return reminder;
}

DeadlineList listDeadlines(const QString& path, const std::function<bool(const char* record)>& keep) {
    DeadlineList list;
    appendDeadlines(list, path, keep);
    orderRows(list, [](const QStringList& row) { return row.value(kKeyColumn); });
    return list;
}

DeadlineList imminentDeadlines(const QString& folder, QDate today) {
    DeadlineList list;
    // A record whose date or notice cannot be read is not imminent.
    auto imminent = [today](const char* record) { return isImminent(record, today).value_or(false); };
    const bool read = appendDeadlines(list, deadlineYearFile(folder, today.year()), imminent);
    const QString next = deadlineYearFile(folder, today.year() + 1);
    if (read && QFileInfo::exists(next)) appendDeadlines(list, next, imminent);
    // The key holds no year: the next year's January comes after this December.
    orderRows(list, [](const QStringList& row) { return row.value(0).mid(6, 4) + row.value(kKeyColumn); });
    return list;
}

DeadlineList dayDeadlines(const QString& folder, const QString& day) {
    const QString wanted = trimmed(day);
    return listDeadlines(deadlineYearFile(folder, wanted.mid(6, 4).toInt()),
                         [wanted](const char* record) { return value(record, Data) == wanted; });
}

DeadlineList monthDeadlines(const QString& folder, const QString& day) {
    const QString text = trimmed(day);
    const QString year = text.mid(6, 4);
    const int month = text.mid(3, 2).toInt();
    const QString name = month >= 1 && month <= 12 ? QString::fromLatin1(kMonths[month - 1]).toLower() : QString();
    return listDeadlines(deadlineYearFile(folder, year.toInt()), [name, year](const char* record) {
        return value(record, Mese).toLower() == name && value(record, Anno) == year;
    });
}

}  // namespace cal
