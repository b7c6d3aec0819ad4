// The transfer registers (what is particular to them: the kept side in Bonifici.ini, the amount,
// the record bytes, the flag, Duplicate keeping the receipt, the picked dates), their searches in
// file order, not-executed lists, period exports and cards, and the movement summaries. The shared
// protocol is tested over every archive.
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "transfers/TransferSettings.h"
#include "report/Report.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "transfers/MovementSummary.h"
#include "transfers/TfrmBonifici.h"
#include "transfers/TransferTables.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

struct Transfer {
    const char* payer;
    const char* beneficiary;
    const char* date;
    const char* reason;
    const char* amount;
    const char* executed = "No";
};

void writeTransfers(const QString& path, std::initializer_list<Transfer> transfers) {
    RecordFile f;
    QVERIFY(f.open(path, kIssuedTransferLayout.size()));
    QVERIFY(f.seek(f.count()));
    for (const Transfer& t : transfers) {
        Record r(kIssuedTransferLayout);
        r.setText(TransferField::Pagatore, QString::fromUtf8(t.payer));
        r.setText(TransferField::Beneficiario, QString::fromUtf8(t.beneficiary));
        r.setText(TransferField::DataEse, t.date);
        r.setText(TransferField::Causale, QString::fromUtf8(t.reason));
        r.setText(TransferField::Importo, t.amount);
        r.setText(TransferField::Eseguito, QString::fromUtf8(t.executed));
        QVERIFY(f.write(r));
    }
}

const ArchiveModule& moduleOf(TransferRegister reg) {
    return reg == TransferRegister::Issued ? issuedTransferModule() : receivedTransferModule();
}

}  // namespace

