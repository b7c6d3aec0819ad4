#pragma once
// Typing rules attached to fields by table: digits only, amounts, upper case and trim while
// typing, the Enter chain, and the picker date fields that accept no typing.
#include <QList>
#include <QObject>

#include <functional>

class QLineEdit;
class QWidget;
class QComboBox;
class QPlainTextEdit;

namespace cal {

// Only 0-9 and Backspace, Delete, Left, Right reach the field (Tab and Enter still move the focus).
void acceptDigitsOnly(QLineEdit* field);
// As digits only, and the comma.
void acceptAmountKeys(QLineEdit* field);
// An amount field: the amount keys while typing; when the field is left its text is normalised
// to `decimals` (2: exactly two; 4: two to four), an empty or unreadable text giving "0,00".
void amountField(QLineEdit* field, int decimals);
// A multi-line text whose stored form (line breaks as CR LF, one byte per character) never
// exceeds `capacity` bytes: what is typed or pasted beyond it is cut.
void limitStoredBytes(QPlainTextEdit* field, int capacity);
// The stored form of a multi-line text and back: line breaks as CR LF.
QString storedLines(const QString& plainText);
QString plainLines(const QString& storedText);

// After every change of the text: A to Z for a to z (only), and trimmed when `trim`.
void upperCaseWhileTyping(QLineEdit* field, bool trim);
// After every change of the text: trimmed.
void trimWhileTyping(QLineEdit* field);
// For editable combo boxes (provinces): trimmed and upper-cased while typed and when left,
// and the list selection reset each time the field gets the focus.
void provinceCombo(QComboBox* combo);

// A drop-down of fixed items that accepts no typing: Backspace or Delete empties it, the left and
// right arrows, the focus keys, Escape and the shortcuts pass, F4 and Alt+Down open the list; every other key is swallowed.
void fixedListCombo(QComboBox* combo);

// Enter on a focused push button presses it, on every screen (as Space does). Installed once
// for the whole program.
void enterPressesFocusedButtons();

// Enter (Return or the keypad's Enter) in a field moves the focus to the next field of the
// list, from the last back to the first. It never reaches the field, so it never saves.
void enterChain(const QList<QWidget*>& fields);
// Enter in `from` moves the focus to `to` (a button, for instance).
void enterMovesTo(QWidget* from, QWidget* to);

// A date field filled only from the date picker: Backspace or Delete empties it; any other key,
// Enter included, is discarded and calls `openPicker`.
void pickerDateField(QLineEdit* field, std::function<void()> openPicker);

}  // namespace cal
