// The price list screen and its search, discounted-rate list, service picker, export and card:
// what is particular to the price list (the shared protocol is tested over every archive).
#include "clients/ClientLayout.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "pricelist/PriceListTables.h"
#include "pricelist/TfrmTariffario.h"
#include "report/Report.h"
#include "screens/Catalog.h"
#include "screens/SearchScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace PriceListField;

class TestPriceList : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmTariffario> screen;

    QLineEdit* edit(const char* name) { return screen->findChild<QLineEdit*>(name); }
    QCheckBox* flag() { return screen->findChild<QCheckBox*>("chkTarScontata"); }
    QString position() { return screen->findChild<QLabel*>("lblPosizione")->text(); }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    void click(const char* name) {
        auto* b = screen->findChild<QPushButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types as the user does: the field gets the focus, the keys go to it, Tab leaves it.
    void type(const char* name, const QString& text, bool leave = true) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
        if (leave) edit("txtSpese")->setFocus();
    }
    void fillRequired(const QString& id) {
        edit("txtID")->setText(id);
        edit("txtTipologia")->setText("Consulenza");
        edit("txtDescrizione")->setText(QString::fromUtf8("Dichiarazione dei redditi è annuale"));
    }
    QByteArray file() { return caltest::readAll(programFile("Tariffario.pro")); }
    static QStringList lines(QDialog* d) { return caltest::listLines(d); }
    static void open(QDialog* d, int row) { caltest::openLine(d, row); }
    void writeClient(const QString& name, const QString& email) {
        RecordFile f;
        QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
        QVERIFY(f.seek(f.count()));
        Record r(kClientLayout);
        r.setText(ClientField::Cliente, name);
        r.setText(ClientField::CodFisc, "RSSMRA85T10A562S");
        r.setText(ClientField::Recapito, "0541 123456");
        r.setText(ClientField::Email, email);
        r.setText(ClientField::Note, "non copiata");
        QVERIFY(f.write(r));
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmTariffario>();
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void showsItsFieldsCleared() {
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Tariffario Servizi"));
        QCOMPARE(edit("txtOrdinaria")->text(), QString("0,00"));
        QCOMPARE(edit("txtScontata")->text(), QString("0,00"));
        QCOMPARE(QApplication::focusWidget(), edit("txtID"));
        QVERIFY(edit("txtCopia")->isReadOnly());
        QVERIFY(!screen->findChild<QPushButton*>("btnApri")->isEnabled());
        struct Limit {
            const char* field;
            int capacity;
        };
        for (const Limit& l : {Limit{"txtID", 20}, Limit{"txtTipologia", 50}, Limit{"txtOrdinaria", 15},
                               Limit{"txtCodFisc", 16}, Limit{"txtNote", 250}, Limit{"txtCopia", 250}})
            QCOMPARE(edit(l.field)->maxLength(), l.capacity);
        // Enter follows the record's order, from the request form back to the code.
        edit("txtScontata")->setFocus();
        QTest::keyClick(edit("txtScontata"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit("txtSpese"));
        edit("txtCopia")->setFocus();
        QTest::keyClick(edit("txtCopia"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit("txtID"));
    }

    void ratesAreNormalisedWhenLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one decimal") << "1250,5" << "1250,50";
        QTest::newRow("rounded up to four") << "0,00005" << "0,0001";
        QTest::newRow("rounded down to four") << "3,14159" << "3,1416";
        QTest::newRow("two commas") << "1,2,3" << "0,00";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("three decimals kept") << "12,345" << "12,345";
        QTest::newRow("whole") << "7" << "7,00";
        QTest::newRow("letters never reach it") << "1a2b" << "12,00";
        QTest::newRow("emptied") << "" << "0,00";
    }
    void ratesAreNormalisedWhenLeft() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        for (const char* rate : {"txtOrdinaria", "txtScontata"}) {
            type(rate, typed);
            QCOMPARE(edit(rate)->text(), shown);
        }
        fillRequired("S1");
        command("cmdSalva");
        Record r(kPriceListLayout);
        r.bytes() = file();
        QCOMPARE(r.text(Ordinaria), shown);
        QCOMPARE(r.text(Scontata), shown);
    }

    void rateWarningOnlyForARateEmptiedInPlace() {
        fillRequired("S1");
        // Emptied and left: "0,00" comes back and Save goes through.
        type("txtOrdinaria", "");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        // Emptied with the focus still in it (a toolbar command does not take the focus).
        type("txtScontata", "", false);
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare la tariffa scontata."));
        QCOMPARE(QApplication::focusWidget(), edit("txtScontata"));
    }

    void flagIsStoredAsItsThreeBytes() {
        fillRequired("S1");
        QTest::mouseClick(flag(), Qt::LeftButton, {}, QPoint(8, flag()->height() / 2));
        QVERIFY(flag()->isChecked());
        command("cmdSalva");
        const int at = kPriceListLayout.offset(TarScontata);
        QCOMPARE(at, 2533);
        QCOMPARE(file().mid(at, 3), QByteArray("\x02\x53\xEC", 3));
        flag()->setChecked(false);
        command("cmdSalva");
        QCOMPARE(file().mid(at, 3), QByteArray("\x02No", 3));
        flag()->setChecked(true);
        command("cmdSalva");
        command("cmdNuovo");
        QVERIFY(!flag()->isChecked());
        command("cmdPrimo");
        QVERIFY(flag()->isChecked());
    }

    void duplicateClearsCodeFormAndAttachments() {
        fillRequired("S1");
        type("txtOrdinaria", "100");
        type("txtScontata", "80");
        edit("txtPersona")->setText("Rossi Mario");
        edit("txtCopia")->setText("modulo.pdf");
        flag()->setChecked(true);
        screen->findChild<QLabel*>("lblFile01")->setText("atto.pdf");
        command("cmdSalva");
        const QByteArray saved = file();
        command("cmdDuplica");
        QCOMPARE(edit("txtID")->text(), QString());
        QCOMPARE(edit("txtCopia")->text(), QString());
        QCOMPARE(screen->findChild<QLabel*>("lblFile01")->text(), QString());
        QCOMPARE(edit("txtOrdinaria")->text(), QString("100,00"));
        QCOMPARE(edit("txtScontata")->text(), QString("80,00"));
        QCOMPARE(edit("txtPersona")->text(), QString("Rossi Mario"));
        QVERIFY(flag()->isChecked());
        QCOMPARE(QApplication::focusWidget(), edit("txtID"));
        QCOMPARE(position(), QString());
        QCOMPARE(file(), saved);
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8(
                                 "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del servizio."));
        edit("txtID")->setText("S2");
        command("cmdSalva");
        QCOMPARE(position(), QString("2"));
    }

    void personInChargeComesFromTheClientPicker() {
        writeClient("Rossi Mario", "");
        edit("txtPersona")->setText("vecchio");
        edit("txtEmail")->setText("vecchia@posta.it");
        edit("txtNote")->setText("resta");
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), QString("tariffario"));
            d->findChild<QPushButton*>("btnCerca")->click();
            open(d, 0);
        };
        click("impPersona");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmTrovaClienti"});
        QCOMPARE(edit("txtPersona")->text(), QString("Rossi Mario"));
        QCOMPARE(edit("txtCodFisc")->text(), QString("RSSMRA85T10A562S"));
        QCOMPARE(edit("txtRecapito")->text(), QString("0541 123456"));
        QCOMPARE(edit("txtEmail")->text(), QString());  // the client has none
        QCOMPARE(edit("txtNote")->text(), QString("resta"));
        QCOMPARE(position(), QString());
        QVERIFY(!QFile::exists(programFile("Tariffario.pro")));
    }

    void discountedListFollowsTheFlag() {
        fillRequired("S1");
        edit("txtDescrizione")->setText("Successione");
        type("txtOrdinaria", "100");
        type("txtScontata", "80");
        flag()->setChecked(true);
        command("cmdSalva");
        command("cmdNuovo");
        fillRequired("S2");
        edit("txtDescrizione")->setText("Visura");
        command("cmdSalva");
        QStringList shown;
        fakes->screens.handlers << [&](QDialog* d) { shown = lines(d); };
        command("cmdScontate");
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("Successione"));
        QVERIFY(shown[0].endsWith(QString::fromUtf8("  Costo: € 80,00")));
        // The search shows the same service with its ordinary rate; its line opens it here.
        command("cmdNuovo");
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtDescrizione")->setText("succ");
            d->findChild<QPushButton*>("btnCerca")->click();
            shown = lines(d);
            open(d, 0);
        };
        command("cmdTrova");
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].endsWith(QString::fromUtf8("  Costo: € 100,00")));
        QCOMPARE(position(), QString("1"));
        QCOMPARE(edit("txtID")->text(), QString("S1"));
        // Unticked and saved: gone from the list.
        flag()->setChecked(false);
        command("cmdSalva");
        fakes->screens.handlers << [&](QDialog* d) { shown = lines(d); };
        command("cmdScontate");
        QVERIFY(shown.isEmpty());
    }

    void servicePickerCopiesTheRateOfItsKeyword_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("rate");
        QTest::newRow("ordinary") << "serviziord" << "100,00";
        QTest::newRow("discounted, flag not ticked") << "servizisco" << "80,00";
    }
    void servicePickerCopiesTheRateOfItsKeyword() {
        QFETCH(QString, keyword);
        QFETCH(QString, rate);
        fillRequired("S1");
        type("txtOrdinaria", "100");
        type("txtScontata", "80");
        edit("txtPagamento")->setText("Bonifico");
        command("cmdSalva");
        // A stand-in for the service register's fields.
        QWidget caller;
        caller.setObjectName("TfrmServizi");
        for (const char* name : {"txtID", "txtTipologia", "txtDescrizione", "txtTariffa", "txtPagamento", "txtNote"}) {
            auto* e = new QLineEdit(&caller);
            e->setObjectName(name);
            e->setText("prima");
        }
        fakes->screens.handlers << [](QDialog* d) {
            d->findChild<QPushButton*>("btnCerca")->click();
            open(d, 0);
        };
        openSearch("TfrmTrovaTariffario", keyword, &caller);
        auto value = [&](const char* name) { return caller.findChild<QLineEdit*>(name)->text(); };
        QCOMPARE(value("txtID"), QString("S1"));
        QCOMPARE(value("txtTipologia"), QString("Consulenza"));
        QCOMPARE(value("txtTariffa"), rate);
        QCOMPARE(value("txtPagamento"), QString("Bonifico"));
        QCOMPARE(value("txtNote"), QString("prima"));
        QCOMPARE(position(), QString("1"));
    }

    void exportHasSeventeenColumnsAndTheFlag() {
        fillRequired("S1");
        edit("txtCopia")->setText("modulo.pdf");
        flag()->setChecked(true);
        command("cmdSalva");
        command("cmdNuovo");
        fillRequired("S2 & <b>");
        command("cmdSalva");
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Esporta tariffario servizi in Microsoft Excel"));
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        command("cmdEsporta");
        const QByteArray xls = caltest::readAll(programFile("Tariffario.xls"));
        QVERIFY(xls.contains("<x:Name>Tariffario Servizi</x:Name>"));
        QCOMPARE(xls.count("<td"), 17 * 3);  // header and two rows
        QVERIFY(xls.contains("Modalit\xE0 pagamento"));
        QVERIFY(xls.contains(">S\xEC<"));
        QVERIFY(xls.contains(">No<"));
        QVERIFY(xls.contains("S2 &amp; &lt;b&gt;"));
        QVERIFY(!xls.contains("modulo.pdf"));
    }

    void cardPrintsThroughItsPrintScreen() {
        fillRequired("S1");
        edit("txtEmail")->setText("addetto@studio.it");
        edit("txtCopia")->setText("modulo.pdf");
        // Annulla prints nothing; Stampa prints the card of what the screen shows, saved or not.
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Stampa scheda"));
            d->findChild<QPushButton*>("btnAnnulla")->click();
        };
        command("cmdStampa");
        QVERIFY(fakes->printing.printed.isEmpty());
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); };
        command("cmdStampa");
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmStampaTariffa", "TfrmStampaTariffa"}));
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& card = fakes->printing.printed.first();
        QCOMPARE(card.orientation(), Report::Orientation::Portrait);
        QCOMPARE(card.text("txtID"), QString("S1"));
        QCOMPARE(card.text("txtEmail"), QString("addetto@studio.it"));
        QCOMPARE(card.text("txtOrdinaria"), QString("0,00"));
        QVERIFY(card.text("txtCalce").startsWith("Stampa eseguita in data "));
        QVERIFY(!card.hasField("txtCopia"));
        QVERIFY(!card.hasField("chkTarScontata"));
        QStringList printed;
        for (const Report::Page& page : card.pages())
            for (const Report::Item& item : page.items) printed << item.text;
        QVERIFY(printed.contains("SCHEDA TARIFFA SERVIZIO"));
        QVERIFY(printed.contains("Indirizzo e-mail:"));
        QVERIFY(printed.contains("Tempi occorrenti:"));
        QVERIFY(!QFile::exists(programFile("Tariffario.pro")));
    }
};

CAL_WIDGET_TEST_MAIN(TestPriceList)
#include "tst_pricelist.moc"
