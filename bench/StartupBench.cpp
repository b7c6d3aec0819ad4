// Start-up to the login shown, against a minimal Qt login (one label, one password field, one
// button: a program of its own linked only to Qt Widgets) and, for reference, an empty Qt window.
// Each start is a fresh process; the three alternate, so all see the same state of the machine.
//
//   - offscreen: the program's start-up (`calvetra_startup`, the steps of its main, linked as
//     the program is) and the baselines each print the moment their window is exposed, on the
//     monotonic clock the benchmark read just before starting them, and their peak memory;
//   - under an X server (Xvfb, started here when it is installed): the program itself (a copy of
//     the executable in a folder of its own) and the baselines, each timed from outside, from
//     the process start to the server's notice that its window is mapped.
#include "MapWatch.h"
#include "Measure.h"
#include "ScreenBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Starts {
    explicit Starts(const char* what) : name(what) {}
    const char* name;
    std::vector<double> ms;
    std::vector<double> mb;
};

void print(const Starts& s, const Starts& baseline) {
    std::printf("%-42s median %8.1f ms", s.name, median(s.ms));
    if (!s.mb.empty()) std::printf("  peak %6.1f MB", median(s.mb));
    if (&s != &baseline && median(baseline.ms) > 0) {
        std::printf("  (%.2f of the minimal login", median(s.ms) / median(baseline.ms));
        if (!s.mb.empty() && !baseline.mb.empty()) std::printf("; memory %.2f", median(s.mb) / median(baseline.mb));
        std::printf(")");
    }
    std::printf("  runs:");
    for (double x : s.ms) std::printf(" %.1f", x);
    std::printf("\n");
}

QString beside(const char* program) { return QCoreApplication::applicationDirPath() + u'/' + QLatin1String(program); }

// Offscreen: the process prints its own moment shown and peak memory.
void startOffscreen(const QString& program, const QStringList& args, Starts& into) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    const double started = monotonicMs();
    p.start(program, args);
    p.waitForFinished(-1);
    const QList<QByteArray> out = p.readAllStandardOutput().trimmed().split(' ');
    if (out.size() < 3) return;
    into.ms.push_back(out[2].toDouble() - started);
    into.mb.push_back(out[1].toDouble() / 1024.0);
}

// Under X: timed to the window mapped; a program that goes on running (the program itself) is
// stopped once its window is seen.
void startUnderX(MapWatch& watch, const QProcessEnvironment& env, const QString& program, const QStringList& args,
                 Starts& into) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watch.drain();
    const double started = monotonicMs();
    p.start(program, args);
    const std::optional<double> mapped = watch.waitForMap(20000);
    if (mapped) into.ms.push_back(*mapped - started);
    if (!p.waitForFinished(200)) {
        p.kill();
        p.waitForFinished(-1);
    }
}

// An X server of its own on a free display; nullptr when none can be started.
std::unique_ptr<QProcess> startXvfb(QByteArray& display) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) return nullptr;
    for (int n = 90; n < 100; ++n) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        auto server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server->start(xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server->waitForStarted();
        for (int wait = 0; wait < 100 && server->state() == QProcess::Running; ++wait) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                display = ":" + QByteArray::number(n);
                return server;
            }
            QThread::msleep(50);
        }
        server->kill();
        server->waitForFinished(-1);
    }
    return nullptr;
}

}  // namespace

int runStartupBench(const QString& folder, int times) {
    QDir().mkpath(folder);
    const QString startup = beside("calvetra_startup"), login = beside("calvetra_minimallogin"),
                  empty = beside("calvetra_emptywindow");
    {
        Starts ours{"program, start to login shown"}, minimal{"minimal login (baseline)"},
            blank{"empty window (reference)"};
        for (int i = 0; i < times; ++i) {
            startOffscreen(startup, {folder}, ours);
            startOffscreen(login, {}, minimal);
            startOffscreen(empty, {}, blank);
        }
        std::printf("offscreen (each process reports its window exposed), medians of %d starts:\n", times);
        for (const Starts* s : {&ours, &minimal, &blank}) print(*s, minimal);
    }

    QByteArray display;
    const std::unique_ptr<QProcess> server = startXvfb(display);
    MapWatch watch;
    if (!server || !watch.open(display)) {
        std::printf("under X: no Xvfb could be started; not measured\n");
        return 0;
    }
    // The program itself, from a folder of its own (its program folder).
    const QString xFolder = QDir(folder).filePath(QStringLiteral("x11"));
    QDir().mkpath(xFolder);
    const QString program = QDir(xFolder).filePath(QStringLiteral("Calvetra"));
    QFile::remove(program);
    if (!QFile::copy(QStringLiteral(CALVETRA_PROGRAM), program)) {
        std::printf("under X: cannot copy the program to %s\n", qPrintable(program));
        return 0;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    Starts ours{"program, start to login mapped"}, minimal{"minimal login (baseline)"},
        blank{"empty window (reference)"};
    for (int i = 0; i < times; ++i) {
        startUnderX(watch, env, program, {}, ours);
        startUnderX(watch, env, login, {}, minimal);
        startUnderX(watch, env, empty, {}, blank);
    }
    std::printf("under Xvfb %s (from outside, to the window mapped), medians of %d starts:\n", display.constData(),
                times);
    for (const Starts* s : {&ours, &minimal, &blank}) print(*s, minimal);
    server->terminate();
    server->waitForFinished(5000);
    return 0;
}
