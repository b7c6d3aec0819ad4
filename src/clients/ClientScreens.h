#pragma once
// The screens the client screen opens, and the client picker other archives use.
#include <QString>

class QWidget;

namespace cal {

class ArchiveScreen;

// The client search with a caller keyword: "clienti" puts the chosen record on the client
// screen; the picker keywords copy fields into `caller`.
void openClientSearch(const QString& keyword, QWidget* caller);
void openRecontactList();
void openClientExport();
void openClientAttachments(ArchiveScreen& screen);
// The folder "Cliente_" + position of the client at that position.
void openClientFolder(qint64 position);
// The check screen of a field (fiscal code, VAT number, card, IBAN) with its text.
void openFieldCheck(int field, const QString& text);

// The client screen that "clienti" fills; set once at start.
void setClientScreen(ArchiveScreen* screen);

}  // namespace cal
