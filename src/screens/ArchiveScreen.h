#pragma once
// The archive screen: one record at a time, with New, Save, Duplicate and the four moves.
// An archive builds its widgets, binds each to its record field and lists its required
// fields; everything else here is the same for every archive.
#include "core/Record.h"
#include "core/RecordLayout.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>

class QLabel;
class QToolBar;
class QAction;
class QWidget;

namespace cal {

class StatusHints;

class ArchiveScreen : public QMainWindow {
    Q_OBJECT
public:
    struct Required {
        int field;
        QString message;  // shown as a warning when the field is empty
    };

    ArchiveScreen(const RecordLayout& layout, const QString& caption, QWidget* parent = nullptr);

    const RecordLayout& layout() const { return *layout_; }

    // The record file: program folder + the layout's file name, or the path a year menu set.
    QString filePath() const;
    void setFilePath(const QString& path);

    // "" while a new record is prepared, else the 1-based position.
    QString position() const;
    void setPosition(qint64 position);  // 0 empties it

    // The record as the screen holds it (trimmed texts, check boxes as "Sì"/"No").
    Record recordFromScreen() const;
    // Puts a record on the screen by the showing rules and sets the position.
    void showRecord(const Record& record, qint64 position);
    // The widget bound to a field (nullptr when none).
    QWidget* fieldWidget(int field) const;
    // The value of a field as the screen holds it, trimmed.
    QString fieldText(int field) const;

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

signals:
    void closed();

protected:
    // Binds a record field to its widget: a QLineEdit, QComboBox, QCheckBox, QPlainTextEdit or a
    // hidden QLabel (attachments). The widget's maximum length is set to the capacity.
    void bind(int field, QWidget* widget);
    void setRequired(QList<Required> required) { required_ = std::move(required); }
    // The field that takes the focus when the screen is cleared.
    void setFirstField(QWidget* widget) { firstField_ = widget; }
    // Adds a toolbar command with its icon, caption and hint.
    QAction* addCommand(const QString& objectName, const QIcon& icon, const QString& caption, const QString& hint,
                        std::function<void()> action);
    // Starts a second row of commands.
    void addCommandRow();
    // Adds the four moves and the position label between them.
    void addNavigation(const QString& firstHint, const QString& previousHint, const QString& nextHint,
                       const QString& lastHint);
    void addHint(QWidget* element, const QString& hint);
    // Lays out the record area (the widgets already bound) under the toolbar.
    void setRecordArea(QWidget* area);
    // Extra clearing for archives with more state; called by clearScreen.
    virtual void clearExtra() {}
    // Warns with `message` and returns false while no record is saved.
    bool requireSavedRecord(const QString& message);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Binding {
        int field;
        QWidget* widget;
    };
    // Opens the file, runs `work`, closes; shows the access failure and returns false on error.
    bool withFile(const std::function<bool(class RecordFile&)>& work);
    bool readAt(RecordFile& file, qint64 index);

    const RecordLayout* layout_;
    QString filePath_;
    QList<Binding> bindings_;
    QList<Required> required_;
    QWidget* firstField_ = nullptr;
    QLabel* lblPosizione_;
    QLabel* lblFile_;
    QLabel* panInfo_;
    QToolBar* toolbar_;
    QToolBar* newToolbar();
    StatusHints* hints_;
};

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
}  // namespace ArchiveText

}  // namespace cal
