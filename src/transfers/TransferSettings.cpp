#include "transfers/TransferSettings.h"

#include "core/Settings.h"

namespace cal {

QString transferSettingsSection(TransferRegister reg) {
    return reg == TransferRegister::Issued ? QStringLiteral("Bonifici Emessi")
                                           : QStringLiteral("Bonifici Ricevuti");
}

QString transferNameKey(TransferRegister reg) {
    return reg == TransferRegister::Issued ? QStringLiteral("Nome Pagatore")
                                           : QStringLiteral("Nome Beneficiario");
}

std::optional<TransferParty> readTransferParty(const QString& programFolder, TransferRegister reg) {
    const std::optional<IniFile> ini = loadSettings(settingsFilePath(programFolder, kTransferSettingsFile));
    if (!ini) return std::nullopt;
    const QString section = transferSettingsSection(reg);
    return TransferParty{ini->value(section, transferNameKey(reg)),
                         ini->value(section, kTransferFiscalCodeKey),
                         ini->value(section, kTransferIbanKey)};
}

bool writeTransferParty(const QString& programFolder, TransferRegister reg, const TransferParty& party,
                        const std::optional<TransferParty>& asRead) {
    return writeSettingsKeys(settingsFilePath(programFolder, kTransferSettingsFile), transferSettingsSection(reg),
                     {{transferNameKey(reg), party.name, readAs(asRead, &TransferParty::name)},
                      {kTransferFiscalCodeKey, party.fiscalCode, readAs(asRead, &TransferParty::fiscalCode)},
                      {kTransferIbanKey, party.iban, readAs(asRead, &TransferParty::iban)}});
}

}  // namespace cal
