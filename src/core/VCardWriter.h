#pragma once
// Cards of an address book in the vCard 4.0 format (RFC 6350): UTF-8 text, one property a line,
// lines ended by CR LF and folded after 75 octets (never inside a character), values escaped.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cal {

class VCardWriter {
public:
    // BEGIN:VCARD and VERSION:4.0.
    void begin();
    // A property with one text value, escaped; nothing when the value is empty. `parameters` are
    // written as they are after the name (";TYPE=home").
    void text(const char* name, const QString& value, const char* parameters = "");
    // A property made of components (N, ADR), each escaped, joined by ';'; nothing when every
    // component is empty.
    void structured(const char* name, const QStringList& components, const char* parameters = "");
    // A property whose value needs no escaping (a date, a URI, a fixed word), written as it is.
    void plain(const char* name, const QString& value, const char* parameters = "");
    // END:VCARD.
    void end();

    const QByteArray& bytes() const { return bytes_; }

private:
    void line(const QByteArray& content);
    QByteArray bytes_;
};

// A text value escaped for a vCard: backslash, comma and semicolon behind a backslash, every line
// break as \n; other control characters but the tab are left out.
QString vcardEscaped(const QString& value);

// A content line folded after every 75 octets (continuation lines start with a blank, which counts
// among their 75), ended by CR LF. A character of several octets is never split.
QByteArray foldedLine(const QByteArray& content);

}  // namespace cal
