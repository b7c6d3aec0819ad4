#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace cal {
namespace {

bool isControl(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::Link: return true;
    default: return false;
    }
}

QString describe(QAccessibleInterface* iface) {
    QObject* o = iface->object();
    QString what = o ? QString::fromLatin1(o->metaObject()->className()) : QStringLiteral("?");
    QString name = o ? o->objectName() : QString();
    // Unnamed objects are told by their nearest named ancestor.
    for (QObject* p = o ? o->parent() : nullptr; name.isEmpty() && p; p = p->parent())
        if (!p->objectName().isEmpty()) name = QStringLiteral("in ") + p->objectName();
    return QStringLiteral("%1 %2 (role %3)").arg(what, name).arg(int(iface->role()));
}

void walk(QAccessibleInterface* iface, QStringList& faults, int depth) {
    if (!iface || !iface->isValid() || depth > 64) return;
    const QAccessible::State state = iface->state();
    if (state.invisible) return;
    const QAccessible::Role role = iface->role();
    if (isControl(role) && iface->text(QAccessible::Name).trimmed().isEmpty())
        faults << QStringLiteral("senza nome: ") + describe(iface);
    // Items of lists and tables are the rows and cells of the data, not controls.
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree) return;
    for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i), faults, depth + 1);
}

bool isReadOnlyField(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(w)) return e->isReadOnly();
    return false;
}

QString fieldText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->toPlainText();
    if (auto* e = qobject_cast<QTextEdit*>(w)) return e->toPlainText();
    return {};
}

// A field shown and never typed into: text that can be read and selected, not edited.
class ReadOnlyField : public QAccessibleWidget {
public:
    explicit ReadOnlyField(QWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const bool readOnly = isReadOnlyField(widget());
        s.readOnly = readOnly;
        s.editable = !readOnly;
        s.focusable = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return fieldText(widget());
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* readOnlyFieldFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w && isReadOnlyField(w)) return new ReadOnlyField(w);
    return nullptr;
}

// A field made read-only (or editable again) after assistive technology first asked about it
// gets the description of what it is now.
class ReadOnlyChanges : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ReadOnlyChange) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        QAccessibleInterface* current = QAccessible::queryAccessibleInterface(w);
        if (current && (dynamic_cast<ReadOnlyField*>(current) != nullptr) != isReadOnlyField(w))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
        return false;
    }
};

}  // namespace

void announceReadOnlyFields() {
    if (!qApp) return;
    static const bool installed = [] {
        QAccessible::installFactory(readOnlyFieldFactory);
        qApp->installEventFilter(new ReadOnlyChanges(qApp));
        return true;
    }();
    Q_UNUSED(installed);
}

QStringList accessibilityFaults(QWidget* window) {
    QStringList faults;
    walk(QAccessible::queryAccessibleInterface(window), faults, 0);

    for (QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (!buddy || !label->isVisibleTo(window) || !buddy->isVisibleTo(window)) continue;
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(buddy);
        if (!field) continue;
        bool linked = false;
        for (const auto& relation : field->relations(QAccessible::Label))
            if (relation.first && relation.first->object() == label) linked = true;
        if (!linked)
            faults << QStringLiteral("non collegato all'etichetta \"%1\": %2").arg(label->text(), describe(field));
    }

    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !isReadOnlyField(w)) continue;
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w);
        if (!field) continue;
        const QAccessible::State state = field->state();
        if (state.editable || !state.readOnly)
            faults << QStringLiteral("sola lettura annunciato come modificabile: ") + describe(field);
    }
    return faults;
}

}  // namespace cal
