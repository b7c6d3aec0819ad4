// The benchmark program: makes a program folder with N synthetic records of an archive and
// times, on an existing folder, the search, the list building and the whole-archive export
// through the same library code the screens use. It prints figures and asserts nothing.
//
//   calvetra_bench generate <archive> <records> <folder>
//   calvetra_bench search   <archive> <folder> <field>=<text>... [--repeat R] [--grep]
//   calvetra_bench list     <archive> <folder> [--repeat R]
//   calvetra_bench export   <archive> <folder> [--repeat R]
//   calvetra_bench startup <folder> [--repeat R]          start-up to the login screen, against a minimal
//                                                         login and an empty window, offscreen and under Xvfb
//   calvetra_bench screen-search <folder> [name filter]   client search screen, Cerca to list shown
//   calvetra_bench screen-export <folder>                 client export screen, shown to file written
//   calvetra_bench screen-fees <folder>                   fee summary of 2026, Visualizza to list shown,
//                                                         against a plain scan of the same file
//   calvetra_bench backup <folder> [records]              backup of the folder's data, against cp -r
//   calvetra_bench probe <file>                           the page-touch probe: the kind of machine
#include "articles/ArticleLayout.h"
#include "clients/ClientTables.h"
#include "core/Codepage.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "core/Text.h"
#include "deadlines/DeadlineLayout.h"
#include "documents/DocumentLayout.h"
#include "library/BookLayout.h"
#include "mail/MailLayout.h"
#include "pricelist/PriceListLayout.h"
#include "services/ServiceLayout.h"
#include "transfers/TransferLayout.h"
#include "Measure.h"
#include "MovementBench.h"
#include "Probe.h"
#include "ScreenBench.h"
#include "Suite.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace cal;

namespace {

struct Archive {
    const char* name;
    const RecordLayout* layout;
};

const Archive kArchives[] = {
    {"clients", &kClientLayout},        {"pricelist", &kPriceListLayout},
    {"services", &kServiceLayout},      {"deadlines", &kDeadlineLayout},
    {"mail", &kMailLayout},             {"transfers", &kIssuedTransferLayout},
    {"library", &kBookLayout},          {"articles", &kArticleLayout},
    {"documents", &kDocumentLayout},    {"received", &kReceivedTransferLayout},
};

const Archive* findArchive(const QString& name) {
    for (const Archive& a : kArchives)
        if (name == QLatin1String(a.name)) return &a;
    return nullptr;
}

// Per-year archives keep their extension as file name; the benchmark uses the year 2026.
QString archivePath(const QString& folder, const RecordLayout& layout) {
    QString name = QString::fromLatin1(layout.fileName.data(), qsizetype(layout.fileName.size()));
    if (name.startsWith('.')) name.prepend("2026");
    return QDir(folder).filePath(name);
}

// Deterministic generator (a 64-bit LCG), so every run builds the same archive.
struct Lcg {
    quint64 state = 0x2545F4914F6CDD1DULL;
    quint32 next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state >> 33);
    }
    template <std::size_t N>
    const char* pick(const char* const (&words)[N]) { return words[next() % N]; }
};

const char* const kSurnames[] = {"Rossi", "Bianchi", "Esposito", "Colombo", "Ricci", "Marino", "Greco",
                                 "Bruno", "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano",
                                 "Rizzo", "Lombardi", "Moretti", "Barbieri", "Fontana", "Santoro",
                                 "Mariani", "Rinaldi", "Caruso", "Ferrara", "Galli", "Martini", "Leone",
                                 "Longo", "Gentile", "Martinelli", "Vitale", "Lombardo", "Serra", "Coppola",
                                 "De Santis", "D'Angelo", "Marchetti", "Parisi", "Villa", "Conte", "Ferraro",
                                 "Fabbri", "Bianco", "Marini", "Grasso", "Valentini", "Messina", "Sala",
                                 "De Angelis", "Gatti", "Pellegrini", "Palumbo", "Sanna", "Farina", "Rizzi"};
