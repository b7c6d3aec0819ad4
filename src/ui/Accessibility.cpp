#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QToolButton>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

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

// A field shown and never typed into: text that can be read and selected, not edited. It offers
// the text interface (what a screen reader reads the field's text through, by character, word
// or line) and no editable-text interface.
class ReadOnlyField : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyField(QWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
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

    // The text interface.
    QString text(int startOffset, int endOffset) const override {
        const QString all = fieldText(widget());
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = std::clamp(endOffset < 0 ? int(all.size()) : endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(fieldText(widget()).size()); }
    int cursorPosition() const override {
        if (auto* e = line()) return e->cursorPosition();
        return cursor().position();
    }
    void setCursorPosition(int position) override {
        if (auto* e = line()) return e->setCursorPosition(position);
        QTextCursor c = cursor();
        c.setPosition(std::clamp(position, 0, characterCount()));
        setCursor(c);
    }
    int selectionCount() const override {
        if (auto* e = line()) return e->hasSelectedText() ? 1 : 0;
        return cursor().hasSelection() ? 1 : 0;
    }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || selectionCount() == 0) return;
        if (auto* e = line()) {
            *startOffset = e->selectionStart();
            *endOffset = e->selectionEnd();
            return;
        }
        *startOffset = cursor().selectionStart();
        *endOffset = cursor().selectionEnd();
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex != 0) return;
        if (auto* e = line()) return e->deselect();
        QTextCursor c = cursor();
        c.clearSelection();
        setCursor(c);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex != 0) return;
        startOffset = std::clamp(startOffset, 0, characterCount());
        endOffset = std::clamp(endOffset, 0, characterCount());
        if (auto* e = line()) return e->setSelection(startOffset, endOffset - startOffset);
        QTextCursor c = cursor();
        c.setPosition(startOffset);
        c.setPosition(endOffset, QTextCursor::KeepAnchor);
        setCursor(c);
    }
    QRect characterRect(int offset) const override {
        const QString all = fieldText(widget());
        if (offset < 0 || offset >= all.size()) return {};
        const QFontMetrics fm = widget()->fontMetrics();
        const int width = fm.horizontalAdvance(all.at(offset));
        if (auto* e = line()) {
            // Where the character ends: the first point whose cursor position is past it.
            const QRect inside = e->contentsRect();
            int low = inside.left(), high = inside.right();
            while (low < high) {
                const int mid = (low + high) / 2;
                if (e->cursorPositionAt(QPoint(mid, inside.center().y())) <= offset) low = mid + 1;
                else high = mid;
            }
            const QRect r(low - width, inside.top(), width, inside.height());
            return QRect(e->mapToGlobal(r.topLeft()), r.size());
        }
        QTextCursor c = cursor();
        c.setPosition(offset);
        QRect r;
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget())) r = plain->cursorRect(c);
        if (auto* rich = qobject_cast<QTextEdit*>(widget())) r = rich->cursorRect(c);
        return QRect(textArea()->viewport()->mapToGlobal(r.topLeft()), QSize(width, r.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        if (auto* e = line()) return e->cursorPositionAt(e->mapFromGlobal(point));
        auto* area = textArea();
        return area ? cursorAt(area->viewport()->mapFromGlobal(point)) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        if (auto* e = line()) {
            e->setCursorPosition(endIndex);
            e->setCursorPosition(startIndex);
            return;
        }
        setSelection(0, startIndex, endIndex);
        if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) p->ensureCursorVisible();
        if (auto* t = qobject_cast<QTextEdit*>(widget())) t->ensureCursorVisible();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        // One run of plain text without attributes of its own.
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QLineEdit* line() const { return qobject_cast<QLineEdit*>(widget()); }
    QAbstractScrollArea* textArea() const { return qobject_cast<QAbstractScrollArea*>(widget()); }
    QTextCursor cursor() const {
        if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) return p->textCursor();
        if (auto* t = qobject_cast<QTextEdit*>(widget())) return t->textCursor();
        return {};
    }
    void setCursor(const QTextCursor& c) const {
        if (auto* p = qobject_cast<QPlainTextEdit*>(widget())) p->setTextCursor(c);
        if (auto* t = qobject_cast<QTextEdit*>(widget())) t->setTextCursor(c);
    }
    int cursorAt(const QPoint& p) const {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget())) return plain->cursorForPosition(p).position();
        if (auto* rich = qobject_cast<QTextEdit*>(widget())) return rich->cursorForPosition(p).position();
        return -1;
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

// What a command lacks to be used from the keyboard alone, empty when nothing: a Tab stop (its
// own, or that of the control it hands its focus to), or a shortcut that is both shown (in its
// tool tip, or as the underlined letter of its text) and announced (as the key binding of its
// action, its accelerator or in its description).
QString keyboardPathFault(QAbstractButton* b) {
    const QWidget* focus = b->focusProxy() ? b->focusProxy() : b;
    if (focus->focusPolicy() & Qt::TabFocus) return {};
    QKeySequence keys = b->shortcut();
    if (auto* tool = qobject_cast<QToolButton*>(b); tool && tool->defaultAction())
        keys = tool->defaultAction()->shortcut();
    if (keys.isEmpty()) return QStringLiteral("comando senza tasto né fermata di Tab");
    const QString shown = keys.toString(QKeySequence::NativeText);
    const bool mnemonic = keys == QKeySequence::mnemonic(b->text());
    if (!mnemonic && !b->toolTip().contains(shown)) return QStringLiteral("tasto del comando non mostrato (%1)").arg(shown);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b);
    if (!iface) return QStringLiteral("comando senza interfaccia");
    bool announced = iface->text(QAccessible::Description).contains(shown) ||
                     iface->text(QAccessible::Accelerator).contains(shown);
    if (QAccessibleActionInterface* actions = iface->actionInterface())
        for (const QString& action : actions->actionNames())
            for (const QString& binding : actions->keyBindingsForAction(action))
                announced = announced || binding == shown || QKeySequence(binding) == keys;
    if (!announced) return QStringLiteral("tasto del comando non annunciato (%1)").arg(shown);
    return {};
}

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
        QAccessibleTextInterface* text = field->textInterface();
        if (!text || text->text(0, text->characterCount()) != fieldText(w))
            faults << QStringLiteral("sola lettura senza testo leggibile: ") + describe(field);
        if (field->editableTextInterface())
            faults << QStringLiteral("sola lettura modificabile dall'interfaccia: ") + describe(field);
    }

    // Areas that scroll what they show (the record, the pages of a preview) are named, and so is
    // the part inside them, which assistive technology also lists. Lists, tables and text fields
    // are controls, named above.
    for (QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>()) {
        if (!area->isVisibleTo(window) || qobject_cast<QAbstractItemView*>(area) ||
            qobject_cast<QPlainTextEdit*>(area) || qobject_cast<QTextEdit*>(area))
            continue;
        for (QWidget* part : {static_cast<QWidget*>(area), area->viewport()}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(part);
            if (iface && iface->text(QAccessible::Name).trimmed().isEmpty())
                faults << QStringLiteral("area senza nome: ") + describe(iface);
        }
    }

    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (const QString missing = keyboardPathFault(b); !missing.isEmpty())
            faults << missing + QStringLiteral(": ") + describe(QAccessible::queryAccessibleInterface(b));
    }
    return faults;
}

}  // namespace cal
