#pragma once
// Showing the program's windows.
class QWidget;

namespace cal {

// Shows a window maximised; where no window manager maximises it (a bare X display), it is
// given the whole available screen instead.
void showFull(QWidget* window);
// Shows a small window in the middle of the screen.
void showCentred(QWidget* window);

}  // namespace cal
