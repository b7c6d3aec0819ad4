#pragma once
// The bank transfer registers: the issued and the received transfers, twin archive screens built
// from one description and a small table of what differs; their searches, not-executed lists,
// period exports and cards; the transfer menu and the movement summaries.
#include "transfers/TransferSettings.h"
#include "screens/ExportScreen.h"

#include <QDate>

class QLineEdit;

namespace cal {

struct ArchiveModule;

// The issued register with the transfer menu and the issued movement summary.
const ArchiveModule& issuedTransferModule();
// The received register with the movement summary menu and the received movement summary.
const ArchiveModule& receivedTransferModule();

// The export of a register: the transfers executed in a period, which may span several years.
class TransferExportScreen : public ExportScreen {
    Q_OBJECT
public:
    TransferExportScreen(const ExportDefinition& definition, const QString& avantiHint, QWidget* parent = nullptr);

    // ">>  Visualizza riepilogo": checks the two dates, then fills the grid with the period.
    void showPeriod();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* txtDataInizio_;
    QLineEdit* txtDataFine_;
};

}  // namespace cal
