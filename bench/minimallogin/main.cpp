// The baseline of the start-up figure: the smallest Qt Widgets login, a window holding one label,
// one password field and one button. A program of its own, linked only to Qt Widgets, so that it
// loads what any Qt login loads (the fonts among them) and nothing of ours. Prints the same line
// as the program's start-up probe: milliseconds from main to shown, peak memory in KB, and the
// monotonic clock when shown. Under an X server the benchmark also times it from outside, to the
// window being mapped.
#include "../Measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
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
    window.setWindowTitle(QStringLiteral("Login"));
    auto* prompt = new QLabel(QStringLiteral("Password:"), &window);
    auto* password = new QLineEdit(&window);
    password->setEchoMode(QLineEdit::Password);
    prompt->setBuddy(password);
    auto* ok = new QPushButton(QStringLiteral("OK"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(prompt);
    layout->addWidget(password);
    layout->addWidget(ok);
    window.show();
    while (!window.isVisible() || !window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double shownAt = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    QCoreApplication::processEvents();
    std::printf("%.3f %ld %.3f\n", double(clock.nsecsElapsed()) / 1e6, peakRssKb(), shownAt);
    std::fflush(stdout);
    return 0;
}
