// The deadlines and appointments: what is particular to them (the shared protocol is tested over
// every archive): the year opened from the opening panel, the composed date and its refusals, the
// reminder banners and the alarm, the day, month and imminent lists in date order, the status
// lists, the search and the card.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "core/Codepage.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "deadlines/DeadlineTables.h"
#include "deadlines/TfrmScadenzario.h"
#include "report/Report.h"
#include "screens/ExportScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace DeadlineField;

namespace {

const QString kYesText = QString::fromUtf8("Sì");

struct Deadline {
    QString date;  // dd/mm/yyyy
    QString time = QStringLiteral("09:00");
    QString notice = QStringLiteral("0");
    QString client = QStringLiteral("Rossi Mario");
    QString reason = QStringLiteral("Rata IMU");
    QString toConfirm = QStringLiteral("No");
    QString paid = QStringLiteral("No");
    QString note = {};
};

Record recordOf(const Deadline& d) {
    Record r(kDeadlineLayout);
    const int month = d.date.mid(3, 2).toInt();
    r.setText(Giorno, d.date.left(2));
    r.setText(Mese, deadlineMonths().value(month - 1));
    r.setText(Anno, d.date.mid(6, 4));
    r.setText(Data, d.date);
    r.setText(OreApp, d.time.left(2));
    r.setText(MinutiApp, d.time.mid(3, 2));
    r.setText(Ora, d.time);
    r.setText(Avviso, d.notice);
    r.setText(Cliente, d.client);
    r.setText(Dettagli, d.reason);
    r.setText(Costo, QStringLiteral("10,00"));
    r.setText(DaConfermare, d.toConfirm);
    r.setText(Effettuata, d.paid);
    r.setText(Note, d.note);
    return r;
}

QDate day(const char* text) { return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd/MM/yyyy")); }

// The value of a field in the stored bytes: its length byte, then its text.
QString storedField(const QByteArray& bytes, qsizetype record, int field) {
    const char* base = bytes.constData() + record * kDeadlineLayout.size();
    return fromCp1252(fieldBytes(kDeadlineLayout, base, field));
}

}  // namespace

class TestDeadlines : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmScadenzario> screen;

