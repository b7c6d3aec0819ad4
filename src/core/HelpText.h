#pragma once
// The reading rule of the help topic files, shared by the help screen and the manual:
// an empty line ends a paragraph; the lines of one paragraph are joined with a blank.
#include <QString>
#include <QStringList>

namespace cal {

QStringList helpParagraphs(const QString& text);

}  // namespace cal
