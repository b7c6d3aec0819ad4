#pragma once
// The one place that knows how each kind of field widget holds its text: line edits, drop-downs,
// check boxes, multi-line texts, option groups and hidden labels. Archive screens, pickers that
// copy into another screen and the card all go through it.
#include <QString>
#include <QWidget>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace cal {

struct Choice;

// Option buttons stored in one field: the text of the chosen option, "" when none is chosen.
class OptionsBox : public QWidget {
    Q_OBJECT
public:
    OptionsBox(const std::vector<Choice>& choices, QWidget* parent = nullptr);
    QString text() const;
    // Chooses the option stored as `text`; any other text chooses none.
    void setText(const QString& text);
    QRadioButton* button(int index) const;

private:
    QButtonGroup* group_;
    QStringList stored_;
};

class FieldEditor {
public:
    enum class Kind { Line, Combo, Check, Text, Options, Label, Unknown };
    explicit FieldEditor(QWidget* widget);

    QWidget* widget() const { return widget_; }
    Kind kind() const { return kind_; }
    // The text as the widget holds it (check boxes as "Sì" / "No"), untrimmed.
    QString text() const;
    // Check boxes: "Sì" ticks, "No" clears, anything else leaves the box as it is.
    void setText(const QString& text);
    // Empty: no text, no selection, unticked, no option chosen.
    void clear();
    // Typing stops at `capacity` characters (multi-line texts: at the bytes the field stores).
    void setCapacity(int capacity);

private:
    QWidget* widget_;
    Kind kind_;
};

// The text of a widget found by name in another screen, and the copy into it (pickers).
QString widgetText(QWidget* widget);
void setWidgetText(QWidget* widget, const QString& text);

}  // namespace cal
