// The password file: reading any content of "unins000.dll", unscrambling any stored text, and
// scrambling any storable password so that it reads back unchanged.
#include "FuzzSupport.h"

#include "core/Password.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const QString stored = fuzz::consumeText(in, 64);
    (void)cal::unscramble(stored);

    const QString password = fuzz::consumeText(in, 300);
    const std::optional<QString> scrambled = cal::scramble(password);
    bool storable = password.size() <= cal::kPasswordMaxLength;
    for (QChar c : password) storable = storable && c.unicode() <= 0xFF;
    FUZZ_CHECK(scrambled.has_value() == storable);
    if (scrambled) {
        FUZZ_CHECK(scrambled->size() == 2 * password.size());
        FUZZ_CHECK(cal::unscramble(*scrambled) == password);
        FUZZ_CHECK(cal::unscramble(scrambled->toLower()) == password);
    }

    const std::vector<char> rest = in.ConsumeRemainingBytes<char>();
    const QString folder = fuzz::scratchFolder();
    fuzz::writeFile(folder + cal::kPasswordFile, QByteArray(rest.data(), qsizetype(rest.size())));
    (void)cal::readStoredPassword(folder);
    return 0;
}
