#include "core/Text.h"

#include <QUrl>

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

std::optional<QString> webTarget(QStringView address) {
    const QString text = trimmed(address);
    for (const QChar c : text)
        if (c.isSpace() || c.unicode() < 0x20 || c == u'\\') return std::nullopt;
    // A scheme is letters, digits, "+", "-" and "." before a ":" that no port number follows.
    qsizetype colon = 0;
    while (colon < text.size() && (text[colon].isLetterOrNumber() || text[colon] == u'+' || text[colon] == u'-' ||
                                   text[colon] == u'.'))
        ++colon;
    const bool hasScheme = colon > 0 && colon < text.size() && text[colon] == u':' && text[0].isLetter() &&
                           !(colon + 1 < text.size() && text[colon + 1].isDigit());
    QString url = text;
    if (hasScheme) {
        const QString scheme = lowerAscii(QStringView(text).left(colon));
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return std::nullopt;
        if (!QStringView(text).mid(colon + 1).startsWith(QLatin1String("//"))) return std::nullopt;
        if (colon + 3 == text.size()) return text;  // "https://" alone
    } else {
        if (text.isEmpty() || text.startsWith(u'/') || text.startsWith(u'.') || text.startsWith(u'~')) return std::nullopt;
        url = QStringLiteral("http://") + text;
    }
    const QUrl parsed(url, QUrl::StrictMode);
    const QString host = parsed.host();
    if (!parsed.isValid() || host.isEmpty()) return std::nullopt;
    // Without a scheme, a word is no address: a host name has a dot in it.
    if (!hasScheme && !host.contains(u'.') && host != QLatin1String("localhost")) return std::nullopt;
    return url;
}

}  // namespace cal
