#pragma once
// The archives the program knows, each with its archive screen and the search, list and export
// screens that work on it. Screens name one another by object name ("TfrmTrova..."); the
// names are resolved here at run time. An unknown name is a programming error: it is logged and
// nothing opens (a test walks every name so that none is ever unknown).
#include <QString>

#include <functional>
#include <span>
#include <string_view>
#include <vector>

class QWidget;

namespace cal {

class ArchiveScreen;
struct ArchiveDefinition;
struct ExportDefinition;
struct SearchDefinition;
struct YearMenuTexts;

// The field a date picker's caller keyword fills: the object name of its screen and of the field.
struct DateTarget {
    const char* keyword;
    const char* screen;
    const char* field;
};

// One tile of the launcher: what it shows and what it opens, the module's archive screen
// (through a year menu or not) or another working screen of the module (a menu of its own).
struct LauncherEntry {
    const char* entry;    // "Nome": imgNome and btnNome
    const char* caption;  // the tile's title
    const char* hint;     // what the archive holds, on the tile and in the status line
    const char* icon;     // its picture in the program's set
    const YearMenuTexts* yearMenu = nullptr;
    const char* screen = nullptr;   // an OtherScreen (a menu), instead of the archive
    const char* archive = nullptr;  // set by launcherEntries(): the module's archive screen
};

// A working screen of an archive besides its archive screen, shown full like it (the fee
// summary): created when first opened; it emits closed() when the user leaves it.
struct OtherScreen {
    const char* objectName;
    std::function<QWidget*()> create;
};

struct ArchiveModule {
    const ArchiveDefinition* archive;
    std::function<ArchiveScreen*()> create;  // the archive screen, created when first opened
    std::vector<const SearchDefinition*> searches = {};  // search and list screens
    std::vector<const ExportDefinition*> exports = {};
    std::vector<OtherScreen> screens = {};
    std::vector<LauncherEntry> launcher = {};  // its tiles on the launcher
    // Date picker keywords of its screens besides the date rows of its archive screen.
    std::vector<DateTarget> dateTargets = {};
};

// Every archive module, in launcher order. Defined by the application.
std::span<const ArchiveModule* const> archiveModules();

// Every module's launcher tiles, in module order, each with its archive screen set.
const std::vector<LauncherEntry>& launcherEntries();

const SearchDefinition* findSearch(std::string_view objectName);
const ExportDefinition* findExport(std::string_view objectName);
const ArchiveModule* findArchive(std::string_view objectName);
const OtherScreen* findOtherScreen(std::string_view objectName);

// Opens a search or list screen by name with a caller keyword; `caller` is the screen whose
// fields a picker fills, or the archive screen that shows the chosen record.
void openSearch(std::string_view objectName, const QString& keyword, QWidget* caller);
// `caller`: the archive screen whose record file a whole-archive export reads (per-year archives).
void openExport(std::string_view objectName, QWidget* caller = nullptr);

}  // namespace cal
