#pragma once
// The date picker: a month calendar that writes the chosen day, as "dd/mm/yyyy", into the date
// field its caller keyword names, and closes. It stores nothing and reads no file.
#include <QDialog>
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

    // "Importa": with a keyword of the table, writes the selected date into the target field of
    // the open screen of that name and closes; with any other keyword nothing happens.
    void importDate();

private:
    QCalendarWidget* calAppuntamenti_;
    QLabel* lblMemory_;
};

// The open screen's field a keyword names, found among the top-level windows; nullptr when the
// keyword is unknown or the screen or field does not exist.
QLineEdit* dateTargetField(const QString& keyword);

// Opens the picker modally for the field of `keyword`.
void openDatePicker(const QString& keyword);

}  // namespace cal
