// The search matcher of every layout against a plain rule on decoded values: a record matches
// when every filter in use occurs in its field's stored value, A to Z folded to a to z.
#include "FuzzSupport.h"

#include "core/Record.h"
#include "core/Search.h"
#include "core/Text.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const cal::RecordLayout& layout = fuzz::pickLayout(in);
    std::vector<cal::SearchFilter> filters;
    const int n = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < n; ++i) {
        const int field = in.ConsumeIntegralInRange<int>(-1, layout.count());
        filters.push_back({field, fuzz::consumeText(in, 8)});
    }
    const cal::RecordMatcher matcher(layout, filters);

    cal::Record record(layout);
    const std::vector<char> bytes = in.ConsumeBytes<char>(std::size_t(layout.size()));
    std::copy(bytes.begin(), bytes.end(), record.bytes().begin());

    bool expected = true;
    int inUse = 0;
    for (const cal::SearchFilter& f : filters) {
        if (f.field < 0 || f.field >= layout.count() || cal::trimmed(f.text).isEmpty()) continue;
        ++inUse;
        expected = expected && cal::lowerAscii(record.rawText(f.field)).contains(cal::lowerAscii(f.text));
    }
    FUZZ_CHECK(matcher.filtersInUse() == inUse);
    FUZZ_CHECK(matcher.matches(record.bytes().constData()) == expected);
    return 0;
}
