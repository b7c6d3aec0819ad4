#pragma once
// The export screen of every archive: a grid of the records (or of a selection) and one
// command that writes it as a spreadsheet file in the program folder and offers to open it.
#include "core/RecordLayout.h"
#include "core/SpreadsheetWriter.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <span>

class QAction;
class QLabel;
class QLineEdit;
class QTableView;

namespace cal {

class ArchiveScreen;
class ExportScreen;
class StatusHints;

// The grid's data: column 0 "N." (the row number, never exported), then the archive's columns.
// A selection export holds its rows; a whole-archive export holds only the record file and makes
// each row from its record when the grid shows it or the file is written, so the memory it takes
// does not grow with the archive.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The records of a whole-archive grid: the first `count` records of the file, each row made
    // from its record by `row`.
    struct Records {
        QString path;
        const RecordLayout* layout = nullptr;
        std::function<QStringList(const char* record)> row;
        qint64 count = 0;
    };

    GridModel(QStringList headers, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Ten empty rows, as the grid starts.
    void setEmptyRows(int count);
    void setRows(QList<QStringList> rows);
    // Rows that keep the number they were given (column 0) whatever their place in the grid.
    void setRows(QList<QStringList> rows, QStringList numbers);
    void setRecords(Records records);
    // One row's cells (empty for an empty row or a record that can no longer be read).
    QStringList row(int index) const;
    // Every row, in grid order.
    QList<QStringList> rows() const;
    // Hands every row in grid order to `put`, reading a whole-archive grid's file once from start
    // to end; false when the file cannot be read whole.
    bool forEachRow(const std::function<void(const QStringList&)>& put) const;
    // A whole-archive grid whose rows are made of record fields alone: that row maker, so that the
    // export writes the rows straight from the records' bytes; nullptr otherwise.
    const RecordRow* recordRow() const;
    // Hands every record of a whole-archive grid, in grid order, to `put` as forEachRow does.
    bool forEachRecord(const std::function<void(const char* record)>& put) const;

private:
    QStringList headers_;
    QList<QStringList> rows_;
    QStringList numbers_;  // empty: rows are numbered by their place
    Records records_;
    // The block of rows last made from the file, for the rows the grid paints.
    mutable qint64 cachedBlock_ = -1;
    mutable QList<QStringList> cached_;
};

struct ExportDefinition {
    const char* objectName;                 // TfrmExp...
    QString caption;
    const char* fileName = nullptr;         // the file it writes in the program folder: "Nome.xls"
    const char* sheetName = nullptr;        // the file's sheet
    std::span<const ExportColumn> columns;  // header cells of the file
    QStringList gridHeaders = {};           // headers shown in the grid, when they differ from the file's
    QString helpTitle;
    QString statusText = QStringLiteral("Esportazione archivio in Microsoft Excel.");
    // A whole-archive export fills the grid from the record file when shown; a selection export
    // (a period, a list) is handed its rows by the screen that opens it.
    const RecordLayout* layout = nullptr;
    std::function<QStringList(const char* record)> row = {};
    // The record file; by default the calling archive screen's file when it shows this layout
    // (per-year archives), else the layout's file in the program folder.
    std::function<QString()> filePath = {};
    // A screen of its own, for exports that ask for more than the grid (a period): created for
    // each opening, in place of the plain export screen.
    std::function<ExportScreen*(QWidget* caller)> create = {};
};

class ExportScreen : public QDialog {
    Q_OBJECT
public:
    ExportScreen(const ExportDefinition& definition, QWidget* parent = nullptr);
    // The archive screen that opened the export.
    void setCaller(QWidget* caller) { caller_ = caller; }
    // The record file a whole-archive export reads.
    QString recordFilePath() const;

    // Fills the grid from the archive: one row per record, or ten empty rows when the file
    // holds none or cannot be read (no message).
    void fillFromArchive();
    // For screens that export a selection.
    void setRows(QList<QStringList> rows);
    void exportFile();
    // The file in the program folder; empty when the screen has no row in the export files table.
    QString exportPath() const;
    GridModel* model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

    // For the screens that ask for a period before filling the grid: a command put before the
    // others, and a date field ("dd/mm/yyyy", ten characters) in a row above the grid; Enter in
    // a date field moves to the next one.
    QAction* addQueryCommand(const QString& objectName, const QString& caption, const QString& hint);
    QLineEdit* addDateField(const char* objectName, const QString& label, const QString& hint);

private:
    const ExportDefinition& def_;
    StatusHints* hints_;
    QWidget* dateRow_ = nullptr;
    QLineEdit* lastDate_ = nullptr;
    QPointer<QWidget> caller_;
    GridModel* model_;
    QTableView* grid_;
};

void runExportScreen(const ExportDefinition& definition, QWidget* caller = nullptr);
// A selection export: the grid shows `rows` (ten empty rows when there are none).
void runExportScreen(const ExportDefinition& definition, QList<QStringList> rows);

inline const QString kExportQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString kExportDone = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
inline const QString kExportFailed = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già aperto.");

}  // namespace cal
