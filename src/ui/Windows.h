#pragma once
// Showing the program's windows.
#include <QSize>

class QWidget;

namespace cal {

// Shows a window maximised; where no window manager maximises it (a bare X display), it is
// given the whole available screen instead.
void showFull(QWidget* window);
// Shows a small window in the middle of the screen.
void showCentred(QWidget* window);

// The room a window may take on its screen: the available area less the window's title bar and
// frame, and less a desktop panel's height where the screen keeps none aside for one.
QSize windowRoom(const QWidget* window);
// Gives a window the size it wants, within that room; a window already shown is kept inside the
// screen's available area.
void fitWindow(QWidget* window, QSize wanted);

}  // namespace cal
