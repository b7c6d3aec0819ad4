#include "core/Settings.h"

#include "core/IniFile.h"
#include "core/Text.h"

#include <QDir>
#include <QtNumeric>

#include <initializer_list>
#include <utility>

namespace cal {
namespace {

using KeyValue = std::pair<QString, QString>;

QString filePath(const QString& programFolder, const QString& name) {
    return QDir(programFolder).filePath(name);
}

// The file loaded, or nullopt when it exists but cannot be read.
std::optional<IniFile> loadIni(const QString& path) {
    IniFile ini;
    if (ini.load(path) == IniFile::Load::Unreadable) return std::nullopt;
    return ini;
}

// Sets every key of one section, trimmed, and writes the file once.
bool writeKeys(const QString& path, const QString& section, std::initializer_list<KeyValue> keys) {
    std::optional<IniFile> ini = loadIni(path);
    if (!ini) return false;
    for (const KeyValue& kv : keys)
        if (!ini->setValue(section, kv.first, trimmed(kv.second))) return false;
    return ini->save(path);
}

}  // namespace

std::optional<MailOffice> readMailOffice(const QString& programFolder) {
    const std::optional<IniFile> ini = loadIni(filePath(programFolder, kMailSettingsFile));
    if (!ini) return std::nullopt;
    return MailOffice{ini->value(kMailOfficeSection, kMailOfficeKey),
                      ini->value(kMailOfficeSection, kMailOperatorKey)};
}

bool writeMailOffice(const QString& programFolder, const MailOffice& office) {
    return writeKeys(filePath(programFolder, kMailSettingsFile), kMailOfficeSection,
                     {{kMailOfficeKey, office.office}, {kMailOperatorKey, office.operatorName}});
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

bool writeMailNumbering(const QString& programFolder, const MailNumbering& numbering) {
    return writeKeys(filePath(programFolder, kMailSettingsFile), kMailNumberingSection,
                     {{kMailStartKey, numbering.start}, {kMailYearKey, checkText(numbering.withYear)}});
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

bool writeTransferParty(const QString& programFolder, TransferRegister reg,
                        const TransferParty& party) {
    return writeKeys(filePath(programFolder, kTransferSettingsFile), transferSettingsSection(reg),
                     {{transferNameKey(reg), party.name},
                      {kTransferFiscalCodeKey, party.fiscalCode},
                      {kTransferIbanKey, party.iban}});
}

}  // namespace cal
