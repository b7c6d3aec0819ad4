// The mail register: what is particular to it (the shared protocol is tested over every
// archive): the automatic number, the office and operator kept in "Sabbiolo.ini", the
// numbering screen, the type options, the period summary and the shared export file.
#include "core/DateText.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "mail/MailSettings.h"
#include "mail/MailTables.h"
#include "mail/TfrmProtocollo.h"
#include "report/Report.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace MailField;

namespace {

struct Mail {
    QString number, type, date;
};

// An INI reader of the test's own, independent of the program's: the value of `key` in the
// first `[section]`, names compared without regard to case.
QString iniValue(const QByteArray& bytes, const QString& section, const QString& key) {
    QString current;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const QString text = QString::fromLatin1(line);
        if (text.startsWith(u'[') && text.endsWith(u']')) {
            current = text.mid(1, text.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = text.indexOf(u'=');
        if (eq > 0 && current.compare(section, Qt::CaseInsensitive) == 0 &&
            text.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return text.mid(eq + 1).trimmed();
    }
    return {};
}

}  // namespace

class TestMail : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmProtocollo> screen;

    QString yearFile() const { return folder->path("2024.prt"); }
    QString iniPath() const { return folder->path("Sabbiolo.ini"); }
    void open() {
        screen = std::make_unique<TfrmProtocollo>();
        screen->setFilePath(yearFile());
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    QLineEdit* edit(QWidget* parent, const char* name) {
        auto* e = parent->findChild<QLineEdit*>(name);
        if (!e) qFatal("no %s", name);
        return e;
    }
    QLineEdit* edit(const char* name) { return edit(screen.get(), name); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void writeMail(const QList<Mail>& mails) {
        RecordFile f;
        QVERIFY(f.open(yearFile(), kMailLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const Mail& m : mails) {
            Record r(kMailLayout);
            r.setText(Numero, m.number);
            r.setText(Tipo, m.type);
            r.setText(DataReg, m.date);
            r.setText(Oggetto, QStringLiteral("Oggetto ") + m.number);
            r.setText(Ufficio, QStringLiteral("Segreteria"));
            QVERIFY(f.write(r));
        }
        QVERIFY(f.close());
    }
    // Runs the period summary with these dates; `then` acts on the open screen.
    void summary(const QString& from, const QString& to, std::function<void(QDialog*)> then) {
        fakes->screens.handlers << [&, then](QDialog* d) {
            edit(d, "txtDataInizio")->setText(from);
            edit(d, "txtDataFine")->setText(to);
            caltest::command(d, "cmdTrova");
            then(d);
        };
        command("cmdRiepilogo");
    }
    static QList<QStringList> gridRows(QDialog* d) { return static_cast<ExportScreen*>(d)->model()->rows(); }

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

    void newProposesTheNextNumber_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("start");  // lblInizio: the first number as read
        const QString year = QString::number(QDate::currentDate().year());
        QTest::newRow("no settings, empty year") << QByteArray() << 0 << "1" << "1";
        QTest::newRow("keys missing") << QByteArray("[Numerazione Protocollo]\r\n") << 2 << "3" << "1";
        QTest::newRow("start 50 with the year")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=50\r\nIndicazione Anno Solare=S\xEC\r\n") << 4
            << "54/" + year << "50";
        QTest::newRow("start 100, no year")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=No\r\n") << 0 << "100" << "100";
        QTest::newRow("leading zeros") << QByteArray("[numerazione protocollo]\r\ninizio=007\r\n") << 1 << "8" << "007";
    }
    void newProposesTheNextNumber() {
        QFETCH(QByteArray, ini);
        QFETCH(int, records);
        QFETCH(QString, number);
        QFETCH(QString, start);
        if (!ini.isEmpty()) QVERIFY(caltest::writeAll(iniPath(), ini));
        for (int i = 0; i < records; ++i) writeMail({{QString::number(i + 1), "Interna", "01/03/2024"}});
        open();
        edit("txtUfficio")->setText("Protocollo");
        edit("txtOperatore")->setText("Rossi");
        edit("txtOggetto")->setText("da cancellare");
        // Pressed twice without saving: the same number both times.
        for (int i = 0; i < 2; ++i) {
            command("cmdNuovo");
            QVERIFY(fakes->dialogs.messages.isEmpty());
            QCOMPARE(edit("txtNumero")->text(), number);
            QCOMPARE(edit("txtDataReg")->text(), todayText());
            QCOMPARE(edit("txtOggetto")->text(), QString());
            QCOMPARE(edit("txtUfficio")->text(), QString("Protocollo"));
            QCOMPARE(edit("txtOperatore")->text(), QString("Rossi"));
            QCOMPARE(screen->findChild<QLabel*>("lblPosizione")->text(), QString());
            QCOMPARE(QApplication::focusWidget(), edit("txtCategoria"));
        }
        QCOMPARE(screen->findChild<QLabel*>("lblInizio")->text(), start);
        QCOMPARE(screen->findChild<QLabel*>("lblSolare")->text(), number.contains('/') ? QString::fromUtf8("Sì") : QString("No"));
        QCOMPARE(QFileInfo(yearFile()).size(), qint64(records) * kMailLayout.size());
    }

    void savedNumberCountsForTheNext() {
        open();
        command("cmdNuovo");
        QCOMPARE(edit("txtNumero")->text(), QString("1"));
        edit("txtCategoria")->setText("Fatture");
        edit("txtOggetto")->setText("Fattura marzo");
        // The number typed by hand is stored as typed.
        edit("txtNumero")->setText("1 bis");
        screen->findChild<QRadioButton*>("optUscita")->setChecked(true);
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        Record r(kMailLayout);
        r.bytes() = caltest::readAll(yearFile());
        QCOMPARE(r.text(Numero), QString("1 bis"));
        QCOMPARE(r.text(Tipo), QString("In uscita"));
        command("cmdNuovo");
        QCOMPARE(edit("txtNumero")->text(), QString("2"));
        QVERIFY(!screen->findChild<QRadioButton*>("optUscita")->isChecked());
        // Loading shows the stored type; a text that is none of the three selects no option.
        command("cmdPrimo");
        QVERIFY(screen->findChild<QRadioButton*>("optUscita")->isChecked());
    }

    // Registrations stored by another copy of the program between "Nuovo" and "Salva": the
    // proposed number is stored unless one of them took it; then the next free one, and the
    // user is told both. A number typed by hand, or a file that did not change, is stored as it is.
    void numberTakenMeanwhile_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("before");     // numbers in the year file at "Nuovo"
        QTest::addColumn<QStringList>("meanwhile");  // numbers another copy stored after it
        QTest::addColumn<QString>("typed");          // typed over the proposed number, if not empty
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("stored");
        const QString y = QString::number(QDate::currentDate().year());
        const QByteArray withYear = "[Numerazione Protocollo]\r\nInizio=50\r\nIndicazione Anno Solare=S\xEC\r\n";
        QTest::newRow("taken") << QByteArray() << QStringList{"1", "2"} << QStringList{"3"} << "" << "3" << "4";
        QTest::newRow("taken twice over") << QByteArray() << QStringList{"1"} << QStringList{"2", "3", "4"} << ""
                                          << "2" << "5";
        QTest::newRow("with the year") << withYear << QStringList{"50/" + y} << QStringList{"51/" + y, "52/" + y}
                                       << "" << "51/" + y << "53/" + y;
        QTest::newRow("taken with another ending") << QByteArray() << QStringList{"1"} << QStringList{"2/2019"} << ""
                                                   << "2" << "3";
        QTest::newRow("next one free in a gap") << QByteArray() << QStringList{"1"} << QStringList{"2", "4"} << ""
                                                << "2" << "3";
        QTest::newRow("added but not taken") << QByteArray() << QStringList{"1"} << QStringList{"7 bis"} << ""
                                             << "2" << "2";
        QTest::newRow("nothing added") << QByteArray() << QStringList{"1", "2 bis", "2"} << QStringList{} << ""
                                       << "4" << "4";
        QTest::newRow("typed by hand") << QByteArray() << QStringList{"1", "2"} << QStringList{"3"} << "2" << "3" << "2";
    }
    void numberTakenMeanwhile() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, before);
        QFETCH(QStringList, meanwhile);
        QFETCH(QString, typed);
        QFETCH(QString, proposed);
        QFETCH(QString, stored);
        if (!ini.isEmpty()) QVERIFY(caltest::writeAll(iniPath(), ini));
        for (const QString& n : before) writeMail({{n, "Interna", "01/03/2024"}});
        open();
        command("cmdNuovo");
        QCOMPARE(edit("txtNumero")->text(), proposed);
        for (const QString& n : meanwhile) writeMail({{n, "Interna", "01/03/2024"}});
        if (!typed.isEmpty()) edit("txtNumero")->setText(typed);
        edit("txtCategoria")->setText("Fatture");
        edit("txtOggetto")->setText("Fattura marzo");
        screen->findChild<QRadioButton*>("optEntrata")->setChecked(true);
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Information);
        const QString shown = typed.isEmpty() ? proposed : typed;
        QCOMPARE(lastText(), stored == shown ? QString::fromUtf8("La scheda corrente è stata inserita in archivio.")
                                             : QString::fromUtf8("Il numero di protocollo %1 è stato assegnato nel "
                                                                 "frattempo da un'altra postazione.\n\r\n\rLa scheda "
                                                                 "corrente è stata inserita in archivio con il numero "
                                                                 "di protocollo %2.").arg(shown, stored));
        // The screen shows the registration as stored, at the end of the file.
        const qint64 count = before.size() + meanwhile.size() + 1;
        QCOMPARE(edit("txtNumero")->text(), stored);
        QCOMPARE(screen->findChild<QLabel*>("lblPosizione")->text(), QString::number(count));
        const QByteArray file = caltest::readAll(yearFile());
        QCOMPARE(file.size(), count * kMailLayout.size());
        Record r(kMailLayout);
        r.bytes() = file.right(kMailLayout.size());
        QCOMPARE(r.text(Numero), stored);
        QCOMPARE(r.text(Oggetto), QString("Fattura marzo"));
    }

    void unusableNumberingGivesTheAccessMessage() {
        QVERIFY(caltest::writeAll(iniPath(), "[Numerazione Protocollo]\r\nInizio=12a\r\n"));
        open();
        edit("txtOggetto")->setText("resta");
        command("cmdNuovo");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
        QCOMPARE(lastText(), accessFailureMessage());
        QCOMPARE(edit("txtOggetto")->text(), QString("resta"));
    }

    void typeIsRequired() {
        open();
        command("cmdNuovo");
        edit("txtCategoria")->setText("Fatture");
        edit("txtOggetto")->setText("Fattura");
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare la tipologia di "
                                               "posta (in entrata, in uscita o interna)."));
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QRadioButton*>("optEntrata"));
        // "Nuovo" created the year file; nothing was written into it.
        QCOMPARE(QFileInfo(yearFile()).size(), 0);
    }

    void officeAndOperatorKeptAcrossSessions() {
        // A file of the installation: other sections, comments, CR LF; the office key exists.
        const QByteArray before = "; impostazioni\r\n[Altro]\r\nChiave=valore\r\n\r\n[Protocollo Documenti]\r\n"
                                  "Ufficio=Vecchio\r\n; nota\r\n\r\n[Numerazione Protocollo]\r\nInizio=5\r\n";
        QVERIFY(caltest::writeAll(iniPath(), before));
        open();
        QCOMPARE(edit("txtUfficio")->text(), QString("Vecchio"));
        QCOMPARE(edit("txtOperatore")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), edit("txtNumero"));
        QCOMPARE(edit("txtNumero")->text(), QString());
        edit("txtUfficio")->setText("  Segreteria  ");
        edit("txtOperatore")->setText("Bianchi");
        screen->close();
        QVERIFY(fakes->dialogs.messages.isEmpty());
        const QByteArray after = caltest::readAll(iniPath());
        QCOMPARE(after, QByteArray("; impostazioni\r\n[Altro]\r\nChiave=valore\r\n\r\n[Protocollo Documenti]\r\n"
                                   "Ufficio=Segreteria\r\n; nota\r\nOperatore=Bianchi\r\n\r\n"
                                   "[Numerazione Protocollo]\r\nInizio=5\r\n"));
        QCOMPARE(iniValue(after, "Protocollo Documenti", "Ufficio"), QString("Segreteria"));
        QCOMPARE(iniValue(after, "Protocollo Documenti", "Operatore"), QString("Bianchi"));
        QCOMPARE(iniValue(after, "Altro", "Chiave"), QString("valore"));
        const std::optional<MailOffice> read = readMailOffice(programFolder());
        QVERIFY(read);
        QCOMPARE(read->office, QString("Segreteria"));
        QCOMPARE(read->operatorName, QString("Bianchi"));
        // The next showing proposes them, also after "Nuovo".
        open();
        QCOMPARE(edit("txtUfficio")->text(), QString("Segreteria"));
        QCOMPARE(edit("txtOperatore")->text(), QString("Bianchi"));
        command("cmdNuovo");
        QCOMPARE(edit("txtUfficio")->text(), QString("Segreteria"));
        QCOMPARE(edit("txtNumero")->text(), QString("5"));
    }

    void unwritableSettingsAreReported() {
        open();
        edit("txtUfficio")->setText("Segreteria");
        CAL_READ_ONLY(guard, folder->path());
        screen->close();
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QVERIFY(lastText().contains("Sabbiolo.ini"));
        QVERIFY(!QFile::exists(iniPath()));
    }

    void numberingScreen_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("year");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("empty settings") << QByteArray() << "1" << false << "" << "1";
        QTest::newRow("leading zeros")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=20\r\nIndicazione Anno Solare=S\xEC\r\n") << "20" << true
            << "007" << "7";
    }
    void numberingScreen() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, shown);
        QFETCH(bool, year);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        if (!ini.isEmpty()) QVERIFY(caltest::writeAll(iniPath(), ini));
        open();
        // "Annulla" writes nothing.
        const QByteArray before = caltest::readAll(iniPath());
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmNumerazione"));
            QCOMPARE(d->windowTitle(), QString(" Impostazione inizio numerazione"));
            QCOMPARE(edit(d, "txtInizio")->text(), shown);
            QCOMPARE(d->findChild<QCheckBox*>("chkTipo")->isChecked(), year);
            edit(d, "txtInizio")->setText("999");
            d->findChild<QPushButton*>("btnAnnulla")->click();
        };
        command("cmdNumerazione");
        QCOMPARE(caltest::readAll(iniPath()), before);
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(QApplication::focusWidget(), edit(d, "txtInizio"));
            edit(d, "txtInizio")->setText(typed);
            d->findChild<QCheckBox*>("chkTipo")->setChecked(!year);
            d->findChild<QPushButton*>("btnApplica")->click();
            QVERIFY(!d->isVisible());
        };
        command("cmdNumerazione");
        const std::optional<MailNumbering> read = readMailNumbering(programFolder());
        QVERIFY(read);
        QCOMPARE(read->start, written);
        QCOMPARE(read->withYear, !year);
        QCOMPARE(iniValue(caltest::readAll(iniPath()), "Numerazione Protocollo", "Indicazione Anno Solare"),
                 QString::fromLatin1(!year ? "S\xEC" : "No"));
    }

    void numberingScreenOtherKeywordTouchesNothing() {
        TfrmNumerazione screen;
        screen.setKeyword("altro");
        screen.show();
        QCOMPARE(edit(&screen, "txtInizio")->text(), QString("1"));
        screen.findChild<QPushButton*>("btnApplica")->click();
        QVERIFY(!QFile::exists(iniPath()));
    }

    void summaryRefusesBadDates_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString nl = QStringLiteral("\n\r\n\r");
        QTest::newRow("no start") << " " << "01/03/2024" << int(Kind::Warning)
                                  << QString::fromUtf8("Attenzione: per visualizzare il riepilogo è necessario indicare la data di inizio intervallo.")
                                  << "txtDataInizio";
        QTest::newRow("no end") << "01/03/2024" << "" << int(Kind::Warning)
                                << QString::fromUtf8("Attenzione: per visualizzare il riepilogo è necessario indicare la data di fine intervallo.")
                                << "txtDataFine";
        QTest::newRow("start does not exist")
            << "31/02/2024" << "01/03/2024" << int(Kind::Plain)
            << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste." + nl +
                   "Per poter visualizzare il riepilogo è necessario indicare una data valida."
            << "txtDataInizio";
        QTest::newRow("end does not exist")
            << "01/03/2024" << "1/3/2024" << int(Kind::Plain)
            << "Attenzione: la data 1/3/2024 di fine intervallo non esiste." + nl +
                   "Per poter visualizzare il riepilogo è necessario indicare una data valida."
            << "txtDataFine";
        QTest::newRow("end before start")
            << "10/03/2024" << "01/03/2024" << int(Kind::Plain)
            << QString::fromUtf8("Attenzione: la data di fine intervallo (01/03/2024) non può essere anteriore a quella "
                                 "di inizio intervallo (10/03/2024).") + nl +
                   "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido."
            << "";
    }
    void summaryRefusesBadDates() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        writeMail({{"1", "Interna", "01/03/2024"}});
        open();
        summary(from, to, [&](QDialog* d) {
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(int(fakes->dialogs.messages.last().kind), kind);
            QCOMPARE(lastText(), message);
            if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget(), edit(d, qPrintable(focus)));
            // The grid keeps its ten empty rows.
            QCOMPARE(gridRows(d).size(), 10);
            QVERIFY(gridRows(d).first().join("").isEmpty());
        });
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmRiepProtocollo"});
    }

    void summaryListsThePeriodInFileOrder() {
        writeMail({{"1", "In entrata", "01/03/2024"},
                   {"2", "In uscita", "29/02/2024"},
                   {"3", "Interna", "01/03/2024"},
                   {"4", "In uscita", "02/03/2024"},
                   {"5", "Interna", "non è una data"},
                   {"6", "Interna", "01/03/2024"}});
        open();
        summary("", "", [&](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Riepilogo protocollo per intervallo di tempo"));
            QCOMPARE(d->findChild<QLabel*>("panInfo")->text(),
                     QString("Riepilogo documenti protocollati in un intervallo di tempo."));
            fakes->dialogs.messages.clear();
            edit(d, "txtDataInizio")->setText("01/03/2024");
            edit(d, "txtDataFine")->setText("01/03/2024");
            caltest::command(d, "cmdTrova");
            // Both bounds included; the registration whose date cannot be read is left out and
            // said so, and the ones after it are still read.
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages.last().kind, Dialogs::Kind::Plain);
            QCOMPARE(lastText(), QString::fromUtf8("Attenzione: una scheda dell'archivio ha una data di registrazione "
                                                   "non leggibile e non è compresa nel riepilogo."));
            QCOMPARE(gridRows(d).size(), 3);
            QCOMPARE(gridRows(d)[0].size(), 18);
            QCOMPARE(gridRows(d)[0].mid(0, 4), (QStringList{"1", "In entrata", "01/03/2024", "Segreteria"}));
            QCOMPARE(gridRows(d)[1].first(), QString("3"));
            QCOMPARE(gridRows(d)[2].first(), QString("6"));
            auto* grid = d->findChild<QTableView*>("grdRecords");
            QCOMPARE(grid->model()->index(1, 0).data().toString(), QString("2"));
            // A period without registrations: no rows, and the export writes the header only.
            edit(d, "txtDataInizio")->setText("01/01/2024");
            edit(d, "txtDataFine")->setText("31/01/2024");
            caltest::command(d, "cmdTrova");
            QCOMPARE(gridRows(d).size(), 0);
            caltest::command(d, "cmdEsporta");
        });
        const QByteArray header =
            spreadsheetBytes(QStringLiteral("Protocollo Documenti"), kMailExportColumns, QList<QStringList>{});
        QCOMPARE(caltest::readAll(programFile("Protocollo.xls")), header);
    }

    void summaryShownWithTodayAndEmptyYearKeepsTheGrid() {
        open();
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(edit(d, "txtDataInizio")->text(), QString());
            QCOMPARE(edit(d, "txtDataFine")->text(), todayText());
            QCOMPARE(QApplication::focusWidget(), edit(d, "txtDataInizio"));
            edit(d, "txtDataInizio")->setText("01/01/2024");
            caltest::command(d, "cmdTrova");
            QCOMPARE(gridRows(d).size(), 10);
            QVERIFY(fakes->dialogs.messages.isEmpty());
        };
        command("cmdRiepilogo");
        // The year file is created empty.
        QVERIFY(QFile::exists(yearFile()));
        QCOMPARE(QFileInfo(yearFile()).size(), 0);
    }

    void exportAndSummaryShareTheFile() {
        writeMail({{"1", "In entrata", "01/03/2024"}, {"2", "Interna", "05/03/2024"}});
        open();
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmExpProtocollo"));
            QCOMPARE(gridRows(d).size(), 2);
            caltest::command(d, "cmdEsporta");
        };
        command("cmdEsporta");
        const QByteArray whole = caltest::readAll(programFile("Protocollo.xls"));
        QVERIFY(whole.contains("Protocollo Posta"));
        summary("05/03/2024", "31/03/2024", [&](QDialog* d) {
            QCOMPARE(gridRows(d).size(), 1);
            caltest::command(d, "cmdEsporta");
        });
        const QByteArray period = caltest::readAll(programFile("Protocollo.xls"));
        QVERIFY(period.contains("Protocollo Documenti"));
        QVERIFY(!period.contains("Protocollo Posta"));
        QVERIFY(!period.contains("Oggetto 1"));
        QVERIFY(period.contains("Oggetto 2"));
    }

    void searchByType_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("outgoing") << "In uscita" << QStringList{"2"};
        // All three types contain "in" once case is folded; the lines sort as text, 10 before 9.
        QTest::newRow("every type") << "in" << QStringList{"10", "2", "9"};
    }
    void searchByType() {
        QFETCH(QString, filter);
        QFETCH(QStringList, numbers);
        writeMail({{"9", "In entrata", "01/03/2024"}, {"2", "In uscita", "02/03/2024"}, {"10", "Interna", "03/03/2024"}});
        open();
        QStringList found;
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmTrovaProtocollo"));
            edit(d, "txtTipologia")->setText(filter);
            d->findChild<QPushButton*>("btnCerca")->click();
            for (const QString& line : caltest::listLines(d)) found << line.mid(9, 14).trimmed();
            QCOMPARE(d->findChild<QLabel*>("lblTrovate")->text(),
                     QString("Il presente riepilogo contiene %1 schede.").arg(numbers.size()));
        };
        command("cmdTrova");
        QCOMPARE(found, numbers);
    }

    void searchLineAndCard() {
        writeMail({{"10", "In uscita", "01/03/2024"}});
        open();
        command("cmdPrimo");
        edit("txtMittente")->setText("Comune di Sabbiolo");
        edit("txtDestinatario")->setText("Ufficio tecnico");
        edit("txtFormato")->setText("A4");
        edit("txtPagine")->setText("3");
        const Record r = screen->recordFromScreen();
        QCOMPARE(mailLine(r.bytes().constData()),
                 QString("Prot. n. 10              Data: 01/03/2024  Posta: In uscita   Oggetto 10                           Da: Comune di Sabbiolo        A: Ufficio tecnico"));
        const Report card = screen->card();
        QCOMPARE(card.text("txtFormato"), QString("A4  -  N. pagine: 3"));
        QCOMPARE(card.text("txtNumero"), QString("10"));
    }
};

CAL_WIDGET_TEST_MAIN(TestMail)
#include "tst_mail.moc"
