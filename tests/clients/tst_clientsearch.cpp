// The client search, its picker keywords, the re-contact list and the client export.
#include "clients/ClientLayout.h"
#include "screens/Catalog.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"
#include "testlib/FullDisk.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace ClientField;

namespace {
struct Client {
    QString name, phone, services, town, notes, questions;
    bool recontact = false;
    QString fiscal = {}, email = {}, townOfBirth = {}, provinceOfBirth = {};
};
}  // namespace

class TestClientSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmClienti> clients;

    void write(const QList<Client>& list) {
        RecordFile f;
        QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const Client& c : list) {
            Record r(kClientLayout);
            r.setText(Cliente, c.name);
            r.setText(Recapito, c.phone);
            r.setText(Servizi, c.services);
            r.setText(ComuneRes, c.town);
            r.setText(Note, c.notes);
            r.setText(Questioni, c.questions);
            r.setText(Ricontatta, checkText(c.recontact));
            r.setText(CodFisc, c.fiscal);
            r.setText(Email, c.email);
            r.setText(ComuneNasc, c.townOfBirth);
            r.setText(ProvNasc, c.provinceOfBirth);
            QVERIFY(f.write(r));
        }
    }
    static QListView* list(QDialog* d) { return d->findChild<QListView*>("lstRecords"); }
    static QStringList lines(QDialog* d) { return caltest::listLines(d); }
    static void click(QDialog* d, const char* name) { QTest::mouseClick(d->findChild<QPushButton*>(name), Qt::LeftButton); }
    static void doubleClick(QDialog* d, int row) { caltest::openLine(d, row); }
    // Runs the client search with the filters given (object name -> text), then `then`.
    void search(const QString& keyword, QWidget* caller, const QList<std::pair<const char*, QString>>& filters,
                std::function<void(QDialog*)> then) {
        fakes->screens.handlers << [=](QDialog* d) {
            for (const auto& [name, text] : filters) d->findChild<QLineEdit*>(name)->setText(text);
            click(d, "btnCerca");
            then(d);
        };
        // The client screen itself opens its search with its own keyword.
        openSearch("TfrmTrovaClienti", keyword, caller ? caller : clients.get());
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        clients = std::make_unique<TfrmClienti>();
        clients->show();
    }
    void cleanup() {
        clients.reset();
        fakes.reset();
        folder.reset();
    }

    void searchScreenStartsOnItsFilters() {
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Trova clienti in archivio"));
            QVERIFY(d->findChild<QWidget*>("panAvvio")->isVisible());
            QVERIFY(!d->findChild<QWidget*>("panContainer")->isVisible());
            QVERIFY(!d->findChild<QLabel*>("lblAttendere")->isVisible());
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtCliente"));
            // Enter walks the ten filters and wraps.
            QTest::keyClick(d->findChild<QLineEdit*>("txtNote"), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtCliente"));
            QTest::keyClick(d->findChild<QLineEdit*>("txtCliente"), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtComuneRes"));
            click(d, "btnAnnulla");
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdTrova"), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmTrovaClienti"});
    }

    void filters_data() {
        QTest::addColumn<QString>("filterName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("all empty") << "txtCliente" << "" << QStringList{"Bianchi Anna", QString::fromUtf8("Città Ètta"), "Rossi Mario", "rossini luca"};
        QTest::newRow("capitals") << "txtCliente" << "ROSS" << QStringList{"Rossi Mario", "rossini luca"};
        QTest::newRow("trailing blank") << "txtCliente" << "rossi " << QStringList{"Rossi Mario"};
        QTest::newRow("blanks only") << "txtCliente" << "   " << QStringList{"Bianchi Anna", QString::fromUtf8("Città Ètta"), "Rossi Mario", "rossini luca"};
        QTest::newRow("accent not folded") << "txtCliente" << QString::fromUtf8("ètta") << QStringList{};
        QTest::newRow("accent typed") << "txtCliente" << QString::fromUtf8("Ètta") << QStringList{QString::fromUtf8("Città Ètta")};
        QTest::newRow("no accent typed") << "txtCliente" << "citta" << QStringList{};
        QTest::newRow("notes") << "txtNote" << "VIP" << QStringList{"Bianchi Anna"};
    }
    void filters() {
        QFETCH(QString, filterName);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        write({{"Rossi Mario", "06 123", "consulenza", "Roma", "", ""},
               {"Bianchi Anna", "02 555", "visure", "Milano", "cliente vip", ""},
               {"rossini luca", "", "", "Roma", "", ""},
               {QString::fromUtf8("Città Ètta"), "", "", "", "", ""}});
        QStringList found;
        search("clienti", nullptr, {{filterName.toLatin1().constData(), text}}, [&](QDialog* d) {
            for (const QString& l : lines(d)) found << trimmed(l.left(26));
            QCOMPARE(d->findChild<QLabel*>("lblTrovate")->text(),
                     QString("Il presente riepilogo contiene %1 schede.").arg(names.size()));
            QVERIFY(d->findChild<QWidget*>("panContainer")->isVisible());
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtTrova"));
            QCOMPARE(d->findChild<QLabel*>("lblConta")->text(), QString(trimmed(text).isEmpty() ? "0" : "1"));
            click(d, "btnChiudi");
        });
        QCOMPARE(found, names);  // sorted by line, case ignored
    }

    void twoFiltersMustBothOccur() {
        write({{"Rossi Mario", "", "", "Roma", "", ""}, {"Rossi Paolo", "", "", "Milano", "", ""}});
        QStringList found;
        search("clienti", nullptr, {{"txtCliente", "rossi"}, {"txtComuneRes", "milano"}}, [&](QDialog* d) {
            found = lines(d);
            QCOMPARE(d->findChild<QLabel*>("lblConta")->text(), QString("2"));
            click(d, "btnChiudi");
        });
        QCOMPARE(found.size(), 1);
        QVERIFY(found[0].startsWith("Rossi Paolo"));
    }

    void lineLayout() {
        write({{"Bartolomei Giovanni Battista", "333 1234567", "consulenza fiscale e contabile varia", "Civitavecchia", " note finali ", ""}});
        QString line;
        search("clienti", nullptr, {}, [&](QDialog* d) {
            line = lines(d).value(0);
            click(d, "btnChiudi");
        });
        QCOMPARE(line, QString::fromUtf8("Bartolomei Giovanni Battis  Tel. 333 1234567      Servizi: consulenza fiscale e contabile"
                                         "  Città: Civitavecchia               note finali"));
    }

    void findInList() {
        write({{"Alfa", "", "", "Roma", "", ""}, {"Beta", "", "", "Milano", "", ""}, {"Gamma", "", "", "Roma", "", ""}});
        search("clienti", nullptr, {}, [&](QDialog* d) {
            auto* find = d->findChild<QLineEdit*>("txtTrova");
            QTest::keyClicks(find, "roma");
            QTest::keyClick(find, Qt::Key_Return);  // Enter goes to Trova, it does not press it
            QCOMPARE(QApplication::focusWidget(), d->findChild<QPushButton*>("btnTrova"));
            click(d, "btnTrova");
            QCOMPARE(list(d)->currentIndex().row(), 0);
            click(d, "btnTrova");
            QCOMPARE(list(d)->currentIndex().row(), 2);
            click(d, "btnTrova");  // wraps
            QCOMPARE(list(d)->currentIndex().row(), 0);
            find->setText("MILANO");  // a new text starts from the top
            click(d, "btnTrova");
            QCOMPARE(list(d)->currentIndex().row(), 1);
            find->setText("napoli");
            click(d, "btnTrova");
            QCOMPARE(list(d)->currentIndex().row(), 1);
            QVERIFY(fakes->dialogs.messages.isEmpty());
            click(d, "btnStampa");
            click(d, "btnChiudi");
        });
        QCOMPARE(fakes->printing.printed.size(), 1);
        QCOMPARE(fakes->printing.printed[0].text("txtTitolo"), QString("Riepilogo clienti"));
        QCOMPARE(fakes->printing.printed[0].text("txtRiepilogo").split('\n').size(), 3);
    }

    void findInAnEmptyList() {
        search("clienti", nullptr, {{"txtCliente", "nessuno"}}, [&](QDialog* d) {
            click(d, "btnTrova");
            click(d, "btnChiudi");
        });
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
        QCOMPARE(fakes->dialogs.messages[0].text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void identicalLinesOpenTheirOwnRecords() {
        write({{"Rossi", "1", "", "", "", "", false, "AAA"}, {"Verdi", "", "", "", "", ""},
               {"Rossi", "1", "", "", "", "", false, "BBB"}});
        for (int row : {0, 1}) {
            search("clienti", nullptr, {{"txtCliente", "rossi"}}, [&](QDialog* d) {
                QCOMPARE(lines(d)[0], lines(d)[1]);
                doubleClick(d, row);
                QVERIFY(!d->isVisible());
            });
            QCOMPARE(clients->findChild<QLineEdit*>("txtCodFisc")->text(), QString(row == 0 ? "AAA" : "BBB"));
            QCOMPARE(clients->position(), QString(row == 0 ? "1" : "3"));
        }
    }

    void aCutNameStillOpensItsRecord() {
        write({{"Verdi", "", "", "", "", ""}, {"Bartolomei Giovanni Battista Maria", "", "", "", "", ""}});
        search("clienti", nullptr, {{"txtCliente", "battista"}}, [&](QDialog* d) { doubleClick(d, 0); });
        QCOMPARE(clients->findChild<QLineEdit*>("txtCliente")->text(), QString("Bartolomei Giovanni Battista Maria"));
        QCOMPARE(clients->position(), QString("2"));
    }

    void accessFailureKeepsTheFilterPanel() {
        write({{"Rossi", "", "", "", "", ""}});
        CAL_READ_ONLY(guard, programFile("Contatti.pro"));
        search("clienti", nullptr, {{"txtCliente", "rossi"}}, [&](QDialog* d) {
            QVERIFY(d->findChild<QWidget*>("panAvvio")->isVisible());
            click(d, "btnAnnulla");
        });
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
        QVERIFY(fakes->dialogs.messages[0].text.startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    }

    void pickersCopyTheirFieldsAndNeverTouchTheClientScreen() {
        write({{"Rossi Mario", "06 123", "", "", "", "", false, "RSSMRA85T10A562S", "rossi@example.it"}});
        clients->findChild<QLineEdit*>("txtCliente")->setText("sullo schermo");
        QWidget caller;
        caller.setObjectName("TfrmTariffario");
        for (const char* name : {"txtPersona", "txtCodFisc", "txtRecapito", "txtEmail", "txtCliente"}) {
            auto* e = new QLineEdit(&caller);
            e->setObjectName(name);
        }
        search("tariffario", &caller, {}, [&](QDialog* d) { doubleClick(d, 0); });
        QCOMPARE(caller.findChild<QLineEdit*>("txtPersona")->text(), QString("Rossi Mario"));
        QCOMPARE(caller.findChild<QLineEdit*>("txtCodFisc")->text(), QString("RSSMRA85T10A562S"));
        QCOMPARE(caller.findChild<QLineEdit*>("txtRecapito")->text(), QString("06 123"));
        QCOMPARE(caller.findChild<QLineEdit*>("txtEmail")->text(), QString("rossi@example.it"));
        QCOMPARE(caller.findChild<QLineEdit*>("txtCliente")->text(), QString());

        caller.findChild<QLineEdit*>("txtCodFisc")->clear();
        search("riepilogo", &caller, {}, [&](QDialog* d) { doubleClick(d, 0); });
        QCOMPARE(caller.findChild<QLineEdit*>("txtCliente")->text(), QString("RSSMRA85T10A562S"));  // the fiscal code only
        QCOMPARE(caller.findChild<QLineEdit*>("txtCodFisc")->text(), QString());

        QCOMPARE(clients->findChild<QLineEdit*>("txtCliente")->text(), QString("sullo schermo"));
        QCOMPARE(clients->position(), QString());
    }

    void recontactList() {
        write({{"Rossi", "", "", "", "note", "da chiamare", true}, {"Verdi", "", "", "", "", "", false}});
        QString line;
        auto open = [&] {
            fakes->screens.handlers << [&](QDialog* d) {
                QCOMPARE(d->windowTitle(), QString(" Riepilogo persone da ricontattare"));
                line = lines(d).join('|');
                click(d, "btnChiudi");
            };
            QTest::mouseClick(clients->findChild<QToolButton*>("cmdRicontatta"), Qt::LeftButton);
        };
        open();
        QVERIFY(line.startsWith("Rossi"));
        QVERIFY(line.endsWith("  da chiamare"));  // ends with the open issues, not the notes
        QVERIFY(!line.contains('|'));

        // Clearing the box and saving takes the client off the list.
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdPrimo"), Qt::LeftButton);
        clients->findChild<QCheckBox*>("chkRicontatta")->setChecked(false);
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdSalva"), Qt::LeftButton);
        open();
        QCOMPARE(line, QString());
        // Ticking it brings the client back, and a double click opens it on the client screen.
        clients->findChild<QCheckBox*>("chkRicontatta")->setChecked(true);
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdSalva"), Qt::LeftButton);
        clients->newRecord();
        fakes->screens.handlers << [&](QDialog* d) { doubleClick(d, 0); };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdRicontatta"), Qt::LeftButton);
        QCOMPARE(clients->findChild<QLineEdit*>("txtCliente")->text(), QString("Rossi"));
        QCOMPARE(clients->position(), QString("1"));
    }

    void exportOfAnEmptyArchive() {
        QByteArray bytes;
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>("grdRecords");
            QCOMPARE(grid->model()->rowCount(), 10);
            QCOMPARE(grid->model()->columnCount(), 26);
            QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("N."));
            QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), QString("Comune / Stato estero di nascita"));
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        bytes = caltest::readAll(programFile("Clienti.xls"));
        QVERIFY(bytes.startsWith("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""));
        QVERIFY(bytes.contains("<x:Name>Archivio Clienti</x:Name>"));
        QVERIFY(bytes.contains("<td style=\"text-align: left; font-weight: bold;\" width=250>Comune di nascita</td>"));
        const QByteArray emptyRow = "<tr>" + QByteArray("<td style=\"text-align: left;\"></td>").repeated(25) + "</tr>";
        QVERIFY(bytes.contains("</tr>" + emptyRow.repeated(10) + "</table>"));
        QCOMPARE(bytes.count("<tr>"), 11);
        QCOMPARE(fakes->dialogs.questions.size(), 2);
        QVERIFY(fakes->shell.opened.isEmpty());  // No to the second question
    }

    void exportOfTwoClients() {
        write({{"Rossi & Figli", "06 1", "", "Roma", "", "", false, "", "", "Roma", "RM"},
               {QString::fromUtf8("Città <b>"), "", "", "", "", "", false, "", "", "", ""}});
        fakes->dialogs.answers = {true, true};
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->findChild<QTableView*>("grdRecords")->model()->rowCount(), 2);
            QCOMPARE(d->findChild<QTableView*>("grdRecords")->model()->index(1, 0).data().toString(), QString("2"));
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        const QByteArray bytes = caltest::readAll(programFile("Clienti.xls"));
        QCOMPARE(bytes.count("<tr>"), 3);
        const QByteArray cell = "<td style=\"text-align: left;\">";
        QVERIFY(bytes.contains("<tr>" + cell + "Rossi &amp; Figli</td>" + cell + "</td>" + cell + "Roma RM</td>" + cell + "06 1</td>"));
        QVERIFY(bytes.contains("<tr>" + cell + "Citt\xE0 &lt;b&gt;</td>" + cell + "</td>" + cell + "</td>"));
        QVERIFY(!bytes.contains('\n'));
        QCOMPARE(fakes->shell.opened, QStringList{programFile("Clienti.xls")});
    }

    void exportAnsweredNoWritesNothing() {
        QVERIFY(caltest::writeAll(programFile("Clienti.xls"), "vecchio"));
        fakes->dialogs.answers = {false};
        fakes->screens.handlers << [&](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        QCOMPARE(caltest::readAll(programFile("Clienti.xls")), QByteArray("vecchio"));
        QCOMPARE(fakes->dialogs.questions.size(), 1);
    }

    void exportOnAFullDiskIsTheFailureAndKeepsTheOldFile() {
        QVERIFY(caltest::writeAll(programFile("Clienti.xls"), "vecchio"));
        fakes->dialogs.answers = {true, true};
        fakes->screens.handlers << [&](QDialog* d) {
            {
                CAL_FULL_DISK(full);
                QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            }
            d->reject();
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.texts(), QStringList{kExportFailed});
        QCOMPARE(fakes->dialogs.questions.size(), 1);  // never "terminata con successo"
        QCOMPARE(caltest::readAll(programFile("Clienti.xls")), QByteArray("vecchio"));
        QVERIFY(fakes->shell.opened.isEmpty());
    }

    void exportFailureAndMissingAssociation() {
        {
            CAL_READ_ONLY(guard, folder->path());
            fakes->dialogs.answers = {true};
            fakes->screens.handlers << [&](QDialog* d) {
                QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
                d->reject();
            };
            QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
            QCOMPARE(fakes->dialogs.messages[0].text, kExportFailed);
        }
        // Nothing associated with the type: the folder holding the file is shown instead.
        fakes->dialogs.messages.clear();
        fakes->dialogs.answers = {true, true};
        fakes->shell.result = false;
        fakes->screens.handlers << [&](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        QTest::mouseClick(clients->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, (QStringList{programFile("Clienti.xls"), programFolder()}));
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QVERIFY(fakes->dialogs.messages[0].text.contains("Clienti.xls"));
    }
};

CAL_WIDGET_TEST_MAIN(TestClientSearch)
#include "tst_clientsearch.moc"
