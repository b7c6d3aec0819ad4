// End to end: the client card printed through the system's default print queue. Runs where a
// queue writing to a file is set up (CI does it with scripts/setup-test-printer.sh and names the
// file in CALVETRA_PRINT_OUTPUT); skipped elsewhere.
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "report/Report.h"
#include "testlib/CalWidgetTest.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>

using namespace cal;

class TestPrintQueue : public QObject {
    Q_OBJECT
private slots:
    void clientCardReachesThePrinter() {
        const QString output = qEnvironmentVariable("CALVETRA_PRINT_OUTPUT");
        if (output.isEmpty() || QPrinterInfo::defaultPrinterName().isEmpty())
            QSKIP("no print queue writing to a file is set up");
        QFile::remove(output);

        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        TfrmClienti screen;
        screen.show();
        screen.findChild<QLineEdit*>("txtCliente")->setText("Rossi Mario");
        screen.findChild<QLineEdit*>("txtComuneRes")->setText(QString::fromUtf8("Forlì"));
        QPrinter printer(QPrinter::HighResolution);  // the default printer, natively
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        QVERIFY(printReport(screen.card(CardUse::Print), printer));

        // The queue converts and writes the job in the background.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(output).size() > 0, 60000);
        qint64 size = -1;
        QTRY_VERIFY_WITH_TIMEOUT([&] {
            const qint64 now = QFileInfo(output).size();
            const bool stable = now == size;
            size = now;
            return stable;
        }(), 20000);
        QProcess text;
        text.start("pdftotext", {"-layout", output, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains("SCHEDA ANAGRAFICA"), qPrintable(printed));
        QVERIFY(printed.contains("Cognome e nome:"));
        QVERIFY(printed.contains("Rossi Mario"));
        QVERIFY(printed.contains(QString::fromUtf8("Forlì")));
        QVERIFY(printed.contains("Stampa eseguita in data"));
    }
};

CAL_WIDGET_TEST_MAIN(TestPrintQueue)
#include "tst_printqueue.moc"
