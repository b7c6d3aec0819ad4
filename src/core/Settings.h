#pragma once
// The two settings files of the program folder, each an INI file (core/IniFile.h):
//
// "Sabbiolo.ini", the mail register:
//   [Protocollo Documenti]      Ufficio, Operatore: office and operator last used
//   [Numerazione Protocollo]    Inizio: first protocol number (digits; empty means 1)
//                               Indicazione Anno Solare: "Sì" to append "/" and the year
//
// "Bonifici.ini", the transfer registers, the side of a transfer that is the user's own:
//   [Bonifici Emessi]    Nome Pagatore, Codice Fiscale, Iban Bancario
//   [Bonifici Ricevuti]  Nome Beneficiario, Codice Fiscale, Iban Bancario
//
// Readers return nullopt when the file exists but cannot be read (a missing file, section or
// key reads as empty values); writers return false when the file cannot be written, leaving
// it as it was. Values are written trimmed, each group of keys in one atomic write.
//
// Several copies of the program may share the folder. A writer is given the values as the
// screen read them (`asRead`) and changes only the keys whose value differs from them: a key
// the user left as it was keeps what the file holds at that moment, which another copy may
// have changed meanwhile; a key missing from the file is written all the same. The file is
// read, changed and written back under the folder's settings lock (core/IniFile.h,
// updateIniFile). Without `asRead` every key is written.
#include <QString>
#include <QStringView>

#include <optional>

namespace cal {

// --- Sabbiolo.ini -------------------------------------------------------------------------

inline const QString kMailSettingsFile = QStringLiteral("Sabbiolo.ini");
inline const QString kMailOfficeSection = QStringLiteral("Protocollo Documenti");
inline const QString kMailOfficeKey = QStringLiteral("Ufficio");
inline const QString kMailOperatorKey = QStringLiteral("Operatore");
inline const QString kMailNumberingSection = QStringLiteral("Numerazione Protocollo");
inline const QString kMailStartKey = QStringLiteral("Inizio");
inline const QString kMailYearKey = QStringLiteral("Indicazione Anno Solare");

struct MailOffice {
    QString office;
    QString operatorName;
};
std::optional<MailOffice> readMailOffice(const QString& programFolder);
bool writeMailOffice(const QString& programFolder, const MailOffice& office,
                     const std::optional<MailOffice>& asRead = std::nullopt);

struct MailNumbering {
    QString start;          // "Inizio" as stored
    bool withYear = false;  // "Indicazione Anno Solare" is exactly "Sì"

    // The first number: 1 when "Inizio" is empty, nullopt when it is not made of decimal
    // digits only or is too large to count with.
    std::optional<qint64> startNumber() const;
};
std::optional<MailNumbering> readMailNumbering(const QString& programFolder);
// Writes "Inizio" (trimmed) and "Indicazione Anno Solare" ("Sì" or "No").
bool writeMailNumbering(const QString& programFolder, const MailNumbering& numbering,
                        const std::optional<MailNumbering>& asRead = std::nullopt);

// --- Bonifici.ini -------------------------------------------------------------------------

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
