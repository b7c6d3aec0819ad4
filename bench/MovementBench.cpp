#include "MovementBench.h"

#include "Measure.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "transfers/TransferTables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

using namespace cal;

namespace {

const char* const kParties[] = {"Rossi Mario", "Bianchi Anna", "GROSSO SPA", "Verdi srl", "Studio Neri",
                                "Colombo Luca", "Ferrari Giulia", "Esposito & C. snc"};
const char* const kReasons[] = {"Saldo fattura", "Affitto ufficio", "Acconto consulenza", "Rimborso spese",
                                "Fornitura cancelleria", "Parcella notarile"};

bool makeYearFile(const QString& path, qint64 count) {
    QFile::remove(path);
    RecordFile file;
    if (!file.open(path, kIssuedTransferLayout.size())) return false;
    quint64 state = 0x2545F4914F6CDD1DULL;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state >> 33);
    };
    Record r(kIssuedTransferLayout);
    for (qint64 i = 0; i < count; ++i) {
        r.clear();
        r.setText(TransferField::Pagatore, QStringLiteral("Studio Calvetra"));
        r.setText(TransferField::Beneficiario, QString::fromLatin1(kParties[next() % 8]));
        r.setText(TransferField::DataEse, QStringLiteral("%1/%2/2026")
                                              .arg(1 + next() % 28, 2, 10, QChar('0'))
                                              .arg(1 + next() % 12, 2, 10, QChar('0')));
        r.setText(TransferField::Causale, QStringLiteral("%1 n. %2").arg(QString::fromLatin1(kReasons[next() % 6])).arg(i));
        r.setText(TransferField::Importo, QStringLiteral("%1,%2").arg(next() % 5000).arg(next() % 100, 2, 10, QChar('0')));
        r.setText(TransferField::Eseguito, next() % 3 ? QStringLiteral("No") : QStringLiteral("S\u00EC"));
        if (!file.write(r)) return false;
    }
    return file.close();
}

}  // namespace

int runMovementBench(const QStringList& args, int times) {
    if (args.isEmpty()) return 2;
    const QString folder = args[0];
    const qint64 count = args.size() > 1 ? args[1].toLongLong() : 100000;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("Bonifici_Emessi.pro"));
    if (QFileInfo(path).size() != count * kIssuedTransferLayout.size() && !makeYearFile(path, count)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s: %lld bytes, %lld transfers\n", qPrintable(path), QFileInfo(path).size(), count);
    const QDate from(2026, 1, 1), to(2026, 12, 31);
    std::vector<double> summaryMs, scanMs;
    qint64 listed = 0, scanned = 0;
    QString total;
    // The two alternate, so both see the same state of the machine.
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        const auto summary = buildMovementSummary(path, TransferRegister::Issued, {}, {}, from, to);
        summaryMs.push_back(double(t.nsecsElapsed()) / 1e6);
        listed = summary ? qint64(summary->list.size()) : -1;
        total = summary ? summary->total : QString();
        t.restart();
        scanned = readFileOnce(path) / kIssuedTransferLayout.size();
        scanMs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("movement summary of 2026: median %.1f ms over %d runs (%lld lines, total %s)\n", median(summaryMs),
                times, listed, qPrintable(total));
    std::printf("read the file once:       median %.1f ms over %d runs (%lld records)\n", median(scanMs), times,
                scanned);
    std::printf("ratio summary / read once: %.2f\n", median(summaryMs) / median(scanMs));
    std::printf("peak memory (VmHWM): %.1f MB\n", double(peakRssKb()) / 1024.0);
    return 0;
}
