#pragma once
// The record buffer: one record's bytes, read and written whole, with typed access
// to its fields through the layout.
#include "core/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cal {

// Field codecs on raw bytes; `field` points at the field's N + 1 bytes.
namespace FixedString {
// The stored bytes of the value: L clamped to the capacity (a larger L is damage).
QByteArrayView bytes(const char* field, int capacity);
// Decoded, untrimmed.
QString loadRaw(const char* field, int capacity);
// Decoded and trimmed, as shown on a screen.
QString load(const char* field, int capacity);
// Stores `text` as it is (callers trim): code page conversion, cut at N bytes, length byte.
// The bytes after the value are zero-filled.
void store(char* field, int capacity, const QString& text);
}  // namespace FixedString

namespace FixedZString {
// Bytes up to the first zero, or all N + 1 bytes when there is none.
QByteArrayView bytes(const char* field, int capacity);
QString load(const char* field, int capacity);  // untrimmed
void store(char* field, int capacity, const QString& text);
}  // namespace FixedZString

class Record {
public:
    explicit Record(const RecordLayout& layout);

    const RecordLayout& layout() const { return *layout_; }
    QByteArray& bytes() { return bytes_; }
    const QByteArray& bytes() const { return bytes_; }

    // The value as a screen shows it: trimmed for length-prefixed fields, as stored
    // for zero-terminated ones.
    QString text(int field) const;
    // The value decoded but never trimmed (what the search compares).
    QString rawText(int field) const;
    // The stored bytes of the value (no conversion).
    QByteArrayView rawBytes(int field) const;
    // Stores the text as given; the caller trims where the archive trims.
    void setText(int field, const QString& text);

    QString text(std::string_view name) const { return text(layout_->indexOf(name)); }
    void setText(std::string_view name, const QString& value) { setText(layout_->indexOf(name), value); }

    void clear() { bytes_.fill('\0'); }

    // Whether every field holds the same stored value; the bytes after a value, which are not
    // significant, may differ.
    bool sameValues(const Record& other) const;

private:
    const char* field(int index) const { return bytes_.constData() + layout_->offset(index); }
    const RecordLayout* layout_;
    QByteArray bytes_;
};

// Raw field bytes straight from a record image (used by scans that decode only matches).
QByteArrayView fieldBytes(const RecordLayout& layout, const char* record, int field);

// A field's value decoded and trimmed into a buffer of its own, without allocating: for the values
// a scan reads from every record (dates, amounts, flags). Holds the first 256 bytes of a longer
// zero-terminated value.
class FieldText {
public:
    FieldText(const RecordLayout& layout, const char* record, int field);
    QStringView text() const { return text_; }

private:
    char16_t buffer_[256];
    QStringView text_;
};

}  // namespace cal
