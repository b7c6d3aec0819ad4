#include "core/HelpText.h"

namespace cal {

QStringList helpParagraphs(const QString& text) {
    QStringList paragraphs;
    QString current;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            if (!current.isEmpty()) paragraphs << current;
            current.clear();
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    if (!current.isEmpty()) paragraphs << current;
    return paragraphs;
}

}  // namespace cal
