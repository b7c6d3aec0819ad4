// The client search (also the client picker of other archives), the re-contact list and the
// client export, described by their tables.
#include "clients/ClientLayout.h"
#include "clients/ClientScreens.h"
#include "clients/ClientTables.h"
#include "core/ProgramFolder.h"
#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"

namespace cal {
namespace {

ArchiveScreen* clientScreen = nullptr;

QString clientsPath() { return programFile(QStringLiteral("Contatti.pro")); }

void showOnClientScreen(const Record& record, qint64 position) {
    if (clientScreen) clientScreen->showRecord(record, position);
}

const SearchDefinition& searchDefinition() {
    static const SearchDefinition def{
        "TfrmTrovaClienti",
        QStringLiteral(" Trova clienti in archivio"),
        &kClientLayout,
        clientsPath,
        kClientFilters,
        [](const char* record) { return buildListLine(kClientLayout, kClientSearchLine, record); },
        nullptr,
        QStringLiteral("Riepilogo clienti"),
        QStringLiteral("clienti"),
        showOnClientScreen,
        kClientPickers,
    };
    return def;
}

const SearchDefinition& recontactDefinition() {
    static const SearchDefinition def{
        "TfrmRicontatta",
        QStringLiteral(" Riepilogo persone da ricontattare"),
        &kClientLayout,
        clientsPath,
        {},
        [](const char* record) { return buildListLine(kClientLayout, kClientRecontactLine, record); },
        [](const char* record) -> bool {
            return trimmed(fromCp1252(fieldBytes(kClientLayout, record, ClientField::Ricontatta))) == kYes;
        },
        QStringLiteral("Riepilogo persone da ricontattare"),
        QStringLiteral("clienti"),
        showOnClientScreen,
        {},
    };
    return def;
}

const ExportDefinition& exportDefinition() {
    static const ExportDefinition def = [] {
        ExportDefinition d{"TfrmExpClienti",
                           QStringLiteral(" Esporta archivio clienti in Microsoft Excel"),
                           "TfrmExpClienti",
                           kClientExportColumns,
                           {},
                           QStringLiteral("Esportazione archivio clienti in Microsoft Excel."),
                           &kClientLayout,
                           clientsPath,
                           clientExportRow};
        for (const ExportColumn& c : kClientExportColumns)
            d.gridHeaders << QString::fromUtf8(c.header.data(), qsizetype(c.header.size()));
        d.gridHeaders[2] = QString::fromUtf8(kClientExportGridHeader3);
        return d;
    }();
    return def;
}

}  // namespace

void setClientScreen(ArchiveScreen* screen) { clientScreen = screen; }

void openClientSearch(const QString& keyword, QWidget* caller) { runSearchScreen(searchDefinition(), keyword, caller); }

void openRecontactList() { runSearchScreen(recontactDefinition(), QStringLiteral("clienti")); }

void openClientExport() { runExportScreen(exportDefinition()); }

}  // namespace cal
