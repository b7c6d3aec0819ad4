#pragma once
// The movement summaries: a query screen per transfer register (year, other party, reason,
// interval) and the result screen listing the transfers of the interval with the total of their
// amounts.
#include "screens/IntervalQuery.h"
#include "transfers/TransferSettings.h"

#include <QDate>

namespace cal {

// The query screen of one register.
class TfrmRiepBonifici : public SummaryQuery {
    Q_OBJECT
public:
    explicit TfrmRiepBonifici(TransferRegister reg, QWidget* parent = nullptr);
    TransferRegister transferRegister() const { return reg_; }

private:
    TransferRegister reg_;
};

class TfrmListaBonifici : public SummaryResult {
    Q_OBJECT
public:
    TfrmListaBonifici(TransferRegister reg, const QString& path, const QString& counterparty, const QString& reason,
                      QDate from, QDate to, QWidget* parent = nullptr);
};

}  // namespace cal
