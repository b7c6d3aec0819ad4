// The whole benchmark in one command: program folders of 1,000 to 1,000,000 synthetic records of
// every archive, and on each one every operation that reads a whole archive, each in a process of
// its own (so that peak memory is the operation's), alternating with the baselines of the same run.
//
//   calvetra_bench suite <root> [--sizes 1000,10000,100000,1000000] [--repeat R] [--only TEXT]
//
// Operations, found through the registered archives (so an archive added later is measured too):
//   - each search screen from Cerca to the list shown: every record listed, one filter, three filters;
//   - each list screen from opening to the list shown;
//   - each whole-archive export screen from shown to the file written;
//   - the fee summary, the movement summary and the reminder check, each against a plain scan of
//     its file (their own commands, run by the suite);
//   - the Dewey table and start-up to the login screen (against an empty window), once.
// Baselines, on the client file, each a whole process like the search it is set against (the
// search runs as `calvetra_search`, built beside this program and linked only to what it needs):
//   - reading the file once (dd bs=4M to /dev/null), the floor;
//   - grep -c -i of the filter text;
//   - SQLite 3 answering the same filter with LIKE from an on-disk database of the same rows,
//     returning the list's columns sorted.
#include "Measure.h"
#include "Suite.h"

#include "clients/ClientLayout.h"
#include "clients/ClientTables.h"
#include "core/Codepage.h"
#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "core/Text.h"
#include "screens/ArchiveDefinition.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "ui/Services.h"

#include <sqlite3.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

