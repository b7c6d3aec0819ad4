// The baseline of the start-up figure: the smallest Qt Widgets program, one empty window shown.
// A program of its own, linked only to Qt Widgets, so that it loads what any Qt window loads and
// nothing of ours. Prints the same line as the start-up child of the benchmark:
// milliseconds from main to shown, peak memory in KB, and the monotonic clock when shown.
#include "../Measure.h"

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
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    while (!window.isVisible() || !window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double shownAt = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    QCoreApplication::processEvents();
    std::printf("%.3f %ld %.3f\n", double(clock.nsecsElapsed()) / 1e6, peakRssKb(), shownAt);
    return 0;
}
