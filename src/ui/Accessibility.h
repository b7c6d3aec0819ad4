#pragma once
// What assistive technology is told about a window's controls, checked the way a screen reader
// reads it: through the toolkit's accessibility interfaces, the same ones the desktop's
// accessibility bus serves.
#include <QString>
#include <QStringList>

class QWidget;

namespace cal {

// The faults of one window, one line each, empty when there are none:
// - a visible control (button, check box, option, edit field, drop-down, list, table) without a name;
// - a field with a label (the label's buddy) that is not announced as labelled by it;
// - a read-only field announced as editable, whose text cannot be read through the text interface,
//   or that offers the editable-text interface;
// - an area that scrolls what it shows (other than a list, table or text field), or the part
//   inside it, without a name;
// - a command (a button of any kind) that the keyboard cannot reach: no Tab stop, and no shortcut
//   both shown (tool tip or underlined letter) and announced (key binding, accelerator or description).
QStringList accessibilityFaults(QWidget* window);

// Read-only one-line and multi-line fields are announced as read-only, with their text as their
// value, instead of as editable text. Installed once for the whole program; safe to call again.
void announceReadOnlyFields();

}  // namespace cal
