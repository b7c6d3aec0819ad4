#pragma once
// A record layout is a table: the fields in file order, each with its capacity N.
// Every field takes N + 1 bytes; the record is their concatenation, with no gaps.
#include <cstddef>
#include <span>
#include <string_view>

namespace cal {

struct Field {
    std::string_view name;  // the screen field it is shown in (txtNome, lblFile01, ...)
    int capacity;           // N, 1..255 for length-prefixed fields
};

struct RecordLayout {
    std::string_view fileName;  // the record file ("Nome.ext"), or the extension (".ext") of a per-year archive
    std::span<const Field> fields;
    bool zeroTerminated = false;  // fields end at a zero byte instead of a length byte

    constexpr int size() const {
        int total = 0;
        for (const Field& f : fields) total += f.capacity + 1;
        return total;
    }
    constexpr int offset(int index) const {
        int total = 0;
        for (int i = 0; i < index; ++i) total += fields[i].capacity + 1;
        return total;
    }
    constexpr int count() const { return static_cast<int>(fields.size()); }
    // -1 when the layout has no such field.
    constexpr int indexOf(std::string_view name) const {
        for (int i = 0; i < count(); ++i)
            if (fields[i].name == name) return i;
        return -1;
    }
};

// Compile-time guard used next to every layout table.
constexpr bool capacitiesValid(const RecordLayout& layout) {
    for (const Field& f : layout.fields)
        if (f.capacity < 1 || (!layout.zeroTerminated && f.capacity > 255)) return false;
    return true;
}

}  // namespace cal
