#pragma once
// The search screen and the list screens of every archive: a filter panel (search screens
// only) and a result panel with the sorted fixed-pitch list, find in list, print and Open.
// An archive describes its screen with a SearchDefinition; nothing here knows an archive.
#include "core/Record.h"
#include "core/Search.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace cal {

struct SearchDefinition {
    const char* objectName;  // TfrmTrovaClienti, TfrmRicontatta...
    QString caption;
    const RecordLayout* layout;
    std::function<QString()> filePath;
    std::span<const FilterField> filters;       // empty for a list screen
    LineBuilder line;
    std::function<bool(const char* record)> listed;  // list screens: which records are listed
    QString listTitle;                           // title of the printed list
    QString ownKeyword;                          // "clienti": Open shows the record on the archive screen
    std::function<void(const Record& record, qint64 position)> showOnArchive;
    std::span<const PickerKeyword> pickers;
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

    const std::vector<ListEntry>& entries() const { return entries_; }
    // The lines of the list, in list order.
    QStringList lines() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QWidget* buildFilterPanel();
    QWidget* buildResultPanel();
    void showResults();

    const SearchDefinition& def_;
    QPointer<QWidget> caller_;
    std::vector<ListEntry> entries_;
    ListFinder finder_;
    QStackedWidget* panels_;
    QList<QLineEdit*> filterEdits_;
    QLabel* lblAttendere_ = nullptr;
    QLabel* lblConta_ = nullptr;
    QLabel* lblMemory_;
    QLabel* lblTrovate_;
    QListWidget* lstRecords_;
    QLineEdit* txtTrova_;
};

// Opens a search or list screen modally through the screens service.
void runSearchScreen(const SearchDefinition& definition, const QString& keyword, QWidget* caller = nullptr);

}  // namespace cal
