#pragma once
// The deadlines of a year as a calendar file (iCalendar, RFC 5545) that a phone, a desktop
// calendar or a mail program imports: each record an event at its date and time, named by its
// reason and client, placed at the offices involved, with the whole record in its description
// and an alarm its notice days before. A deadline at 00:00 is an event of the whole day.
#include <QByteArray>
#include <QString>

#include <optional>
#include <span>

namespace cal {

struct CalendarExport {
    qint64 events = 0;   // records written as events
    qint64 skipped = 0;  // records left out because their date cannot be read
};

// The calendar of the deadline records of the year file `path` (every record in file order, or
// `records`, 0-based, in the order given), named `name`. nullopt when the file cannot be read.
std::optional<QByteArray> deadlineCalendar(const QString& path, std::optional<std::span<const qint64>> records,
                                           const QString& name, CalendarExport* outcome = nullptr);

// The same written whole into `target`; nullopt when the year file cannot be read (`readFailed`
// set) or the target cannot be written, with the cause in `error`.
std::optional<CalendarExport> writeDeadlineCalendar(const QString& path, std::optional<std::span<const qint64>> records,
                                                    const QString& name, const QString& target,
                                                    bool* readFailed = nullptr, QString* error = nullptr);

}  // namespace cal
