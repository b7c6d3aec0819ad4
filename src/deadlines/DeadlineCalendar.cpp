#include "deadlines/DeadlineCalendar.h"

#include "core/DateText.h"
#include "core/SafeWrite.h"
#include "core/RecordScan.h"
#include "core/Search.h"
#include "core/Text.h"
#include "deadlines/DeadlineTables.h"

#include <libical/ical.h>

#include <QFileInfo>
#include <QTime>
#include <QUuid>

namespace cal {
namespace {

using namespace DeadlineField;

// The name space of the events' identifiers: an event keeps its identifier from one export to
// the next (a record keeps its position), so a calendar that imports the file again updates it.
const QUuid kEventNamespace(QStringLiteral("{8e2d7c41-93b5-4f0a-b6d2-0c4e5a7f1b38}"));

// The labels of the record's fields in the event's description, as the screen shows them.
const struct {
    int field;
    const char* label;
} kDescribed[] = {
    {Cliente, "Cliente: "},
    {CodFisc, "Codice fiscale: "},
    {Recapito, "Recapito preferenziale: "},
    {ID, "Codice ID servizio: "},
    {Tipologia, "Tipologia: "},
    {Descrizione, "Descrizione: "},
    {Uffici, "Uffici interessati: "},
    {Requisiti, "Requisiti necessari: "},
    {Documenti, "Documenti richiesti: "},
    {Persona, "Persona addetta: "},
    {Dettagli, "Causale scadenza: "},
    {Pagamento, "Modalità di pagamento: "},
    {Costo, "Tariffa ordinaria: "},
    {Spese, "Spese accessorie: "},
    {Note, "Note: "},
    {DaConfermare, "Appuntamento da confermare: "},
    {Effettuata, "Pagamento effettuato: "},
};

void addText(icalcomponent* event, icalproperty* (*make)(const char*), const QString& text) {
    if (!text.isEmpty()) icalcomponent_add_property(event, make(text.toUtf8().constData()));
}

// The event of one record; nullptr when its date cannot be read.
icalcomponent* event(const char* record, const QString& uidName, const icaltimetype& stamp) {
    const auto v = [&](int field) { return deadlineValue(record, field); };
    const std::optional<QDate> date = parseDateText(v(Data));
    if (!date) return nullptr;
    const QTime time = QTime::fromString(v(Ora), QStringLiteral("hh:mm"));

    icaltimetype start = icaltime_null_time();
    start.year = date->year();
    start.month = date->month();
    start.day = date->day();
    if (time.isValid() && time != QTime(0, 0)) {
        start.hour = time.hour();
        start.minute = time.minute();
    } else {
        start.is_date = 1;  // no time of its own: the whole day
    }

    icalcomponent* e = icalcomponent_new_vevent();
    const QString uid = QUuid::createUuidV5(kEventNamespace, uidName).toString(QUuid::WithoutBraces);
    icalcomponent_add_property(e, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(e, icalproperty_new_dtstart(start));
    const QString summary = v(Cliente).isEmpty() ? v(Dettagli) : v(Dettagli) + QStringLiteral(" - ") + v(Cliente);
    addText(e, icalproperty_new_summary, summary);
    addText(e, icalproperty_new_location, v(Uffici));
    addText(e, icalproperty_new_contact,
            v(Recapito).isEmpty() ? v(Cliente) : v(Cliente) + QStringLiteral(", ") + v(Recapito));
    QStringList lines;
    for (const auto& d : kDescribed)
        if (!v(d.field).isEmpty()) lines << QString::fromUtf8(d.label) + v(d.field);
    addText(e, icalproperty_new_description, lines.join(u'\n'));
    icalcomponent_add_property(
        e, icalproperty_new_status(v(DaConfermare) == kYes ? ICAL_STATUS_TENTATIVE : ICAL_STATUS_CONFIRMED));

    bool readable = false;
    const int notice = v(Avviso).toInt(&readable);
    if (readable && notice >= 0) {
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        trigger.duration.is_neg = notice > 0;
        trigger.duration.days = unsigned(notice);
        icalcomponent* alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_property(alarm, icalproperty_new_description(summary.toUtf8().constData()));
        icalcomponent_add_component(e, alarm);
    }
    return e;
}

}  // namespace

std::optional<QByteArray> deadlineCalendar(const QString& path, std::optional<std::span<const qint64>> records,
                                           const QString& name, CalendarExport* outcome) {
    icalcomponent* calendar = icalcomponent_new_vcalendar();
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Calvetra//Calvetra 4.0//IT"));
    icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
    icalproperty* calendarName = icalproperty_new_x(name.toUtf8().constData());
    icalproperty_set_x_name(calendarName, "X-WR-CALNAME");
    icalcomponent_add_property(calendar, calendarName);

    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    const QString fileName = QFileInfo(path).fileName();
    CalendarExport counts;
    const auto add = [&](qint64 index, const char* record) {
        if (icalcomponent* e = event(record, fileName + QStringLiteral("/%1").arg(index + 1), stamp)) {
            icalcomponent_add_component(calendar, e);
            ++counts.events;
        } else {
            ++counts.skipped;
        }
    };
    const bool read = records ? visitRecords(path, kDeadlineLayout, *records, add)
                              : scanRecordFile(path, kDeadlineLayout, add);
    std::optional<QByteArray> text;
    if (read) {
        char* ical = icalcomponent_as_ical_string_r(calendar);
        text = QByteArray(ical);
        icalmemory_free_buffer(ical);
    }
    icalcomponent_free(calendar);
    if (outcome) *outcome = counts;
    return text;
}

std::optional<CalendarExport> writeDeadlineCalendar(const QString& path, std::optional<std::span<const qint64>> records,
                                                    const QString& name, const QString& target, bool* readFailed,
                                                    QString* error) {
    CalendarExport counts;
    const std::optional<QByteArray> text = deadlineCalendar(path, records, name, &counts);
    if (readFailed) *readFailed = !text;
    if (!text) {
        if (error) *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    if (!writeFileWhole(target, *text, error)) return std::nullopt;
    return counts;
}

}  // namespace cal
