#pragma once
// The mail register's tables outside its screens: search filters, the register line, the
// register grid of the export and the period summary, and the automatic number.
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "mail/MailLayout.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace cal {

class RecordFile;

inline constexpr FilterField kMailFilters[] = {
    {"txtNumero", "N. protocollo:", MailField::Numero},
    {"txtTipologia", "Tipologia posta (in entrata, in uscita, interna):", MailField::Tipo},
    {"txtDataReg", "Data registrazione (gg/mm/aaaa):", MailField::DataReg},
    {"txtOperatore", "Operatore:", MailField::Operatore},
    {"txtCategoria", "Categoria:", MailField::Categoria},
    {"txtOggetto", "Oggetto:", MailField::Oggetto},
    {"txtMittente", "Mittente:", MailField::Mittente},
    {"txtDestinatario", "Destinatario:", MailField::Destinatario},
    {"txtRiferimenti", "Riferimenti:", MailField::Riferimenti},
    {"txtNote", "Note:", MailField::Note},
};

// The line of a registration in the search.
inline constexpr ListColumn kMailLine[] = {
    {"Prot. n. ", MailField::Numero, 14},  {"  Data: ", MailField::DataReg, 10},
    {"  Posta: ", MailField::Tipo, 10},    {"  ", MailField::Oggetto, 35},
    {"  Da: ", MailField::Mittente, 24},   {"  A: ", MailField::Destinatario, 0}};

// The register grid: the export of the year and the period summary.
inline constexpr ExportColumn kMailExportColumns[] = {
    {"N. protocollo", 200},  {"Tipologia posta", 250}, {"Data registrazione", 200},
    {"Ufficio", 250},        {"Operatore", 250},       {"Categoria", 250},
    {"Collocazione documento cartaceo", 300},          {"Oggetto", 300},
    {"Data spedizione", 200}, {"Data ricezione", 200}, {"Formato", 250},
    {"N. pagine", 200},      {"Riferimenti", 300},     {"Note", 300},
    {"Mittente", 250},       {"Recapito mittente", 250}, {"Destinatario", 250},
    {"Recapito destinatario", 250}};

inline constexpr ColumnLine mailLine{&kMailLayout, kMailLine};
// The 18 grid values of one registration, each trimmed: every field before the digital copy.
inline constexpr auto kMailExportCells = fieldCells<MailField::Numero, MailField::RecapitoDes>();
inline constexpr RecordRow mailExportRow{&kMailLayout, kMailExportCells};

// The number "Nuovo" proposes: the first number plus the registrations already in the year
// file, followed by "/" and `year` when asked. nullopt when the first number is not a number.
std::optional<QString> nextMailNumber(const QString& start, bool withYear, qint64 count, int year);

// The number a new registration proposed as `shown` ("13" or "13/2024") is stored with, read from
// the open year file under its lock: `shown` itself when no registration holds its number yet,
// else the first number after it that none holds, with the same ending ("14/2024"). The number of
// a registration is the whole number its text starts with, up to a "/" or the end, so "13" and
// "13/2024" hold the same one. nullopt when the file cannot be read or `shown` is no such number.
std::optional<QString> freeMailNumber(RecordFile& file, const QString& shown);


}  // namespace cal
