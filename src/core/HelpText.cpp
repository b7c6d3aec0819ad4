#include "core/HelpText.h"

namespace cal {

QList<HelpBlock> helpBlocks(const QString& text) {
    const QString marker = QString::fromUtf16(kHelpHeadingMarker);
    QList<HelpBlock> blocks;
    QString current;
    const auto endParagraph = [&] {
        if (!current.isEmpty()) blocks << HelpBlock{HelpBlock::Paragraph, current};
        current.clear();
    };
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if ((line + u' ').startsWith(marker)) {  // "##" alone is an empty heading, dropped
            endParagraph();
            const QString heading = line.mid(marker.size()).trimmed();
            if (!heading.isEmpty()) blocks << HelpBlock{HelpBlock::Heading, heading};
        } else if (line.isEmpty()) {
            endParagraph();
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    endParagraph();
    return blocks;
}

QString helpBlocksText(const QList<HelpBlock>& blocks) {
    QStringList parts;
    for (const HelpBlock& block : blocks)
        parts << (block.kind == HelpBlock::Heading ? QString::fromUtf16(kHelpHeadingMarker) + block.text : block.text);
    return parts.join(QStringLiteral("\r\n\r\n"));
}

}  // namespace cal
