#pragma once
// The deadlines and appointments: one file a year. The screen opens on a panel with the year,
// the calendar and the reminder of the imminent deadlines (a banner, a sound, the list), and
// shows the records of the chosen year after "Apri".
#include "screens/ArchiveScreen.h"

#include <QDate>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cal {

struct ArchiveModule;
struct DeadlineList;
struct ExportDefinition;

const ArchiveModule& deadlineModule();

class TfrmScadenzario : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmScadenzario(QWidget* parent = nullptr);

    // The day the reminder check and the imminent list take as today: the system's date unless
    // set. Setting it also selects it on the calendar, as creation does with the system's date.
    QDate today() const { return today_.isValid() ? today_ : QDate::currentDate(); }
    void setToday(QDate day);
    // The year of the open archive ("2024").
    QString year() const { return year_; }

    // "Apri": the archive of the year typed in txtAnno.
    void openYear();
    // Looks through today's deadlines and sets the banners, btnOK and the alarm.
    void checkReminders();
    void openImminent();
    void openDay();
    void openMonth();
    void importService();
    // Puts the opening panel back, as when the screen is first shown.
    void showOpeningPanel();

protected:
    void clearExtra() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openList(const ExportDefinition& definition, const DeadlineList& list);
    void setRecordPanelVisible(bool visible);

    QDate today_;
    QString year_;
    QWidget* panAvvio_;
    QWidget* panContainer_;
    QLineEdit* txtAnno_;
    QPushButton* btnApri_;
    QCalendarWidget* calAppuntamenti_;
    QLabel* imgAssenti_;
    QLabel* imgPresenti_;
    QPushButton* btnOK_;
};

}  // namespace cal
