// The record reader of every archive layout on any file content: whole records are counted
// and read, every field decodes within its capacity, and storing a decoded value gives the
// same value back.
#include "FuzzSupport.h"

#include "core/Record.h"
#include "core/RecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const cal::RecordLayout& layout = fuzz::pickLayout(in);
    const std::vector<char> rest = in.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));
    const QString path = fuzz::scratchFolder() + QStringLiteral("records.pro");
    fuzz::writeFile(path, bytes);

    cal::RecordFile file;
    FUZZ_CHECK(file.open(path, layout.size()));
    const qint64 count = file.count();
    FUZZ_CHECK(count == bytes.size() / layout.size());
    cal::Record record(layout);
    cal::Record copy(layout);
    for (qint64 i = 0; i < count; ++i) {
        FUZZ_CHECK(file.read(record));
        FUZZ_CHECK(record.bytes() == bytes.mid(i * layout.size(), layout.size()));
        for (int f = 0; f < layout.count(); ++f) {
            const int capacity = layout.fields[f].capacity;
            const QByteArrayView raw = record.rawBytes(f);
            FUZZ_CHECK(raw.size() <= capacity + (layout.zeroTerminated ? 1 : 0));
            const QString value = record.rawText(f);
            FUZZ_CHECK(value.size() == raw.size());  // one character per byte
            (void)record.text(f);
            copy.setText(f, value);
            FUZZ_CHECK(copy.rawText(f) == value.left(capacity));
        }
    }
    FUZZ_CHECK(!file.read(record));  // nothing after the last whole record
    FUZZ_CHECK(file.close());
    return 0;
}