    template <typename T = QLineEdit>
    T* w(const char* name) {
        T* found = screen->findChild<T*>(name);
        if (!found) qFatal("no %s", name);
        return found;
    }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    QString yearFile(int year) { return deadlineYearFile(folder->path(), year); }
    void write(int year, const QList<Deadline>& deadlines) {
        RecordFile f;
        QVERIFY(f.open(yearFile(year), kDeadlineLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const Deadline& d : deadlines) QVERIFY(f.write(recordOf(d)));
        QVERIFY(f.close());
    }
    void show(QDate today) {
        screen = std::make_unique<TfrmScadenzario>();
        screen->setToday(today);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void openYear(const QString& year) {
        w("txtAnno")->setText(year);
        QTest::mouseClick(w<QPushButton>("btnApri"), Qt::LeftButton);
    }
    void fillRequired(const QString& dayText, const QString& month) {
        w<QComboBox>("txtGiorno")->setCurrentText(dayText);
        w<QComboBox>("txtMese")->setCurrentText(month);
        w("txtAvviso")->setText("3");
        w("txtCliente")->setText("Bianchi Anna");
        w("txtDettagli")->setText("Dichiarazione dei redditi");
    }
    // The grid of the list screen the button opens: its rows, column 0 first.
    QList<QStringList> gridOf(const char* button, QString* screenName = nullptr, bool exportIt = false) {
        QList<QStringList> rows;
        fakes->screens.handlers << [&](QDialog* d) {
            if (screenName) *screenName = d->objectName();
            auto* grid = d->findChild<QTableView*>("grdRecords");
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                QStringList row;
                for (int c = 0; c < grid->model()->columnCount(); ++c)
                    row << grid->model()->index(r, c).data().toString();
                rows << row;
            }
            if (exportIt) QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        QTest::mouseClick(w<QPushButton>(button), Qt::LeftButton);
        return rows;
    }
    // The lines of the list screen a command opens, opening line `open` when it is not -1.
    // The lines of the list screen `cmd` opens (the status lists have no count label).
    QStringList linesOf(const char* cmd, int open = -1) {
        QStringList lines;
        fakes->screens.handlers << [&](QDialog* d) {
            QVERIFY(!d->findChild<QLabel*>("lblTrovate")->isVisible());
            lines = caltest::listLines(d);
            if (open >= 0) caltest::openLine(d, open);
        };
        command(cmd);
        return lines;
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

    void openingPanelAndYear() {
        show(day("15/06/2025"));
        QVERIFY(w<QWidget>("panAvvio")->isVisible());
        QVERIFY(!w<QWidget>("panContainer")->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Scadenze e appuntamenti"));
        QCOMPARE(w("txtAnno")->text(), QString("2025"));
        QCOMPARE(QApplication::focusWidget(), w("txtAnno"));
        // Letters cannot be typed; three digits are refused with the four-digit warning.
        w("txtAnno")->clear();
        QTest::keyClicks(w("txtAnno"), "2a0b2");
        QCOMPARE(w("txtAnno")->text(), QString("202"));
        QTest::mouseClick(w<QPushButton>("btnApri"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QCOMPARE(QApplication::focusWidget(), w("txtAnno"));
        QVERIFY(w<QWidget>("panAvvio")->isVisible());
        // Enter goes to Apri, which opens the year.
        QTest::keyClicks(w("txtAnno"), "3");
        QTest::keyClick(w("txtAnno"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w<QPushButton>("btnApri"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!w<QWidget>("panAvvio")->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Scadenze e appuntamenti anno 2023"));
        QCOMPARE(screen->filePath(), yearFile(2023));
        QCOMPARE(w<QLabel>("lblFile")->text(), yearFile(2023));
        QCOMPARE(w<QLabel>("lblAnno")->text(), QString("2023"));
        QCOMPARE(w<QComboBox>("txtOreApp")->currentText(), QString("00"));
        QCOMPARE(w("txtCosto")->text(), QString("0,00"));
        QCOMPARE(QApplication::focusWidget(), w<QComboBox>("txtGiorno"));
        // Closing goes back to the opening panel and its caption.
        screen->close();
        QVERIFY(w<QWidget>("panAvvio")->isVisibleTo(screen.get()));
        QVERIFY(!w<QWidget>("panContainer")->isVisibleTo(screen.get()));
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Scadenze e appuntamenti"));
    }

    void leapDayAndComposedFields_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("saved");
        QTest::newRow("leap year") << "2024" << true;
        QTest::newRow("common year") << "2023" << false;
    }
    void leapDayAndComposedFields() {
        QFETCH(QString, year);
        QFETCH(bool, saved);
        show(day("15/06/2025"));
        openYear(year);
        fillRequired("29", "Febbraio");
        w<QComboBox>("txtOreApp")->setCurrentText("09");
        w<QComboBox>("txtMinutiApp")->setCurrentText("30");
        w("txtCosto")->clear();
        w<QCheckBox>("chkEffettuata")->setChecked(true);
        command("cmdSalva");
        if (!saved) {
            QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
            QCOMPARE(lastText(), QString::fromUtf8("Attenzione: la data 29/02/2023 non esiste.\n\r\n\r"
                                                   "Per poter salvare la scheda è necessario indicare una data valida."));
            QCOMPARE(QApplication::focusWidget(), w<QComboBox>("txtGiorno"));
            QVERIFY(caltest::readAll(yearFile(2023)).isEmpty());
            return;
        }
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata salvata in archivio."));
        const QByteArray bytes = caltest::readAll(yearFile(2024));
        QCOMPARE(bytes.size(), qsizetype(2318));
        // The composed fields at their offsets: length byte, then the text.
        QCOMPARE(bytes.mid(19, 11), QByteArray("\x0a" "29/02/2024"));
        QCOMPARE(bytes.mid(36, 6), QByteArray("\x05" "09:30"));
        QCOMPARE(bytes.mid(14, 5), QByteArray("\x04" "2024"));
        QCOMPARE(bytes.mid(3, 9), QByteArray("\x08" "Febbraio"));
        QCOMPARE(storedField(bytes, 0, Costo), QString("0,00"));
        QCOMPARE(bytes.mid(2315, 3), QByteArray("\x02" "S\xec", 3));
        QCOMPARE(bytes.mid(2312, 3), QByteArray("\x02" "No", 3));
        QCOMPARE(w<QLabel>("lblData")->text(), QString("29/02/2024"));
        QCOMPARE(w<QLabel>("lblOra")->text(), QString("09:30"));
    }

    // Duplicate keeps all but the date and the time, and a save of the copy appends.
    void duplicateKeepsTheDeadlineButItsDate() {
        show(day("15/06/2025"));
        openYear("2025");
        fillRequired("10", "Marzo");
        w<QComboBox>("txtOreApp")->setCurrentText("15");
        w<QCheckBox>("chkDaConfermare")->setChecked(true);
        command("cmdSalva");
        const QByteArray first = caltest::readAll(yearFile(2025));
        command("cmdDuplica");
        QCOMPARE(w<QComboBox>("txtGiorno")->currentText(), QString());
        QCOMPARE(w<QComboBox>("txtMese")->currentText(), QString());
        QCOMPARE(w<QComboBox>("txtOreApp")->currentText(), QString("00"));
        QCOMPARE(w("txtCliente")->text(), QString("Bianchi Anna"));
        QCOMPARE(w("txtAvviso")->text(), QString("3"));
        QVERIFY(w<QCheckBox>("chkDaConfermare")->isChecked());
        QCOMPARE(QApplication::focusWidget(), w<QComboBox>("txtGiorno"));
        w<QComboBox>("txtGiorno")->setCurrentText("11");
        w<QComboBox>("txtMese")->setCurrentText("Marzo");
        command("cmdSalva");
        const QByteArray both = caltest::readAll(yearFile(2025));
        QCOMPARE(both.left(2318), first);
        QCOMPARE(storedField(both, 1, Data), QString("11/03/2025"));
        QCOMPARE(storedField(both, 1, DaConfermare), kYesText);
    }

    void reminder_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("today");
        QTest::addColumn<bool>("imminent");
        QTest::newRow("notice 0, its day") << "10/03/2025" << "0" << "10/03/2025" << true;
        QTest::newRow("notice 0, the day after") << "10/03/2025" << "0" << "11/03/2025" << false;
        QTest::newRow("notice 0, the day before") << "10/03/2025" << "0" << "09/03/2025" << false;
        QTest::newRow("notice 3, first day") << "10/03/2025" << "3" << "07/03/2025" << true;
        QTest::newRow("notice 3, its day") << "10/03/2025" << "3" << "10/03/2025" << true;
        QTest::newRow("notice 3, a day early") << "10/03/2025" << "3" << "06/03/2025" << false;
        QTest::newRow("notice 3, a day late") << "10/03/2025" << "3" << "11/03/2025" << false;
        QTest::newRow("early January, notice begun in December") << "03/01/2026" << "10" << "28/12/2025" << true;
        QTest::newRow("early January, notice not yet begun") << "03/01/2026" << "10" << "23/12/2025" << false;
        QTest::newRow("29 February, notice over the month end") << "01/03/2024" << "2" << "28/02/2024" << true;
    }
    void reminder() {
        QFETCH(QString, date);
        QFETCH(QString, notice);
        QFETCH(QString, today);
        QFETCH(bool, imminent);
        write(date.mid(6, 4).toInt(), {Deadline{.date = date, .notice = notice}});
        const QDate now = QDate::fromString(today, QStringLiteral("dd/MM/yyyy"));
        show(now);
        QCOMPARE(w<QLabel>("imgPresenti")->isVisible(), imminent);
        QCOMPARE(w<QLabel>("imgAssenti")->isVisible(), !imminent);
        QCOMPARE(w<QPushButton>("btnOK")->isEnabled(), imminent);
        // The alarm is asked for exactly when deadlines are imminent, once, from the program folder.
        QCOMPARE(fakes->sound.played, imminent ? QStringList{folder->path() + "Avviso.mp3"} : QStringList{});
        // Today's year file is created; the next year's is only read.
        QVERIFY(QFile::exists(yearFile(now.year())));
        if (date.mid(6, 4).toInt() != now.year() + 1) QVERIFY(!QFile::exists(yearFile(now.year() + 1)));
        if (!imminent) return;
        // OK lists the deadline.
        QString name;
        const QList<QStringList> rows = gridOf("btnOK", &name);
        QCOMPARE(name, QString("TfrmExpImminenti"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0], QString("1"));
        QCOMPARE(rows[0][1], date);
    }

    // The banners are set again at every showing, the sound plays once per showing and stops when
    // the screen closes; a record that cannot be read leaves the banners as they were, silently.
    void reminderAtEveryShowing() {
        show(day("10/03/2025"));
        QVERIFY(w<QLabel>("imgAssenti")->isVisible());
        QVERIFY(!w<QPushButton>("btnOK")->isEnabled());
        QVERIFY(fakes->sound.played.isEmpty());
        QCOMPARE(QFileInfo(yearFile(2025)).size(), qint64(0));
        screen->close();
        QCOMPARE(fakes->sound.stops, 1);
        write(2025, {Deadline{.date = "12/03/2025", .notice = "5"}});
        screen->show();
        QVERIFY(w<QLabel>("imgPresenti")->isVisible());
        QVERIFY(w<QPushButton>("btnOK")->isEnabled());
        QCOMPARE(fakes->sound.played.size(), 1);
        screen->close();
        write(2025, {Deadline{.date = "xx/03/2025", .notice = "5"}});
        fakes->dialogs.messages.clear();
        screen->show();
        QVERIFY(w<QLabel>("imgPresenti")->isVisible());
        QVERIFY(w<QPushButton>("btnOK")->isEnabled());
        QCOMPARE(fakes->sound.played.size(), 1);
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    // Saved 15:00 then 09:30: every list shows 09:30 first, keeping the numbers 2 and 1.
    void listsInDateOrder_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("file");
        QTest::newRow("imminent") << "btnOK" << "TfrmExpImminenti" << "Scadenze_Imminenti.xls";
        QTest::newRow("day") << "btnGiorno" << "TfrmExpGiornaliere" << "Scadenze_Giornaliere.xls";
        QTest::newRow("month") << "btnMese" << "TfrmExpMensili" << "Scadenze_Mensili.xls";
    }
    void listsInDateOrder() {
        QFETCH(QString, button);
        QFETCH(QString, screenName);
        QFETCH(QString, file);
        write(2025, {Deadline{.date = "10/03/2025", .time = "15:00", .client = "Pomeriggio"},
                     Deadline{.date = "10/03/2025", .time = "09:30", .client = "Mattina"},
                     Deadline{.date = "25/02/2025", .time = "08:00", .notice = "30", .client = "Febbraio"}});
        show(day("10/03/2025"));
        QString name;
        const QList<QStringList> rows = gridOf(button.toLatin1().constData(), &name, true);
        QCOMPARE(name, screenName);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].size(), 21);
        QCOMPARE(rows[0][0], QString("2"));
        QCOMPARE(rows[0][2], QString("09:30"));
        QCOMPARE(rows[0][3], QString("Mattina"));
        QCOMPARE(rows[0][20], QString("03100930"));
        QCOMPARE(rows[1][0], QString("1"));
        QCOMPARE(rows[1][2], QString("15:00"));
        QCOMPARE(rows[1][17], QString("No"));
        // The export writes the rows in the order shown, without the numbers.
        const QByteArray xls = caltest::readAll(folder->path() + file);
        QVERIFY(!xls.isEmpty());
        QVERIFY(xls.indexOf("Mattina") < xls.indexOf("Pomeriggio"));
        QVERIFY(xls.indexOf("Mattina") > 0);
        QVERIFY(xls.contains("03100930"));
        QVERIFY(!xls.contains("Febbraio<"));
    }

    // The next year's January follows this year's December in the imminent list.
    void imminentListAcrossTheYearEnd() {
        write(2025, {Deadline{.date = "31/12/2025", .time = "10:00", .notice = "5", .client = "Dicembre"}});
        write(2026, {Deadline{.date = "02/01/2026", .time = "08:00", .notice = "5", .client = "Gennaio"}});
        show(day("30/12/2025"));
        const QList<QStringList> rows = gridOf("btnOK");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][3], QString("Dicembre"));
        QCOMPARE(rows[1][3], QString("Gennaio"));
    }

    // An empty year file gives the grid's ten empty rows; a year with records but no match, none.
    void dayAndMonthOfAnotherYear() {
        show(day("10/03/2025"));
        w<QCalendarWidget>("calAppuntamenti")->setSelectedDate(day("05/04/2024"));
        QList<QStringList> rows = gridOf("btnGiorno");
        QCOMPARE(rows.size(), 10);
        QCOMPARE(rows[0][0], QString());
        QVERIFY(QFile::exists(yearFile(2024)));
        write(2024, {Deadline{.date = "06/04/2024"}, Deadline{.date = "05/05/2024"}});
        QCOMPARE(gridOf("btnGiorno").size(), 0);
        rows = gridOf("btnMese");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][1], QString("06/04/2024"));
    }

    // A deadline to pay, opened from its list, ticked as paid and saved, moves to the paid list.
    void paymentListsAfterPaying() {
        write(2025, {Deadline{.date = "10/01/2025", .client = "Passata", .reason = "Saldo"},
                     Deadline{.date = "10/11/2025", .client = "Futura", .reason = "Acconto",
                              .toConfirm = kYesText},
                     Deadline{.date = "10/02/2025", .client = "Pagata", .reason = "Rata", .paid = kYesText}});
        show(day("10/03/2025"));
        openYear("2025");
        QStringList toPay = linesOf("cmdDaEffettuare");
        QCOMPARE(toPay.size(), 2);
        QVERIFY(toPay[0].startsWith("Acconto"));
        QVERIFY(toPay[1].startsWith("Saldo"));
        QCOMPARE(toPay[1], QString::fromUtf8("Saldo                                Data: 10/01/2025  Ora: 09:00  "
                                             "Cliente: Passata                         ID:                       € 10,00"));
        QCOMPARE(linesOf("cmdDaConfermare").size(), 1);
        linesOf("cmdDaEffettuare", 1);
        QCOMPARE(screen->position(), QString("1"));
        QCOMPARE(w("txtCliente")->text(), QString("Passata"));
        QCOMPARE(w<QLabel>("lblData")->text(), QString("10/01/2025"));
        w<QCheckBox>("chkEffettuata")->setChecked(true);
        command("cmdSalva");
        QCOMPARE(lastText(), QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        toPay = linesOf("cmdDaEffettuare");
        QCOMPARE(toPay.size(), 1);
        QVERIFY(toPay[0].startsWith("Acconto"));
        const QStringList paid = linesOf("cmdEffettuate");
        QCOMPARE(paid.size(), 2);
        QVERIFY(paid[0].startsWith("Rata"));
        QVERIFY(paid[1].startsWith("Saldo"));
        QCOMPARE(caltest::readAll(yearFile(2025)).size(), qsizetype(3 * 2318));
    }

    void searchByMonth() {
        write(2025, {Deadline{.date = "10/03/2025", .reason = "Marzo uno"}, Deadline{.date = "03/04/2025", .reason = "Aprile"},
                     Deadline{.date = "31/03/2025", .reason = "Marzo due"}});
        show(day("10/03/2025"));
        openYear("2025");
        QStringList lines;
        QString memory;
        QStringList counts;
        fakes->screens.handlers << [&](QDialog* d) {
            memory = d->findChild<QLabel*>("lblMemory")->text();
            counts << d->findChild<QLabel*>("lblTrovate")->text();
            d->findChild<QLineEdit*>("txtData")->setText("/03/");
            QTest::mouseClick(d->findChild<QPushButton*>("btnCerca"), Qt::LeftButton);
            counts << d->findChild<QLabel*>("lblTrovate")->text();
            QVERIFY(d->findChild<QLabel*>("lblTrovate")->isVisible());
            lines = caltest::listLines(d);
        };
        command("cmdTrova");
        QCOMPARE(fakes->screens.shown.last(), QString("TfrmTrovaScadenzario"));
        QCOMPARE(memory, QString("Scadenzario"));
        QCOMPARE(counts, QStringList({"Il presente elenco contiene 0 schede.", "Il presente elenco contiene 2 schede."}));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("Marzo due"));
        QVERIFY(lines[1].startsWith("Marzo uno"));
    }

    void exportOfTheYearInFileOrder() {
        write(2025, {Deadline{.date = "10/12/2025", .client = "Terzo", .toConfirm = kYesText, .note = "Portare la delega"},
                     Deadline{.date = "10/01/2025", .client = "Primo"},
                     Deadline{.date = "10/06/2025", .client = "Secondo"}});
        show(day("10/03/2025"));
        openYear("2025");
        QList<QStringList> rows;
        fakes->screens.handlers << [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>("grdRecords");
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                rows << QStringList{grid->model()->index(r, 1).data().toString(), grid->model()->index(r, 3).data().toString(),
                                    grid->model()->index(r, 15).data().toString(), grid->model()->index(r, 17).data().toString(),
                                    grid->model()->index(r, 18).data().toString(), grid->model()->index(r, 19).data().toString()};
        };
        command("cmdEsporta");
        QCOMPARE(fakes->screens.shown.last(), QString("TfrmExpScadenzario"));
        QCOMPARE(rows.size(), 3);
        // Columns: the date, the client, the rate, the two marks and the notes last.
        QCOMPARE(rows[0], (QStringList{"10/12/2025", "Terzo", "10,00", kYesText, "No", "Portare la delega"}));
        QCOMPARE(rows[1][1], QString("Primo"));
        QCOMPARE(rows[2][1], QString("Secondo"));
    }

    void importsAndIdentifierCheck() {
        show(day("10/03/2025"));
        openYear("2025");
        QStringList memories;
        auto remember = [&](QDialog* d) { memories << d->findChild<QLabel*>("lblMemory")->text(); };
        fakes->screens.handlers << remember;
        QTest::mouseClick(w<QPushButton>("impPersona"), Qt::LeftButton);
        fakes->screens.handlers << remember;
        command("cmdImporta");
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmTrovaClienti", "TfrmTrovaTariffario"}));
        QCOMPARE(memories, (QStringList{"scadenzario", "scadenzario"}));
        w("txtCodFisc")->setText("12345678901");
        QTest::mouseClick(w<QPushButton>("btnCodFisc"), Qt::LeftButton);
        w("txtCodFisc")->setText("rssmra80a01h501u");
        QCOMPARE(w("txtCodFisc")->text(), QString("RSSMRA80A01H501U"));
        QTest::mouseClick(w<QPushButton>("btnCodFisc"), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown.mid(2), (QStringList{"TfrmPartitaIva", "TfrmCodFisc"}));
    }

    // The launcher's entry opens the screen on its opening panel; closing goes back to the
    // launcher, and the next opening starts again from the opening panel.
    void launcherEntry() {
        Application app;
        app.start();
        QVERIFY(QTest::qWaitForWindowExposed(app.login()));
        QApplication::setActiveWindow(app.login());
        QTest::keyClicks(app.login()->findChild<QLineEdit*>("txtPassword"), "calvetra");
        QTest::mouseClick(app.login()->findChild<QAbstractButton*>("cmdOK"), Qt::LeftButton);
        auto* entry = app.launcher()->findChild<QPushButton*>("btnScadenzario");
        QVERIFY(entry);
        QVERIFY(entry->isEnabled());
        QTest::mouseClick(entry, Qt::LeftButton);
        QWidget* deadlines = app.archive("TfrmScadenzario");
        QVERIFY(deadlines && deadlines->isVisible());
        QVERIFY(!app.launcher()->isVisible());
        QVERIFY(deadlines->findChild<QWidget*>("panAvvio")->isVisible());
        QTest::mouseClick(deadlines->findChild<QPushButton*>("btnApri"), Qt::LeftButton);
        QVERIFY(deadlines->findChild<QWidget*>("panContainer")->isVisible());
        QTest::mouseClick(deadlines->findChild<QPushButton*>("imgEsci"), Qt::LeftButton);
        QVERIFY(!deadlines->isVisible());
        QVERIFY(app.launcher()->isVisible());
        QTest::mouseClick(entry, Qt::LeftButton);
        QVERIFY(deadlines->isVisible());
        QVERIFY(deadlines->findChild<QWidget*>("panAvvio")->isVisible());
        QVERIFY(!deadlines->findChild<QWidget*>("panContainer")->isVisible());
    }

    void card() {
        show(day("10/03/2025"));
        openYear("2024");
        fillRequired("05", "Marzo");
        w<QComboBox>("txtOreApp")->setCurrentText("09");
        w<QComboBox>("txtMinutiApp")->setCurrentText("30");
        w<QCheckBox>("chkDaConfermare")->setChecked(true);
        command("cmdStampa");
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& r = fakes->printing.printed.first();
        QCOMPARE(r.text("txtTitolo"), QString("SCHEDA SCADENZA / APPUNTAMENTO"));
        QCOMPARE(r.text("txtCampo01"), QString("05 Marzo 2024"));
        QCOMPARE(r.text("titCampo02"), QString("Ora appuntamento:"));
        QCOMPARE(r.text("txtCampo02"), QString("09:30"));
        QCOMPARE(r.text("txtCampo04"), QString("Bianchi Anna"));
        QCOMPARE(r.text("titCampo19"), QString("Appuntamento da confermare:"));
        QCOMPARE(r.text("txtCampo19"), kYesText);
        QCOMPARE(r.text("txtCampo20"), QString("No"));
        QCOMPARE(r.text("titCampo21").trimmed(), QString());
        // Printing saves nothing.
        QVERIFY(caltest::readAll(yearFile(2024)).isEmpty());
    }
};

CAL_WIDGET_TEST_MAIN(TestDeadlines)
#include "tst_deadlines.moc"
