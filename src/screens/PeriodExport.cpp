#include "screens/PeriodExport.h"

#include "core/DateText.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/RecordScan.h"
#include "core/Text.h"
#include "ui/Regional.h"
#include "ui/Services.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QShowEvent>

namespace cal {

std::optional<PeriodRows> periodRows(const QString& path, const PeriodQuery& query, QDate from, QDate to) {
    const RecordLayout& layout = *query.row.layout;
    if (query.createsFile) {
        RecordFile file;
        if (!file.open(path, layout.size())) return std::nullopt;
        if (!file.close()) return std::nullopt;
    }
    PeriodRows period;
    const bool read = scanRecordFile(path, layout, [&](qint64, const char* record) {
        ++period.records;
        const auto date = parseDateText(FieldText(layout, record, query.dateField).text());
        if (!date) {
            ++period.unreadable;
            return;
        }
        if (*date >= from && *date <= to) period.rows << query.row(record);
    });
    if (!read) return std::nullopt;
    return period;
}

PeriodExportScreen::PeriodExportScreen(const ExportDefinition& definition, const PeriodQuery& query,
                                       const QString& path, QWidget* parent)
    : ExportScreen(definition, parent), query_(query), path_(path) {
    QAction* find = addQueryCommand(QString::fromLatin1(query.command), QString::fromUtf8(query.caption),
                                    QString::fromUtf8(query.commandHint));
    connect(find, &QAction::triggered, this, [this] { showPeriod(); });
    const QString hint = QString::fromUtf8(query.fieldHint);
    txtDataInizio_ = addDateField("txtDataInizio", QString::fromUtf8(query.startLabel), hint);
    txtDataFine_ = addDateField("txtDataFine", QString::fromUtf8(query.endLabel), hint);
    if (query.digitsOnly)
        for (QLineEdit* f : {txtDataInizio_, txtDataFine_})
            f->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9/]*")), f));
}

void PeriodExportScreen::showEvent(QShowEvent* event) {
    ExportScreen::showEvent(event);
    if (event->spontaneous()) return;
    if (query_.startsToday) txtDataInizio_->setText(todayText());
    else txtDataInizio_->clear();
    txtDataFine_->setText(todayText());
    txtDataInizio_->setFocus(Qt::OtherFocusReason);
}

void PeriodExportScreen::showPeriod() {
    const struct {
        QLineEdit* field;
        QLatin1String which;
    } ends[] = {{txtDataInizio_, QLatin1String("inizio")}, {txtDataFine_, QLatin1String("fine")}};
    for (const auto& e : ends) {
        const bool missing = query_.digitsOnly ? e.field->text().size() != 10 : trimmed(e.field->text()).isEmpty();
        if (!missing) continue;
        warning(QString::fromUtf8(query_.missingDate).arg(e.which));
        e.field->setFocus(Qt::OtherFocusReason);
        return;
    }
    std::optional<QDate> dates[2];
    for (int i = 0; i < 2; ++i) {
        dates[i] = parseDateText(trimmed(ends[i].field->text()));
        if (dates[i]) continue;
        plainMessage(QString::fromUtf8(query_.invalidDate).arg(trimmed(ends[i].field->text()), ends[i].which));
        ends[i].field->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (*dates[0] > *dates[1]) {
        plainMessage(QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella di "
                                    "inizio intervallo (%2).\n\r\n\r"
                                    "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo "
                                    "valido.")
                         .arg(trimmed(txtDataFine_->text()), trimmed(txtDataInizio_->text())));
        return;
    }
    // An unreadable file fills nothing and says nothing; an empty file leaves the grid as it is.
    const std::optional<PeriodRows> period =
        periodRows(path_.isEmpty() ? recordFilePath() : path_, query_, *dates[0], *dates[1]);
    if (!period || period->records == 0) return;
    model()->setRows(period->rows);
    const QString dateName = QString::fromUtf8(query_.dateName);
    if (period->unreadable == 1)
        plainMessage(QStringLiteral("Attenzione: una scheda dell'archivio ha una data di %1 non leggibile e non è "
                                    "compresa nel riepilogo.")
                         .arg(dateName));
    else if (period->unreadable > 1)
        plainMessage(QStringLiteral("Attenzione: %1 schede dell'archivio hanno una data di %2 non leggibile e non "
                                    "sono comprese nel riepilogo.")
                         .arg(period->unreadable)
                         .arg(dateName));
}

}  // namespace cal
