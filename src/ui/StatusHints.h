#pragma once
// The status line `panInfo`: the hint of the command, check box or picker field under the
// pointer, emptied when the pointer is back over the background. The hint is also the tooltip.
#include <QObject>
#include <QString>

#include <QKeySequence>

class QAction;
class QIcon;
class QLabel;
class QToolBar;
class QToolButton;
class QWidget;

namespace cal {

class StatusHints : public QObject {
    Q_OBJECT
public:
    explicit StatusHints(QLabel* panInfo);
    void add(QWidget* element, const QString& hint);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* panInfo_;
};

// A command shown as an icon with its caption under it, named `name`, announced by its caption,
// with its hint on the status line and as tooltip. The caller connects it.
QToolButton* makeCommandButton(QWidget* parent, StatusHints* hints, const QString& name, const QIcon& icon,
                               const QString& caption, const QString& hint);
// The same command as an action of a toolbar; its button carries the same name. Toolbar buttons
// take no Tab stop: `keys`, when given, is its shortcut (see setCommandShortcut).
QAction* addToolbarCommand(QToolBar* toolbar, StatusHints* hints, const QString& name, const QIcon& icon,
                           const QString& caption, const QString& hint, const QKeySequence& keys = {});
// Gives a command its shortcut, active in its whole window, and shows it after the hint in the
// tool tips of the action and of its toolbar button, where assistive technology also reads it
// (as the button's description).
void setCommandShortcut(QAction* action, const QKeySequence& keys);

// The status line label every working screen puts at its bottom.
QLabel* makeStatusLine(QWidget* parent, const QString& initialText = {});

}  // namespace cal
