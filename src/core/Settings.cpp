#include "core/Settings.h"

#include "core/IniFile.h"
#include "core/Text.h"

#include <QDir>
#include <QtNumeric>

#include <initializer_list>

namespace cal {
namespace {

// A key to write, with its value as the screen read it when known.
struct KeyChange {
    QString key;
    QString value;
    std::optional<QString> asRead;
};

template <typename T, typename Member>
std::optional<QString> readAs(const std::optional<T>& asRead, Member member) {
    if (!asRead) return std::nullopt;
    return (*asRead).*member;
}

QString filePath(const QString& programFolder, const QString& name) {
    return QDir(programFolder).filePath(name);
}

// The file loaded, or nullopt when it exists but cannot be read.
std::optional<IniFile> loadIni(const QString& path) {
    IniFile ini;
    if (ini.load(path) == IniFile::Load::Unreadable) return std::nullopt;
    return ini;
}

// Sets the keys of one section that changed, trimmed, in one locked change of the file.
bool writeKeys(const QString& path, const QString& section, std::initializer_list<KeyChange> keys) {
    return updateIniFile(path, [&](IniFile& ini) {
        for (const KeyChange& k : keys) {
            const QString value = trimmed(k.value);
            if (k.asRead && trimmed(*k.asRead) == value && ini.contains(section, k.key)) continue;
            if (!ini.setValue(section, k.key, value)) return false;
        }
        return true;
    });
}

}  // namespace

std::optional<MailOffice> readMailOffice(const QString& programFolder) {
    const std::optional<IniFile> ini = loadIni(filePath(programFolder, kMailSettingsFile));
    if (!ini) return std::nullopt;
    return MailOffice{ini->value(kMailOfficeSection, kMailOfficeKey),
                      ini->value(kMailOfficeSection, kMailOperatorKey)};
}

bool writeMailOffice(const QString& programFolder, const MailOffice& office,
                     const std::optional<MailOffice>& asRead) {
    return writeKeys(filePath(programFolder, kMailSettingsFile), kMailOfficeSection,
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
    const std::optional<IniFile> ini = loadIni(filePath(programFolder, kMailSettingsFile));
    if (!ini) return std::nullopt;
    return MailNumbering{ini->value(kMailNumberingSection, kMailStartKey),
                         ini->value(kMailNumberingSection, kMailYearKey) == kYes};
}

bool writeMailNumbering(const QString& programFolder, const MailNumbering& numbering,
                        const std::optional<MailNumbering>& asRead) {
    const std::optional<QString> yearAsRead =
        asRead ? std::optional<QString>(checkText(asRead->withYear)) : std::nullopt;
    return writeKeys(filePath(programFolder, kMailSettingsFile), kMailNumberingSection,
                     {{kMailStartKey, numbering.start, readAs(asRead, &MailNumbering::start)},
                      {kMailYearKey, checkText(numbering.withYear), yearAsRead}});
}

QString transferSettingsSection(TransferRegister reg) {
    return reg == TransferRegister::Issued ? QStringLiteral("Bonifici Emessi")
                                           : QStringLiteral("Bonifici Ricevuti");
}

QString transferNameKey(TransferRegister reg) {
    return reg == TransferRegister::Issued ? QStringLiteral("Nome Pagatore")
                                           : QStringLiteral("Nome Beneficiario");
}

std::optional<TransferParty> readTransferParty(const QString& programFolder, TransferRegister reg) {
    const std::optional<IniFile> ini = loadIni(filePath(programFolder, kTransferSettingsFile));
    if (!ini) return std::nullopt;
    const QString section = transferSettingsSection(reg);
    return TransferParty{ini->value(section, transferNameKey(reg)),
                         ini->value(section, kTransferFiscalCodeKey),
                         ini->value(section, kTransferIbanKey)};
}

bool writeTransferParty(const QString& programFolder, TransferRegister reg, const TransferParty& party,
                        const std::optional<TransferParty>& asRead) {
    return writeKeys(filePath(programFolder, kTransferSettingsFile), transferSettingsSection(reg),
                     {{transferNameKey(reg), party.name, readAs(asRead, &TransferParty::name)},
                      {kTransferFiscalCodeKey, party.fiscalCode, readAs(asRead, &TransferParty::fiscalCode)},
                      {kTransferIbanKey, party.iban, readAs(asRead, &TransferParty::iban)}});
}

}  // namespace cal
