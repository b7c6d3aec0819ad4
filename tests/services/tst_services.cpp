// The service register (what is particular to it: today's request date, the imports of a service
// and of a client, the unpaid list) and the fee summary (its checks, its exact total, the records
// it cannot read). The shared protocol is tested over every archive.
#include "clients/ClientLayout.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "pricelist/PriceListLayout.h"
#include "report/Report.h"
#include "services/FeeSummary.h"
#include "services/ServiceTables.h"
#include "services/TfrmServizi.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

struct Service {
    const char* id;
    const char* type;
    const char* date;
    const char* rate;
    const char* fiscalCode;
    const char* paid = "No";
};

void writeServices(const QString& path, std::initializer_list<Service> services) {
    RecordFile f;
    QVERIFY(f.open(path, kServiceLayout.size()));
    QVERIFY(f.seek(f.count()));
    for (const Service& s : services) {
        Record r(kServiceLayout);
        r.setText(ServiceField::ID, s.id);
        r.setText(ServiceField::Tipologia, QString::fromUtf8(s.type));
        r.setText(ServiceField::Descrizione, QStringLiteral("Servizio ") + s.id);
        r.setText(ServiceField::DataRic, s.date);
        r.setText(ServiceField::Tariffa, s.rate);
        r.setText(ServiceField::Cliente, "Rossi Mario");
        r.setText(ServiceField::CodFisc, s.fiscalCode);
        r.setText(ServiceField::Pagato, QString::fromUtf8(s.paid));
        QVERIFY(f.write(r));
    }
}

}  // namespace

