#pragma once
// A small menu opened from the launcher: a few buttons, each leading to one working screen.
// Choosing closes the menu; on closing it says where to go (the launcher when nothing was chosen).
#include <QMainWindow>

#include <vector>

class QLabel;

namespace cal {

struct MenuChoice {
    const char* objectName;  // btnPreventivi
    const char* caption;     // UTF-8
    const char* memory;      // the menu's lblMemory after the choice: "emessi"
    const char* screen;      // the screen shown afterwards, by object name
};

struct ChoiceMenuTexts {
    const char* objectName;   // TfrmMenu...
    const char* caption;      // UTF-8
    const char* instruction;  // UTF-8
    const char* helpTitle;    // UTF-8
    std::vector<MenuChoice> choices;
};

class ChoiceMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit ChoiceMenu(const ChoiceMenuTexts& texts, QWidget* parent = nullptr);
    // "avvio" until a choice is made.
    QString memory() const;

signals:
    // The screen to show now that the menu is closed; empty for the launcher.
    void routed(const QString& screen);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const ChoiceMenuTexts& texts_;
    QLabel* lblMemory_;
};

}  // namespace cal
