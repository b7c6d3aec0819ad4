#pragma once
// The mail register: one file a year of the incoming, outgoing and internal mail, numbered by
// the register itself; its numbering screen and its period summary.
#include "screens/ArchiveScreen.h"
#include "screens/ExportScreen.h"

#include "mail/MailSettings.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace cal {

struct YearMenuTexts;

struct ArchiveModule;

// The register screen, its search and export.
const ArchiveModule& mailModule();

class TfrmProtocollo : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmProtocollo(QWidget* parent = nullptr);

    // "Nuovo": a cleared screen with the next number, keeping the office and the operator.
    void numberedNew();
    void openNumbering();
    void openSummary();

protected:
    void clearExtra() override;
    // Makes the number "Nuovo" proposed sure: if another copy of the program stored it since,
    // the registration takes the next free number and the user is told.
    bool prepareAppend(RecordFile& file, Record& record, QString& message) override;

private:
    QLabel* lblInizio_;
    QLabel* lblSolare_;
    QString proposed_;         // the number "Nuovo" put on the screen; empty when none
    qint64 countAtNew_ = -1;   // the registrations the year file held then
};

// The numbering settings: the first number and whether the year follows it.
class TfrmNumerazione : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNumerazione(QWidget* parent = nullptr);
    // The settings are read and written only for "protocollo".
    void setKeyword(const QString& keyword);
    void apply();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void normaliseStart();

    QLineEdit* txtInizio_;
    QCheckBox* chkTipo_;
    QPushButton* btnApplica_;
    QLabel* lblMemory_;
    std::optional<MailNumbering> asRead_;  // the settings as shown
};

// The year menu the launcher opens before this archive.
extern const YearMenuTexts kMailYearMenu;

}  // namespace cal
