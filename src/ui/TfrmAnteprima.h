#pragma once
// The modal print preview: the prepared pages of a report with the commands to print, zoom,
// fit the page, switch to full screen and close.
#include "report/Report.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QPrintPreviewWidget;
class QToolBar;

namespace cal {

class TfrmAnteprima : public QDialog {
    Q_OBJECT
public:
    // Shows a copy of the report, prepared now if it was not prepared already.
    TfrmAnteprima(const Report& report, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return preview_; }
    const Report& report() const { return report_; }

private:
    void paintPages(QPrinter* printer);
    void print();
    void toggleFullScreen(bool on);

    Report report_;
    QPrinter printer_;
    QToolBar* toolBar_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
};

}  // namespace cal
