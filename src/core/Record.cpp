#include "core/Record.h"

#include "core/Codepage.h"
#include "core/Text.h"

#include <cstring>

namespace cal {

namespace FixedString {
QByteArrayView bytes(const char* field, int capacity) {
    int length = static_cast<unsigned char>(field[0]);
    if (length > capacity) length = capacity;
    return QByteArrayView(field + 1, length);
}
QString loadRaw(const char* field, int capacity) { return fromCp1252(bytes(field, capacity)); }
QString load(const char* field, int capacity) { return trimmed(loadRaw(field, capacity)); }
void store(char* field, int capacity, const QString& text) {
    QByteArray encoded = toCp1252(text);
    const int length = static_cast<int>(std::min<qsizetype>(encoded.size(), capacity));
    field[0] = static_cast<char>(length);
    std::memcpy(field + 1, encoded.constData(), length);
    std::memset(field + 1 + length, 0, capacity - length);
}
}  // namespace FixedString

namespace FixedZString {
QByteArrayView bytes(const char* field, int capacity) {
    const void* zero = std::memchr(field, 0, capacity + 1);
    const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - field) : capacity + 1;
    return QByteArrayView(field, length);
}
QString load(const char* field, int capacity) { return fromCp1252(bytes(field, capacity)); }
void store(char* field, int capacity, const QString& text) {
    QByteArray encoded = toCp1252(text);
    const int length = static_cast<int>(std::min<qsizetype>(encoded.size(), capacity));
    std::memcpy(field, encoded.constData(), length);
    std::memset(field + length, 0, capacity + 1 - length);
}
}  // namespace FixedZString

QByteArrayView fieldBytes(const RecordLayout& layout, const char* record, int field) {
    const char* p = record + layout.offset(field);
    const int capacity = layout.fields[field].capacity;
    return layout.zeroTerminated ? FixedZString::bytes(p, capacity) : FixedString::bytes(p, capacity);
}

FieldText::FieldText(const RecordLayout& layout, const char* record, int field) {
    const QByteArrayView bytes = fieldBytes(layout, record, field);
    text_ = trimmedView(decodeCp1252(bytes.first(std::min<qsizetype>(bytes.size(), std::size(buffer_))), buffer_));
}

Record::Record(const RecordLayout& layout) : layout_(&layout), bytes_(layout.size(), '\0') {}

QByteArrayView Record::rawBytes(int index) const { return fieldBytes(*layout_, bytes_.constData(), index); }

bool Record::sameValues(const Record& other) const {
    if (layout_->size() != other.layout_->size() || layout_->count() != other.layout_->count())
        return false;
    for (int f = 0; f < layout_->count(); ++f)
        if (rawBytes(f) != other.rawBytes(f)) return false;
    return true;
}

QString Record::rawText(int index) const { return fromCp1252(rawBytes(index)); }

QString Record::text(int index) const {
    return layout_->zeroTerminated ? rawText(index) : trimmed(rawText(index));
}

void Record::setText(int index, const QString& value) {
    char* p = bytes_.data() + layout_->offset(index);
    const int capacity = layout_->fields[index].capacity;
    if (layout_->zeroTerminated)
        FixedZString::store(p, capacity, value);
    else
        FixedString::store(p, capacity, value);
}

}  // namespace cal
