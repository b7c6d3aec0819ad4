#pragma once
// "Sabbiolo.ini", the mail register's settings file (core/Settings.h):
//   [Protocollo Documenti]      Ufficio, Operatore: office and operator last used
//   [Numerazione Protocollo]    Inizio: first protocol number (digits; empty means 1)
//                               Indicazione Anno Solare: "Sì" to append "/" and the year
#include <QString>

#include <optional>

namespace cal {

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

}  // namespace cal
