#pragma once
// The date picker: a month calendar that writes the chosen day, as "dd/mm/yyyy", into the date
// field its caller keyword names, and closes. It stores nothing and reads no file.
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "screens/Catalog.h"

#include <optional>
#include <span>

class QCalendarWidget;
class QLabel;
class QLineEdit;

namespace cal {

// Every keyword with its target: the date rows of every archive definition, then the targets
// the archive modules name for their other screens.
std::span<const DateTarget> dateTargets();
// The keyword's target (compared exactly, case included); nullopt for any other keyword.
std::optional<DateTarget> dateTarget(const QString& keyword);

class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);

    // `lblMemory`: the caller keyword.
    void setKeyword(const QString& keyword);
    QString keyword() const;
    // The field the caller hands over for the date: written instead of the one the keyword names.
    void setTarget(QLineEdit* field) { target_ = field; }

    // "Importa": with a known keyword, writes the selected date into the field the caller handed
    // over, or else into the keyword's field of the open screen of that name, and closes; with any
    // other keyword nothing happens.
    void importDate();

private:
    QCalendarWidget* calAppuntamenti_;
    QLabel* lblMemory_;
    QPointer<QLineEdit> target_;
};

// The open screen's field a keyword names, found among the top-level windows; nullptr when the
// keyword is unknown or the screen or field does not exist.
QLineEdit* dateTargetField(const QString& keyword);

// Opens the picker modally for the field of `keyword`: `target` when the caller hands it over.
void openDatePicker(const QString& keyword, QLineEdit* target = nullptr);

}  // namespace cal
