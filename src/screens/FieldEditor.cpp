#include "screens/FieldEditor.h"

#include "core/Text.h"
#include "screens/ArchiveDefinition.h"
#include "ui/KeyRules.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace cal {

OptionsBox::OptionsBox(const std::vector<Choice>& choices, QWidget* parent) : QWidget(parent) {
    group_ = new QButtonGroup(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    int id = 0;
    for (const Choice& c : choices) {
        auto* b = new QRadioButton(QString::fromUtf8(c.caption), this);
        b->setObjectName(QString::fromLatin1(c.objectName));
        group_->addButton(b, id++);
        stored_ << QString::fromUtf8(c.stored);
        row->addWidget(b);
    }
    row->addStretch();
    // Focusing the group (a save check that fails on it) focuses its first option.
    if (group_->button(0)) setFocusProxy(group_->button(0));
}

QString OptionsBox::text() const {
    const int id = group_->checkedId();
    return id < 0 ? QString() : stored_[id];
}

void OptionsBox::setText(const QString& text) {
    const int id = int(stored_.indexOf(text));
    if (id >= 0) {
        group_->button(id)->setChecked(true);
        return;
    }
    // A group shows no choice only when none of its buttons is checked.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons()) b->setChecked(false);
    group_->setExclusive(true);
}

QRadioButton* OptionsBox::button(int index) const { return static_cast<QRadioButton*>(group_->button(index)); }

namespace {
FieldEditor::Kind kindOf(QWidget* w) {
    using K = FieldEditor::Kind;
    if (qobject_cast<QLineEdit*>(w)) return K::Line;
    if (qobject_cast<QComboBox*>(w)) return K::Combo;
    if (qobject_cast<QCheckBox*>(w)) return K::Check;
    if (qobject_cast<QPlainTextEdit*>(w)) return K::Text;
    if (qobject_cast<OptionsBox*>(w)) return K::Options;
    if (qobject_cast<QLabel*>(w)) return K::Label;
    return K::Unknown;
}
}  // namespace

FieldEditor::FieldEditor(QWidget* widget) : widget_(widget), kind_(kindOf(widget)) {}

QString FieldEditor::text() const {
    switch (kind_) {
    case Kind::Line: return static_cast<QLineEdit*>(widget_)->text();
    case Kind::Combo: return static_cast<QComboBox*>(widget_)->currentText();
    case Kind::Check: return checkText(static_cast<QCheckBox*>(widget_)->isChecked());
    case Kind::Text: return static_cast<QPlainTextEdit*>(widget_)->toPlainText();
    case Kind::Options: return static_cast<OptionsBox*>(widget_)->text();
    case Kind::Label: return static_cast<QLabel*>(widget_)->text();
    case Kind::Unknown: break;
    }
    return {};
}

void FieldEditor::setText(const QString& text) {
    switch (kind_) {
    case Kind::Line: static_cast<QLineEdit*>(widget_)->setText(text); break;
    case Kind::Combo: {
        auto* c = static_cast<QComboBox*>(widget_);
        if (c->isEditable()) c->setEditText(text);
        else c->setCurrentIndex(c->findText(text));  // a text not in the list shows nothing
        break;
    }
    case Kind::Check: {
        auto* b = static_cast<QCheckBox*>(widget_);
        b->setChecked(checkState(text, b->isChecked()));
        break;
    }
    case Kind::Text: static_cast<QPlainTextEdit*>(widget_)->setPlainText(text); break;
    case Kind::Options: static_cast<OptionsBox*>(widget_)->setText(text); break;
    case Kind::Label: static_cast<QLabel*>(widget_)->setText(text); break;
    case Kind::Unknown: break;
    }
}

void FieldEditor::clear() {
    switch (kind_) {
    case Kind::Combo: {
        auto* c = static_cast<QComboBox*>(widget_);
        c->setCurrentIndex(-1);
        if (c->isEditable()) c->setEditText(QString());
        break;
    }
    case Kind::Check: static_cast<QCheckBox*>(widget_)->setChecked(false); break;
    default: setText(QString());
    }
}

void FieldEditor::setCapacity(int capacity) {
    switch (kind_) {
    case Kind::Line: static_cast<QLineEdit*>(widget_)->setMaxLength(capacity); break;
    case Kind::Combo:
        if (QLineEdit* e = static_cast<QComboBox*>(widget_)->lineEdit()) e->setMaxLength(capacity);
        break;
    case Kind::Text: limitStoredBytes(static_cast<QPlainTextEdit*>(widget_), capacity); break;
    default: break;
    }
}

QString widgetText(QWidget* widget) { return FieldEditor(widget).text(); }

void setWidgetText(QWidget* widget, const QString& text) { FieldEditor(widget).setText(text); }

}  // namespace cal
