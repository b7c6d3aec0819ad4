// The reminder check of the deadlines over a large year file, against reading the same file once
// (every byte read, nothing decoded) in the same run:
//
//   calvetra_bench reminders <records> <folder> [--repeat R]
//
// Writes <folder>/2026.sca with <records> deadlines (dates spread over 2026, notice 0 to 30 days)
// when it does not hold that many already, then alternates the two measures. Prints figures and
// asserts nothing.
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "deadlines/DeadlineTables.h"
#include "Measure.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <vector>

using namespace cal;

namespace {

bool writeYear(const QString& path, qint64 records) {
    QFile::remove(path);
    RecordFile file;
    if (!file.open(path, kDeadlineLayout.size())) return false;
    const QStringList months = deadlineMonths();
    quint64 state = 0x9E3779B97F4A7C15ULL;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state >> 33);
    };
    for (qint64 i = 0; i < records; ++i) {
        const QDate date = QDate(2026, 1, 1).addDays(next() % 365);
        Record r(kDeadlineLayout);
        r.setText(DeadlineField::Giorno, QStringLiteral("%1").arg(date.day(), 2, 10, QChar(u'0')));
        r.setText(DeadlineField::Mese, months[date.month() - 1]);
        r.setText(DeadlineField::Anno, QStringLiteral("2026"));
        r.setText(DeadlineField::Data, date.toString(QStringLiteral("dd/MM/yyyy")));
        r.setText(DeadlineField::OreApp, QStringLiteral("09"));
        r.setText(DeadlineField::MinutiApp, QStringLiteral("30"));
        r.setText(DeadlineField::Ora, QStringLiteral("09:30"));
        r.setText(DeadlineField::Avviso, QString::number(next() % 31));
        r.setText(DeadlineField::Cliente, QStringLiteral("Cliente %1").arg(i));
        r.setText(DeadlineField::Dettagli, QStringLiteral("Scadenza numero %1").arg(i));
        r.setText(DeadlineField::Costo, QStringLiteral("100,00"));
        r.setText(DeadlineField::DaConfermare, QStringLiteral("No"));
        r.setText(DeadlineField::Effettuata, QStringLiteral("No"));
        if (!file.write(r)) return false;
    }
    return file.close();
}

}  // namespace

int runDeadlineBench(const QStringList& args, int times) {
    if (args.size() < 2) return 2;
    const qint64 records = args[0].toLongLong();
    const QString folder = args[1];
    QDir().mkpath(folder);
    const QString path = deadlineYearFile(folder, 2026);
    if (QFileInfo(path).size() != records * kDeadlineLayout.size() && !writeYear(path, records)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    const QDate today(2026, 6, 15);
    std::vector<double> check, scan;
    qint64 imminent = -1, seen = 0;
    // The two alternate, so both see the same state of the machine.
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        const auto reminder = checkReminders(folder, today);
        check.push_back(double(t.nsecsElapsed()) / 1e6);
        imminent = reminder ? reminder->imminent : -1;
        t.restart();
        seen = readFileOnce(path) / kDeadlineLayout.size();
        scan.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("%s: %lld records, %lld bytes\n", qPrintable(path), seen, QFileInfo(path).size());
    std::printf("reminder check: median %.2f ms over %d runs (%lld imminent on 15/06/2026)\n", median(check), times,
                imminent);
    std::printf("read the file once: median %.2f ms over %d runs\n", median(scan), times);
    std::printf("ratio check / read once: %.2f\n", median(check) / median(scan));
    return 0;
}
