#pragma once
// The movement summaries: a query screen per transfer register (year, other party, reason,
// interval) and the result screen listing the transfers of the interval with the total of their
// amounts.
#include "core/Search.h"
#include "transfers/TransferSettings.h"
#include "screens/IntervalQuery.h"
#include "screens/SearchScreen.h"

#include <QDate>
#include <QDialog>
#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;

namespace cal {

class TfrmRiepBonifici : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmRiepBonifici(TransferRegister reg, QWidget* parent = nullptr);

    // "Visualizza riepilogo": checks the year and the interval, then opens the result screen.
    void showSummary();
    TransferRegister transferRegister() const { return reg_; }

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TransferRegister reg_;
    QLineEdit* txtAnno_;
    QLineEdit* txtCliente_;
    QLineEdit* txtCausale_;
    DateBox start_;
    DateBox end_;
    QLabel* lblAttendere_;
    QLabel* lblFile_;
};

class TfrmListaBonifici : public SummaryResult {
    Q_OBJECT
public:
    TfrmListaBonifici(TransferRegister reg, const QString& path, const QString& counterparty, const QString& reason,
                      QDate from, QDate to, QWidget* parent = nullptr);
};

}  // namespace cal
