// The date parser on any text: a text that names a date is exactly that date's text, and
// comparing two texts is antisymmetric.
#include "FuzzSupport.h"

#include "core/DateText.h"
#include "core/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const QString a = fuzz::consumeText(in, 16);
    const QString b = fuzz::consumeText(in, 16);

    const std::optional<QDate> date = cal::parseDateText(a);
    if (date) {
        FUZZ_CHECK(date->isValid() && date->year() >= 1 && date->year() <= 9999);
        FUZZ_CHECK(cal::dateText(*date) == cal::trimmed(a));
    }
    const auto ab = cal::compareDateTexts(a, b);
    const auto ba = cal::compareDateTexts(b, a);
    FUZZ_CHECK(ab.has_value() == (date.has_value() && cal::parseDateText(b).has_value()));
    FUZZ_CHECK(ab.has_value() == ba.has_value());
    if (ab) FUZZ_CHECK((*ab < 0) == (*ba > 0) && (*ab == 0) == (*ba == 0));
    return 0;
}
