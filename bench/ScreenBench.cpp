// Benchmarks of whole screens, run headless: start-up to the login screen, the client search
// from Cerca to the list shown, and the client export screen filled and written.
#include "Measure.h"
#include "ScreenBench.h"

#include "app/Application.h"
#include "app/TfrmPassword.h"
#include "clients/TfrmClienti.h"
#include "screens/Catalog.h"
#include "services/FeeSummary.h"
#include "services/ServiceLayout.h"
#include "core/Search.h"
#include "core/ProgramFolder.h"
#include "screens/ExportScreen.h"
#include "ui/MediaSound.h"
#include "ui/Services.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

#include <ctime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QWindow>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void print(const char* what, const std::vector<double>& ms) {
    std::printf("%-34s median %9.1f ms  (runs:", what, median(ms));
    for (double x : ms) std::printf(" %.1f", x);
    std::printf(")\n");
}

// Runs the next modal screen through `act` instead of an event loop; answers Yes to questions.
class BenchServices : public cal::Screens, public cal::Dialogs {
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

double monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace

int runScreenBench(const QString& command, const QStringList& args, int times) {
    if (command == QLatin1String("startup-child")) {
        // One start in this process: time from the start of main to the login shown.
        QElapsedTimer clock;
        clock.start();
        // As the program starts: its sound service, then the application with every archive.
        cal::setProgramFolder(args.value(0));
        cal::MediaSound alarm(QStringLiteral(CALVETRA_SOUND_MODULE));
        cal::services().sound = &alarm;
        cal::Application program;
        program.start();
        QWidget* shown = program.login();
        while (!shown->isVisible() || !shown->windowHandle() || !shown->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        // The moment the window is shown, on the clock the parent read before starting this process:
        // process creation, loading and start-up count, tearing down does not.
        const double shownAt = monotonicMs();
        QCoreApplication::processEvents();
        std::printf("%.3f %ld %.3f\n", double(clock.nsecsElapsed()) / 1e6, peakRssKb(), shownAt);
        return 0;
    }
    if (command == QLatin1String("startup")) {
        // Each start in a fresh process, so memory is the process's own; the empty window alternates.
        std::vector<double> ours, theirs, oursMem, theirsMem;
        for (int i = 0; i < times; ++i) {
            for (const char* which : {"startup-child", "emptywindow-child"}) {
                const double started = monotonicMs();
                QProcess p;
                if (qstrcmp(which, "startup-child") == 0)
                    p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(which), args.value(0)});
                else  // the baseline program built beside this one
                    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/calvetra_emptywindow"), {});
                p.waitForFinished(-1);
                const QList<QByteArray> out = p.readAllStandardOutput().trimmed().split(' ');
                const double total = out.value(2).toDouble() - started;
                const bool app = qstrcmp(which, "startup-child") == 0;
                (app ? ours : theirs).push_back(total);
                (app ? oursMem : theirsMem).push_back(out.value(1).toDouble() / 1024.0);
            }
        }
        print("start to login shown (process)", ours);
        print("start to empty window (process)", theirs);
        std::printf("ratio: %.2f\npeak memory: login %.1f MB, empty window %.1f MB (medians)\n",
                    median(ours) / median(theirs), median(oursMem), median(theirsMem));
        return 0;
    }

    BenchServices services;
    cal::Services saved = cal::services();
    cal::services().screens = &services;
    cal::services().dialogs = &services;
    cal::setProgramFolder(args.value(0));
    std::vector<double> ms;
    long rows = 0;
    if (command == QLatin1String("screen-search")) {
        const QString filter = args.value(1);
        for (int i = 0; i < times; ++i) {
            services.act = [&](QDialog* d) {
                if (!filter.isEmpty()) d->findChild<QLineEdit*>(QStringLiteral("txtCliente"))->setText(filter);
                QElapsedTimer clock;
                clock.start();
                d->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
                QCoreApplication::processEvents();  // the list painted
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                rows = d->findChild<QListView*>(QStringLiteral("lstRecords"))->model()->rowCount();
                d->reject();
            };
            cal::openSearch("TfrmTrovaClienti", QStringLiteral("clienti"), nullptr);
        }
        print("client search, Cerca to list", ms);
    } else if (command == QLatin1String("screen-export")) {
        for (int i = 0; i < times; ++i) {
            QElapsedTimer clock;
            clock.start();
            services.act = [&](QDialog* d) {
                QCoreApplication::processEvents();
                rows = d->findChild<QTableView*>(QStringLiteral("grdRecords"))->model()->rowCount();
                d->findChild<QToolButton*>(QStringLiteral("cmdEsporta"))->click();
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                d->reject();
            };
            cal::openExport("TfrmExpClienti");
        }
        print("client export, shown to written", ms);
    } else if (command == QLatin1String("screen-fees")) {
        // The summary screen over the whole year, alternating with reading the same file once.
        const QString path = QDir(args.value(0)).filePath(QStringLiteral("2026.ser"));
        std::vector<double> scan;
        cal::TfrmMenuRiepCosti query;
        query.show();
        query.findChild<QLineEdit*>(QStringLiteral("txtAnno"))->setText(QStringLiteral("2026"));
        for (auto [name, index] : {std::pair{"txtGiornoInizio", 0}, {"txtMeseInizio", 0}, {"txtGiornoFine", 30},
                                   {"txtMeseFine", 11}})
            query.findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
        for (int i = 0; i < times; ++i) {
            QElapsedTimer clock;
            clock.start();
            readFileOnce(path);
            scan.push_back(double(clock.nsecsElapsed()) / 1e6);
            clock.restart();
            services.act = [&](QDialog* d) {
                QCoreApplication::processEvents();  // the list painted
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
                rows = d->findChild<QListView*>(QStringLiteral("lstRecords"))->model()->rowCount();
                d->reject();
            };
            query.findChild<QPushButton*>(QStringLiteral("btnVisualizza"))->click();
        }
        print("fee summary, Visualizza to list shown", ms);
        print("read the same file once", scan);
        std::printf("ratio: %.2f\n", median(ms) / median(scan));
    } else {
        return 2;
    }
    cal::services() = saved;
    std::printf("rows: %ld\npeak memory (VmHWM): %.1f MB\n", rows, double(peakRssKb()) / 1024.0);
    return 0;
}
