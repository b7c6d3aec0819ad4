#include "mail/MailTables.h"

#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kMailLayout, record, field))); }
}  // namespace

std::optional<QString> nextMailNumber(const QString& start, bool withYear, qint64 count, int year) {
    const std::optional<qint64> first = MailNumbering{start, withYear}.startNumber();
    qint64 number = 0;
    if (!first || qAddOverflow(*first, count, &number)) return std::nullopt;
    QString text = QString::number(number);
    if (withYear) text += QStringLiteral("/%1").arg(year, 4, 10, QChar(u'0'));
    return text;
}

std::optional<MailPeriod> mailPeriodRows(const QString& path, QDate from, QDate to) {
    // Opened as a record file, so that a missing year file is created empty.
    RecordFile file;
    if (!file.open(path, kMailLayout.size())) return std::nullopt;
    const bool ok = file.close();
    if (!ok) return std::nullopt;
    MailPeriod period;
    const bool read = scanRecordFile(path, kMailLayout, [&](qint64, const char* record) {
        ++period.records;
        const auto date = parseDateText(value(record, MailField::DataReg));
        if (!date) {
            ++period.unreadable;
            return;
        }
        if (*date < from || *date > to) return;
        period.rows << mailExportRow(record);
    });
    if (!read) return std::nullopt;
    return period;
}

}  // namespace cal
