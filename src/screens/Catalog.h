#pragma once
// The archives the program knows, each with its archive screen and the search, list and export
// screens that work on it. Screens name one another by object name ("TfrmTrovaClienti"); the
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
};

// Every archive module, in launcher order. Defined by the application.
std::span<const ArchiveModule* const> archiveModules();

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
