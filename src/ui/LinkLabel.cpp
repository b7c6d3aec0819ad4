#include "ui/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace cal {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setup(text);
}

LinkLabel::LinkLabel(const QPixmap& picture, const QString& accessibleName, QWidget* parent) : QLabel(parent) {
    setPixmap(picture);
    setup(accessibleName);
}

QColor LinkLabel::linkColour() { return QColor(0, 70, 180); }
QColor LinkLabel::pressedColour() { return QColor(200, 30, 30); }

void LinkLabel::setup(const QString& accessibleName) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setPressed(false);
}

void LinkLabel::setPressed(bool pressed) {
    pressed_ = pressed;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, pressed ? pressedColour() : linkColour());
    setPalette(colours);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    setPressed(true);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
    setPressed(false);
    event->accept();
    // Releasing the button away from the link cancels the click, as with a button.
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

}  // namespace cal
