#include "ui/Windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

}  // namespace cal
