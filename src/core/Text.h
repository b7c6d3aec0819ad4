#pragma once
// Small text rules shared by storage, screens and checks.
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace cal {

// Leading and trailing blanks and control characters (code 0x20 and below) removed.
QString trimmed(QStringView text);
// The same bounds, without copying the text.
QStringView trimmedView(QStringView text);
// The same on stored bytes of the code page, which keeps every byte up to 0x20 as the character
// of the same code.
QByteArrayView trimmedView(QByteArrayView bytes);

// Only the letters a to z become A to Z; accented letters stay as they are.
QString upperAscii(QStringView text);
// Only the letters A to Z become a to z.
QString lowerAscii(QStringView text);

// Check-box texts as stored: "Sì" ticked, "No" not ticked.
inline const QString kYes = QStringLiteral("S\u00EC");
inline const QString kNo = QStringLiteral("No");
inline QString checkText(bool ticked) { return ticked ? kYes : kNo; }
// The "mailto:" address that opens a message to the e-mail address of a field: the trimmed
// address only. Anything from the first "?" on is left out, so a field can never add headers,
// a body or attachments ("a@b.it?attach=/etc/passwd" gives "mailto:a@b.it").
QString mailtoTarget(QStringView address);

// The address a web-address field opens in the browser: only an http or https address, trimmed;
// a host name without a scheme ("www.example.org") gets "http://" in front, as whoever typed it
// means. Anything else (a local path, "file:", "mailto:", "javascript:" or any other scheme, text
// with blanks or backslashes) is no web address: nullopt, and nothing is opened. The bare
// "https://" or "http://" the field starts with is handed over as it is (it opens the browser).
std::optional<QString> webTarget(QStringView address);

// The state a stored text gives a box that was `current`: anything but "Sì"/"No" leaves it.
inline bool checkState(const QString& stored, bool current) {
    if (stored == kYes) return true;
    if (stored == kNo) return false;
    return current;
}

}  // namespace cal
