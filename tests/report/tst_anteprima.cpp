// The print preview window: its commands, the pages it shows, and how the program opens it.
#include "report/Printouts.h"
#include "report/Report.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Accessibility.h"
#include "ui/Services.h"
#include "ui/TfrmAnteprima.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QToolButton>

using namespace cal;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(9, 7, 3));

QStringList lines(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i) out << QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0'));
    return out;
}

QAction* command(const QWidget& screen, const char* name) { return screen.findChild<QAction*>(QLatin1String(name)); }

Report card() {
    Report report = Report::captionValueCard();
    report.setText("txtTitolo", "SCHEDA ANAGRAFICA");
    report.setText("titCampo01", "Cognome e nome:");
    report.setText("txtCampo01", "Rossi Mario");
    report.setText("txtCalce", cardFooter(kNow));
    report.setDocumentInfo("Scheda informativa", "Scheda informativa");
    return report;
}

}  // namespace

class TestAnteprima : public QObject {
    Q_OBJECT
private slots:
    // Every command has a shortcut, shown in its tool tip and read by assistive technology.
    void commands_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("print") << "actStampa" << "Stampa" << QKeySequence("Ctrl+P");
        QTest::newRow("zoom in") << "actZoomAvanti" << "Zoom avanti" << QKeySequence("Ctrl++");
        QTest::newRow("zoom out") << "actZoomIndietro" << "Zoom indietro" << QKeySequence("Ctrl+-");
        QTest::newRow("fit") << "actAdatta" << "Adatta alla pagina" << QKeySequence("Ctrl+0");
        QTest::newRow("full screen") << "actSchermoIntero" << "Schermo intero" << QKeySequence("F11");
        QTest::newRow("close") << "actChiudi" << "Chiudi" << QKeySequence("Esc");
    }
    void commands() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, keys);
        TfrmAnteprima screen(card(), nullptr);
        QCOMPARE(screen.windowTitle(), QString(" Anteprima di stampa"));
        QAction* action = command(screen, qPrintable(name));
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QVERIFY(action->isEnabled());
        QCOMPARE(action->shortcut(), keys);
        auto* button = screen.findChild<QToolButton*>(name);
        QVERIFY(button);
        QVERIFY2(button->toolTip().contains(keys.toString(QKeySequence::NativeText)), qPrintable(button->toolTip()));
        screen.show();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        const QStringList faults = accessibilityFaults(&screen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        if (name == "actStampa") return;  // would ask for a printer
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(&screen, keys);
        QCOMPARE(triggered.count(), 1);
    }

    void showsEveryPreparedPage_data() {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("card") << -1 << false;
        QTest::newRow("long listing") << 200 << true;
        QTest::newRow("empty listing") << 0 << true;
    }
    void showsEveryPreparedPage() {
        QFETCH(int, lineCount);
        QFETCH(bool, landscape);
        Report report = lineCount < 0 ? card() : listingReport("Riepilogo clienti", lines(lineCount));
        report.prepare(kNow);
        TfrmAnteprima screen(report, nullptr);
        screen.show();
        screen.previewWidget()->updatePreview();
        QCOMPARE(screen.previewWidget()->pageCount(), int(report.pages().size()));
        QCOMPARE(screen.previewWidget()->orientation() == QPageLayout::Landscape, landscape);
        if (lineCount == 200) QVERIFY(screen.previewWidget()->pageCount() > 1);
    }

    void unpreparedReportIsPreparedOnce() {
        const Report report = listingReport("Riepilogo clienti", lines(200));
        TfrmAnteprima screen(report, nullptr);
        QVERIFY(screen.report().isPrepared());
        QVERIFY(screen.report().pages().size() > 1);
        screen.show();
        screen.previewWidget()->updatePreview();
        QCOMPARE(screen.previewWidget()->pageCount(), int(screen.report().pages().size()));
    }

    void zoomCommands() {
        TfrmAnteprima screen(card(), nullptr);
        screen.show();
        QPrintPreviewWidget* preview = screen.previewWidget();
        preview->setZoomFactor(1.0);
        command(screen, "actZoomAvanti")->trigger();
        QVERIFY(preview->zoomFactor() > 1.0);
        preview->setZoomFactor(1.0);
        command(screen, "actZoomIndietro")->trigger();
        QVERIFY(preview->zoomFactor() < 1.0);
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
        command(screen, "actAdatta")->trigger();
        QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::FitInView);
    }

    void fullScreenToggles() {
        TfrmAnteprima screen(card(), nullptr);
        screen.show();
        QAction* full = command(screen, "actSchermoIntero");
        QVERIFY(full->isCheckable());
        full->trigger();
        QTRY_VERIFY(screen.windowState() & Qt::WindowFullScreen);
        full->trigger();
        QTRY_VERIFY(!(screen.windowState() & Qt::WindowFullScreen));
        QVERIFY(screen.isVisible());
    }

    void printGoesToThePrinter() {
        caltest::FakeServices fakes;
        TfrmAnteprima screen(card(), nullptr);
        screen.show();
        command(screen, "actStampa")->trigger();
        QCOMPARE(fakes.printing.printed.size(), 1);
        const Report& printed = fakes.printing.printed.first();
        QCOMPARE(printed.title(), QString("Scheda informativa"));
        QCOMPARE(printed.text("txtCampo01"), QString("Rossi Mario"));
        QVERIFY(screen.isVisible());  // printing leaves the preview open
    }

    void closeCommand() {
        TfrmAnteprima screen(card(), nullptr);
        screen.show();
        command(screen, "actChiudi")->trigger();
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Rejected));
    }

    void previewServiceShowsThisScreenModally() {
        caltest::FakeServices fakes;
        Printing* real = fakes.saved.printing;  // the program's own preview, through the fake screens
        QString caption;
        int pages = 0;
        fakes.screens.handlers << [&](QDialog* dialog) {
            caption = dialog->windowTitle();
            QVERIFY(dialog->isModal());
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            QVERIFY(preview);
            preview->updatePreview();
            pages = preview->pageCount();
            command(*dialog, "actChiudi")->trigger();
        };
        Report report = listingReport("Riepilogo clienti", lines(200));
        report.prepare(kNow);
        real->preview(report);
        QCOMPARE(fakes.screens.shown, QStringList{"TfrmAnteprima"});
        QCOMPARE(caption, QString(" Anteprima di stampa"));
        QCOMPARE(pages, int(report.pages().size()));
    }
};

CAL_WIDGET_TEST_MAIN(TestAnteprima)
#include "tst_anteprima.moc"
