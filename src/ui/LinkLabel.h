#pragma once
// A text or a picture that acts as a link: pointing-hand cursor, link colour, activated by a
// click, by Space or by Enter. While the mouse button is held down on a text link its text
// takes the pressed colour; it goes back to the link colour when the button is released.
#include <QLabel>

namespace cal {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    // A text link; its accessible name is its text.
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    // A picture link; the accessible name says what it opens.
    LinkLabel(const QPixmap& picture, const QString& accessibleName, QWidget* parent = nullptr);

    bool isPressed() const { return pressed_; }
    static QColor linkColour();
    static QColor pressedColour();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setup(const QString& accessibleName);
    void setPressed(bool pressed);
    bool pressed_ = false;
};

}  // namespace cal
