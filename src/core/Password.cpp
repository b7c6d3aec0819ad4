#include "core/Password.h"

#include "core/IniFile.h"
#include "core/Text.h"

#include <QDir>

namespace cal {
namespace {

constexpr quint16 kInitialKey = 0x3B51;
constexpr quint16 kMultiplier = 0x9E27;
constexpr quint16 kIncrement = 0x41F3;

// The key after a scrambled byte c: ((c + k) * multiplier + increment) modulo 65536.
quint16 nextKey(quint16 key, quint8 c) {
    return quint16((quint32(c) + key) * kMultiplier + kIncrement);
}

quint8 highByte(quint16 key) { return quint8(key >> 8); }

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    return -1;
}

QString passwordPath(const QString& programFolder) {
    return QDir(programFolder).filePath(kPasswordFile);
}

}  // namespace

QString normalisePassword(QStringView typed) { return trimmed(upperAscii(typed)); }

std::optional<QString> scramble(QStringView password) {
    if (password.size() > kPasswordMaxLength) return std::nullopt;
    QString out;
    out.reserve(password.size() * 2);
    quint16 key = kInitialKey;
    for (QChar ch : password) {
        if (ch.unicode() > 0xFF) return std::nullopt;
        const quint8 c = quint8(ch.unicode()) ^ highByte(key);
        out += QStringLiteral("%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
        key = nextKey(key, c);
    }
    return out;
}

std::optional<QString> unscramble(QStringView stored) {
    QString out;
    out.reserve(stored.size() / 2);
    quint16 key = kInitialKey;
    for (qsizetype i = 0; i + 1 < stored.size(); i += 2) {
        const int hi = hexDigit(stored[i]);
        const int lo = hexDigit(stored[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        const quint8 c = quint8(hi * 16 + lo);
        out += QChar(char16_t(c ^ highByte(key)));
        key = nextKey(key, c);
    }
    return out;
}

std::optional<QString> readStoredPassword(const QString& programFolder) {
    const std::optional<QString> stored =
        readIniValue(passwordPath(programFolder), kPasswordSection, kPasswordKey);
    if (!stored) return std::nullopt;
    const std::optional<QString> password = unscramble(*stored);
    if (!password) return std::nullopt;
    return trimmed(*password);
}

PasswordWrite writeStoredPassword(const QString& programFolder, QStringView password) {
    const std::optional<QString> stored = scramble(normalisePassword(password));
    if (!stored) return PasswordWrite::Refused;
    return writeIniValue(passwordPath(programFolder), kPasswordSection, kPasswordKey, *stored)
               ? PasswordWrite::Written
               : PasswordWrite::WritingError;
}

}  // namespace cal
