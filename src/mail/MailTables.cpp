#include "mail/MailTables.h"

#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "mail/MailSettings.h"
#include "core/Text.h"

#include <QSet>

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kMailLayout, record, field))); }

// The whole number a protocol number starts with, and where it ends; nullopt when the text does
// not start with digits followed by "/" or nothing, or the number is too large.
std::optional<qint64> protocolNumber(QStringView text, qsizetype* end = nullptr) {
    qint64 number = 0;
    qsizetype i = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        if (qMulOverflow(number, qint64(10), &number) || qAddOverflow(number, qint64(text[i].unicode() - u'0'), &number))
            return std::nullopt;
    if (i == 0 || (i < text.size() && text[i] != u'/')) return std::nullopt;
    if (end) *end = i;
    return number;
}
}  // namespace

std::optional<QString> nextMailNumber(const QString& start, bool withYear, qint64 count, int year) {
    const std::optional<qint64> first = MailNumbering{start, withYear}.startNumber();
    qint64 number = 0;
    if (!first || qAddOverflow(*first, count, &number)) return std::nullopt;
    QString text = QString::number(number);
    if (withYear) text += QStringLiteral("/%1").arg(year, 4, 10, QChar(u'0'));
    return text;
}

std::optional<QString> freeMailNumber(RecordFile& file, const QString& shown) {
    qsizetype end = 0;
    const std::optional<qint64> wanted = protocolNumber(shown, &end);
    if (!wanted) return std::nullopt;
    QSet<qint64> taken;
    constexpr qint64 kBlock = 256;
    QByteArray block(kBlock * kMailLayout.size(), Qt::Uninitialized);
    if (!file.seek(0)) return std::nullopt;
    for (;;) {
        const qint64 read = file.readBlock(block.data(), kBlock);
        if (read < 0) return std::nullopt;
        if (read == 0) break;
        for (qint64 r = 0; r < read; ++r)
            if (const auto n = protocolNumber(value(block.constData() + r * kMailLayout.size(), MailField::Numero)))
                taken.insert(*n);
    }
    qint64 number = *wanted;
    while (taken.contains(number))
        if (qAddOverflow(number, qint64(1), &number)) return std::nullopt;
    return number == *wanted ? shown : QString::number(number) + shown.mid(end);
}


}  // namespace cal
