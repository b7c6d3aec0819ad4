#include "ui/StatusHints.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
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
