#pragma once
// The archive screen: one record at a time, with New, Save, Duplicate and the four moves. It
// builds itself from the archive's definition (fields, side buttons, commands, checks, card);
// everything here is the same for every archive.
#include "core/Record.h"
#include "core/RecordLayout.h"
#include "screens/ArchiveDefinition.h"
#include "screens/FieldEditor.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QLayout;
class QToolBar;
class QAction;
class QWidget;
class QKeySequence;

namespace cal {

class Report;
class RecordFile;
class StatusHints;

class ArchiveScreen : public QMainWindow {
    Q_OBJECT
public:
    explicit ArchiveScreen(const ArchiveDefinition& definition, QWidget* parent = nullptr);

    const ArchiveDefinition& definition() const { return *def_; }
    const RecordLayout& layout() const { return *def_->layout; }

    // The record file: program folder + the layout's file name, or the path a year menu set.
    QString filePath() const;
    void setFilePath(const QString& path);

    // "" while a new record is prepared, else the 1-based position.
    QString position() const;
    void setPosition(qint64 position);  // 0 empties it

    // The record as the screen holds it (trimmed texts, check boxes as "Sì"/"No").
    Record recordFromScreen() const;
    // Puts a record read from the file on the screen by the showing rules and sets the position.
    // The record is kept as read: Save compares it with what the file holds then, so that a
    // change another copy of the program made meanwhile is not overwritten unasked.
    void showRecord(const Record& record, qint64 position);
    // The widget bound to a field (nullptr when none).
    QWidget* fieldWidget(int field) const;
    // The value of a field as the screen holds it, trimmed.
    QString fieldText(int field) const;
    // The same by the field's name (txtCliente).
    QString fieldText(std::string_view name) const;

    // The card of the values now on the screen.
    Report card(CardUse use = CardUse::Print) const;

    QLabel* statusLine() const { return panInfo_; }

public slots:
    void newRecord();
    void save();
    void duplicate();
    void first();
    void previous();
    void next();
    void last();
    void clearScreen();
    void printCard();
    void previewCard();
    void writePdf();

    // Warns with `message` and returns false while no record is saved.
    bool requireSavedRecord(const QString& message);

signals:
    void closed();

protected:
    // Extra clearing for archives with more state; called by clearScreen.
    virtual void clearExtra() {}
    // Run by Save under the file's lock just before a new record is appended, with the file open:
    // may change the record and the information shown once it is stored (`message`, given the
    // archive's inserted message). False when the file cannot be read.
    virtual bool prepareAppend(RecordFile& file, Record& record, QString& message);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Binding {
        int field;
        FieldEditor editor;
    };
    void buildRecordArea();
    QLayout* buildField(const FieldRow& row, QWidget* parent, QList<QWidget*>& enterOrder);
    QWidget* buildSideButton(const SideButton& button, int field, QWidget* parent);
    void buildCommands();
    void addCommand(const Command& command);
    void addNavigation();
    void applyPresets(const std::vector<FieldPreset>& presets);
    void bind(int field, QWidget* widget);
    QToolBar* newToolbar();
    void addHint(QWidget* element, const QString& hint);
    QAction* addAction(const QString& objectName, const QIcon& icon, const QString& caption, const QString& hint,
                       std::function<void()> action);
    // Opens the file, runs `work`, closes; shows the access failure (of `kind`) and returns false on error.
    bool withFile(const std::function<bool(RecordFile&)>& work, FailureKind kind = FailureKind::Error);
    bool readAt(RecordFile& file, qint64 index);
    void append(Record record);
    void overwrite(qint64 position, const Record& record);

    const ArchiveDefinition* def_;
    QString filePath_;
    // The record at the position as it was read or last saved; none while a new record is prepared.
    std::optional<Record> asRead_;
    // The kept fields as they were read from the settings when the screen was shown.
    std::optional<QStringList> keptAsRead_;
    QList<Binding> bindings_;
    QWidget* firstField_ = nullptr;
    QList<QWidget*> pickedDates_;
    QWidget* positionBox_ = nullptr;
    QLabel* lblPosizione_;
    QLabel* lblFile_;
    QLabel* panInfo_;
    QToolBar* toolbar_;
    StatusHints* hints_;
};

// The record file a search, list or export screen reads: the calling archive screen's when it
// shows that layout (per-year archives), else the layout's file in the program folder.
QString recordFileFor(const RecordLayout& layout, QWidget* caller);

// The column each group of an archive screen stands in: the groups in their order, cut into at
// most `columns` runs of about the same height (down the first column, then the next).
std::vector<int> groupColumns(const std::vector<FieldGroup>& groups, int columns);

// The messages every archive screen shares.
namespace ArchiveText {
inline const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
inline const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString kDuplicateNeedsSave = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
inline const QString kDuplicated = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.");
inline const QString kNotWebAddress = QStringLiteral(
    "Attenzione: l'indirizzo indicato non è un indirizzo Internet.\n\r\n\r"
    "Per collegarsi al sito è necessario indicare un indirizzo che inizi con http:// o https://.");
inline const QString kPdfFailed = QStringLiteral(
    "Attenzione: il sistema non permette di scrivere il file PDF.\n\r\n\r"
    "Accertarsi che il file non sia già aperto e di possedere i privilegi di scrittura nella cartella di "
    "installazione del programma.");
// Save found the record changed in the file since it was shown.
inline const QString kChangedMeanwhile = QStringLiteral(
    "Attenzione: dopo essere stata visualizzata, la scheda corrente è stata modificata in archivio da "
    "un'altra postazione.\n\r\n\r"
    "Premere Sovrascrivi per salvare comunque le proprie modifiche al posto di quelle dell'altra postazione, "
    "Mostra scheda in archivio per visualizzare la scheda come è ora in archivio (le proprie modifiche non "
    "salvate andranno perse) oppure Annulla per tornare alla scheda senza salvare.");
inline const QString kOverwrite = QStringLiteral("Sovrascrivi");
inline const QString kShowStored = QStringLiteral("Mostra scheda in archivio");
inline const QString kCancel = QStringLiteral("Annulla");
inline const QString kPdfDone = QStringLiteral(
    "L'esportazione della scheda in PDF è terminata con successo.\r\n\r\nSi vuole aprire il file?");
}  // namespace ArchiveText

}  // namespace cal