class TestServices : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmServizi> screen;
    std::unique_ptr<TfrmMenuRiepCosti> fees;

    QLineEdit* edit(const char* name) { return screen->findChild<QLineEdit*>(name); }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    QString yearFile() { return programFile("2024.ser"); }

    // The fee summary query: the year, the filters and the interval's drop-downs.
    QStringList summaryLines;
    QString summaryTotal;
    void askSummary(const QString& year, const QString& from, const QString& to, const QString& fiscalCode = {},
                    const QString& type = {}) {
        fees->findChild<QLineEdit*>("txtAnno")->setText(year);
        fees->findChild<QLineEdit*>("txtCliente")->setText(fiscalCode);
        fees->findChild<QLineEdit*>("txtTarga")->setText(type);
        const QStringList a = from.split(' '), b = to.split(' ');
        auto pick = [&](const char* name, const QString& text) {
            auto* c = fees->findChild<QComboBox*>(name);
            c->setCurrentIndex(c->findText(text));
        };
        pick("txtGiornoInizio", a.value(0));
        pick("txtMeseInizio", a.value(1));
        pick("txtGiornoFine", b.value(0));
        pick("txtMeseFine", b.value(1));
        summaryLines.clear();
        summaryTotal.clear();
        fakes->screens.handlers << [this](QDialog* d) {
            summaryLines = caltest::listLines(d);
            summaryTotal = d->findChild<QLabel*>("lblTotCosti")->text();
        };
        fakes->dialogs.messages.clear();
        fakes->screens.shown.clear();
        QTest::mouseClick(fees->findChild<QPushButton*>("btnVisualizza"), Qt::LeftButton);
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmServizi>();
        screen->setFilePath(yearFile());
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        fees = std::make_unique<TfrmMenuRiepCosti>();
        fees->show();
    }
    void cleanup() {
        fees.reset();
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void requestDateIsTodayOnShowAndDuplicate() {
        QCOMPARE(edit("txtDataRic")->text(), todayText());
        QCOMPARE(edit("txtTariffa")->text(), QString("0,00"));
        for (const char* f : {"txtID", "txtTipologia", "txtDescrizione"}) edit(f)->setText("S1");
        edit("txtCopia")->setText("fattura.pdf");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."));
        edit("txtCliente")->setText("Rossi Mario");
        edit("txtCodFisc")->setText("RSSMRA85T10A562S");
        edit("txtDataRic")->setText("05/03/2024");
        screen->findChild<QCheckBox*>("chkPagato")->setChecked(true);
        command("cmdSalva");
        QCOMPARE(QFileInfo(yearFile()).size(), qint64(kServiceLayout.size()));
        command("cmdDuplica");
        QCOMPARE(edit("txtDataRic")->text(), todayText());
        QCOMPARE(edit("txtCopia")->text(), QString());
        QCOMPARE(edit("txtID")->text(), QString("S1"));
        QVERIFY(screen->findChild<QCheckBox*>("chkPagato")->isChecked());
        QCOMPARE(QApplication::focusWidget(), edit("txtID"));
        // The request date is picked, never typed: a letter opens the picker, Backspace empties.
        fakes->screens.shown.clear();
        QTest::keyClick(edit("txtDataEsp"), Qt::Key_A);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCalendario"});
        QTest::keyClick(edit("txtDataRic"), Qt::Key_Backspace);
        QCOMPARE(edit("txtDataRic")->text(), QString());
    }

    void importsCopyTheirFields_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("rate");
        QTest::newRow("ordinary rate") << "impServizioOrd" << "100,00";
        QTest::newRow("discounted rate, flag not ticked") << "impServizioSco" << "80,00";
    }
    void importsCopyTheirFields() {
        QFETCH(QString, button);
        QFETCH(QString, rate);
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Tariffario.pro"), kPriceListLayout.size()));
            Record r(kPriceListLayout);
            r.setText(PriceListField::ID, "SUC");
            r.setText(PriceListField::Tipologia, "Consulenza");
            r.setText(PriceListField::Descrizione, "Successione");
            r.setText(PriceListField::Ordinaria, "100,00");
            r.setText(PriceListField::Scontata, "80,00");
            r.setText(PriceListField::Pagamento, "Bonifico");
            r.setText(PriceListField::TarScontata, "No");
            QVERIFY(f.write(r));
            RecordFile c;
            QVERIFY(c.open(programFile("Contatti.pro"), kClientLayout.size()));
            Record client(kClientLayout);
            client.setText(ClientField::Cliente, "Bianchi Anna");
            client.setText(ClientField::CodFisc, "BNCNNA80A41H501U");
            client.setText(ClientField::PartitaIva, "01234560587");
            QVERIFY(c.write(client));
        }
        edit("txtDitta")->setText("Bianchi srl");
        auto pickFirst = [](QDialog* d) {
            d->findChild<QPushButton*>("btnCerca")->click();
            caltest::openLine(d, 0);
        };
        fakes->screens.handlers << pickFirst << pickFirst;
        QTest::mouseClick(screen->findChild<QPushButton*>(button), Qt::LeftButton);
        QTest::mouseClick(screen->findChild<QPushButton*>("impCliente"), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmTrovaTariffario", "TfrmTrovaClienti"}));
        QCOMPARE(edit("txtID")->text(), QString("SUC"));
        QCOMPARE(edit("txtDescrizione")->text(), QString("Successione"));
        QCOMPARE(edit("txtTariffa")->text(), rate);
        QCOMPARE(edit("txtPagamento")->text(), QString("Bonifico"));
        QCOMPARE(edit("txtCliente")->text(), QString("Bianchi Anna"));
        QCOMPARE(edit("txtCodFisc")->text(), QString("BNCNNA80A41H501U"));
        QCOMPARE(edit("txtIva")->text(), QString("01234560587"));
        QCOMPARE(edit("txtDitta")->text(), QString("Bianchi srl"));
    }

    void unpaidListFollowsTheFlag() {
        writeServices(yearFile(), {{"S1", "Consulenza", "05/03/2024", "10,50", "RSSMRA85T10A562S"},
                                   {"S2", "Visura", "06/03/2024", "20,25", "RSSMRA85T10A562S", "S\xc3\xac"},
                                   {"S3", "Visura", "07/03/2024", "1,00", "RSSMRA85T10A562S", "?"}});
        QStringList shown;
        fakes->screens.handlers << [&](QDialog* d) { shown = caltest::listLines(d); };
        command("cmdNonPagati");
        // Only "No" is unpaid: a flag this program did not write is not listed.
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0], QString::fromUtf8("ID: S1                    Servizio S1                          Data: "
                                             "05/03/2024  Rossi Mario                   CF: RSSMRA85T10A562S  "
                                             "Tariffa: € 10,50"));
        command("cmdPrimo");
        screen->findChild<QCheckBox*>("chkPagato")->setChecked(true);
        command("cmdSalva");
        fakes->screens.handlers << [&](QDialog* d) { shown = caltest::listLines(d); };
        command("cmdNonPagati");
        QVERIFY(shown.isEmpty());
        // The export reads the register's year file.
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [](QDialog* d) { caltest::command(d, "cmdEsporta"); };
        command("cmdEsporta");
        const QByteArray xls = caltest::readAll(programFile("Servizi.xls"));
        QVERIFY(xls.contains("<x:Name>Registro Servizi</x:Name>"));
        QCOMPARE(xls.count("<td"), 17 * 4);
        QVERIFY(xls.contains(">S3<"));
    }

    void summaryChecksItsQuestion() {
        struct Case {
            const char* year;
            const char* from;
            const char* to;
            Kind kind;
            const char* message;
        };
        const Case cases[] = {
            {"202", "01 Gennaio", "31 Dicembre", Kind::Warning, "Attenzione: indicare l'anno solare utilizzando quattro cifre."},
            {"2024", " Gennaio", "31 Dicembre", Kind::Warning,
             "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
            {"2024", "01 Gennaio", "31 ", Kind::Warning,
             "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
            {"2024", "31 Aprile", "31 Dicembre", Kind::Plain,
             "Attenzione: la data 31/04/2024 di inizio intervallo non esiste.\n\r\n\r"
             "Per poter visualizzare il riepilogo è necessario indicare una data valida."},
            {"2023", "01 Gennaio", "29 Febbraio", Kind::Plain,
             "Attenzione: la data 29/02/2023 di fine intervallo non esiste.\n\r\n\r"
             "Per poter visualizzare il riepilogo è necessario indicare una data valida."},
            {"2024", "02 Marzo", "01 Marzo", Kind::Plain,
             "Attenzione: la data di fine intervallo (01/03/2024) non può essere anteriore a quella di inizio "
             "intervallo (02/03/2024).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
             "intervallo di tempo valido."},
        };
        for (const Case& c : cases) {
            askSummary(c.year, QString::fromUtf8(c.from), QString::fromUtf8(c.to));
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages[0].kind, c.kind);
            QCOMPARE(lastText(), QString::fromUtf8(c.message));
            QVERIFY(fakes->screens.shown.isEmpty());
        }
        QVERIFY(!QFile::exists(programFile("2023.ser")));
        // A year without a file: created empty, nothing listed, "0,00".
        askSummary("2031", "29 Febbraio", "29 Febbraio");
        QCOMPARE(fakes->dialogs.messages.last().text, QString::fromUtf8(
            "Attenzione: la data 29/02/2031 di inizio intervallo non esiste.\n\r\n\r"
            "Per poter visualizzare il riepilogo è necessario indicare una data valida."));
        askSummary("2031", "01 Gennaio", "01 Gennaio");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmRiepCosti"});
        QVERIFY(summaryLines.isEmpty());
        QCOMPARE(summaryTotal, QString("0,00"));
        QCOMPARE(QFileInfo(programFile("2031.ser")).size(), qint64(0));
    }

    void summaryListsAndAddsExactly() {
        writeServices(yearFile(), {{"B2", "Consulenza fiscale", "10/03/2024", "20,25", "RSSMRA85T10A562S"},
                                   {"A1", "consulenze varie", "09/03/2024", "10,50", "BNCNNA80A41H501U"},
                                   {"C3", "Visura", "10/03/2024", "5,00", "RSSMRA85T10A562S"},
                                   {"D4", "Consulenza", "11/03/2024", "7,00", "RSSMRA85T10A562S"}});
        // Equal dates: that day only.
        askSummary("2024", "10 Marzo", "10 Marzo");
        QCOMPARE(summaryLines.size(), 2);
        QCOMPARE(summaryTotal, QString("25,25"));
        // The type filter ignores the case of A to Z; sorted by code.
        askSummary("2024", "01 Marzo", "10 Marzo", {}, "consul");
        QCOMPARE(summaryLines.size(), 2);
        QVERIFY(summaryLines[0].startsWith("ID: A1"));
        QVERIFY(summaryLines[1].startsWith("ID: B2"));
        QCOMPARE(summaryTotal, QString("30,75"));
        // Part of a fiscal code.
        askSummary("2024", "01 Gennaio", "31 Dicembre", "RSSMRA");
        QCOMPARE(summaryLines.size(), 3);
        QCOMPARE(summaryTotal, QString("32,25"));
    }

    void summaryTotalIsExactAndSkipsUnreadableRecords() {
        writeServices(yearFile(), {{"A", "T", "01/01/2024", "0,3333", "X"},
                                   {"B", "T", "02/01/2024", "0,3333", "X"},
                                   {"C", "T", "03/01/2024", "0,3334", "X"}});
        askSummary("2024", "01 Gennaio", "31 Dicembre");
        QCOMPARE(summaryTotal, QString("1,00"));
        QVERIFY(fakes->dialogs.messages.isEmpty());
        // Two records this program did not write: a date and a rate that cannot be read. They are
        // left out, the total is that of the records listed, and the user is told.
        writeServices(yearFile(), {{"D", "T", "31/02/2024", "1,00", "X"}, {"E", "T", "04/01/2024", "1.5", "X"},
                                   {"F", "T", "05/01/2024", "0,10", "X"}, {"G", "T", "06/01/2024", "0,20", "X"}});
        askSummary("2024", "01 Gennaio", "31 Dicembre");
        QCOMPARE(summaryLines.size(), 5);
        QCOMPARE(summaryTotal, QString("1,30"));
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
        QVERIFY(lastText().contains("2 schede"));
        const auto summary = buildFeeSummary(yearFile(), {}, {}, QDate(2024, 1, 1), QDate(2024, 12, 31));
        QVERIFY(summary);
        QCOMPARE(summary->unreadable, 2);
    }

    void summaryPrintsItsLinesAndTotals() {
        writeServices(yearFile(), {{"A1", "T", "01/01/2024", "10,50", "RSSMRA85T10A562S"},
                                   {"B2", "T", "02/01/2024", "20,25", "RSSMRA85T10A562S"}});
        fees->findChild<QLineEdit*>("txtAnno")->setText("2024");
        for (auto [name, index] : {std::pair{"txtGiornoInizio", 0}, {"txtMeseInizio", 0}, {"txtGiornoFine", 30},
                                   {"txtMeseFine", 11}})
            fees->findChild<QComboBox*>(name)->setCurrentIndex(index);
        fees->findChild<QLineEdit*>("txtCliente")->setText("RSSMRA");
        fakes->dialogs.answers = {false, true};
        fakes->screens.handlers << [](QDialog* d) {
            d->findChild<QPushButton*>("btnStampa")->click();  // No: nothing printed
            d->findChild<QPushButton*>("btnStampa")->click();
        };
        QTest::mouseClick(fees->findChild<QPushButton*>("btnVisualizza"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.questions,
                 (QStringList{"Si vuole stampare il presente riepilogo?", "Si vuole stampare il presente riepilogo?"}));
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& r = fakes->printing.printed.first();
        QCOMPARE(r.orientation(), Report::Orientation::Landscape);
        QCOMPARE(r.text("txtTitolo"), QString("Riepilogo compensi   -   C.F. Cliente:  RSSMRA"));
        const QStringList body = r.text("txtRiepilogo").split('\n');
        QCOMPARE(body.size(), 5);
        QCOMPARE(body[2], QString("- - - - - - - - - - - - - - - -"));
        QCOMPARE(body[3], QString("INTERVALLO SELEZIONATO:    Dal   01/01/2024   al   31/12/2024"));
        QCOMPARE(body[4], QString::fromUtf8("TOTALE COMPENSI:           € 30,75"));
        QCOMPARE(r.fieldHeight("txtRiepilogo"), 5 * Report::kListingLineHeight);
        // An empty summary: the warning, no question.
        fakes->dialogs.questions.clear();
        fees->findChild<QComboBox*>("txtMeseFine")->setCurrentIndex(0);
        fees->findChild<QComboBox*>("txtGiornoFine")->setCurrentIndex(0);
        fees->findChild<QLineEdit*>("txtCliente")->setText("NESSUNO");
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); };
        QTest::mouseClick(fees->findChild<QPushButton*>("btnVisualizza"), Qt::LeftButton);
        QCOMPARE(lastText(), QString("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        QVERIFY(fakes->dialogs.questions.isEmpty());
    }
};

CAL_WIDGET_TEST_MAIN(TestServices)
#include "tst_services.moc"
