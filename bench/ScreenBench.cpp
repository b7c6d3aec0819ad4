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

}  // namespace

int runScreenBench(const QString& command, const QStringList& args, int times) {
    if (command == QLatin1String("startup")) return runStartupBench(args.value(0), times);

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
