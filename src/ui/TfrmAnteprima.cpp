#include "ui/TfrmAnteprima.h"

#include "report/ReportPainter.h"
#include "ui/Icons.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"
#include "ui/Windows.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QKeySequence>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace cal {

TfrmAnteprima::TfrmAnteprima(const Report& report, QWidget* parent)
    : QDialog(parent), report_(report), printer_(QPrinter::HighResolution) {
    if (!report_.isPrepared()) report_.prepare();
    setObjectName(QStringLiteral("TfrmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setModal(true);
    fitWindow(this, QSize(1000, 760));

    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(report_.orientation() == Report::Orientation::Landscape ? QPageLayout::Landscape
                                                                                         : QPageLayout::Portrait);
    printer_.setDocName(report_.title());

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("tlbAnteprima"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(kToolbarIconSize);
    preview_ = new QPrintPreviewWidget(&printer_, this);
    preview_->setObjectName(QStringLiteral("prvPagine"));
    preview_->setAccessibleName(QStringLiteral("Pagine in anteprima"));
    // The area that shows the pages and the pages inside it.
    if (auto* pages = preview_->findChild<QAbstractScrollArea*>()) {
        pages->setAccessibleName(QStringLiteral("Area delle pagine"));
        pages->viewport()->setAccessibleName(QStringLiteral("Pagine"));
    }
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &TfrmAnteprima::paintPages);

    // Toolbar buttons take no Tab stop: each command has its shortcut, shown in its tool tip.
    auto addCommand = [this](const char* name, const char* picture, const QString& text, const QKeySequence& key) {
        QAction* action = toolBar_->addAction(programIcon(picture), text);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(text);
        action->setStatusTip(text);
        if (QWidget* button = toolBar_->widgetForAction(action)) {
            button->setObjectName(QLatin1String(name));
            button->setAccessibleName(text);
        }
        setCommandShortcut(action, key);
        return action;
    };
    QAction* stampa = addCommand("actStampa", "document-print", QStringLiteral("Stampa"), QKeySequence(Qt::CTRL | Qt::Key_P));
    toolBar_->addSeparator();
    QAction* zoomIn = addCommand("actZoomAvanti", "zoom-in", QStringLiteral("Zoom avanti"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QAction* zoomOut = addCommand("actZoomIndietro", "zoom-out", QStringLiteral("Zoom indietro"), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction* fit = addCommand("actAdatta", "zoom-fit-page", QStringLiteral("Adatta alla pagina"), QKeySequence(Qt::CTRL | Qt::Key_0));
    QAction* fullScreen = addCommand("actSchermoIntero", "view-fullscreen", QStringLiteral("Schermo intero"), QKeySequence(Qt::Key_F11));
    fullScreen->setCheckable(true);
    toolBar_->addSeparator();
    QAction* chiudi = addCommand("actChiudi", "window-close", QStringLiteral("Chiudi"), QKeySequence(Qt::Key_Escape));

    connect(stampa, &QAction::triggered, this, &TfrmAnteprima::print);
    connect(zoomIn, &QAction::triggered, preview_, [this] { preview_->zoomIn(); });
    connect(zoomOut, &QAction::triggered, preview_, [this] { preview_->zoomOut(); });
    connect(fit, &QAction::triggered, preview_, &QPrintPreviewWidget::fitInView);
    connect(fullScreen, &QAction::toggled, this, &TfrmAnteprima::toggleFullScreen);
    connect(chiudi, &QAction::triggered, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(preview_, 1);
    preview_->fitInView();
}

void TfrmAnteprima::paintPages(QPrinter* printer) {
    QPainter painter(printer);
    paintReport(report_, painter, *printer);
}

void TfrmAnteprima::print() { printing().print(report_); }

void TfrmAnteprima::toggleFullScreen(bool on) {
    if (on)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState(windowState() & ~Qt::WindowFullScreen);
}

}  // namespace cal
