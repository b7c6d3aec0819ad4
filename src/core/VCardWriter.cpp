#include "core/VCardWriter.h"

namespace cal {

QString vcardEscaped(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' || c == u',' || c == u';') {
            out += u'\\';
            out += c;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n') ++i;
            out += QStringLiteral("\\n");
        } else if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) {
            // No other control character may stand in a value.
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray foldedLine(const QByteArray& content) {
    constexpr qsizetype kOctets = 75;
    QByteArray out;
    qsizetype start = 0;
    bool first = true;
    while (true) {
        const qsizetype room = first ? kOctets : kOctets - 1;
        qsizetype end = std::min(content.size(), start + room);
        // Back to the start of a character: UTF-8 continuation octets are 10xxxxxx.
        if (end < content.size())
            while (end > start + 1 && (quint8(content[end]) & 0xC0) == 0x80) --end;
        if (!first) out += ' ';
        out += content.mid(start, end - start);
        out += "\r\n";
        if (end >= content.size()) return out;
        start = end;
        first = false;
    }
}

void VCardWriter::line(const QByteArray& content) { bytes_ += foldedLine(content); }

void VCardWriter::begin() {
    line("BEGIN:VCARD");
    line("VERSION:4.0");
}

void VCardWriter::text(const char* name, const QString& value, const char* parameters) {
    if (value.isEmpty()) return;
    plain(name, vcardEscaped(value), parameters);
}

void VCardWriter::structured(const char* name, const QStringList& components, const char* parameters) {
    if (std::all_of(components.begin(), components.end(), [](const QString& c) { return c.isEmpty(); })) return;
    QStringList escaped;
    for (const QString& c : components) escaped << vcardEscaped(c);
    plain(name, escaped.join(u';'), parameters);
}

void VCardWriter::plain(const char* name, const QString& value, const char* parameters) {
    line(QByteArray(name) + parameters + ':' + value.toUtf8());
}

void VCardWriter::end() { line("END:VCARD"); }

}  // namespace cal
