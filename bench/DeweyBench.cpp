// The Dewey table of the library: from btnDewey to the whole table shown in the list, against
// the screen's own one-second loading pause measured alone in the same run (the baseline), and
// the filling of the list alone.
#include "Measure.h"

#include "core/ProgramFolder.h"
#include "library/TfrmCodici_Dewey.h"
#include "library/TfrmLibri.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

class DeweyServices : public cal::Screens, public cal::Dialogs {
public:
    std::function<void(QDialog*)> act;
    int exec(QDialog* screen) override {
        screen->show();
        if (act) act(screen);
        return screen->result();
    }
    void message(Kind, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool question(const QString&) override { return false; }
    int choose(const QString&, const QStringList& buttons) override { return int(buttons.size()) - 1; }
    QString chooseFile(const QString&, const QString&) override { return {}; }
};

void report(const char* what, const std::vector<double>& ms) {
    std::printf("%-40s median %9.1f ms  (runs:", what, median(ms));
    for (double x : ms) std::printf(" %.1f", x);
    std::printf(")\n");
}

// Spins the event loop until `done` holds (checked every millisecond).
void waitFor(const std::function<bool()>& done) {
    while (!done()) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace

int runDeweyBench(int times) {
    QTemporaryDir folder;
    cal::setProgramFolder(folder.path() + u'/');
    DeweyServices services;
    const cal::Services saved = cal::services();
    cal::services().screens = &services;
    cal::services().dialogs = &services;
    cal::TfrmLibri books;
    books.show();
    auto* button = books.findChild<QPushButton*>(QStringLiteral("btnDewey"));
    const int expected = int(cal::deweyTable().size());
    std::vector<double> shown, pause;
    int rows = 0;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer clock;
        clock.start();
        bool fired = false;
        QTimer::singleShot(1000, [&] { fired = true; });
        waitFor([&] { return fired; });
        pause.push_back(double(clock.nsecsElapsed()) / 1e6);

        services.act = [&](QDialog* d) {
            auto* list = d->findChild<QListView*>(QStringLiteral("lstRecords"));
            waitFor([&] { return list->model()->rowCount() == expected; });
            QCoreApplication::processEvents();  // the list painted
            shown.push_back(double(clock.nsecsElapsed()) / 1e6);
            rows = list->model()->rowCount();
            d->reject();
        };
        clock.restart();
        button->click();
    }
    // The table put into the list without the pause: a fresh screen, loaded at once and painted.
    std::vector<double> fill;
    for (int i = 0; i < times; ++i) {
        cal::TfrmCodici_Dewey table(&books);
        table.setKeyword(QStringLiteral("libri"));
        table.show();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        table.loadTable();
        QCoreApplication::processEvents();
        fill.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    cal::services() = saved;
    std::printf("Dewey table: %d entries\n", rows);
    report("the table filled and painted, no pause", fill);
    report("Dewey table, btnDewey to list shown", shown);
    report("the one-second loading pause alone", pause);
    std::printf("ratio: %.3f\n", median(shown) / median(pause));
    return 0;
}
