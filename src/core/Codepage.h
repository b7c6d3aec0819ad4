#pragma once
// Windows-1252, the code page of every file the program reads or writes.
// Inside the program all text is QString; conversion happens only here.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cal {

// Each character outside the code page becomes one '?' (a pair of surrogates
// counts as one character). The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to U+0081... and encode back unchanged.
QByteArray toCp1252(QStringView text);
QString fromCp1252(QByteArrayView bytes);
// Appends the decoded bytes to `out`.
void appendCp1252(QString& out, QByteArrayView bytes);
// Decodes the bytes into `buffer`, which has room for bytes.size() units: a view of it, made
// without allocating (for the values a scan reads from every record).
QStringView decodeCp1252(QByteArrayView bytes, char16_t* buffer);

// The byte for one character, or '?' when the code page has none.
char cp1252Byte(char32_t ch);

}  // namespace cal
