#include "core/Text.h"

namespace cal {

QString trimmed(QStringView text) { return trimmedView(text).toString(); }

QByteArrayView trimmedView(QByteArrayView bytes) {
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.front()) <= 0x20) bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) <= 0x20) bytes.chop(1);
    return bytes;
}

QStringView trimmedView(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 0x20) ++b;
    while (e > b && text[e - 1].unicode() <= 0x20) --e;
    return text.sliced(b, e - b);
}

QString upperAscii(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return out;
}

QString lowerAscii(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    return out;
}

QString mailtoTarget(QStringView address) {
    const qsizetype query = address.indexOf(u'?');
    return QStringLiteral("mailto:") + trimmed(query < 0 ? address : address.left(query));
}

}  // namespace cal
