#pragma once
// The search screen and the list screens of every archive: a filter panel (search screens
// only) and a result panel with the sorted fixed-pitch list, find in list, print and Open.
// An archive describes its screen with a SearchDefinition; nothing here knows an archive.
#include "core/Record.h"
#include "core/Search.h"

#include <QAbstractListModel>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace cal {

// A command of the result panel besides find, print and close that exports the records listed
// (into a file for another program): `action` gets the record file and the listed records
// (0-based), in list order.
struct ListCommand {
    const char* objectName;  // btnRubrica
    const char* caption;     // UTF-8, with its '&' key
    const char* hint;        // UTF-8: its tooltip
    std::function<void(const QString& path, std::span<const qint64> records)> action;
};

struct SearchDefinition {
    const char* objectName;  // TfrmTrova...
    QString caption;
    const RecordLayout* layout;
    std::span<const FilterField> filters = {};       // empty for a list screen
    LineBuilder line;
    // Which records are listed (list screens) or searched at all (search screens: the others are
    // skipped before any filter is tested).
    std::function<bool(const char* record)> listed = {};
    QString listTitle;                                // title of the printed list
    QString ownKeyword;                               // the archive's keyword: Open shows the record on the archive screen
    std::span<const PickerKeyword> pickers = {};
    bool fileOrder = false;                           // the list keeps file order instead of being sorted
    QString countBefore = {};                         // lblTrovate before any search
    // lblTrovate once the list is made, "%1" standing for its number of lines; empty: the screen
    // has no count label.
    QString countText = QStringLiteral("Il presente riepilogo contiene %1 schede.");
    // The record file; by default the calling archive screen's file when it shows this layout
    // (per-year archives), else the layout's file in the program folder.
    std::function<QString()> filePath = {};
    std::vector<ListCommand> listCommands = {};
};

// The width of a search or list window: enough for the fixed columns of its lines and the start
// of the free text after them, at least 1000 pixels where the screen has them, at most `available`.
int listWindowWidth(const SearchDefinition& definition, int available);

// The font of every result list: Courier New 12, or the system's fixed-pitch font where it is missing.
QFont listFont();

// The lines of a result list, one item each, without a widget per line: each line is made from
// its record when the view shows it.
class ListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void setList(const ResultList* list);

private:
    const ResultList* list_ = nullptr;
};

class SearchScreen : public QDialog {
    Q_OBJECT
public:
    SearchScreen(const SearchDefinition& definition, QWidget* parent = nullptr);

    // The caller keyword (`lblMemory`) and, for picker keywords, the screen whose fields Open fills.
    void setKeyword(const QString& keyword, QWidget* caller = nullptr);

    void search();
    void findInList();
    void printList();
    void openRow(int row);
    // List screens fill their list when shown; search screens start on the filter panel.
    void fillList();

    // The lines of the list, in list order.
    QStringList lines() const;
    // Runs an export of the result panel on the records listed; with none listed, says so.
    void runListCommand(const ListCommand& command);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // Wide enough for the list's fixed columns, within the screen.
    int listWindowWidth() const;
    // The window takes the size of the panel it shows.
    void fitToPanel();
    static constexpr int kListWindowHeight = 600;
    QWidget* buildFilterPanel();
    QWidget* buildResultPanel();
    void showResults();
    QString filePath() const;
    int currentRow() const;
    void selectRow(int row);

    const SearchDefinition& def_;
    QPointer<QWidget> caller_;
    ResultList list_;
    ListFinder finder_;
    QStackedWidget* panels_;
    QList<QLineEdit*> filterEdits_;
    QLabel* lblAttendere_ = nullptr;
    QLabel* lblConta_ = nullptr;
    QLabel* lblMemory_;
    QLabel* lblTrovate_;
    QListView* lstRecords_;
    ListModel* model_;
    QLineEdit* txtTrova_;
};

// Opens a search or list screen modally through the screens service.
void runSearchScreen(const SearchDefinition& definition, const QString& keyword, QWidget* caller = nullptr);

}  // namespace cal
