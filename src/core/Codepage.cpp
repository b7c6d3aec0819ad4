#include "core/Codepage.h"

#include <array>

namespace cal {
namespace {

// 0x80..0x9F; the undefined bytes map to themselves as C1 code points.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char cp1252Byte(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<char>(ch);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == ch)
            return static_cast<char>(0x80 + i);
    return '?';
}

QByteArray toCp1252(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;  // one character outside the code page
            out.append('?');
            continue;
        }
        out.append(cp1252Byte(c));
    }
    return out;
}

QString fromCp1252(QByteArrayView bytes) {
    QString out;
    appendCp1252(out, bytes);
    return out;
}

void appendCp1252(QString& out, QByteArrayView bytes) {
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    decodeCp1252(bytes, reinterpret_cast<char16_t*>(out.data() + start));
}

QStringView decodeCp1252(QByteArrayView bytes, char16_t* buffer) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        buffer[i] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
    }
    return QStringView(buffer, bytes.size());
}

}  // namespace cal