namespace {

using namespace cal;

// Runs the next modal screen through `act` instead of an event loop.
class SilentServices : public Screens, public Dialogs {
public:
    std::function<void(QDialog*)> act;
    int exec(QDialog* screen) override {
        screen->show();
        if (act) act(screen);
        return screen->result();
    }
    void message(Kind, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool question(const QString& text) override { return !text.contains(QStringLiteral("aprire")); }
    int choose(const QString&, const QStringList& buttons) override { return int(buttons.size()) - 1; }
    QString chooseFile(const QString&, const QString&) override { return {}; }
};

QString layoutFile(const RecordLayout& layout) {
    return QString::fromLatin1(layout.fileName.data(), qsizetype(layout.fileName.size()));
}

// The archive screen a search or export of `layout` reads through: per-year archives read the
// benchmark's year 2026, the file the generate command writes.
const ArchiveModule* moduleOf(const RecordLayout& layout) {
    for (const ArchiveModule* m : archiveModules())
        if (m->archive->layout == &layout) return m;
    return nullptr;
}

std::unique_ptr<ArchiveScreen> callerFor(const RecordLayout& layout, const QString& folder) {
    const ArchiveModule* m = moduleOf(layout);
    if (!m) return nullptr;
    std::unique_ptr<ArchiveScreen> screen(m->create());
    const QString name = layoutFile(layout);
    if (name.startsWith(u'.')) screen->setFilePath(QDir(folder).filePath(QStringLiteral("2026") + name));
    return screen;
}

QString recordPath(const RecordLayout& layout, const QString& folder) {
    QString name = layoutFile(layout);
    if (name.startsWith(u'.')) name.prepend(QStringLiteral("2026"));
    return QDir(folder).filePath(name);
}

// Filter texts that select part of the archive: the first three letters of the first record's
// value of each of the first `count` filters.
std::vector<std::pair<QString, QString>> filterTexts(const SearchDefinition& def, const QString& folder, int count) {
    std::vector<std::pair<QString, QString>> out;
    RecordFile file;
    QByteArray first(def.layout->size(), '\0');
    if (!file.open(recordPath(*def.layout, folder), def.layout->size()) ||
        file.readBlock(first.data(), 1) != 1)
        return out;
    for (const FilterField& f : def.filters) {
        if (int(out.size()) == count) break;
        const QString value = trimmed(fromCp1252(fieldBytes(*def.layout, first.constData(), f.field)));
        if (value.isEmpty()) continue;
        out.emplace_back(QString::fromLatin1(f.objectName), value.left(3).toLower());
    }
    return out;
}

// --- the child: one operation, timed `times` times in this process ---------------------------

int runChild(const QStringList& args, int times) {
    const QString op = args.value(0), name = args.value(1), folder = args.value(2);
    const int filters = args.value(3).toInt();
    SilentServices services;
    const Services saved = cal::services();
    cal::services().screens = &services;
    cal::services().dialogs = &services;
    setProgramFolder(folder);
    std::vector<double> ms, base;
    long rows = 0;
    // The baseline of each run, measured right after it: reading the record file once (searches,
    // lists, find), or `dd` writing as many bytes as the export wrote to a file of the same folder
    // and putting them on the disk, as the export does (exports).
    auto readOnce = [&](const RecordLayout& layout) {
        QElapsedTimer clock;
        clock.start();
        readFileOnce(recordPath(layout, folder));
        base.push_back(double(clock.nsecsElapsed()) / 1e6);
    };
    if (op == QLatin1String("search")) {
        const SearchDefinition* def = findSearch(name.toStdString());
        if (!def) return 2;
        const auto texts = filterTexts(*def, folder, filters);
        const auto caller = callerFor(*def->layout, folder);
        for (int i = 0; i < times; ++i) {
            services.act = [&](QDialog* d) {
                for (const auto& [edit, text] : texts) d->findChild<QLineEdit*>(edit)->setText(text);
                QElapsedTimer clock;
                clock.start();
                d->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
                QCoreApplication::processEvents();  // the list painted
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                rows = d->findChild<QListView*>(QStringLiteral("lstRecords"))->model()->rowCount();
                d->reject();
            };
            openSearch(def->objectName, def->ownKeyword, caller.get());
            readOnce(*def->layout);
        }
    } else if (op == QLatin1String("find")) {
        // Find in the list of every record, a text that no line holds: the whole list is looked at.
        const SearchDefinition* def = findSearch(name.toStdString());
        if (!def) return 2;
        const auto caller = callerFor(*def->layout, folder);
        for (int i = 0; i < times; ++i) {
            services.act = [&](QDialog* d) {
                if (!def->filters.empty()) d->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
                QCoreApplication::processEvents();
                d->findChild<QLineEdit*>(QStringLiteral("txtTrova"))->setText(QStringLiteral("#nessuna#"));
                QElapsedTimer clock;
                clock.start();
                d->findChild<QPushButton*>(QStringLiteral("btnTrova"))->click();
                QCoreApplication::processEvents();
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                rows = d->findChild<QListView*>(QStringLiteral("lstRecords"))->model()->rowCount();
                d->reject();
            };
            openSearch(def->objectName, def->ownKeyword, caller.get());
            readOnce(*def->layout);
        }
    } else if (op == QLatin1String("list")) {
        const SearchDefinition* def = findSearch(name.toStdString());
        if (!def) return 2;
        const auto caller = callerFor(*def->layout, folder);
        for (int i = 0; i < times; ++i) {
            QElapsedTimer clock;
            clock.start();
            services.act = [&](QDialog* d) {
                QCoreApplication::processEvents();  // the list painted
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                rows = d->findChild<QListView*>(QStringLiteral("lstRecords"))->model()->rowCount();
                d->reject();
            };
            openSearch(def->objectName, def->ownKeyword, caller.get());
            readOnce(*def->layout);
        }
    } else if (op == QLatin1String("export")) {
        const ExportDefinition* def = findExport(name.toStdString());
        if (!def || !def->layout) return 2;
        const auto caller = callerFor(*def->layout, folder);
        for (int i = 0; i < times; ++i) {
            QElapsedTimer clock;
            clock.start();
            services.act = [&](QDialog* d) {
                QCoreApplication::processEvents();  // the grid painted
                rows = d->findChild<QTableView*>(QStringLiteral("grdRecords"))->model()->rowCount();
                d->findChild<QToolButton*>(QStringLiteral("cmdEsporta"))->click();
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                d->reject();
            };
            openExport(def->objectName, caller.get());
            const QString written = programFile(QString::fromUtf8(def->fileName));
            const QString copy = QDir(folder).filePath(QStringLiteral("dd-baseline.out"));
            const qint64 bytes = QFileInfo(written).size();
            QElapsedTimer ddClock;
            ddClock.start();
            QProcess::execute(QStringLiteral("dd"), {"if=/dev/zero", "of=" + copy, "bs=1M", "count=" + QString::number(bytes),
                                                     "iflag=count_bytes", "conv=fsync", "status=none"});
            base.push_back(double(ddClock.nsecsElapsed()) / 1e6);
            QFile::remove(copy);
        }
    } else {
        return 2;
    }
    cal::services() = saved;
    std::printf("%.3f %ld %ld %.3f\n", median(ms), peakRssKb(), rows, median(base));
    return 0;
}

// --- SQLite 3, the peer ------------------------------------------------------------------------

// The client search's columns and its filter field, as an SQLite table of the same rows.
std::vector<int> sqliteFields() {
    std::vector<int> fields{kClientLayout.indexOf("txtCliente")};
    for (const ListColumn& c : kClientSearchLine)
        if (std::find(fields.begin(), fields.end(), c.field) == fields.end()) fields.push_back(c.field);
    return fields;
}

bool loadSqlite(const QString& records, const QString& db) {
    QFile::remove(db);
    sqlite3* h = nullptr;
    if (sqlite3_open(db.toUtf8().constData(), &h) != SQLITE_OK) return false;
    const auto fields = sqliteFields();
    QString create = QStringLiteral("CREATE TABLE clients(");
    QString insert = QStringLiteral("INSERT INTO clients VALUES(");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        create += QStringLiteral("%1c%2 TEXT").arg(i ? "," : "").arg(i);
        insert += i ? QStringLiteral(",?") : QStringLiteral("?");
    }
    sqlite3_exec(h, (create + u')').toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, (insert + u')').toUtf8().constData(), -1, &st, nullptr);
    scanRecordFile(records, kClientLayout, [&](qint64, const char* rec) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QByteArray v = trimmed(fromCp1252(fieldBytes(kClientLayout, rec, fields[i]))).toUtf8();
            sqlite3_bind_text(st, int(i) + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        }
        sqlite3_step(st);
        sqlite3_reset(st);
    });
    sqlite3_finalize(st);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);
    return true;
}

