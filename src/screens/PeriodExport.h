#pragma once
// An export screen limited to a period: two date fields and a query command fill the grid with
// the records of a file whose date falls in the period (both ends included). A record whose date
// cannot be read is left out, and the user is told how many were.
#include "core/SpreadsheetWriter.h"
#include "screens/ExportScreen.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

class QLineEdit;

namespace cal {

// What one period export says and reads: its command, its fields and their typing rule, its
// messages, and which field of the record holds the date.
struct PeriodQuery {
    const char* command;      // the query command's object name: "cmdTrova"
    const char* caption;      // "Visualizza"
    const char* commandHint;  // UTF-8
    const char* startLabel;   // UTF-8: "Protocollati dalla data:"
    const char* endLabel;     // UTF-8: "alla data:"
    const char* fieldHint;    // UTF-8: both fields' hint
    // UTF-8, "%1" "inizio" or "fine": a date missing, or (with `digitsOnly`) not ten characters long.
    const char* missingDate;
    // UTF-8, "%1" the date as typed, "%2" "inizio" or "fine": a date that does not exist.
    const char* invalidDate;
    const char* dateName;     // "registrazione": the date the left-out message names
    RecordRow row;            // the record file's layout and the grid's cells
    int dateField;            // the record's date
    bool startsToday = false; // the start field opens on today's date; otherwise empty (the end always on today)
    bool digitsOnly = false;  // only digits and "/" can be typed, and a date is read only when whole
    bool createsFile = false; // the file is opened as a record file first: a missing one is created empty
};

// The rows of the records whose date falls in the period, in file order.
struct PeriodRows {
    QList<QStringList> rows;
    qint64 records = 0;  // records in the file
    int unreadable = 0;  // left out: their date cannot be read
};
// nullopt when the file cannot be read (or, with `createsFile`, opened).
std::optional<PeriodRows> periodRows(const QString& path, const PeriodQuery& query, QDate from, QDate to);

class PeriodExportScreen : public ExportScreen {
    Q_OBJECT
public:
    // `path`: the record file; empty for the file the export definition reads.
    PeriodExportScreen(const ExportDefinition& definition, const PeriodQuery& query, const QString& path = {},
                       QWidget* parent = nullptr);

    // The query command: checks the two dates, then fills the grid with the period.
    void showPeriod();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const PeriodQuery& query_;
    QString path_;
    QLineEdit* txtDataInizio_;
    QLineEdit* txtDataFine_;
};

}  // namespace cal
