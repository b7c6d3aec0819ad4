#pragma once
// The library: one card per book or volume, with its loan (borrower and date), the cancelled
// flag that keeps a card out of the searches, the web search on the ISBN and the Dewey table.
#include "screens/ArchiveScreen.h"

#include <QStringList>

namespace cal {

struct ArchiveModule;

// The book screen, its two searches and its export.
const ArchiveModule& bookModule();

// The drop-down lists of the genre and of the language, in their order.
const QStringList& bookGenres();
const QStringList& bookLanguages();

// The web search on the ISBN of the screen: a warning when it is blank, else the search page
// opened in the browser, with a warning when that fails.
void searchIsbnOnWeb(ArchiveScreen& books);

class TfrmLibri : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmLibri(QWidget* parent = nullptr);
};

}  // namespace cal
