#include "core/RtfWriter.h"

#include "core/Codepage.h"
#include "core/Text.h"

namespace cal {

QByteArray rtfText(QStringView value) {
    const QByteArray bytes = toCp1252(trimmed(value));
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out.append('\\').append(c);
            break;
        case '\r':
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;  // CR LF is one break
            out.append("\\par ");
            break;
        case '\n':
            out.append("\\par ");
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

}  // namespace cal
