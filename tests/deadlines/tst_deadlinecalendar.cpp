// The deadlines as a calendar file (iCalendar): each record an event at its date and time with its
// reason, client, place and whole record, and an alarm at its notice days; read back with the
// calendar library and with an independent parser; written by the deadline screen for the year and
// by its search for the deadlines listed.
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "deadlines/DeadlineCalendar.h"
#include "deadlines/DeadlineTables.h"
#include "deadlines/TfrmScadenzario.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"
#include "testlib/VObject.h"

#include <libical/ical.h>

#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QToolButton>

using namespace cal;
using namespace DeadlineField;
using Kind = Dialogs::Kind;

namespace {

const QString kYesText = QString::fromUtf8("Sì");
const QString kLongDescription = QString::fromUtf8(
    "Dichiarazione di successione con volture catastali; verificare gli allegati, le visure e la "
    "documentazione già consegnata all'ufficio: città, qualità e quantità àèéìòù €");

struct Deadline {
    QString date;
    QString time;
    QString notice;
    QString client;
    QString reason;
    QString toConfirm = QStringLiteral("No");
};

Record recordOf(const Deadline& d) {
    Record r(kDeadlineLayout);
    r.setText(Giorno, d.date.left(2));
    r.setText(Mese, deadlineMonths().value(d.date.mid(3, 2).toInt() - 1));
    r.setText(Anno, d.date.mid(6, 4));
    r.setText(Data, d.date);
    r.setText(OreApp, d.time.left(2));
    r.setText(MinutiApp, d.time.mid(3, 2));
    r.setText(Ora, d.time);
    r.setText(Avviso, d.notice);
    r.setText(Cliente, d.client);
    r.setText(Dettagli, d.reason);
    r.setText(Costo, "120,50");
    r.setText(DaConfermare, d.toConfirm);
    r.setText(Effettuata, "No");
    return r;
}

// A: an appointment to confirm, with every kind of character; B: a deadline without a time;
// C: a date that does not exist; D: no notice days.
QList<Record> records() {
    Record a = recordOf({"15/03/2024", "09:30", "3", QString::fromUtf8("Bianchi, Anna; S.à r.l."),
                         QString::fromUtf8("Rata IMU, seconda; acconto"), kYesText});
    a.setText(Recapito, "333 1234567");
    a.setText(Uffici, QString::fromUtf8("Comune di Forlì, ufficio tributi; sportello 2"));
    a.setText(Descrizione, kLongDescription);
    a.setText(Note, "Portare\\copia");
    const Record b = recordOf({"01/04/2024", "00:00", "0", "Rossi Mario", "Bollo auto"});
    const Record c = recordOf({"31/02/2024", "10:00", "1", "Verdi Luca", "Data sbagliata"});
    const Record d = recordOf({"02/04/2024", "16:45", "", "Neri Sara", "Senza preavviso"});
    return {a, b, c, d};
}

bool writeYear(const QString& path, const QList<Record>& list) {
    RecordFile f;
    if (!f.open(path, kDeadlineLayout.size())) return false;
    for (const Record& r : list)
        if (f.append(r) < 1) return false;
    return f.close();
}

QString valueOf(icalcomponent* c, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(c, kind);
    if (!p) return {};
    switch (kind) {
    case ICAL_SUMMARY_PROPERTY: return QString::fromUtf8(icalproperty_get_summary(p));
    case ICAL_DESCRIPTION_PROPERTY: return QString::fromUtf8(icalproperty_get_description(p));
    case ICAL_LOCATION_PROPERTY: return QString::fromUtf8(icalproperty_get_location(p));
    case ICAL_CONTACT_PROPERTY: return QString::fromUtf8(icalproperty_get_contact(p));
    case ICAL_UID_PROPERTY: return QString::fromUtf8(icalproperty_get_uid(p));
    default: return QString::fromUtf8(icalproperty_get_value_as_string(p));
    }
}

// The events of a calendar text as the calendar library reads them.
struct Calendar {
    icalcomponent* root = nullptr;
    explicit Calendar(const QByteArray& ics) : root(icalparser_parse_string(ics.constData())) {}
    ~Calendar() {
        if (root) icalcomponent_free(root);
    }
    QList<icalcomponent*> events() const {
        QList<icalcomponent*> out;
        for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
             e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
            out << e;
        return out;
    }
};

const QString kDescriptionA = QString::fromUtf8(
    "Cliente: Bianchi, Anna; S.à r.l.\nRecapito preferenziale: 333 1234567\nDescrizione: ") + kLongDescription +
    QString::fromUtf8("\nUffici interessati: Comune di Forlì, ufficio tributi; sportello 2\n"
                      "Causale scadenza: Rata IMU, seconda; acconto\nTariffa ordinaria: 120,50\n"
                      "Note: Portare\\copia\nAppuntamento da confermare: Sì\nPagamento effettuato: No");

}  // namespace

