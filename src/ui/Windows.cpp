#include "ui/Windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace cal {

void showFull(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) window->setGeometry(screen->availableGeometry());
    window->showMaximized();
}

void showCentred(QWidget* window) {
    window->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = window->frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        window->move(r.topLeft());
    }
    window->show();
}

QSize windowRoom(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QSize room = screen ? screen->availableGeometry().size() : QSize(1366, 768);
    // A frame and a title bar, and a panel's height where the whole screen is available.
    const bool panelKept = screen && screen->availableGeometry().height() < screen->geometry().height();
    room -= QSize(16, panelKept ? 40 : 72);
    return room;
}

void fitWindow(QWidget* window, QSize wanted) {
    window->resize(wanted.boundedTo(windowRoom(window)));
    if (!window->isVisible() || !window->screen()) return;
    const QRect available = window->screen()->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
    window->move(frame.topLeft());
}

}  // namespace cal
