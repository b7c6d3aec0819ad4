#pragma once
// "Bonifici.ini", the transfer registers' settings file (core/Settings.h): the side of a
// transfer that is the user's own.
//   [Bonifici Emessi]    Nome Pagatore, Codice Fiscale, Iban Bancario
//   [Bonifici Ricevuti]  Nome Beneficiario, Codice Fiscale, Iban Bancario
#include <QString>

#include <optional>

namespace cal {

inline const QString kTransferSettingsFile = QStringLiteral("Bonifici.ini");

enum class TransferRegister { Issued, Received };

// The kept side: the payer of the issued register, the beneficiary of the received one.
struct TransferParty {
    QString name;
    QString fiscalCode;
    QString iban;
};

QString transferSettingsSection(TransferRegister reg);  // "Bonifici Emessi" / "Bonifici Ricevuti"
QString transferNameKey(TransferRegister reg);          // "Nome Pagatore" / "Nome Beneficiario"
inline const QString kTransferFiscalCodeKey = QStringLiteral("Codice Fiscale");
inline const QString kTransferIbanKey = QStringLiteral("Iban Bancario");

std::optional<TransferParty> readTransferParty(const QString& programFolder, TransferRegister reg);
bool writeTransferParty(const QString& programFolder, TransferRegister reg, const TransferParty& party,
                        const std::optional<TransferParty>& asRead = std::nullopt);

}  // namespace cal
