#pragma once
// The fee summary: the query screen reached from the service year menu, and the result screen
// listing the services of an interval with the total of their rates.
#include "screens/IntervalQuery.h"

#include <QDate>

namespace cal {

// The query screen, reached from the service year menu.
class TfrmMenuRiepCosti : public SummaryQuery {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);
};

class TfrmRiepCosti : public SummaryResult {
    Q_OBJECT
public:
    TfrmRiepCosti(const QString& path, const QString& fiscalCode, const QString& type, QDate from, QDate to,
                  QWidget* parent = nullptr);

private:
    ListFinder finder_;
};

}  // namespace cal