const char* const kNames[] = {"Mario", "Luca", "Giulia", "Niccolò", "Francesca", "Andrea", "Chiara",
                              "Nicolò", "Elena", "Paolo", "Sofia", "Lucía", "Marco", "Zoë", "Federica"};
const char* const kTowns[] = {"Roma", "Milano", "Napoli", "Torino", "Forlì", "Cefalù", "Canicattì",
                              "Sant'Agata", "Bolzano", "Città di Castello", "Aosta", "Pescara", "Lecce"};
const char* const kWords[] = {"consulenza", "dichiarazione", "pratica", "contratto", "perizia", "visura",
                              "successione", "rinnovo", "è urgente", "già pagato", "attività", "€ 120",
                              "fattura", "società", "più tardi", "ricontattare", "caffè", "qualità"};

QString sentence(Lcg& g, int words) {
    QStringList out;
    for (int i = 0; i < words; ++i) out << QString::fromUtf8(g.pick(kWords));
    return out.join(u' ');
}

QString fieldValue(Lcg& g, const Field& f, qint64 index) {
    const std::string_view n = f.name;
    if (n.starts_with("chk")) return checkText(g.next() % 3 == 0);
    if (n.starts_with("lblFile")) return g.next() % 4 ? QString() : QStringLiteral("allegato_%1.pdf").arg(index);
    if (n.starts_with("lblDesc")) return g.next() % 4 ? QString() : sentence(g, 2);
    if (n == "txtCliente" || n == "txtPersona" || n == "txtAutore" || n == "txtPagatore")
        return QString::fromUtf8(g.pick(kSurnames)) + u' ' + QString::fromUtf8(g.pick(kNames));
    // Amounts and the service request dates as the screens write them; the request dates fall in
    // the benchmark's year, so the fee summary lists every service.
    if (n == "txtTariffa" || n == "txtOrdinaria" || n == "txtScontata" || n == "txtCosto" || n == "txtImporto")
        return QStringLiteral("%1,%2").arg(g.next() % 1000).arg(g.next() % 100, 2, 10, QChar('0'));
    if (n == "txtDataRic")
        return QStringLiteral("%1/%2/2026").arg(1 + g.next() % 28, 2, 10, QChar('0')).arg(1 + g.next() % 12, 2, 10, QChar('0'));
    // Half the books are on the shelf: no borrower, no return date.
    if ((n == "txtPrestato" || n == "txtScadenza") && index % 2) return {};
    if (n.find("Comune") != std::string_view::npos || n.find("Citta") != std::string_view::npos)
        return QString::fromUtf8(g.pick(kTowns));
    if (n.find("Data") != std::string_view::npos || f.capacity == 10)
        return QStringLiteral("%1/%2/%3").arg(1 + g.next() % 28, 2, 10, QChar('0')).arg(1 + g.next() % 12, 2, 10, QChar('0')).arg(1950 + g.next() % 76);
    if (f.capacity <= 2) return QStringLiteral("RM");
    if (f.capacity <= 30) return QString::number(3000000000ULL + g.next() % 1000000000ULL);
    return sentence(g, std::min(1 + int(g.next() % 6), f.capacity / 12));
}

int generate(const Archive& a, qint64 count, const QString& folder) {
    QDir().mkpath(folder);
    const QString path = archivePath(folder, *a.layout);
    QFile::remove(path);
    RecordFile file;
    if (!file.open(path, a.layout->size())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        return 1;
    }
    Lcg g;
    Record r(*a.layout);
    for (qint64 i = 0; i < count; ++i) {
        r.clear();
        for (int f = 0; f < a.layout->count(); ++f) r.setText(f, fieldValue(g, a.layout->fields[f], i));
        if (!file.write(r)) return 1;
    }
    file.close();
    std::printf("%lld records of %d bytes in %s (%lld bytes)\n", count, a.layout->size(), qPrintable(path),
                QFileInfo(path).size());
    return 0;
}