// The same filter with LIKE, the same columns, sorted on them ignoring case; prints the count.
int sqliteChild(const QString& db, const QString& text) {
    sqlite3* h = nullptr;
    if (sqlite3_open_v2(db.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
    const auto fields = sqliteFields();
    QString columns;
    for (std::size_t i = 1; i < fields.size(); ++i) columns += QStringLiteral("%1c%2").arg(i > 1 ? "," : "").arg(i);
    QString orderBy;
    for (std::size_t i = 1; i < fields.size(); ++i)
        orderBy += QStringLiteral("%1c%2 COLLATE NOCASE").arg(i > 1 ? "," : "").arg(i);
    const QString sql = QStringLiteral("SELECT %1 FROM clients WHERE c0 LIKE ?1 ORDER BY %2").arg(columns, orderBy);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &st, nullptr);
    const QByteArray pattern = (u'%' + text + u'%').toUtf8();
    sqlite3_bind_text(st, 1, pattern.constData(), int(pattern.size()), SQLITE_STATIC);
    std::vector<QStringList> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    std::printf("%zu\n", rows.size());
    return 0;
}

// --- the parent --------------------------------------------------------------------------------

struct Figure {
    double ms = 0;
    double mb = 0;
    long rows = 0;
    double base = 0;  // the same-run baseline, when there is one
};

// Wall time of a whole process, from its start to its end.
double timeProcess(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (out) *out = p.readAllStandardOutput();
    return ms;
}

Figure child(const QStringList& args, int times) {
    QByteArray out;
    timeProcess(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("suite-child")} + args + QStringList{"--repeat", QString::number(times)}, &out);
    const QList<QByteArray> f = out.trimmed().split(' ');
    if (f.size() < 4) return {-1, -1, -1, 0};
    return {f[0].toDouble(), f[1].toDouble() / 1024.0, f[2].toLong(), f[3].toDouble()};
}

// Generates each archive's file of `records` records once (a stamp file remembers it); with
// `clientsOnly`, only the client archive, which the baselines read.
void ensureFolder(const QString& folder, qint64 records, bool clientsOnly) {
    static const char* const archives[] = {"clients", "pricelist", "services", "deadlines", "mail",
                                           "transfers", "received", "library",  "articles", "documents"};
    QDir().mkpath(folder);
    for (const char* a : archives) {
        if (clientsOnly && qstrcmp(a, "clients") != 0) continue;
        const QString stamp = QDir(folder).filePath(QStringLiteral("generated-%1-%2").arg(QLatin1String(a)).arg(records));
        if (QFileInfo::exists(stamp)) continue;
        std::printf("generating %s, %lld records...\n", a, records);
        std::fflush(stdout);
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("generate"), QString::fromLatin1(a), QString::number(records), folder});
        QFile f(stamp);
        (void)f.open(QIODevice::WriteOnly);
    }
}

