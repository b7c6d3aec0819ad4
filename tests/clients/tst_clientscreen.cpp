// The client screen on the archive screen protocol: navigation, save, duplicate, required
// field, typing rules, the card and the access failures, checked down to the file's bytes.
#include "clients/ClientLayout.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "report/Report.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/FullDisk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {
const QString kAccess = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

class TestClientScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmClienti> screen;

    QLineEdit* edit(const char* name) { return screen->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) { return screen->findChild<QComboBox*>(name); }
    QString position() { return screen->findChild<QLabel*>("lblPosizione")->text(); }
    void command(const char* name) {
        auto* b = screen->findChild<QToolButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QByteArray file() { return caltest::readAll(programFile("Contatti.pro")); }
    // Types into a field; QTest types only ASCII, the rest is inserted as typing does.
    void type(const char* name, const QString& text) {
        QLineEdit* e = edit(name);
        e->clear();
        typeInto(e, text);
    }
    static void typeInto(QLineEdit* e, const QString& text) {
        for (QChar c : text) {
            if (c.unicode() < 128) QTest::keyClicks(e, QString(c));
            else e->insert(QString(c));
        }
    }
    // Writes records straight into the file.
    void writeClients(const QStringList& names) {
        RecordFile f;
        QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const QString& n : names) {
            Record r(kClientLayout);
            r.setText(ClientField::Cliente, n);
            r.setText(ClientField::Ricontatta, n.endsWith('!') ? "xx" : checkText(true));
            r.setText(ClientField::File01, "atto.pdf");
            QVERIFY(f.write(r));
        }
    }
    Kind lastKind() { return fakes->dialogs.messages.last().kind; }
    QString lastText() { return fakes->dialogs.messages.isEmpty() ? QString() : fakes->dialogs.messages.last().text; }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmClienti>();
        QCursor::setPos(4000, 4000);  // the pointer is over the background, not over a command
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void showingClearsTheScreen() {
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Anagrafica Clienti"));
        QCOMPARE(screen->findChild<QLabel*>("panInfo")->text(), QString("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(position(), QString());
        QCOMPARE(QApplication::focusWidget(), edit("txtCliente"));
        QCOMPARE(edit("txtCliente")->maxLength(), 50);
        QCOMPARE(edit("txtCodFisc")->maxLength(), 16);
        // The list as given: AG ... VV, 112 codes (the count announced with it says 110).
        QCOMPARE(combo("txtProvNasc")->count(), 112);
        QCOMPARE(combo("txtProvRes")->itemText(0), QString("AG"));
        QCOMPARE(combo("txtProvRes")->itemText(111), QString("VV"));
    }

    void statusLineFollowsThePointer() {
        auto* panInfo = screen->findChild<QLabel*>("panInfo");
        auto* salva = screen->findChild<QToolButton*>("cmdSalva");
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(salva, &enter);
        QCOMPARE(panInfo->text(), QString("Salva la scheda in archivio."));
        QApplication::sendEvent(salva, &leave);  // back over the background
        QCOMPARE(panInfo->text(), QString());
        auto* chk = screen->findChild<QCheckBox*>("chkRicontatta");
        QApplication::sendEvent(chk, &enter);
        QCOMPARE(panInfo->text(), QString::fromUtf8("Spunta questa casella per indicare che il cliente è da ricontattare per questioni in sospeso."));
        QVERIFY(salva->toolTip().startsWith("Salva la scheda in archivio."));
    }

    void provinceSelectionIsResetOnFocus() {
        QComboBox* prov = combo("txtProvNasc");
        prov->setCurrentIndex(5);
        QCOMPARE(prov->currentText(), QString("AQ"));
        edit("txtComuneNasc")->setFocus();
        prov->setFocus();
        QCOMPARE(prov->currentIndex(), -1);
        QCOMPARE(prov->currentText(), QString("AQ"));  // the text stays, the selection goes
        prov->lineEdit()->clear();
        QTest::keyClicks(prov->lineEdit(), " fc ");
        edit("txtSesso")->setFocus();
        QCOMPARE(prov->currentText(), QString("FC"));
    }

    void emptyArchive() {
        for (const char* cmd : {"cmdPrimo", "cmdUltimo", "cmdIndietro", "cmdAvanti"}) {
            screen->setPosition(7);
            command(cmd);
            QCOMPARE(lastKind(), Kind::Information);
            QCOMPARE(lastText(), QString("L'archivio non contiene nessuna scheda."));
            // Next empties the position; the others leave it.
            QCOMPARE(position(), QString(qstrcmp(cmd, "cmdAvanti") == 0 ? "" : "7"));
        }
        QCOMPARE(file().size(), 0);  // the missing file was created empty
    }

    void saveAppendsThenOverwrites() {
        type("txtCliente", "  Rossi Mario  ");
        type("txtComuneRes", QString::fromUtf8("Forlì"));
        command("cmdSalva");
        QCOMPARE(lastKind(), Kind::Information);
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(position(), QString("1"));
        QByteArray bytes = file();
        QCOMPARE(bytes.size(), 3482);
        QCOMPARE(bytes.left(12), QByteArray("\x0bRossi Mario"));         // trimmed
        QCOMPARE(bytes.mid(243, 6), QByteArray("\x05" "Forl\xEC"));
        QCOMPARE(bytes.mid(1973, 3), QByteArray("\x02No"));

        type("txtCliente", "Rossi Maria");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(position(), QString("1"));
        bytes = file();
        QCOMPARE(bytes.size(), 3482);  // overwritten, not appended
        QCOMPARE(bytes.left(12), QByteArray("\x0bRossi Maria"));
    }

    void requiredNameOnly() {
        type("txtCliente", "   ");
        type("txtNote", "solo note");
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(lastKind(), Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome del cliente."));
        QCOMPARE(QApplication::focusWidget(), edit("txtCliente"));
        QVERIFY(!QFile::exists(programFile("Contatti.pro")));
    }

    void oneRecordMoves() {
        writeClients({"Unico"});
        command("cmdPrimo");
        QCOMPARE(position(), QString("1"));
        QCOMPARE(edit("txtCliente")->text(), QString("Unico"));
        command("cmdUltimo");
        QCOMPARE(position(), QString("1"));
        edit("txtCliente")->setText("changed");
        command("cmdAvanti");  // last record: nothing happens
        command("cmdIndietro");  // position 1: nothing happens
        QCOMPARE(edit("txtCliente")->text(), QString("changed"));
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void newThenNextOrPreviousShowsTheFirst() {
        writeClients({"Primo", "Secondo", "Terzo"});
        command("cmdUltimo");
        QCOMPARE(position(), QString("3"));
        command("cmdIndietro");
        QCOMPARE(edit("txtCliente")->text(), QString("Secondo"));
        QCOMPARE(position(), QString("2"));
        command("cmdNuovo");
        QCOMPARE(edit("txtCliente")->text(), QString());
        QCOMPARE(position(), QString());
        command("cmdAvanti");
        QCOMPARE(edit("txtCliente")->text(), QString("Primo"));
        command("cmdNuovo");
        command("cmdIndietro");
        QCOMPARE(edit("txtCliente")->text(), QString("Primo"));
        QCOMPARE(position(), QString("1"));
        command("cmdAvanti");
        command("cmdAvanti");
        QCOMPARE(edit("txtCliente")->text(), QString("Terzo"));
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void checkBoxFollowsYesAndNoOnly() {
        writeClients({"Spuntato", "Guasto!"});
        auto* chk = screen->findChild<QCheckBox*>("chkRicontatta");
        command("cmdPrimo");
        QVERIFY(chk->isChecked());
        command("cmdAvanti");  // neither "Sì" nor "No": the box keeps its state
        QVERIFY(chk->isChecked());
        command("cmdNuovo");
        QVERIFY(!chk->isChecked());
        command("cmdUltimo");
        QVERIFY(!chk->isChecked());
    }

    void duplicate() {
        command("cmdDuplica");
        QCOMPARE(lastKind(), Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio."));

        writeClients({"Originale"});
        command("cmdPrimo");
        screen->findChild<QCheckBox*>("chkRicontatta")->setChecked(true);
        QCOMPARE(screen->findChild<QLabel*>("lblFile01")->text(), QString("atto.pdf"));
        command("cmdDuplica");
        QCOMPARE(lastKind(), Kind::Information);
        QCOMPARE(lastText(), QString("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                                     "Al termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(position(), QString());
        QCOMPARE(screen->findChild<QLabel*>("lblFile01")->text(), QString());
        QCOMPARE(edit("txtCliente")->text(), QString("Originale"));
        QVERIFY(screen->findChild<QCheckBox*>("chkRicontatta")->isChecked());
        command("cmdSalva");
        QCOMPARE(position(), QString("2"));
        const QByteArray bytes = file();
        QCOMPARE(bytes.size(), 2 * 3482);
        QCOMPARE(bytes.mid(3482 + 1976, 1), QByteArray("\x00", 1));  // no attachment in the copy
        QCOMPARE(bytes.mid(3482 + 1973, 3), QByteArray("\x02S\xEC"));
    }

    void typingRules() {
        QTest::keyClicks(edit("txtCarta"), "12ab3-4");
        QCOMPARE(edit("txtCarta")->text(), QString("1234"));
        QTest::keyClick(edit("txtCarta"), Qt::Key_Left);
        QTest::keyClick(edit("txtCarta"), Qt::Key_Backspace);
        QTest::keyClick(edit("txtCarta"), Qt::Key_Delete);
        QCOMPARE(edit("txtCarta")->text(), QString("12"));
        QTest::keyClicks(edit("txtPartitaIva"), "IT0123x");
        QCOMPARE(edit("txtPartitaIva")->text(), QString("0123"));
        typeInto(edit("txtCodFisc"), QString::fromUtf8(" rssmrà85 "));
        QCOMPARE(edit("txtCodFisc")->text(), QString::fromUtf8("RSSMRà85"));
        QTest::keyClicks(edit("txtIban"), " it60 x");  // a blank is trimmed as soon as it is typed
        QCOMPARE(edit("txtIban")->text(), QString("IT60X"));
        QTest::keyClicks(edit("txtCapRes"), "ab1");
        QCOMPARE(edit("txtCapRes")->text(), QString("AB1"));
        QTest::keyClicks(edit("txtEmail"), " a@b.it ");
        QCOMPARE(edit("txtEmail")->text(), QString("a@b.it"));
        QTest::keyClicks(combo("txtProvRes")->lineEdit(), " rm ");
        QCOMPARE(combo("txtProvRes")->currentText(), QString("RM"));
    }

    void enterMovesAlongTheRecordAndWraps() {
        edit("txtCliente")->setFocus();
        QTest::keyClick(edit("txtCliente"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit("txtDataNasc"));
        edit("txtNote")->setFocus();
        QTest::keyClick(edit("txtNote"), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), edit("txtCliente"));
        QTest::keyClick(edit("txtSesso"), Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() == edit("txtRecapito"));
        QVERIFY(fakes->dialogs.messages.isEmpty());  // Enter never saves
        QVERIFY(!QFile::exists(programFile("Contatti.pro")));
    }

    void keyboardShortcuts() {
        writeClients({"Primo", "Secondo"});
        QTest::keyClick(edit("txtCliente"), Qt::Key_PageDown, Qt::ControlModifier);  // last
        QCOMPARE(position(), QString("2"));
        QTest::keyClick(edit("txtCliente"), Qt::Key_PageUp);  // previous
        QCOMPARE(edit("txtCliente")->text(), QString("Primo"));
        QTest::keyClick(edit("txtNote"), Qt::Key_PageDown);  // next
        QCOMPARE(edit("txtCliente")->text(), QString("Secondo"));
        QTest::keyClick(edit("txtNote"), Qt::Key_PageUp, Qt::ControlModifier);  // first
        QCOMPARE(position(), QString("1"));
        QTest::keyClick(edit("txtCliente"), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(position(), QString());
        type("txtCliente", "Terzo");
        QTest::keyClick(edit("txtCliente"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(position(), QString("3"));
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
    }

    void readOnlyFolderGivesTheAccessMessageEverywhere() {
        writeClients({"Uno"});
        CAL_READ_ONLY(guard, programFile("Contatti.pro"));
        type("txtCliente", "Nuovo");
        for (const char* cmd : {"cmdSalva", "cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            fakes->dialogs.messages.clear();
            command(cmd);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(lastKind(), Kind::Error);
            QCOMPARE(lastText(), kAccess);
        }
        QCOMPARE(edit("txtCliente")->text(), QString("Nuovo"));
        QCOMPARE(position(), QString());
        screen->setPosition(1);
        fakes->dialogs.messages.clear();
        command("cmdDuplica");
        QCOMPARE(lastText(), kAccess);
    }

    void readOnlyProgramFolderWithoutArchive() {
        CAL_READ_ONLY(guard, folder->path());
        type("txtCliente", "Nuovo");
        for (const char* cmd : {"cmdSalva", "cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            fakes->dialogs.messages.clear();
            command(cmd);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(lastKind(), Kind::Error);
            QCOMPARE(lastText(), kAccess);
        }
        QVERIFY(!QFile::exists(programFile("Contatti.pro")));
        QCOMPARE(edit("txtCliente")->text(), QString("Nuovo"));
    }

    void cardRowsForPrintAndPdf() {
        type("txtCliente", "Rossi Mario");
        combo("txtProvNasc")->setEditText("RM");
        type("txtComuneNasc", "Roma");
        type("txtCarta", "4111");
        type("txtScadeCarta", "12/30");
        type("txtEnteRil", "Comune");
        type("txtDataRil", "01/01/2020");
        const Report print = screen->card(CardUse::Print);
        const Report pdf = screen->card(CardUse::Pdf);
        QCOMPARE(print.text("txtTitolo"), QString("SCHEDA ANAGRAFICA"));
        QCOMPARE(pdf.text("TXTTITOLO"), QString("SCHEDA ANAGRAFICA CLIENTE"));
        QCOMPARE(print.text("titCampo20"), QString("Prodotti o servizi richiesti:"));
        QCOMPARE(pdf.text("titCampo20"), QString("Servizi abitualmente richiesti:"));
        QCOMPARE(print.text("txtCampo01"), QString("Rossi Mario"));
        QCOMPARE(print.text("txtCampo03"), QString("Roma RM"));
        QCOMPARE(print.text("txtCampo16"), QString("N. 4111  -  Scadenza: 12/30"));
        QCOMPARE(print.text("txtCampo19"), QString("Comune  -  Data rilascio: 01/01/2020"));
        QCOMPARE(print.text("titCampo24"), QString("Note:"));
        QVERIFY(print.text("txtCalce").startsWith("Stampa eseguita in data " + QDate::currentDate().toString("dd/MM/yyyy") + " alle ore "));

        command("cmdAnteprima");
        command("cmdStampa");
        QCOMPARE(fakes->printing.previewed.size(), 1);
        QCOMPARE(fakes->printing.printed.size(), 1);
        QCOMPARE(fakes->printing.printed[0].text("txtTitolo"), QString("SCHEDA ANAGRAFICA"));
    }

    void pdfIsWrittenAndOpenedUnlessNo() {
        type("txtCliente", "Rossi Mario");
        fakes->dialogs.answers = {false};
        command("cmdPDF");
        QVERIFY(QFile::exists(programFile("Contatto.pdf")));
        QCOMPARE(fakes->dialogs.questions.last(),
                 QString::fromUtf8("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\nSi vuole aprire il file?"));
        QVERIFY(fakes->shell.opened.isEmpty());
        fakes->dialogs.answers = {true};
        command("cmdPDF");  // replaces the first file without a question
        QCOMPARE(fakes->dialogs.questions.size(), 2);
        QCOMPARE(fakes->shell.opened, QStringList{programFile("Contatto.pdf")});

        QProcess text;
        text.start("pdftotext", {"-layout", programFile("Contatto.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pdf = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(pdf.contains("SCHEDA ANAGRAFICA CLIENTE"));
        QVERIFY(pdf.contains("Servizi abitualmente richiesti:"));
        QVERIFY(!pdf.contains("Prodotti o servizi richiesti:"));
        for (const char* caption : {"Cognome e nome:", "Data di nascita:", "Comune di nascita:", "Sesso:",
                                    "Telefono preferenziale:", "Indirizzo di residenza:", "Comune di residenza:",
                                    "Modalità pagamento:", "Tel. casa:", "Tel. ufficio:", "Tel. cellulare:", "PEC:",
                                    "E-mail:", "Codice fiscale:", "Partita IVA:", "Carta di credito:", "IBAN:",
                                    "Tipo e numero documento:", "Ente di rilascio:", "Tariffa applicata:", "Tessera n.",
                                    "Questioni in sospeso:", "Note:"})
            QVERIFY2(pdf.contains(QString::fromUtf8(caption)), caption);
        QVERIFY(pdf.contains("Rossi Mario"));
        QProcess info;
        info.start("pdfinfo", {programFile("Contatto.pdf")});
        QVERIFY(info.waitForFinished(30000));
        const QString meta = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY(meta.contains(QRegularExpression("Title:\\s+Scheda informativa")));
        QVERIFY(meta.contains(QRegularExpression("Subject:\\s+Scheda informativa")));
        QVERIFY(!QFile::exists(programFile("Contatti.pro")));  // printing saves nothing
    }

    void pdfOnAFullDiskIsTheWritingErrorAndKeepsTheOldFile() {
        QVERIFY(caltest::writeAll(programFile("Contatto.pdf"), "an older card"));
        type("txtCliente", "Rossi Mario");
        {
            CAL_FULL_DISK(full);
            command("cmdPDF");
        }
        QCOMPARE(lastKind(), Kind::Error);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: il sistema non permette di scrivere il file PDF.\n\r\n\r"
                                               "Accertarsi che il file non sia già aperto e di possedere i privilegi di "
                                               "scrittura nella cartella di installazione del programma."));
        QVERIFY(fakes->dialogs.questions.isEmpty());  // no success, no offer to open it
        QCOMPARE(caltest::readAll(programFile("Contatto.pdf")), QByteArray("an older card"));
    }

    void emailOpensOnlyTheAddress_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        QTest::newRow("address") << "rossi@example.it" << "mailto:rossi@example.it";
        QTest::newRow("attachment asked for") << "a@b.it?attach=/etc/passwd" << "mailto:a@b.it";
        QTest::newRow("headers and body") << "a@b.it?subject=x&body=y&cc=c@d.it" << "mailto:a@b.it";
    }
    void emailOpensOnlyTheAddress() {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        type("txtEmail", typed);
        QTest::mouseClick(screen->findChild<QPushButton*>("btnEmail"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, QStringList{target});
    }

    void emailAndFolderCommands() {
        type("txtEmail", "rossi@example.it");
        QTest::mouseClick(screen->findChild<QPushButton*>("btnEmail"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, QStringList{"mailto:rossi@example.it"});
        command("cmdAssocia");
        QCOMPARE(lastKind(), Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: l'associazione di una cartella ad un cliente può avvenire soltanto dopo che la scheda è stata inserita in archivio."));
    }
};

CAL_WIDGET_TEST_MAIN(TestClientScreen)
#include "tst_clientscreen.moc"