// The list line of an archive: the client search line, or for other archives the first
// three fields (their own tables arrive with their search screens).
LineBuilder lineFor(const Archive& a) {
    if (a.layout == &kClientLayout)
        return [](const char* rec) { return buildListLine(kClientLayout, kClientSearchLine, rec); };
    static const ListColumn generic[] = {{"", 0, 30}, {"  ", 1, 20}, {"  ", 2, 0}};
    const RecordLayout* layout = a.layout;
    return [layout](const char* rec) { return buildListLine(*layout, generic, rec); };
}

struct Timing {
    std::vector<double> ms;
    qint64 result = 0;
};

template <typename F>
Timing repeat(int times, F&& run) {
    Timing t;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer clock;
        clock.start();
        t.result = run();
        t.ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return t;
}

void report(const char* what, const Timing& t) {
    std::printf("%-28s median %9.1f ms  (runs:", what, median(t.ms));
    for (double x : t.ms) std::printf(" %.1f", x);
    std::printf(")  result %lld\n", t.result);
}

qint64 runSearch(const Archive& a, const QString& path, const std::vector<SearchFilter>& filters) {
    const RecordMatcher matcher(*a.layout, filters);
    const auto entries = searchRecords(path, *a.layout, matcher, lineFor(a));
    return entries ? qint64(entries->size()) : -1;
}

qint64 runGrep(const QString& path, const QString& text) {
    QProcess p;
    p.start("grep", {"-c", "-i", "-a", "--", QString::fromLatin1(toCp1252(text)), path});
    p.waitForFinished(-1);
    return p.readAllStandardOutput().trimmed().toLongLong();
}

qint64 runExport(const Archive& a, const QString& path, const QString& out) {
    QList<QStringList> rows;
    const bool clients = a.layout == &kClientLayout;
    scanRecordFile(path, *a.layout, [&](qint64, const char* rec) {
        if (clients) {
            rows << clientExportRow(rec);
            return;
        }
        QStringList row;
        for (int f = 0; f < a.layout->count(); ++f) row << trimmed(fromCp1252(fieldBytes(*a.layout, rec, f)));
        rows << row;
    });
    std::vector<ExportColumn> header;
    if (clients) {
        header.assign(std::begin(kClientExportColumns), std::end(kClientExportColumns));
    } else {
        for (const Field& f : a.layout->fields) header.push_back({f.name, 250});
    }
    if (!writeSpreadsheet(out, QStringLiteral("Archivio"), header, rows)) return -1;
    return rows.size();
}

int usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  calvetra_bench generate <archive> <records> <folder>\n"
                 "  calvetra_bench search <archive> <folder> <field>=<text>... [--repeat R] [--grep]\n"
                 "  calvetra_bench list <archive> <folder> [--repeat R]\n"
                 "  calvetra_bench export <archive> <folder> [--repeat R]\n"
                 "  calvetra_bench startup <folder> [--repeat R]\n"
                 "  calvetra_bench screen-search <folder> [name filter] [--repeat R]\n"
                 "  calvetra_bench screen-export <folder> [--repeat R]\n"
                 "  calvetra_bench screen-fees <folder> [--repeat R]\n"
                 "  calvetra_bench screen-dewey <folder> [--repeat R]\n"
                 "  calvetra_bench reminders <records> <folder> [--repeat R]\n"
                 "  calvetra_bench suite <root> [--sizes 1000,10000,100000,1000000] [--repeat R] [--only TEXT]\n"
                 "  calvetra_bench movements <folder> [records] [--repeat R]\n"
                 "  calvetra_bench backup <folder> [records] [--repeat R]\n"
                 "  calvetra_bench probe <file> [--repeat R]\n"
                 "archives: clients pricelist services deadlines mail transfers received library articles documents\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const bool screens = argc > 1 && (qstrcmp(argv[1], "startup") == 0 || qstrncmp(argv[1], "screen-", 7) == 0 ||
                                      qstrncmp(argv[1], "suite", 5) == 0 ||
                                      (QByteArray(argv[1]).endsWith("-child") && qstrcmp(argv[1], "sqlite-child") != 0));
    if (screens && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (screens) app = std::make_unique<QApplication>(argc, argv);
    else app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    int times = 5;
    bool grep = false;
    if (const auto i = args.indexOf("--repeat"); i >= 0 && i + 1 < args.size()) {
        times = std::max(1, args[i + 1].toInt());
        args.remove(i, 2);
    }
    if (const auto i = args.indexOf("--grep"); i >= 0) {
        grep = true;
        args.remove(i);
    }
    if (!args.isEmpty()) {
        if (const int rc = runSuiteCommand(args.value(0), args.mid(1), times); rc >= 0) return rc;
    }
    if (screens && args.size() >= 2) {
        const QString command = args.takeFirst();
        if (command == QLatin1String("screen-dewey")) { extern int runDeweyBench(int); return runDeweyBench(times); }
        return runScreenBench(command, args, times);
    }
    if (args.value(0) == "reminders") { extern int runDeadlineBench(const QStringList&, int); return runDeadlineBench(args.mid(1), times); }
    if (args.value(0) == QLatin1String("movements")) return runMovementBench(args.mid(1), times);
    if (args.value(0) == QLatin1String("backup")) { extern int runBackupBench(const QStringList&, int); return runBackupBench(args.mid(1), times); }
    if (args.value(0) == QLatin1String("probe") && args.size() == 2) return runProbe(args[1], times);
    if (args.size() < 3) return usage();
    const QString command = args[0];
    const Archive* archive = findArchive(args[1]);
    if (!archive) return usage();

    if (command == "generate" && args.size() == 4) return generate(*archive, args[2].toLongLong(), args[3]);

    const QString folder = args[2];
    const QString path = archivePath(folder, *archive->layout);
    std::printf("%s: %lld bytes\n", qPrintable(path), QFileInfo(path).size());

    if (command == "search") {
        std::vector<SearchFilter> filters;
        QString firstText;
        for (const QString& arg : args.mid(3)) {
            const auto eq = arg.indexOf('=');
            const int field = archive->layout->indexOf(arg.left(eq).toStdString());
            if (eq < 0 || field < 0) return usage();
            filters.push_back({field, arg.mid(eq + 1)});
            if (firstText.isEmpty()) firstText = arg.mid(eq + 1);
        }
        // Search, the plain read and grep alternate, so all see the same state of the machine.
        Timing ours, theirs, floor;
        for (int i = 0; i < times; ++i) {
            const Timing a = repeat(1, [&] { return runSearch(*archive, path, filters); });
            ours.ms.push_back(a.ms[0]);
            ours.result = a.result;
            const Timing r = repeat(1, [&] { return readFileOnce(path); });
            floor.ms.push_back(r.ms[0]);
            floor.result = r.result;
            if (grep) {
                const Timing b = repeat(1, [&] { return runGrep(path, firstText); });
                theirs.ms.push_back(b.ms[0]);
                theirs.result = b.result;
            }
        }
        report("search (records listed)", ours);
        report("read the file once (bytes)", floor);
        std::printf("ratio search / read once: %.2f\n", median(ours.ms) / median(floor.ms));
        if (grep) {
            report("grep -c -i (lines)", theirs);
            std::printf("ratio search / grep: %.2f\n", median(ours.ms) / median(theirs.ms));
        }
    } else if (command == "list") {
        report("list of every record", repeat(times, [&] { return runSearch(*archive, path, {}); }));
    } else if (command == "export") {
        const QString out = QDir(folder).filePath("bench_export.xls");
        report("export whole archive", repeat(times, [&] { return runExport(*archive, path, out); }));
        std::printf("export file: %lld bytes\n", QFileInfo(out).size());
    } else {
        return usage();
    }
    std::printf("peak memory (VmHWM): %.1f MB\n", double(peakRssKb()) / 1024.0);
    return 0;
}
