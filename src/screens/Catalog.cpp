#include "screens/Catalog.h"

#include "screens/ArchiveDefinition.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"

#include <QLoggingCategory>

namespace cal {

Q_LOGGING_CATEGORY(lcCatalog, "calvetra.catalog")

const std::vector<LauncherEntry>& launcherEntries() {
    static const std::vector<LauncherEntry> entries = [] {
        std::vector<LauncherEntry> all;
        for (const ArchiveModule* m : archiveModules())
            for (LauncherEntry e : m->launcher) {
                if (!e.screen) e.archive = m->archive->objectName;
                all.push_back(e);
            }
        return all;
    }();
    return entries;
}

const SearchDefinition* findSearch(std::string_view objectName) {
    for (const ArchiveModule* m : archiveModules())
        for (const SearchDefinition* s : m->searches)
            if (objectName == s->objectName) return s;
    return nullptr;
}

const ExportDefinition* findExport(std::string_view objectName) {
    for (const ArchiveModule* m : archiveModules())
        for (const ExportDefinition* e : m->exports)
            if (objectName == e->objectName) return e;
    return nullptr;
}

const ArchiveModule* findArchive(std::string_view objectName) {
    for (const ArchiveModule* m : archiveModules())
        if (objectName == m->archive->objectName) return m;
    return nullptr;
}

const OtherScreen* findOtherScreen(std::string_view objectName) {
    for (const ArchiveModule* m : archiveModules())
        for (const OtherScreen& o : m->screens)
            if (objectName == o.objectName) return &o;
    return nullptr;
}

void openSearch(std::string_view objectName, const QString& keyword, QWidget* caller) {
    const SearchDefinition* def = findSearch(objectName);
    if (!def) {
        qCCritical(lcCatalog, "no search screen is named %.*s", int(objectName.size()), objectName.data());
        return;
    }
    runSearchScreen(*def, keyword, caller);
}

void openExport(std::string_view objectName, QWidget* caller) {
    const ExportDefinition* def = findExport(objectName);
    if (!def) {
        qCCritical(lcCatalog, "no export screen is named %.*s", int(objectName.size()), objectName.data());
        return;
    }
    runExportScreen(*def, caller);
}

}  // namespace cal
