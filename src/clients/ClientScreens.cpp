#include "clients/ClientScreens.h"

#include "checks/CheckScreens.h"
#include "clients/ClientLayout.h"
#include "screens/ArchiveScreen.h"
#include "screens/TfrmAllegaCartella.h"
#include "screens/TfrmCartella.h"

namespace cal {
void openClientAttachments(ArchiveScreen& screen) {
    // The six hidden labels go to the attachment screen and come back when the user applies.
    openAttachmentsOf(&screen, QStringLiteral("clienti"));
}
void openClientFolder(qint64 position) { openClientFolderScreen(position); }
void openFieldCheck(int field, const QString& text) {
    switch (field) {
    case ClientField::CodFisc: openFiscalCodeButton(text); break;
    case ClientField::PartitaIva: openVatNumberCheck(text); break;
    case ClientField::Carta: openCardCheck(text); break;
    case ClientField::Iban: openIbanCheck(text); break;
    default: break;
    }
}

}  // namespace cal
