#pragma once
// The reading rule of the help topic files, shared by the help screen and the manual:
// - an empty line ends a paragraph; the lines of one paragraph are joined with a blank;
// - a line that starts with "## " is a heading on its own: the rest of the line is the heading's
//   text, and it ends the paragraph before it (the empty lines around it are optional).
// A topic without headings is read as paragraphs alone.
#include <QList>
#include <QString>
#include <QStringList>

namespace cal {

struct HelpBlock {
    enum Kind { Paragraph, Heading };
    Kind kind = Paragraph;
    QString text;
    bool operator==(const HelpBlock&) const = default;
};

// The marker that opens a heading line.
inline constexpr char16_t kHelpHeadingMarker[] = u"## ";

QList<HelpBlock> helpBlocks(const QString& text);
// The blocks written back in the same format, one empty line (CR LF CR LF) between blocks;
// helpBlocks() of the result gives the blocks again.
QString helpBlocksText(const QList<HelpBlock>& blocks);

}  // namespace cal
