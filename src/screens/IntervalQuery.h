#pragma once
// The pieces the year summaries share (fee summary, movement summaries): the query screen's two
// interval boxes of day and month drop-downs beside the year, the checks of the year and of the
// interval with their messages, and the small widget makers of their screens.
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace cal {

// A label (word-wrapped) and a button with their object names.
QLabel* namedLabel(const char* name, const QString& text, QWidget* parent);
QPushButton* namedButton(const char* name, const QString& text, QWidget* parent);
// The help command of a summary screen (imgGuida, F1) that opens `topic`.
QToolButton* summaryHelpButton(const QString& topic, QWidget* parent);

// The day and month drop-downs of one end of the interval (txtGiorno<suffix>, txtMese<suffix>),
// the year shown beside them (lblAnno<suffix>) and the hidden date built from the three
// (lblData<suffix>). The drop-downs take no typing: Backspace and Delete empty them.
struct DateBox {
    QComboBox* day;
    QComboBox* month;
    QLabel* year;
    QLabel* date;
    QWidget* box;  // the group box (grpData<suffix>)
};
DateBox makeDateBox(const QString& title, const QString& suffix, QWidget* parent);
// Both ends with no item chosen.
void clearDateBoxes(const DateBox& start, const DateBox& end);

// Checks in order that the year has four characters, that the four drop-downs hold a value, that
// both dates exist and that the start is not after the end; the first failure is shown (warning or
// plain message) with the focus on its field and gives nullopt. The built dates are put into the
// boxes' hidden date labels.
struct Interval {
    QDate from;
    QDate to;
};
std::optional<Interval> checkYearInterval(QLineEdit* year, const DateBox& start, const DateBox& end);

}  // namespace cal