class TestTransfers : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<ArchiveScreen> screen;

    QLineEdit* edit(const char* name) {
        auto* e = screen->findChild<QLineEdit*>(name);
        if (!e) qFatal("no %s", name);
        return e;
    }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    void open(TransferRegister reg) {
        screen.reset(moduleOf(reg).create());
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    QString issuedFile() { return programFile("Bonifici_Emessi.pro"); }
    void fillRequired() {
        edit("txtPagatore")->setText("Studio Bianchi");
        edit("txtBeneficiario")->setText("Rossi Mario");
        edit("txtDataEse")->setText("05/03/2024");
        edit("txtCausale")->setText("Saldo fattura 12");
    }

    // The movement summary query: the year, the filters and the interval's drop-downs; the result
    // screen is read (and handed to `act`) when it opens.
    QStringList summaryLines;
    QString summaryTotal, summaryInterval, summaryReason;
    void askSummary(QWidget& query, const QString& year, const QString& from, const QString& to,
                    const QString& party = {}, const QString& reason = {},
                    std::function<void(QDialog*)> act = {}) {
        query.findChild<QLineEdit*>("txtAnno")->setText(year);
        query.findChild<QLineEdit*>("txtCodFiscCliente")->setText(party);
        query.findChild<QLineEdit*>("txtDescBene01")->setText(reason);
        const QStringList a = from.split(' '), b = to.split(' ');
        auto pick = [&](const char* name, const QString& text) {
            auto* c = query.findChild<QComboBox*>(name);
            c->setCurrentIndex(c->findText(text));
        };
        pick("txtGiornoInizio", a.value(0));
        pick("txtMeseInizio", a.value(1));
        pick("txtGiornoFine", b.value(0));
        pick("txtMeseFine", b.value(1));
        summaryLines.clear();
        summaryTotal.clear();
        fakes->screens.handlers << [this, act](QDialog* d) {
            summaryLines = caltest::listLines(d);
            summaryTotal = d->findChild<QLabel*>("lblTotCosti")->text();
            summaryInterval = d->findChild<QLabel*>("lblIntervallo")->text();
            summaryReason = d->findChild<QLabel*>("titTipologia")->text();
            if (act) act(d);
        };
        fakes->dialogs.messages.clear();
        fakes->screens.shown.clear();
        QTest::mouseClick(query.findChild<QPushButton*>("btnVisualizza"), Qt::LeftButton);
        if (fakes->screens.shown.isEmpty()) fakes->screens.handlers.clear();
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void keptSideAcrossCloseAndOpen_data() {
        QTest::addColumn<bool>("issued");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QStringList>("other");
        QTest::newRow("issued: the payer") << true << QStringList{"txtPagatore", "txtCodFiscPag", "txtIbanPag"}
                                           << QStringList{"txtBeneficiario", "txtCodFiscBen", "txtIbanBen"};
        QTest::newRow("received: the beneficiary")
            << false << QStringList{"txtBeneficiario", "txtCodFiscBen", "txtIbanBen"}
            << QStringList{"txtPagatore", "txtCodFiscPag", "txtIbanPag"};
    }
    void keptSideAcrossCloseAndOpen() {
        QFETCH(bool, issued);
        QFETCH(QStringList, kept);
        QFETCH(QStringList, other);
        const TransferRegister reg = issued ? TransferRegister::Issued : TransferRegister::Received;
        const TransferRegister twin = issued ? TransferRegister::Received : TransferRegister::Issued;
        open(reg);
        // Opened on a new record, focus on the other side.
        QCOMPARE(QApplication::focusWidget(), edit(qPrintable(other[0])));
        QCOMPARE(edit("txtImporto")->text(), QString("0,00"));
        const QStringList values{"Studio Bianchi srl", "01234560587", "IT60X0542811101000000123456"};
        for (int i = 0; i < 3; ++i) edit(qPrintable(kept[i]))->setText(values[i]);
        for (const QString& o : other) edit(qPrintable(o))->setText("X1");
        for (const char* f : {"txtTipo", "txtCausale", "txtCro", "txtNote", "txtDataEse", "txtDataAcc", "txtCopia"})
            edit(f)->setText("Y2");
        edit("txtImporto")->setText("5,00");
        screen->findChild<QCheckBox*>("chkEseguito")->setChecked(true);
        // New keeps the kept side exactly and empties everything else.
        command("cmdNuovo");
        for (int i = 0; i < 3; ++i) QCOMPARE(edit(qPrintable(kept[i]))->text(), values[i]);
        for (const QString& o : other) QCOMPARE(edit(qPrintable(o))->text(), QString());
        for (const char* f : {"txtTipo", "txtCausale", "txtCro", "txtNote", "txtDataEse", "txtDataAcc", "txtCopia"})
            QCOMPARE(edit(f)->text(), QString());
        QCOMPARE(edit("txtImporto")->text(), QString("0,00"));
        QVERIFY(!screen->findChild<QCheckBox*>("chkEseguito")->isChecked());
        QCOMPARE(QApplication::focusWidget(), edit(qPrintable(other[0])));
        edit(qPrintable(other[0]))->setText("Altro");
        screen->close();
        // The register's own section holds the kept side; the twin's section is untouched.
        const auto party = readTransferParty(folder->path(), reg);
        QVERIFY(party);
        QCOMPARE((QStringList{party->name, party->fiscalCode, party->iban}), values);
        const auto twinParty = readTransferParty(folder->path(), twin);
        QVERIFY(twinParty);
        QCOMPARE(twinParty->name, QString());
        const QString section = issued ? "Bonifici Emessi" : "Bonifici Ricevuti";
        QCOMPARE(readIniValue(programFile("Bonifici.ini"), section, issued ? u"Nome Pagatore" : u"Nome Beneficiario"),
                 std::optional<QString>(values[0]));
        QCOMPARE(readIniValue(programFile("Bonifici.ini"), section, u"Iban Bancario"), std::optional<QString>(values[2]));
        // A new screen of the same register opens with them, the other side empty; the twin opens empty.
        open(reg);
        for (int i = 0; i < 3; ++i) QCOMPARE(edit(qPrintable(kept[i]))->text(), values[i]);
        for (const QString& o : other) QCOMPARE(edit(qPrintable(o))->text(), QString());
        open(twin);
        for (const QString& o : other) QCOMPARE(edit(qPrintable(o))->text(), QString());
    }

    void amountIsNormalisedBeforeSaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("whole") << "7" << "7,00";
        QTest::newRow("one decimal") << "1250,5" << "1250,50";
        QTest::newRow("below a cent") << "0,004" << "0,00";
        QTest::newRow("half up, exactly") << "12,345" << "12,35";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("emptied") << "" << "0,00";
        QTest::newRow("not a number") << "1,2,3" << "0,00";
        QTest::newRow("letters, dot and minus discarded") << "-1a.5" << "15,00";
    }
    void amountIsNormalisedBeforeSaving() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        open(TransferRegister::Issued);
        fillRequired();
        QLineEdit* amount = edit("txtImporto");
        amount->setFocus();
        amount->clear();
        QTest::keyClicks(amount, typed);
        // Save is pressed while the amount still has the focus.
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(amount->text(), stored);
        const QByteArray bytes = caltest::readAll(issuedFile());
        QCOMPARE(bytes.size(), 2574);
        QCOMPARE(bytes.mid(547, 1 + stored.size()), char(stored.size()) + stored.toLatin1());
        QCOMPARE(screen->position(), QString("1"));
    }

    void recordBytesAndChecks() {
        open(TransferRegister::Issued);
        fillRequired();
        edit("txtCausale")->setText("   ");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare la causale del bonifico."));
        QCOMPARE(QApplication::focusWidget(), edit("txtCausale"));
        QVERIFY(!QFile::exists(issuedFile()));
        edit("txtPagatore")->clear();
        fakes->dialogs.messages.clear();
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.texts(),
                 QStringList{QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.")});
        QVERIFY(!QFile::exists(issuedFile()));
        fillRequired();
        // Codes are trimmed and upper-cased while typed.
        edit("txtIbanBen")->setFocus();
        QTest::keyClicks(edit("txtIbanBen"), " it60x0542811101000000123456 ");
        QCOMPARE(edit("txtIbanBen")->text(), QString("IT60X0542811101000000123456"));
        command("cmdSalva");
        QCOMPARE(screen->position(), QString("1"));
        const QByteArray bytes = caltest::readAll(issuedFile());
        QCOMPARE(bytes.size(), 2574);
        QCOMPARE(bytes.mid(164, 28), QByteArray("\x1b") + "IT60X0542811101000000123456");
        QCOMPARE(bytes.mid(1065, 3), QByteArray("\x02No"));
        screen->findChild<QCheckBox*>("chkEseguito")->setChecked(true);
        command("cmdSalva");
        QCOMPARE(caltest::readAll(issuedFile()).mid(1065, 3), QByteArray("\x02S\xec"));
    }

    void flagOfAnotherValueLeavesTheBox() {
        writeTransfers(issuedFile(), {{"A", "B", "01/02/2024", "C", "1,00", "??"}, {"A", "B", "01/02/2024", "C", "1,00", "No"}});
        open(TransferRegister::Issued);
        auto* box = screen->findChild<QCheckBox*>("chkEseguito");
        box->setChecked(true);
        command("cmdPrimo");
        QVERIFY(box->isChecked());
        command("cmdAvanti");
        QVERIFY(!box->isChecked());
        command("cmdIndietro");
        QVERIFY(!box->isChecked());
    }

    void duplicateKeepsTheReceiptAndTheDates() {
        open(TransferRegister::Received);
        fillRequired();
        edit("txtDataAcc")->setText("07/03/2024");
        edit("txtCopia")->setText("ricevuta.pdf");
        screen->findChild<QLabel*>("lblFile01")->setText("allegato.pdf");
        command("cmdSalva");
        command("cmdDuplica");
        QCOMPARE(lastText(), QString("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                                     "Al termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(edit("txtCopia")->text(), QString("ricevuta.pdf"));
        QCOMPARE(edit("txtDataEse")->text(), QString("05/03/2024"));
        QCOMPARE(edit("txtDataAcc")->text(), QString("07/03/2024"));
        QCOMPARE(screen->findChild<QLabel*>("lblFile01")->text(), QString());
        QCOMPARE(screen->position(), QString());
        QCOMPARE(QApplication::focusWidget(), edit("txtPagatore"));
        command("cmdSalva");
        QCOMPARE(screen->position(), QString("2"));
        const QByteArray bytes = caltest::readAll(programFile("Bonifici_Ricevuti.pro"));
        QCOMPARE(bytes.size(), 2 * 2574);
        QCOMPARE(bytes.mid(2574 + 814, 13), QByteArray("\x0cricevuta.pdf"));
    }

    void datesArePickedOrEmptied() {
        open(TransferRegister::Issued);
        edit("txtDataEse")->setText("05/03/2024");
        QTest::keyClick(edit("txtDataEse"), Qt::Key_A);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCalendario"});
        QCOMPARE(edit("txtDataEse")->text(), QString("05/03/2024"));
        QTest::keyClick(edit("txtDataEse"), Qt::Key_Delete);
        QCOMPARE(edit("txtDataEse")->text(), QString());
        QTest::mouseClick(screen->findChild<QPushButton*>("btnDataAcc"), Qt::LeftButton);
        QCOMPARE(edit("txtDataAcc")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    }

    void searchIsInFileOrder() {
        writeTransfers(issuedFile(), {{"Rossi Mario", "Zeta spa", "10/01/2024", "Affitto gennaio", "500,00"},
                                      {"GROSSO SPA", "Alfa srl", "02/01/2024", "Fornitura", "20,00"},
                                      {"Bianchi", "Beta", "03/01/2024", "Affitto", "1,00"},
                                      {"Marossi", "Gamma", "04/01/2024", "Consulenza", "2,00"}});
        open(TransferRegister::Issued);
        QStringList lines, narrowed;
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtPagatore")->setText("ROS");
            d->findChild<QPushButton*>("btnCerca")->click();
            lines = caltest::listLines(d);
        };
        command("cmdTrova");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmTrovaBonificiEmessi"});
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString::fromUtf8("Data: 10/01/2024  A: Zeta spa                        Causale: Affitto "
                                             "gennaio                           Da: Rossi Mario                     € 500,00"));
        QVERIFY(lines[1].contains("GROSSO SPA"));
        QVERIFY(lines[2].contains("Marossi"));
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtPagatore")->setText("ros");
            d->findChild<QLineEdit*>("txtCausale")->setText("affitto");
            d->findChild<QPushButton*>("btnCerca")->click();
            narrowed = caltest::listLines(d);
            caltest::openLine(d, 0);
        };
        command("cmdTrova");
        QCOMPARE(narrowed.size(), 1);
        QCOMPARE(edit("txtPagatore")->text(), QString("Rossi Mario"));
        QCOMPARE(screen->position(), QString("1"));
    }

    void notExecutedListFollowsTheFlag() {
        writeTransfers(programFile("Bonifici_Ricevuti.pro"),
                       {{"Verdi", "Studio", "10/01/2024", "Parcella", "100,00", "No"},
                        {"Neri", "Studio", "02/01/2024", "Parcella", "50,00", "S\xc3\xac"},
                        {"Gialli", "Studio", "01/01/2024", "Parcella", "70,00", "No"}});
        open(TransferRegister::Received);
        QStringList shown;
        fakes->screens.handlers << [&](QDialog* d) {
            shown = caltest::listLines(d);
            caltest::openLine(d, 0);
        };
        command("cmdDaEseguire");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmBonificiDaEseguireRic"});
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].startsWith("Data: 10/01/2024  Da: Verdi "));  // file order, payer first
        QVERIFY(shown[1].contains("Gialli"));
        // Ticked and saved: no longer listed.
        QCOMPARE(screen->position(), QString("1"));
        screen->findChild<QCheckBox*>("chkEseguito")->setChecked(true);
        command("cmdSalva");
        fakes->screens.handlers << [&](QDialog* d) { shown = caltest::listLines(d); };
        command("cmdDaEseguire");
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains("Gialli"));
        // All executed: the list is empty and its print still has the title.
        screen->findChild<QCheckBox*>("chkEseguito")->setChecked(true);
        command("cmdUltimo");
        screen->findChild<QCheckBox*>("chkEseguito")->setChecked(true);
        command("cmdSalva");
        fakes->screens.handlers << [&](QDialog* d) {
            shown = caltest::listLines(d);
            d->findChild<QPushButton*>("btnStampa")->click();
        };
        command("cmdDaEseguire");
        QVERIFY(shown.isEmpty());
        QCOMPARE(fakes->printing.printed.size(), 1);
        QCOMPARE(fakes->printing.printed[0].text("txtTitolo"), QString("Riepilogo bonifici non eseguiti"));
        QCOMPARE(fakes->printing.printed[0].text("txtRiepilogo"), QString());
    }

    void exportOverAPeriodSpanningYears() {
        writeTransfers(issuedFile(), {{"P1", "B1", "15/11/2023", "R1", "1,00"},
                                      {"P2", "B2", "20/01/2024", "R2", "2,00"},
                                      {"P3", "B3", "05/12/2023", "R3", "3,00", "S\xc3\xac"},
                                      {"P4", "B4", "01/02/2024", "R4", "4,00"},
                                      {"P5", "B5", "31/01/2024", "R5", "5,00"},
                                      {"P6", "B6", "01/12/2023", "R6", "6,00"}});
        open(TransferRegister::Issued);
        QStringList messages;
        QList<QStringList> rows;
        QStringList numbers;
        int emptyRows = -1;
        fakes->screens.handlers << [&](QDialog* d) {
            auto* start = d->findChild<QLineEdit*>("txtDataInizio");
            auto* end = d->findChild<QLineEdit*>("txtDataFine");
            QCOMPARE(start->text(), QDate::currentDate().toString("dd/MM/yyyy"));
            QCOMPARE(end->text(), start->text());
            auto* model = static_cast<ExportScreen*>(d)->model();
            emptyRows = int(model->rows().size());
            auto avanti = [&] { caltest::command(d, "btnAvanti"); };
            // Only digits and "/" can be typed.
            start->clear();
            QTest::keyClicks(start, "32/01/2024x");
            QCOMPARE(start->text(), QString("32/01/2024"));
            avanti();
            start->setText("1/12/2023");
            avanti();
            start->setText("01/12/2023");
            end->setText("30/11/2023");
            avanti();
            QCOMPARE(model->rows().size(), 10);  // nothing read while the dates are wrong
            end->setText("31/01/2024");
            avanti();
            rows = model->rows();
            for (int r = 0; r < model->rowCount(); ++r) numbers << model->index(r, 0).data().toString();
        };
        command("cmdEsporta");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmExpBonificiEmessi"});
        QCOMPARE(emptyRows, 10);
        QCOMPARE(fakes->dialogs.texts(),
                 (QStringList{QString::fromUtf8("Attenzione: la data 32/01/2024 di inizio intervallo non esiste.\n\r\n\r"
                                                "Per poter visualizzare il riepilogo è necessario indicare una data "
                                                "valida utilizzando il formato gg/mm/aaaa."),
                              "Attenzione: indicare la data di inizio intervallo utilizzando il formato gg/mm/aaaa.",
                              QString::fromUtf8("Attenzione: la data di fine intervallo (30/11/2023) non può essere "
                                                "anteriore a quella di inizio intervallo (01/12/2023).\n\r\n\r"
                                                "Per poter visualizzare il riepilogo è necessario indicare un "
                                                "intervallo di tempo valido.")}));
        QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
        QCOMPARE(fakes->dialogs.messages[1].kind, Kind::Warning);
        QCOMPARE(fakes->dialogs.messages[2].kind, Kind::Plain);
        // December and January, in file order, numbered from 1.
        QCOMPARE(rows.size(), 4);
        QCOMPARE(numbers, (QStringList{"1", "2", "3", "4"}));
        QStringList payers;
        for (const QStringList& r : rows) payers << r[0];
        QCOMPARE(payers, (QStringList{"P2", "P3", "P5", "P6"}));
        QCOMPARE(rows[1], (QStringList{"P3", "", "", "B3", "", "", "", "05/12/2023", "R3", "", "", "3,00", "",
                                       QString::fromUtf8("Sì")}));
    }

    void cardPrint() {
        open(TransferRegister::Received);
        fillRequired();
        edit("txtImporto")->setText("12,50");
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); };
        command("cmdStampa");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmStampaBonRicevuti"});
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& card = fakes->printing.printed[0];
        QCOMPARE(card.orientation(), Report::Orientation::Portrait);
        QCOMPARE(card.text("titArcataSup"), QString("SCHEDA BONIFICO RICEVUTO"));
        QCOMPARE(card.text("txtImporto"), QString::fromUtf8("€ 12,50"));
        QCOMPARE(card.text("txtEseguito"), QString("No"));
        QCOMPARE(card.text("txtPagatore"), QString("Studio Bianchi"));
        QVERIFY(card.text("txtCalce").startsWith("Stampa eseguita in data " + QDate::currentDate().toString("dd/MM/yyyy") +
                                                 " alle ore "));
    }

    // ---- movement summaries ----

    void summaryChecksItsQuestion_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("three-digit year") << "202" << "01 Gennaio" << "31 Dicembre" << int(Kind::Warning)
                                          << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
        QTest::newRow("no start month") << "2024" << "01" << "31 Dicembre" << int(Kind::Warning)
                                        << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."
                                        << "txtMeseInizio";
        QTest::newRow("31 February") << "2024" << "31 Febbraio" << "31 Dicembre" << int(Kind::Plain)
                                     << QString::fromUtf8("Attenzione: la data 31/02/2024 di inizio intervallo non esiste.\n\r\n\r"
                                                          "Per poter visualizzare il riepilogo è necessario indicare una data valida.")
                                     << "txtGiornoInizio";
        QTest::newRow("end before start") << "2024" << "10 Marzo" << "01 Marzo" << int(Kind::Plain)
                                          << QString::fromUtf8("Attenzione: la data di fine intervallo (01/03/2024) non può "
                                                               "essere anteriore a quella di inizio intervallo (10/03/2024)."
                                                               "\n\r\n\rPer poter visualizzare il riepilogo è necessario "
                                                               "indicare un intervallo di tempo valido.")
                                          << "";
    }
    void summaryChecksItsQuestion() {
        QFETCH(QString, year);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TfrmRiepBonifici query(TransferRegister::Issued);
        query.show();
        QApplication::setActiveWindow(&query);
        QCOMPARE(query.windowTitle(), QString(" Calvetra 4.0 - Riepilogo bonifici emessi"));
        QCOMPARE(QApplication::focusWidget(), query.findChild<QLineEdit*>("txtCodFiscCliente"));
        askSummary(query, year, from, to);
        QCOMPARE(fakes->screens.shown, QStringList());
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(int(fakes->dialogs.messages[0].kind), kind);
        QCOMPARE(lastText(), message);
        if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!query.findChild<QLabel*>("lblAttendere")->isVisible());
    }

    void summaryListsSortedLinesWithAnExactTotal() {
        writeTransfers(issuedFile(), {{"Studio", "Rossi Mario", "12/01/2024", "Affitto", "0,10"},
                                      {"Studio", "GROSSO SPA", "05/03/2024", "Fornitura", "0,20"},
                                      {"Studio", "Bianchi", "02/01/2024", "Affitto", "1250,50"},
                                      {"Studio", "Neri", "10/01/2024", "Affitto", ""},
                                      {"Studio", "Verdi", "01/01/2024", "Affitto", "3,00"},
                                      {"Studio", "Gialli", "31/12/2024", "Affitto", "4,00"},
                                      {"Studio", "Viola", "31/12/2023", "Affitto", "5,00"}});
        TfrmRiepBonifici query(TransferRegister::Issued);
        query.show();
        QApplication::setActiveWindow(&query);
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmListaBonificiEmessi"});
        // Day first: 01/01, 02/01, 05/03, 12/01, 31/12; the empty amount is never listed.
        QStringList days;
        for (const QString& l : summaryLines) days << l.mid(6, 10);
        QCOMPARE(days, (QStringList{"01/01/2024", "02/01/2024", "05/03/2024", "12/01/2024", "31/12/2024"}));
        QCOMPARE(summaryTotal, QString("1257,80"));
        QCOMPARE(summaryInterval, QString("Dal   01/01/2024   al   31/12/2024"));
        QCOMPARE(summaryReason, QString("- - -"));
        // The other party filter matches anywhere, in any case; with a reason both must occur.
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", "ross");
        QCOMPARE(summaryLines.size(), 2);
        QCOMPARE(summaryTotal, QString("0,30"));  // 0,10 + 0,20, exactly
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", "ross", "affitto");
        QCOMPARE(summaryLines.size(), 1);
        QVERIFY(summaryLines[0].contains("Rossi Mario"));
        QCOMPARE(summaryReason, QString("affitto"));
        // Both ends included.
        askSummary(query, "2024", "02 Gennaio", "12 Gennaio");
        QCOMPARE(summaryLines.size(), 2);
        QCOMPARE(summaryTotal, QString("1250,60"));
        // Blanks cannot be typed into the other party filter.
        auto* party = query.findChild<QLineEdit*>("txtCodFiscCliente");
        party->clear();
        party->setFocus();
        QTest::keyClicks(party, "ro ss!");
        QCOMPARE(party->text(), QString("ross"));
    }

    void receivedSummaryFiltersOnThePayer() {
        writeTransfers(programFile("Bonifici_Ricevuti.pro"),
                       {{"Rossi Mario", "Studio Rossi", "12/01/2024", "Parcella", "10,00"},
                        {"Bianchi", "Studio Rossi", "13/01/2024", "Parcella", "20,00"}});
        TfrmRiepBonifici query(TransferRegister::Received);
        query.show();
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", "ross");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmListaBonificiRicevuti"});
        QCOMPARE(summaryLines.size(), 1);
        QVERIFY(summaryLines[0].startsWith("Data: 12/01/2024  Da: Rossi Mario "));
        QCOMPARE(summaryTotal, QString("10,00"));
    }

    void findKeyOutlivesTheResultScreen() {
        writeTransfers(issuedFile(), {{"S", "Alfa", "01/01/2024", "Affitto", "1,00"},
                                      {"S", "Beta", "02/01/2024", "Luce", "1,00"},
                                      {"S", "Gamma", "03/01/2024", "Affitto", "1,00"}});
        TfrmRiepBonifici query(TransferRegister::Issued);
        query.show();
        QList<int> selected;
        auto find = [&](QDialog* d, const char* text) {
            d->findChild<QLineEdit*>("txtTrova")->setText(text);
            d->findChild<QPushButton*>("btnTrova")->click();
            selected << caltest::resultList(d)->currentIndex().row();
        };
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", {}, {}, [&](QDialog* d) {
            find(d, "affitto");
            find(d, "affitto");
            find(d, "affitto");  // no further line: wraps round
        });
        QCOMPARE(selected, (QList<int>{0, 2, 0}));
        // A new result screen: the same text goes on from the line after the selected one.
        selected.clear();
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", {}, {}, [&](QDialog* d) { find(d, "affitto"); });
        QCOMPARE(selected, QList<int>{2});
    }

    void summaryPrint() {
        TfrmRiepBonifici query(TransferRegister::Issued);
        query.show();
        // Empty: refused.
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", {}, {},
                   [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); });
        QCOMPARE(lastText(), QString("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QVERIFY(fakes->printing.printed.isEmpty());
        {
            RecordFile f;
            QVERIFY(f.open(issuedFile(), kIssuedTransferLayout.size()));
            for (int i = 1; i <= 40; ++i) {
                Record r(kIssuedTransferLayout);
                r.setText(TransferField::Pagatore, "Studio");
                r.setText(TransferField::Beneficiario, QString("Fornitore %1").arg(i));
                r.setText(TransferField::DataEse, QString("%1/02/2024").arg(i % 28 + 1, 2, 10, QChar('0')));
                r.setText(TransferField::Causale, "Fattura");
                r.setText(TransferField::Importo, "0,10");
                QVERIFY(f.write(r));
            }
        }
        // "No" prints nothing; "Yes" prints one memo of 40 lines and 3 more.
        fakes->dialogs.answers = {false};
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", {}, {},
                   [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); });
        QCOMPARE(fakes->dialogs.questions.last(), QString("Si vuole stampare il presente riepilogo?"));
        QVERIFY(fakes->printing.printed.isEmpty());
        askSummary(query, "2024", "01 Gennaio", "31 Dicembre", {}, {},
                   [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); });
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& report = fakes->printing.printed[0];
        const QStringList rows = report.text("txtRiepilogo").split('\n');
        QCOMPARE(rows.size(), 43);
        QCOMPARE(rows.mid(0, 40), summaryLines);
        QCOMPARE(rows[40], QString("- - - - - - - - - - - - - - - -"));
        QCOMPARE(rows[41], QString("INTERVALLO SELEZIONATO:    Dal   01/01/2024   al   31/12/2024"));
        QCOMPARE(rows[42], QString::fromUtf8("TOTALE IMPORTI:            € 4,00"));
        QCOMPARE(report.text("txtTitolo"), QString("Riepilogo bonifici emessi"));
        QCOMPARE(report.text("txtPagina"), QString("Stampa eseguita in data [DATE] alle ore [TIME]"));
        QCOMPARE(report.fieldHeight("txtRiepilogo"), 43 * Report::kListingLineHeight);
        QCOMPARE(report.bandHeight("MasterData"), 43 * Report::kListingLineHeight + 10);
        QCOMPARE(report.orientation(), Report::Orientation::Landscape);
    }
};

CAL_WIDGET_TEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
