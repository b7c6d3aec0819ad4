// The settings-file reader on any content, and the writer's promise that a value it sets is
// the value read back, whatever the file held before.
#include "FuzzSupport.h"

#include "core/Codepage.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const QString section = fuzz::consumeText(in, 12);
    const QString key = fuzz::consumeText(in, 12);
    const QString value = fuzz::consumeText(in, 24);
    const std::vector<char> rest = in.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    cal::IniFile ini(bytes);
    FUZZ_CHECK(ini.bytes() == bytes);  // reading keeps every byte
    const QString before = ini.value(section, key);
    FUZZ_CHECK(ini.contains(section, key) || before.isEmpty());

    if (ini.setValue(section, key, value)) {
        // Line breaks and other control characters are written as blanks; characters outside
        // the code page as '?'.
        QString expected = value;
        for (QChar& c : expected)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
        expected = cal::fromCp1252(cal::toCp1252(expected));
        const cal::IniFile reread(ini.bytes());
        FUZZ_CHECK(reread.contains(section, key));
        FUZZ_CHECK(reread.value(section, key) == expected);
    } else {
        FUZZ_CHECK(ini.bytes() == bytes);  // a refused name changes nothing
    }
    return 0;
}
