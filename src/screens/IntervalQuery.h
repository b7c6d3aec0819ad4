#pragma once
// The year summaries of amounts: the query screen with its year, two text
// filters and two interval boxes of day and month drop-downs beside the year; the checks of the
// year and of the interval with their messages; the result screen; the small widget makers of
// their screens.
#include "core/AmountSummary.h"
#include "core/Search.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <QDialog>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QListView;
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

class ListModel;

// The result screen of a year summary, shown modally over its query screen: the filter and the
// interval over the list of lines, the total, find in list, print and exit. The list is built when
// the screen is shown; a record the summary cannot read is left out and the user is told.
struct SummaryResultTexts {
    const char* objectName;
    QString caption;
    QString helpTopic;
    QString filterCaption;    // beside titTipologia
    QString totalCaption;     // beside lblTotCosti
    QString totalPrinted;     // the print's total row, before the total
    QString findInstruction;  // lblRigo01
    QString unreadableOne;    // one record left out
    QString unreadableMany;   // %1 records left out
    std::function<QString(const QString& filter)> printTitle;
    QString printFooter = {};  // the printed list's footer, when not the listing's own
};
class SummaryResult : public QDialog {
    Q_OBJECT
public:
    // `finder` keeps the last text found; `filter` is the text shown as the filter ("- - -" when blank).
    SummaryResult(const SummaryResultTexts& texts, ListFinder& finder, int filtersInUse, const QString& filter,
                  QDate from, QDate to, std::function<std::optional<AmountSummary>()> compute, QWidget* parent);

    QStringList lines() const;
    void findInList();
    // Refused when the list is empty; asks first; the title and the footer of the printed list.
    void printSummary(const QString& title, const QString& footer);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void build();

    const SummaryResultTexts& texts_;
    ListFinder& finder_;
    QString filter_;
    QDate from_;
    QDate to_;
    std::function<std::optional<AmountSummary>()> compute_;
    ResultList list_;
    ListModel* model_;
    QListView* lstRecords_;
    QLabel* titTipologia_;
    QLabel* lblIntervallo_;
    QLabel* lblTotCosti_;
    QLineEdit* txtTrova_;
};

// One text filter of a summary query, and the button beside it, where it has one, that copies a
// value from another archive's search.
struct SummaryFilter {
    enum class Typing { Any, UpperCase, LettersAndDigits };
    const char* objectName;               // txt...
    const char* label;                    // UTF-8: its label
    int maxLength;
    Typing typing = Typing::Any;          // UpperCase: upper-cased and trimmed while typed
    const char* importButton = nullptr;   // imp...
    const char* importName = nullptr;     // UTF-8: the button's accessible name
    const char* importSearch = nullptr;   // the search screen it opens
    const char* importKeyword = nullptr;  // that search's caller keyword: "riepilogo"
};

// A summary query: what it says, its two filters, the file it reads and its result screen.
struct SummaryQueryTexts {
    const char* objectName;
    QString caption;
    const char* instruction;          // UTF-8, lblCampo01
    SummaryFilter filters[2];
    const char* blankFilters;         // UTF-8, lblCampo02
    const char* intervalInstruction;  // UTF-8, lblCampo03
    // The record file for the year typed (trimmed); a register of every year ignores it.
    std::function<QString(const QString& year)> file;
    // The result screen of the file, the two filters as typed and the interval.
    std::function<std::unique_ptr<QDialog>(const QString& path, const QString& first, const QString& second,
                                           QDate from, QDate to, QWidget* parent)>
        result;
};

// The query screen of a summary: the year (this year when shown), the two filters (empty), the
// interval boxes (nothing chosen); "Visualizza riepilogo" checks the year and the interval and
// shows the result screen over it. Enter moves down the fields and on to the command.
class SummaryQuery : public QMainWindow {
    Q_OBJECT
public:
    explicit SummaryQuery(const SummaryQueryTexts& texts, QWidget* parent = nullptr);

    // "Visualizza riepilogo".
    void showSummary();

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const SummaryQueryTexts& texts_;
    QLineEdit* txtAnno_;
    QLineEdit* filters_[2];
    DateBox start_;
    DateBox end_;
    QLabel* lblAttendere_;
    QLabel* lblFile_;
};

}  // namespace cal
