// The backup of the program folder's data, timed against copying the same files with `cp -r`.
//
//   calvetra_bench backup <folder> [records] [--repeat R]
//
// With `records`, every archive missing from the folder is first generated with that many records
// (the `generate` command). Each run writes the zip file into a folder beside the program folder,
// then copies the same data files and folders there with one `cp -r`; the two alternate, the
// outputs are removed between runs (not timed), and the medians are compared.
#include "app/DataBackup.h"
#include "Measure.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

using namespace cal;

namespace {

const char* const kArchives[] = {"clients", "pricelist", "services", "deadlines", "mail",
                                 "transfers", "received", "library", "articles", "documents"};

bool generateMissing(const QString& folder, const QString& records) {
    const QString stamp = QDir(folder).filePath(QStringLiteral("generated-backup-%1").arg(records));
    if (QFile::exists(stamp)) return true;
    for (const char* archive : kArchives) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QCoreApplication::applicationFilePath(), {"generate", archive, records, folder});
        if (!p.waitForFinished(-1) || p.exitCode() != 0) return false;
    }
    QFile f(stamp);
    return f.open(QIODevice::WriteOnly);
}

double elapsedMs(const QElapsedTimer& clock) { return double(clock.nsecsElapsed()) / 1e6; }

}  // namespace

int runBackupBench(const QStringList& args, int times) {
    if (args.isEmpty()) return 2;
    const QString folder = QDir(args[0]).absolutePath();
    if (args.size() > 1 && !generateMissing(folder, args[1])) {
        std::fprintf(stderr, "cannot generate the archives in %s\n", qPrintable(folder));
        return 1;
    }
    const DataFileRule rule = programDataRule();
    QStringList data;
    qint64 bytes = 0;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name)) {
        if (dataKind(rule, info.fileName()) == DataKind::None) continue;
        data << info.absoluteFilePath();
        bytes += info.isFile() ? info.size() : 0;
    }
    const QString out = folder + QStringLiteral("-copia");
    std::printf("data of %s: %lld entries, %lld bytes in the top files\n", qPrintable(folder), qint64(data.size()),
                bytes);

    std::vector<double> ours, theirs;
    qint64 zipBytes = 0;
    for (int i = 0; i < times; ++i) {
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        QElapsedTimer clock;
        clock.start();
        const BackupOutcome outcome = writeBackup(folder, rule, out + "/copia.zip", QDateTime::currentDateTime());
        ours.push_back(elapsedMs(clock));
        if (!outcome.ok) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(outcome.error));
            return 1;
        }
        zipBytes = QFileInfo(out + "/copia.zip").size();

        QDir(out).removeRecursively();
        QDir().mkpath(out);
        QProcess cp;
        clock.start();
        cp.start(QStringLiteral("cp"), QStringList{"-r"} + data + QStringList{out});
        cp.waitForFinished(-1);
        theirs.push_back(elapsedMs(clock));
        if (cp.exitCode() != 0) {
            std::fprintf(stderr, "cp -r failed\n");
            return 1;
        }
    }
    QDir(out).removeRecursively();
    const auto line = [](const char* what, const std::vector<double>& ms) {
        std::printf("%-34s median %9.1f ms  (runs:", what, median(ms));
        for (double x : ms) std::printf(" %.1f", x);
        std::printf(")\n");
    };
    line("backup (zip file, written whole)", ours);
    line("cp -r of the same data", theirs);
    std::printf("ratio backup / cp -r: %.2f\n", median(ours) / median(theirs));
    std::printf("zip file: %lld bytes (%.1f%% of the data)\n", zipBytes, bytes ? 100.0 * double(zipBytes) / double(bytes) : 0.0);
    std::printf("peak memory (VmHWM): %.1f MB\n", double(peakRssKb()) / 1024.0);
    return 0;
}
