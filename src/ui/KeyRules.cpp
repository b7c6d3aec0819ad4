#include "ui/KeyRules.h"

#include "core/Amount.h"
#include "core/Text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QCoreApplication>
#include <QRegularExpressionValidator>

namespace cal {
namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
bool isEditingKey(int key) {
    return key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right;
}
bool isFocusKey(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab || isEnter(key); }

// A key filter: `allow` decides for each key press whether it reaches the field.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(QObject* parent, std::function<bool(QKeyEvent*)> handle) : QObject(parent), handle_(std::move(handle)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        return handle_(static_cast<QKeyEvent*>(event));  // true: the key is consumed
    }

private:
    std::function<bool(QKeyEvent*)> handle_;
};

void filterKeys(QWidget* field, std::function<bool(QKeyEvent*)> handle) {
    field->installEventFilter(new KeyFilter(field, std::move(handle)));
}

// `extra` is the one character besides the digits that the field accepts, or 0.
void restrictTo(QLineEdit* field, char16_t extra) {
    const QString pattern = extra ? QStringLiteral("[0-9%1]*").arg(QChar(extra)) : QStringLiteral("[0-9]*");
    // Pasted text obeys the same rule as typed text.
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    filterKeys(field, [extra](QKeyEvent* e) {
        if (isEditingKey(e->key()) || isFocusKey(e->key())) return false;
        if (e->modifiers() & Qt::ControlModifier) return false;  // copy, select all...
        const QString t = e->text();
        const bool allowed = t.size() == 1 && ((t[0] >= u'0' && t[0] <= u'9') || (extra && t[0] == extra));
        return !allowed;
    });
}

// Replaces the text keeping the cursor where it was, as far as the new text allows.
void replaceText(QLineEdit* field, const QString& text) {
    if (field->text() == text) return;
    const int cursor = field->cursorPosition();
    field->setText(text);
    field->setCursorPosition(std::min<int>(cursor, text.size()));
}


// Normalises an amount field when the focus leaves it.
class Normalise : public QObject {
    Q_OBJECT
public:
    Normalise(QLineEdit* f, int d) : QObject(f), field_(f), decimals_(d) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusOut)
            field_->setText(decimals_ == 2 ? normaliseAmount2(field_->text()) : normaliseAmount(field_->text()));
        return false;
    }

private:
    QLineEdit* field_;
    int decimals_;
};

// Province fields: the list selection reset when the field gets the focus, the text tidied when it loses it.
class FocusReset : public QObject {
    Q_OBJECT
public:
    explicit FocusReset(QComboBox* c) : QObject(c), combo_(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            const QString text = combo_->currentText();
            combo_->setCurrentIndex(-1);
            combo_->setEditText(text);
        } else if (e->type() == QEvent::FocusOut) {
            combo_->setEditText(upperAscii(trimmed(combo_->currentText())));
        }
        return false;
    }

private:
    QComboBox* combo_;
};

// Enter on a focused push button presses it.
class PressOnEnter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent*>(event)->key())) return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled()) return false;
        button->click();
        return true;
    }
};

}  // namespace

void acceptDigitsOnly(QLineEdit* field) { restrictTo(field, 0); }

void acceptAmountKeys(QLineEdit* field) { restrictTo(field, u','); }

void amountField(QLineEdit* field, int decimals) {
    acceptAmountKeys(field);
    field->installEventFilter(new Normalise(field, decimals));
}

QString storedLines(const QString& plainText) {
    QString out = plainText;
    out.replace(u'\n', QStringLiteral("\r\n"));
    return out;
}

QString plainLines(const QString& storedText) {
    QString out = storedText;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

void limitStoredBytes(QPlainTextEdit* field, int capacity) {
    QObject::connect(field, &QPlainTextEdit::textChanged, field, [field, capacity] {
        const QString text = field->toPlainText();
        // One byte per character in the file (a pair of surrogates is one '?'), two per line break.
        qsizetype bytes = 0, keep = 0;
        for (; keep < text.size(); ++keep) {
            const QChar c = text[keep];
            if (c.isLowSurrogate() && keep > 0 && text[keep - 1].isHighSurrogate()) continue;
            bytes += c == u'\n' ? 2 : 1;
            if (bytes > capacity) break;
        }
        if (keep >= text.size()) return;
        QTextCursor cursor = field->textCursor();
        const int at = std::min<int>(cursor.position(), int(keep));
        field->setPlainText(text.left(keep));
        cursor = field->textCursor();
        cursor.setPosition(at);
        field->setTextCursor(cursor);
    });
}

void upperCaseWhileTyping(QLineEdit* field, bool trim) {
    QObject::connect(field, &QLineEdit::textChanged, field, [field, trim](const QString& text) {
        replaceText(field, upperAscii(trim ? trimmed(text) : text));
    });
}

void trimWhileTyping(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [field](const QString& text) { replaceText(field, trimmed(text)); });
}

void provinceCombo(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    QLineEdit* edit = combo->lineEdit();
    upperCaseWhileTyping(edit, true);
    auto* reset = new FocusReset(combo);
    combo->installEventFilter(reset);
    edit->installEventFilter(reset);
}

void enterPressesFocusedButtons() {
    static QPointer<QObject> installed;
    if (installed || !qApp) return;
    installed = new PressOnEnter(qApp);
    qApp->installEventFilter(installed);
}

void enterChain(const QList<QWidget*>& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QWidget* next = fields[(i + 1) % fields.size()];
        enterMovesTo(fields[i], next);
    }
}

void enterMovesTo(QWidget* from, QWidget* to) {
    QPointer<QWidget> target(to);
    auto handle = [target](QKeyEvent* e) {
        if (!isEnter(e->key())) return false;
        if (target) target->setFocus(Qt::TabFocusReason);
        return true;
    };
    filterKeys(from, handle);
    // An editable combo box receives keys in its line edit.
    if (auto* combo = qobject_cast<QComboBox*>(from); combo && combo->lineEdit()) filterKeys(combo->lineEdit(), handle);
}

void fixedListCombo(QComboBox* combo) {
    filterKeys(combo, [combo](QKeyEvent* e) {
        const int key = e->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            combo->setCurrentIndex(-1);
            return true;
        }
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Escape || isFocusKey(key)) return false;
        if (e->modifiers() & Qt::ControlModifier) return false;  // the screen's shortcuts
        if (key == Qt::Key_F4 || (key == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) return false;
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt) return false;
        return true;
    });
}

void pickerDateField(QLineEdit* field, std::function<void()> openPicker) {
    field->setReadOnly(false);
    filterKeys(field, [field, openPicker](QKeyEvent* e) {
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            field->clear();
            return true;
        }
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;
        if (e->key() == Qt::Key_Shift || e->key() == Qt::Key_Control || e->key() == Qt::Key_Alt) return true;
        openPicker();
        return true;
    });
}

}  // namespace cal

#include "KeyRules.moc"
