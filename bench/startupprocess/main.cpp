// The program's start-up as a process of its own, for the start-up figure: the steps of the
// program's main (the font configuration read in a thread while the application object is made,
// the sound service, every archive registered, the login shown), linked to the same libraries as
// the program and to nothing of the benchmark's. The program folder is the one given. Prints the
// line the baselines print: milliseconds from main to the login shown, peak memory in KB, and the
// monotonic clock when shown.
//
//   calvetra_startup <folder>
#include "../Measure.h"

#include "app/Application.h"
#include "app/TfrmPassword.h"
#include "core/ProgramFolder.h"
#include "ui/FontConfiguration.h"
#include "ui/MediaSound.h"
#include "ui/Services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    cal::startReadingFontConfiguration();
    QApplication app(argc, argv);
    cal::setProgramFolder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    cal::MediaSound alarm(QStringLiteral(CALVETRA_SOUND_MODULE));
    cal::services().sound = &alarm;
    cal::Application program;
    program.start();
    QWidget* shown = program.login();
    while (!shown->isVisible() || !shown->windowHandle() || !shown->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    // The moment the window is shown, on the clock the benchmark read before starting this
    // process: process creation, loading and start-up count, tearing down does not.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double shownAt = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    QCoreApplication::processEvents();
    std::printf("%.3f %ld %.3f\n", double(clock.nsecsElapsed()) / 1e6, peakRssKb(), shownAt);
    std::fflush(stdout);
    return 0;
}
