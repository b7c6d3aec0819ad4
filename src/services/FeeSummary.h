#pragma once
// The fee summary: the query screen reached from the service year menu, and the result screen
// listing the services of an interval with the total of their rates.
#include "core/Search.h"
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

class TfrmMenuRiepCosti : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);

    // "Visualizza riepilogo": checks the year and the interval, then opens the result screen.
    void showSummary();

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* txtAnno_;
    QLineEdit* txtCliente_;
    QLineEdit* txtTarga_;
    DateBox start_;
    DateBox end_;
    QLabel* lblAttendere_;
    QLabel* lblFile_;
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
