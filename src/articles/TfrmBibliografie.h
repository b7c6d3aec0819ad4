#pragma once
// The article card index: one card per press article, review or other text, in one file per
// year, with the article's full text; searched also inside that text, exported to a spreadsheet
// and, card by card, to a rich-text document.
#include "screens/ArchiveScreen.h"

namespace cal {

struct YearMenuTexts;

struct ArchiveModule;

// The article screen, its search and export.
const ArchiveModule& articleModule();

class TfrmBibliografie : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmBibliografie(QWidget* parent = nullptr);
};

// The year menu the launcher opens before this archive.
extern const YearMenuTexts kArticleYearMenu;

}  // namespace cal
