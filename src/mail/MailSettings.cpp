#include "mail/MailSettings.h"

#include "core/Settings.h"
#include "core/Text.h"

#include <QtNumeric>

namespace cal {

std::optional<MailOffice> readMailOffice(const QString& programFolder) {
    const std::optional<IniFile> ini = loadSettings(settingsFilePath(programFolder, kMailSettingsFile));
    if (!ini) return std::nullopt;
    return MailOffice{ini->value(kMailOfficeSection, kMailOfficeKey),
                      ini->value(kMailOfficeSection, kMailOperatorKey)};
}

bool writeMailOffice(const QString& programFolder, const MailOffice& office,
                     const std::optional<MailOffice>& asRead) {
    return writeSettingsKeys(settingsFilePath(programFolder, kMailSettingsFile), kMailOfficeSection,
                     {{kMailOfficeKey, office.office, readAs(asRead, &MailOffice::office)},
                      {kMailOperatorKey, office.operatorName, readAs(asRead, &MailOffice::operatorName)}});
}

std::optional<qint64> MailNumbering::startNumber() const {
    const QString digits = trimmed(start);
    if (digits.isEmpty()) return 1;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        if (qMulOverflow(value, qint64(10), &value) ||
            qAddOverflow(value, qint64(c.unicode() - u'0'), &value))
            return std::nullopt;
    }
    return value;
}

std::optional<MailNumbering> readMailNumbering(const QString& programFolder) {
    const std::optional<IniFile> ini = loadSettings(settingsFilePath(programFolder, kMailSettingsFile));
    if (!ini) return std::nullopt;
    return MailNumbering{ini->value(kMailNumberingSection, kMailStartKey),
                         ini->value(kMailNumberingSection, kMailYearKey) == kYes};
}

bool writeMailNumbering(const QString& programFolder, const MailNumbering& numbering,
                        const std::optional<MailNumbering>& asRead) {
    const std::optional<QString> yearAsRead =
        asRead ? std::optional<QString>(checkText(asRead->withYear)) : std::nullopt;
    return writeSettingsKeys(settingsFilePath(programFolder, kMailSettingsFile), kMailNumberingSection,
                     {{kMailStartKey, numbering.start, readAs(asRead, &MailNumbering::start)},
                      {kMailYearKey, checkText(numbering.withYear), yearAsRead}});
}

}  // namespace cal