// Runs another command of this program and prints its lines, indented.
void passThrough(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QCoreApplication::applicationFilePath(), args);
    p.waitForFinished(-1);
    for (const QByteArray& line : p.readAllStandardOutput().trimmed().split('\n'))
        std::printf("    %s\n", line.constData());
    std::fflush(stdout);
}

// Whether the cost grows linearly with the records: the figure at 10^5 against the straight line
// through the figures at 10^4 and 10^6 (a fixed cost plus a cost per record), as a fraction of
// the line's value; also the cost per record at each size, in microseconds. Nothing when a size
// is missing.
std::optional<double> linearityDeviation(const std::map<qint64, double>& byN, std::vector<double>* perRecordUs) {
    std::vector<double> ms;
    for (qint64 n : {10000LL, 100000LL, 1000000LL})
        if (auto it = byN.find(n); it != byN.end() && it->second > 0) ms.push_back(it->second);
    if (ms.size() < 3) return std::nullopt;
    *perRecordUs = {ms[0] * 1000 / 1e4, ms[1] * 1000 / 1e5, ms[2] * 1000 / 1e6};
    const double line = ms[0] + (ms[2] - ms[0]) * (1e5 - 1e4) / (1e6 - 1e4);
    return (ms[1] - line) / line;
}

int runSuite(const QStringList& args, int times) {
    const QString root = args.value(0);
    std::vector<qint64> sizes{1000, 10000, 100000, 1000000};
    if (const auto i = args.indexOf("--sizes"); i >= 0) {
        sizes.clear();
        for (const QString& s : args.value(i + 1).split(u',')) sizes.push_back(s.toLongLong());
    }
    // --only TEXT: the operations whose name holds TEXT (TfrmTrovaClienti, TfrmExpClienti...).
    const QString only = args.indexOf("--only") >= 0 ? args.value(args.indexOf("--only") + 1) : QString();
    auto chosen = [&](const QString& name) { return only.isEmpty() || name.contains(only); };
    std::map<QString, std::map<qint64, double>> table;  // operation -> records -> median ms
    for (const qint64 n : sizes) {
        const QString folder = QDir(root).filePath(QString::number(n));
        ensureFolder(folder, n, !only.isEmpty() && only.contains(QLatin1String("Clienti")));
        // Fewer runs on the largest folders, whose operations take seconds.
        const int runs = n >= 1000000 ? std::min(times, 3) : times;
        std::printf("\n== %lld records (%s), medians of %d runs ==\n", n, qPrintable(folder), runs);
        std::printf("%-44s %10s %9s %9s %10s %6s\n", "operation", "ms", "peak MB", "rows", "base ms", "ratio");
        auto line = [&](const QString& what, const Figure& f) {
            std::printf("%-44s %10.1f %9.1f %9ld", qPrintable(what), f.ms, f.mb, f.rows);
            if (f.base > 0) std::printf(" %10.1f %6.2f", f.base, f.ms / f.base);
            std::printf("\n");
            std::fflush(stdout);
            table[what][n] = f.ms;
        };

        // The client search with one filter, whole processes, against the baselines.
        const QString clients = recordPath(kClientLayout, folder);
        const QString db = QDir(folder).filePath(QStringLiteral("clients.sqlite"));
        if (!QFileInfo::exists(db)) loadSqlite(clients, db);
        const QString self = QCoreApplication::applicationFilePath();
        // The kind of machine: what touching a mapped page costs against reading.
        passThrough({"probe", clients, "--repeat", QString::number(runs)});
        const QString search = QCoreApplication::applicationDirPath() + QStringLiteral("/calvetra_search");
        std::vector<double> ours, mapped, floor, grep, sqlite;
        for (int i = 0; i < runs; ++i) {
            ours.push_back(timeProcess(search, {folder, "rossi"}));
            floor.push_back(timeProcess("dd", {"if=" + clients, "of=/dev/null", "bs=4M", "status=none"}));
            mapped.push_back(timeProcess(search, {folder, "rossi", "--map"}));
            grep.push_back(timeProcess("grep", {"-c", "-i", "-a", "rossi", clients}));
            sqlite.push_back(timeProcess(self, {"sqlite-child", db, "rossi"}));
        }
        line(QStringLiteral("client search 1 filter (process)"), {median(ours), 0, 0});
        line(QStringLiteral("  the same through a mapping (process)"), {median(mapped), 0, 0});
        line(QStringLiteral("  baseline: read the file once (dd)"), {median(floor), 0, 0});
        line(QStringLiteral("  baseline: grep -c -i"), {median(grep), 0, 0});
        line(QStringLiteral("  baseline: SQLite 3 LIKE, sorted"), {median(sqlite), 0, 0});
        std::printf("  ratios: search/read %.2f  mapped search/read %.2f  search/grep %.2f  search/SQLite %.2f  "
                    "read/SQLite %.2f\n",
                    median(ours) / median(floor), median(mapped) / median(floor), median(ours) / median(grep),
                    median(ours) / median(sqlite), median(floor) / median(sqlite));

        for (const ArchiveModule* m : archiveModules()) {
            for (const SearchDefinition* s : m->searches) {
                const QString name = QString::fromLatin1(s->objectName);
                if (!chosen(name)) continue;
                if (s == m->searches.front())
                    line(name + QStringLiteral(" find, nothing found"), child({"find", name, folder}, runs));
                if (s->filters.empty()) {
                    line(name + QStringLiteral(" list"), child({"list", name, folder}, runs));
                    continue;
                }
                for (int filters : {0, 1, 3})
                    line(name + QStringLiteral(" %1 filter%2").arg(filters).arg(filters == 1 ? "" : "s"),
                         child({"search", name, folder, QString::number(filters)}, runs));
            }
            for (const ExportDefinition* e : m->exports)
                if (e->layout && chosen(QString::fromLatin1(e->objectName))) line(QString::fromLatin1(e->objectName) + QStringLiteral(" export"),
                                    child({"export", QString::fromLatin1(e->objectName), folder}, runs));
        }
        if (only.isEmpty()) {
            // The operations with a command of their own, each against its plain scan.
            std::printf("fee summary of 2026 (services archive):\n");
            passThrough({"screen-fees", folder, "--repeat", QString::number(runs)});
            std::printf("movement summary of 2026 (%lld issued transfers):\n", n);
            passThrough({"movements", QDir(folder).filePath("movimenti"), QString::number(n), "--repeat",
                         QString::number(runs)});
            std::printf("reminder check (%lld deadlines in one year):\n", n);
            passThrough({"reminders", QString::number(n), QDir(folder).filePath("promemoria"), "--repeat",
                         QString::number(runs)});
        }
    }
    if (only.isEmpty()) {
        std::printf("\n== independent of the archives' size ==\n");
        const QString empty = QDir(root).filePath(QStringLiteral("avvio"));
        QDir().mkpath(empty);
        std::printf("Dewey table:\n");
        passThrough({"screen-dewey", empty, "--repeat", QString::number(times)});
        std::printf("start-up to the login, against a minimal Qt login:\n");
        passThrough({"startup", empty, "--repeat", QString::number(std::max(times, 9))});
    }
    if (sizes.size() >= 3) {
        std::printf("\n== linearity: cost per record (us) at 10^4, 10^5, 10^6; the 10^5 figure against the line "
                    "through the other two ==\n");
        for (const auto& [what, byN] : table) {
            std::vector<double> us;
            if (const auto d = linearityDeviation(byN, &us))
                std::printf("%-44s %8.3f %8.3f %8.3f %+7.1f%%\n", qPrintable(what), us[0], us[1], us[2], *d * 100);
        }
    }
    return 0;
}

}  // namespace

int runSuiteCommand(const QString& command, const QStringList& args, int times) {
    if (command == QLatin1String("suite")) return runSuite(args, times);
    if (command == QLatin1String("suite-child")) return runChild(args, times);
    if (command == QLatin1String("sqlite-child")) return sqliteChild(args.value(0), args.value(1));
    return -1;
}
