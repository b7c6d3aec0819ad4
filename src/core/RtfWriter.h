#pragma once
// Texts for rich-text (RTF) documents written in Windows-1252.
#include <QByteArray>
#include <QStringView>

namespace cal {

// One value as it goes into a document: trimmed, in Windows-1252 ('?' for characters
// outside it), a backslash before each backslash and brace, and each line break
// (CR LF, or a lone CR or LF) written as a paragraph break "\par ".
QByteArray rtfText(QStringView value);

}  // namespace cal