class TestDeadlineCalendar : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        fakes.reset();
        folder.reset();
    }

    void eachRecordIsAnEvent() {
        const QString path = folder->path("2024.sca");
        QVERIFY(writeYear(path, records()));
        CalendarExport counts;
        const std::optional<QByteArray> ics = deadlineCalendar(path, std::nullopt, "Scadenze e appuntamenti 2024", &counts);
        QVERIFY(ics);
        QCOMPARE(counts.events, 3);
        QCOMPARE(counts.skipped, 1);
        // CR LF line ends, at most 75 octets a line, valid UTF-8.
        QVERIFY(ics->startsWith("BEGIN:VCALENDAR\r\n"));
        for (const QByteArray& line : ics->split('\n')) {
            if (line.isEmpty()) continue;
            QVERIFY2(line.endsWith('\r'), line.constData());
            QVERIFY2(line.size() - 1 <= 75, line.constData());
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)utf8(*ics);
        QVERIFY(!utf8.hasError());
        QVERIFY(ics->contains("\r\nX-WR-CALNAME:Scadenze e appuntamenti 2024\r\n"));
        QVERIFY(ics->contains("\r\nPRODID:-//Calvetra//Calvetra 4.0//IT\r\n"));

        const Calendar calendar(*ics);
        QVERIFY(calendar.root);
        const QList<icalcomponent*> events = calendar.events();
        QCOMPARE(events.size(), 3);

        icalcomponent* a = events[0];
        const icaltimetype startA = icalcomponent_get_dtstart(a);
        QCOMPARE(startA.year, 2024);
        QCOMPARE(startA.month, 3);
        QCOMPARE(startA.day, 15);
        QCOMPARE(startA.hour, 9);
        QCOMPARE(startA.minute, 30);
        QVERIFY(!startA.is_date);
        QVERIFY(!startA.zone && !icaltime_is_utc(startA));  // floating: the office's own time
        QCOMPARE(valueOf(a, ICAL_SUMMARY_PROPERTY), QString::fromUtf8("Rata IMU, seconda; acconto - Bianchi, Anna; S.à r.l."));
        QCOMPARE(valueOf(a, ICAL_LOCATION_PROPERTY), QString::fromUtf8("Comune di Forlì, ufficio tributi; sportello 2"));
        QCOMPARE(valueOf(a, ICAL_CONTACT_PROPERTY), QString::fromUtf8("Bianchi, Anna; S.à r.l., 333 1234567"));
        QCOMPARE(valueOf(a, ICAL_DESCRIPTION_PROPERTY), kDescriptionA);
        QCOMPARE(icalcomponent_get_status(a), ICAL_STATUS_TENTATIVE);
        icalcomponent* alarm = icalcomponent_get_first_component(a, ICAL_VALARM_COMPONENT);
        QVERIFY(alarm);
        const icaltriggertype trigger = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        QCOMPARE(icaldurationtype_as_int(trigger.duration), -3 * 86400);
        QCOMPARE(icalproperty_get_action(icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY)), ICAL_ACTION_DISPLAY);

        icalcomponent* b = events[1];
        const icaltimetype startB = icalcomponent_get_dtstart(b);
        QVERIFY(startB.is_date);  // 00:00: the whole day
        QCOMPARE(QDate(startB.year, startB.month, startB.day), QDate(2024, 4, 1));
        QCOMPARE(icalcomponent_get_status(b), ICAL_STATUS_CONFIRMED);
        icalcomponent* alarmB = icalcomponent_get_first_component(b, ICAL_VALARM_COMPONENT);
        QVERIFY(alarmB);
        QCOMPARE(icaldurationtype_as_int(
                     icalproperty_get_trigger(icalcomponent_get_first_property(alarmB, ICAL_TRIGGER_PROPERTY)).duration),
                 0);

        icalcomponent* d = events[2];
        QCOMPARE(valueOf(d, ICAL_SUMMARY_PROPERTY), QString("Senza preavviso - Neri Sara"));
        QVERIFY(!icalcomponent_get_first_component(d, ICAL_VALARM_COMPONENT));

        // Identifiers: one for each record, the same at every export.
        const QStringList uids{valueOf(a, ICAL_UID_PROPERTY), valueOf(b, ICAL_UID_PROPERTY), valueOf(d, ICAL_UID_PROPERTY)};
        QCOMPARE(QSet<QString>(uids.begin(), uids.end()).size(), 3);
        const Calendar again(*deadlineCalendar(path, std::nullopt, "Scadenze e appuntamenti 2024"));
        QStringList uidsAgain;
        for (icalcomponent* e : again.events()) uidsAgain << valueOf(e, ICAL_UID_PROPERTY);
        QCOMPARE(uidsAgain, uids);
        // A selection keeps each record's identifier, in the order given.
        const qint64 chosen[] = {3, 0};
        const Calendar selection(*deadlineCalendar(path, std::span<const qint64>(chosen), "Scelta"));
        QStringList uidsChosen;
        for (icalcomponent* e : selection.events()) uidsChosen << valueOf(e, ICAL_UID_PROPERTY);
        QCOMPARE(uidsChosen, (QStringList{uids[2], uids[0]}));
    }

    void eventsReadBackWithAnIndependentParser() {
        const QString path = folder->path("2024.sca");
        QVERIFY(writeYear(path, records()));
        const QString target = folder->path("Scadenze.ics");
        QVERIFY(writeDeadlineCalendar(path, std::nullopt, "Scadenze e appuntamenti 2024", target));
        const auto read = caltest::readWithVObject(target);
        if (!read) QSKIP("python3-vobject is not installed");
        QCOMPARE(read->size(), 1);
        const QJsonObject calendar = (*read)[0].toObject();
        const QJsonArray events = calendar["components"].toArray();
        QCOMPARE(events.size(), 3);
        const QJsonObject a = events[0].toObject();
        using caltest::propertyValues;
        QCOMPARE(propertyValues(a, "SUMMARY"), QJsonArray{QString::fromUtf8("Rata IMU, seconda; acconto - Bianchi, Anna; S.à r.l.")});
        QCOMPARE(propertyValues(a, "DESCRIPTION"), QJsonArray{kDescriptionA});
        QCOMPARE(propertyValues(a, "LOCATION"), QJsonArray{QString::fromUtf8("Comune di Forlì, ufficio tributi; sportello 2")});
        QCOMPARE(propertyValues(a, "CONTACT"), QJsonArray{QString::fromUtf8("Bianchi, Anna; S.à r.l., 333 1234567")});
        QCOMPARE(propertyValues(a, "DTSTART"), QJsonArray{"2024-03-15T09:30:00"});
        QCOMPARE(propertyValues(a, "STATUS"), QJsonArray{"TENTATIVE"});
        const QJsonObject alarm = a["components"].toArray()[0].toObject();
        QCOMPARE(alarm["name"].toString(), QString("VALARM"));
        QCOMPARE(propertyValues(alarm, "TRIGGER"), QJsonArray{-3 * 86400.0});
        QCOMPARE(propertyValues(events[1].toObject(), "DTSTART"), QJsonArray{"2024-04-01"});
    }

    void theDeadlineScreenWritesTheYear() {
        QVERIFY(writeYear(deadlineYearFile(folder->path(), 2024), records()));
        TfrmScadenzario screen;
        screen.show();
        screen.findChild<QLineEdit*>("txtAnno")->setText("2024");
        QTest::mouseClick(screen.findChild<QPushButton*>("btnApri"), Qt::LeftButton);
        auto* command = screen.findChild<QToolButton*>("cmdCalendario");
        QVERIFY(command && command->isVisible());
        QCOMPARE(command->accessibleName(), QString("Calendario"));
        QVERIFY(command->toolTip().endsWith("(Ctrl+Shift+E)"));
        const QString target = folder->path("Scadenze_2024.ics");
        fakes->dialogs.newFiles << target;
        fakes->dialogs.answers << false;
        caltest::command(&screen, "cmdCalendario");
        QCOMPARE(fakes->dialogs.newFileChoosers,
                 QStringList{"Esporta le scadenze in un calendario (iCalendar)|Calendario iCalendar (*.ics)|Scadenze_2024.ics"});
        QCOMPARE(fakes->dialogs.questions.last(),
                 QString("L'esportazione nel file %1 è terminata con successo.\r\n\r\nSchede esportate: 3.\r\n"
                         "Schede non esportate: 1 (la data della scadenza non è valida).\r\n\r\nSi vuole aprire il file?")
                     .arg(target));
        QVERIFY(fakes->shell.opened.isEmpty());
        QCOMPARE(Calendar(caltest::readAll(target)).events().size(), 3);

        // An empty year: nothing to write.
        screen.showOpeningPanel();
        screen.findChild<QLineEdit*>("txtAnno")->setText("2030");
        QTest::mouseClick(screen.findChild<QPushButton*>("btnApri"), Qt::LeftButton);
        caltest::command(&screen, "cmdCalendario");
        QCOMPARE(caltest::lastText(fakes->dialogs), QString("L'archivio non contiene nessuna scheda."));
        QCOMPARE(fakes->dialogs.newFileChoosers.size(), 1);
    }

    void theSearchWritesTheDeadlinesListed() {
        QVERIFY(writeYear(deadlineYearFile(folder->path(), 2024), records()));
        TfrmScadenzario screen;
        screen.show();
        screen.findChild<QLineEdit*>("txtAnno")->setText("2024");
        QTest::mouseClick(screen.findChild<QPushButton*>("btnApri"), Qt::LeftButton);
        const QString target = folder->path("Rossi.ics");
        fakes->dialogs.newFiles << target;
        fakes->dialogs.answers << false;
        fakes->screens.handlers << [](QDialog* d) {
            d->findChild<QLineEdit*>("txtCliente")->setText("Rossi");
            QTest::mouseClick(d->findChild<QPushButton*>("btnCerca"), Qt::LeftButton);
            auto* export_ = d->findChild<QPushButton*>("btnCalendario");
            QVERIFY(export_);
            QCOMPARE(export_->text(), QString("Esporta in &calendario"));
            QTest::mouseClick(export_, Qt::LeftButton);
            d->accept();
        };
        caltest::command(&screen, "cmdTrova");
        const Calendar calendar(caltest::readAll(target));
        QCOMPARE(calendar.events().size(), 1);
        QCOMPARE(valueOf(calendar.events()[0], ICAL_SUMMARY_PROPERTY), QString("Bollo auto - Rossi Mario"));
    }
};

CAL_WIDGET_TEST_MAIN(TestDeadlineCalendar)
#include "tst_deadlinecalendar.moc"
