#pragma once
// The deadlines' tables outside their screen: the month names, the search filters, the deadline
// line of the status lists and the search, the grids of the export and of the day, month and
// imminent lists, and the reminder check.
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "deadlines/DeadlineLayout.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace cal {

// "Gennaio" to "Dicembre", as the month list shows and the record stores them.
QStringList deadlineMonths();
// "01" to "12" for a month name (trimmed, in any case); empty for any other text.
QString deadlineMonthNumber(const QString& name);
// A field of a deadline record, trimmed.
QString deadlineValue(const char* record, int field);

// The year file of `year` in `folder` ("<folder>/2024.sca").
QString deadlineYearFile(const QString& folder, int year);

inline constexpr FilterField kDeadlineFilters[] = {
    {"txtData", "Data scadenza (gg/mm/aaaa):", DeadlineField::Data},
    {"txtOra", "Ora appuntamento (HH:MM):", DeadlineField::Ora},
    {"txtCliente", "Cliente:", DeadlineField::Cliente},
    {"txtCodFisc", "Codice fiscale Cliente:", DeadlineField::CodFisc},
    {"txtID", "Codice ID servizio:", DeadlineField::ID},
    {"txtTipologia", "Tipologia:", DeadlineField::Tipologia},
    {"txtDescrizione", "Descrizione:", DeadlineField::Descrizione},
    {"txtPersona", "Persona addetta:", DeadlineField::Persona},
    {"txtDettagli", "Causale scadenza:", DeadlineField::Dettagli},
    {"txtNote", "Note:", DeadlineField::Note},
};

// The line of a deadline in the status lists and the search.
inline constexpr ListColumn kDeadlineLine[] = {
    {"", DeadlineField::Dettagli, 35},     {"  Data: ", DeadlineField::Data, 10},
    {"  Ora: ", DeadlineField::Ora, 5},    {"  Cliente: ", DeadlineField::Cliente, 30},
    {"  ID: ", DeadlineField::ID, 20},     {"  € ", DeadlineField::Costo, 0}};
inline constexpr ColumnLine deadlineLine{&kDeadlineLayout, kDeadlineLine};

// The export of the year archive: the date and the time, not their parts.
inline constexpr ExportColumn kDeadlineExportColumns[] = {
    {"Data scadenza", 150},         {"Ora appuntamento", 150},       {"Cliente", 250},
    {"Codice fiscale", 200},        {"Recapito preferenziale", 250}, {"Codice ID servizio", 200},
    {"Tipologia", 250},             {"Descrizione", 300},            {"Uffici interessati", 300},
    {"Requisiti necessari", 300},   {"Documenti richiesti", 300},    {"Persona addetta", 250},
    {"Causale scadenza", 300},      {"Modalità di pagamento", 300},  {"Tariffa ordinaria", 200},
    {"Spese accessorie", 300},      {"Appuntamento da confermare", 250}, {"Pagamento effettuato", 250},
    {"Note", 300}};
// The 19 export values of one deadline, each trimmed: the date and time, the fields from the
// client to the expenses, the two marks, then the notes (after the marks in the grid).
inline constexpr RecordCell kDeadlineExportCells[] = {
    {DeadlineField::Data},        {DeadlineField::Ora},          {DeadlineField::Cliente},   {DeadlineField::CodFisc},
    {DeadlineField::Recapito},    {DeadlineField::ID},           {DeadlineField::Tipologia}, {DeadlineField::Descrizione},
    {DeadlineField::Uffici},      {DeadlineField::Requisiti},    {DeadlineField::Documenti}, {DeadlineField::Persona},
    {DeadlineField::Dettagli},    {DeadlineField::Pagamento},    {DeadlineField::Costo},     {DeadlineField::Spese},
    {DeadlineField::DaConfermare}, {DeadlineField::Effettuata}, {DeadlineField::Note}};
inline constexpr RecordRow deadlineExportRow{&kDeadlineLayout, kDeadlineExportCells};

// The grid of the imminent, day and month lists: the export's columns with the client's own
// header, and the sort key last.
inline constexpr ExportColumn kDeadlineListColumns[] = {
    {"Data scadenza", 150},         {"Ora appuntamento", 150},       {"Cognome e nome Cliente", 250},
    {"Codice fiscale", 200},        {"Recapito preferenziale", 250}, {"Codice ID servizio", 200},
    {"Tipologia", 250},             {"Descrizione", 300},            {"Uffici interessati", 300},
    {"Requisiti necessari", 300},   {"Documenti richiesti", 300},    {"Persona addetta", 250},
    {"Causale scadenza", 300},      {"Modalità di pagamento", 300},  {"Tariffa ordinaria", 200},
    {"Spese accessorie", 300},      {"Appuntamento da confermare", 250}, {"Pagamento effettuato", 250},
    {"Note", 300},                  {"Codice univoco", 150}};
// The sort key: the month digits of the date, then day, hours and minutes ("03150930").
QString deadlineKey(const char* record);
// The 20 list values of one deadline (grid columns 1 to 20), each trimmed.
QStringList deadlineListRow(const char* record);

// Whether a deadline is imminent on `today`: from its notice days before its date up to its date,
// both included. nullopt when its date or its notice days cannot be read.
std::optional<bool> isImminent(const char* record, QDate today);

// The outcome of the reminder check.
struct Reminder {
    bool readable = true;  // false: a record's date or notice could not be read, the check stopped
    qint64 imminent = 0;
};
// The reminder check on `today` over the year file of today (created empty when missing) and the
// year file of the next year when it exists, so that early January deadlines are announced in
// December. nullopt when a file cannot be opened or read.
std::optional<Reminder> checkReminders(const QString& folder, QDate today);

// A list of deadlines for a grid: the rows (columns 1 to 20) with the running number each was
// given in file order, and how many records the files read hold.
struct DeadlineList {
    QList<QStringList> rows;
    QStringList numbers;
    qint64 records = 0;
};
// The records of a year file that `keep` selects, numbered in file order and ordered by the key.
// A missing file is created empty. A failure while reading ends the list: the rows found stay.
DeadlineList listDeadlines(const QString& path, const std::function<bool(const char* record)>& keep);
// The imminent deadlines on `today`: of today's year file and, when it exists, of the next year's,
// ordered by year and then by key.
DeadlineList imminentDeadlines(const QString& folder, QDate today);
// The deadlines of the day `day` ("dd/mm/yyyy") and of its month, read from that day's year file.
DeadlineList dayDeadlines(const QString& folder, const QString& day);
DeadlineList monthDeadlines(const QString& folder, const QString& day);

}  // namespace cal
