// The exports opened by a real spreadsheet program: LibreOffice Calc, headless, converts
// "Clienti.xls" and "Tariffario.xls" to CSV (and the first to a flat spreadsheet), and every value
// must be in its cell with its accents. Skipped where soffice is not installed.
#include "clients/ClientLayout.h"
#include "clients/TfrmClienti.h"
#include "screens/Catalog.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "pricelist/PriceListLayout.h"
#include "services/ServiceLayout.h"
#include "services/TfrmServizi.h"
#include "services/ServiceLayout.h"
#include "services/TfrmServizi.h"
#include "testlib/CalWidgetTest.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

using namespace cal;

class TestExportCalc : public QObject {
    Q_OBJECT

    static bool convert(const QString& file, const QString& filter, const QString& outDir) {
        QProcess soffice;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", outDir);  // a profile of its own
        soffice.setProcessEnvironment(env);
        soffice.start("soffice", {"--headless", "--convert-to", filter, "--outdir", outDir, file});
        return soffice.waitForFinished(180000) && soffice.exitCode() == 0;
    }

private slots:
    void calcReadsEveryCell() {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) QSKIP("LibreOffice is not installed");
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        caltest::FakeServices fakes;
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
            const QStringList names{"Rossi & Figli <srl>", QString::fromUtf8("Niccolò Citterà")};
            for (int i = 0; i < 2; ++i) {
                Record r(kClientLayout);
                for (int field = 0; field < ClientField::Ricontatta; ++field)
                    r.setText(field, QString::fromUtf8("v%1 è €").arg(field));
                r.setText(ClientField::Cliente, names[i]);
                r.setText(ClientField::ComuneNasc, QString::fromUtf8("Forlì"));
                r.setText(ClientField::ProvNasc, "FC");
                QVERIFY(f.write(r));
            }
        }
        fakes.dialogs.answers = {true, false};
        fakes.screens.handlers << [](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        openExport("TfrmExpClienti");
        const QString xls = programFile("Clienti.xls");
        QVERIFY(QFile::exists(xls));

        QVERIFY(convert(xls, "csv:Text - txt - csv (StarCalc):44,34,76", folder.path()));
        QFile csv(programFile("Clienti.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].startsWith("Cliente,Data di nascita,Comune di nascita,Tel. preferenziale"));
        QCOMPARE(rows[0].split(',').size(), 25);
        QVERIFY(rows[1].startsWith(QString::fromUtf8("Rossi & Figli <srl>,v1 è €,Forlì FC,v5 è €,")));
        QVERIFY(rows[2].startsWith(QString::fromUtf8("Niccolò Citterà,v1 è €,Forlì FC,")));
        QVERIFY(rows[2].endsWith(QString::fromUtf8(",v27 è €,v28 è €")));
        QCOMPARE(rows[2].split(',').size(), 25);

        // One sheet only.
        QVERIFY(convert(xls, "fods", folder.path()));
        QFile fods(programFile("Clienti.fods"));
        QVERIFY(fods.open(QIODevice::ReadOnly));
        QCOMPARE(fods.readAll().count("<table:table "), 1);
    }

    // Digit strings reach the spreadsheet as text cells holding every digit: a VAT number
    // keeps its leading zeros, card numbers keep all their digits, a phone number its zero;
    // an amount and a date stay as they were.
    void calcKeepsDigitStringsAsText() {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) QSKIP("LibreOffice is not installed");
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        caltest::FakeServices fakes;
        const QStringList cards{"4539578763621486", "6011000990139424123"};
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
            for (int i = 0; i < 2; ++i) {
                Record r(kClientLayout);
                r.setText(ClientField::Cliente, QString("Cliente %1").arg(i + 1));
                r.setText(ClientField::DataNasc, "05/03/1970");
                r.setText(ClientField::TelCasa, "0212345678");
                r.setText(ClientField::PartitaIva, i == 0 ? "00743110157" : "01234567890");
                r.setText(ClientField::Carta, cards[i]);
                r.setText(ClientField::Tariffa, "1250,50");
                QVERIFY(f.write(r));
            }
        }
        fakes.dialogs.answers = {true, false};
        fakes.screens.handlers << [](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        openExport("TfrmExpClienti");
        const QString xls = programFile("Clienti.xls");
        QVERIFY(convert(xls, "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,false,false", folder.path()));
        QFile csv(programFile("Clienti.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        const QStringList header = rows[0].split(';');
        const int piva = int(header.indexOf("Partita IVA"));
        QVERIFY(piva > 0);
        const QStringList first = rows[1].split(';');
        const QStringList second = rows[2].split(';');
        QCOMPARE(first.size(), 25);
        QCOMPARE(first[piva], QString("00743110157"));
        QCOMPARE(second[piva], QString("01234567890"));
        QCOMPARE(first[piva + 1], cards[0]);
        QCOMPARE(second[piva + 1], cards[1]);
        QCOMPARE(first[7], QString("0212345678"));
        QCOMPARE(first[1], QString("05/03/1970"));
        QCOMPARE(first[21], QString("1250,50"));

        // Held as text cells, not as numbers shown with a format.
        QVERIFY(convert(xls, "fods", folder.path()));
        QFile fods(programFile("Clienti.fods"));
        QVERIFY(fods.open(QIODevice::ReadOnly));
        const QString content = QString::fromUtf8(fods.readAll());
        for (const QString& digits : {QString("00743110157"), QString("01234567890"), cards[0], cards[1]}) {
            const QRegularExpression textCell("office:value-type=\"string\"[^>]*>\\s*<text:p>" + digits + "</text:p>");
            QVERIFY2(content.contains(textCell), qPrintable(digits));
        }
        QVERIFY(!content.contains("office:value=\"743110157\""));
    }

    void calcReadsThePriceList() {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) QSKIP("LibreOffice is not installed");
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        caltest::FakeServices fakes;
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Tariffario.pro"), kPriceListLayout.size()));
            for (int i = 0; i < 2; ++i) {
                Record r(kPriceListLayout);
                for (int field = 0; field < PriceListField::TarScontata; ++field)
                    r.setText(field, QString::fromUtf8("p%1 à €").arg(field));
                r.setText(PriceListField::Ordinaria, "1250,50");
                r.setText(PriceListField::Scontata, "0,0001");
                r.setText(PriceListField::TarScontata, checkText(i == 0));
                QVERIFY(f.write(r));
            }
        }
        fakes.dialogs.answers = {true, false};
        fakes.screens.handlers << [](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        openExport("TfrmExpTariffario");
        const QString xls = programFile("Tariffario.xls");
        // Semicolon-separated, every cell as text, so the amounts stay as written.
        QVERIFY(convert(xls, "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,false,false", folder.path()));
        QFile csv(programFile("Tariffario.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        const QStringList header = rows[0].split(';');
        QCOMPARE(header.size(), 17);
        QCOMPARE(header.first(), QString("Codice ID servizio"));
        QCOMPARE(header[13], QString::fromUtf8("Modalità pagamento"));
        QCOMPARE(header.last(), QString("Sconto"));
        for (int i = 1; i <= 2; ++i) {
            const QStringList cells = rows[i].split(';');
            QCOMPARE(cells.size(), 17);
            QCOMPARE(cells[0], QString::fromUtf8("p0 à €"));
            QCOMPARE(cells[5], QString::fromUtf8("p5 à €"));
            QCOMPARE(cells[15], QString::fromUtf8("p15 à €"));
            QCOMPARE(cells[3], QString("1250,50"));
            QCOMPARE(cells[4], QString("0,0001"));
            QCOMPARE(cells.last(), i == 1 ? QString::fromUtf8("Sì") : QString("No"));
        }
    }

    void calcReadsTheServiceRegister() {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) QSKIP("LibreOffice is not installed");
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        caltest::FakeServices fakes;
        {
            RecordFile f;
            QVERIFY(f.open(programFile("2024.ser"), kServiceLayout.size()));
            for (int i = 0; i < 2; ++i) {
                Record r(kServiceLayout);
                for (int field = 0; field < ServiceField::Pagato; ++field)
                    r.setText(field, QString::fromUtf8("s%1 ù €").arg(field));
                r.setText(ServiceField::Tariffa, "30,75");
                r.setText(ServiceField::DataRic, "05/03/2024");
                r.setText(ServiceField::Pagato, checkText(i == 1));
                QVERIFY(f.write(r));
            }
        }
        TfrmServizi serviceRegister;
        serviceRegister.setFilePath(programFile("2024.ser"));
        fakes.dialogs.answers = {true, false};
        fakes.screens.handlers << [](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        openExport("TfrmExpServizi", &serviceRegister);
        QVERIFY(convert(programFile("Servizi.xls"), "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,false,false",
                        folder.path()));
        QFile csv(programFile("Servizi.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        const QStringList header = rows[0].split(';');
        QCOMPARE(header.size(), 17);
        QCOMPARE(header[6], QString::fromUtf8("Modalità di pagamento"));
        QCOMPARE(header.last(), QString("Pagato"));
        for (int i = 1; i <= 2; ++i) {
            const QStringList cells = rows[i].split(';');
            QCOMPARE(cells.size(), 17);
            QCOMPARE(cells[0], QString::fromUtf8("s0 ù €"));
            QCOMPARE(cells[3], QString("30,75"));
            QCOMPARE(cells[4], QString("05/03/2024"));
            QCOMPARE(cells[15], QString::fromUtf8("s15 ù €"));
            QCOMPARE(cells.last(), i == 2 ? QString::fromUtf8("Sì") : QString("No"));
        }
    }
};

CAL_WIDGET_TEST_MAIN(TestExportCalc)
#include "tst_exportcalc.moc"
