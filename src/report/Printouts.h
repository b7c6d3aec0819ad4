#pragma once
// Fill protocols shared by the screens that print: the listing of a search or list screen and
// the footer of the record cards.
#include "report/Report.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace cal {

// A listing (landscape, fixed-pitch lines) with the title in txtTitolo and the lines, in order,
// in txtRiepilogo, whose height is lines x Report::kListingLineHeight; the band MasterData is
// 10 units taller. Not prepared: the print date is the date of printing.
Report listingReport(const QString& title, const QStringList& lines);

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss", the text of a card's txtCalce.
QString cardFooter(const QDateTime& now = QDateTime::currentDateTime());

}  // namespace cal
