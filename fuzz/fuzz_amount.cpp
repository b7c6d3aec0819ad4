// The amount parser on any text: a text that reads as an amount prints as a text that reads
// back as the same amount, the two roundings agree, and an amount and its opposite round alike.
#include "FuzzSupport.h"

#include "core/Amount.h"
#include "core/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int decimals = in.ConsumeIntegralInRange<int>(0, 4);
    const QString text = fuzz::consumeText(in, 48);

    const std::optional<cal::Amount> a = cal::Amount::parse(text, decimals);
    if (a) {
        // Already rounded: its text reads back as itself, at its own precision too.
        FUZZ_CHECK(cal::Amount::parse(a->text()) == a);
        FUZZ_CHECK(cal::Amount::parse(a->text(), decimals) == a);
        // Two decimals by text2() are the same rounding as reading with two decimals.
        const std::optional<cal::Amount> two = cal::Amount::parse(a->text(), 2);
        if (two) FUZZ_CHECK(cal::Amount::parse(a->text2()) == two);
        const QString t = cal::trimmed(text);
        if (!t.startsWith(u'-') && !t.startsWith(u'+')) {
            const std::optional<cal::Amount> negative = cal::Amount::parse(u'-' + t, decimals);
            FUZZ_CHECK(negative && negative->units() == -a->units());
        }
    }
    // What a field shows after entry is itself an amount text that entry leaves as it is.
    const QString shown = cal::normaliseAmount(text);
    FUZZ_CHECK(cal::normaliseAmount(shown) == shown);
    const QString shown2 = cal::normaliseAmount2(text);
    FUZZ_CHECK(cal::normaliseAmount2(shown2) == shown2);
    return 0;
}
