#include "clients/ClientScreens.h"

#include "screens/ArchiveScreen.h"

namespace cal {
namespace {
ArchiveScreen* clientScreen = nullptr;
}

void setClientScreen(ArchiveScreen* screen) { clientScreen = screen; }

void openClientSearch(const QString&, QWidget*) {}
void openRecontactList() {}
void openClientExport() {}
void openClientAttachments(ArchiveScreen&) {}
void openClientFolder(qint64) {}
void openFieldCheck(int, const QString&) {}

}  // namespace cal
