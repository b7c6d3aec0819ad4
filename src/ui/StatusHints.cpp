#include "ui/StatusHints.h"

#include "ui/Icons.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace cal {

StatusHints::StatusHints(QLabel* panInfo) : QObject(panInfo), panInfo_(panInfo) {}

void StatusHints::add(QWidget* element, const QString& hint) {
    element->setProperty("hint", hint);
    element->setToolTip(hint);
    element->setStatusTip(hint);
    element->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter)
        panInfo_->setText(watched->property("hint").toString());
    else if (event->type() == QEvent::Leave)
        panInfo_->clear();
    return false;
}

QToolButton* makeCommandButton(QWidget* parent, StatusHints* hints, const QString& name, const QIcon& icon,
                               const QString& caption, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setIcon(icon);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setAccessibleName(caption);
    hints->add(b, hint);
    return b;
}

void setCommandShortcut(QAction* a, const QKeySequence& keys) {
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    const QString shown = QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + u')';
    const QString hint = a->property("hint").isValid() ? a->property("hint").toString() : a->toolTip();
    a->setToolTip(hint + shown);
    for (QObject* o : a->associatedObjects())
        if (auto* button = qobject_cast<QToolButton*>(o); button && button->defaultAction() == a)
            button->setToolTip(hint + shown);
}

QAction* addToolbarCommand(QToolBar* toolbar, StatusHints* hints, const QString& name, const QIcon& icon,
                           const QString& caption, const QString& hint, const QKeySequence& keys) {
    toolbar->setIconSize(kToolbarIconSize);  // one size for every picture of a toolbar
    // The button that shows the commands a narrow window cannot fit.
    if (auto* more = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Altri comandi"));
    QAction* a = toolbar->addAction(icon, caption);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setProperty("hint", hint);
    if (QWidget* button = toolbar->widgetForAction(a)) {
        button->setObjectName(name);
        button->setAccessibleName(caption);
        hints->add(button, hint);
    }
    if (!keys.isEmpty()) setCommandShortcut(a, keys);
    return a;
}

QLabel* makeStatusLine(QWidget* parent, const QString& initialText) {
    auto* label = new QLabel(initialText, parent);
    label->setObjectName(QStringLiteral("panInfo"));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(24);
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

}  // namespace cal
