// The list codec on any separator and text.
#include <algorithm>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "store/list_codec.h"

namespace {

using Items = std::vector<std::string>;

Items withoutEmpty(Items items) {
    items.erase(std::remove(items.begin(), items.end(), std::string()), items.end());
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    FuzzedDataProvider input(data, size);
    const std::string separator = input.ConsumeRandomLengthString(4);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const Items all = splitList(text, separator, true);
    const Items kept = splitList(text, separator, false);
    FUZZ_CHECK(!all.empty());
    FUZZ_CHECK(kept == withoutEmpty(all));
    for (const auto& item : all) {
        FUZZ_CHECK(separator.empty() || item.find(separator) == std::string::npos);
    }
    if (separator.empty()) {
        FUZZ_CHECK(all == Items{text});
    }
    // Keeping empty items, nothing is lost.
    FUZZ_CHECK(joinList(all, separator, true) == text);

    // A list the codec produced survives a round trip.
    if (separator.size() == 1) {
        FUZZ_CHECK(splitList(joinList(kept, separator), separator) == kept);
    }

    // The component itself: Split leaves BaseString alone, Join leaves StringList alone.
    TBrkApart codec;
    codec.BaseString = text;
    codec.BreakString = separator;
    codec.StringList = {"stale"};
    codec.Split();
    FUZZ_CHECK(codec.BaseString == text && codec.StringList == kept);
    codec.Join();
    FUZZ_CHECK(codec.StringList == kept);
    FUZZ_CHECK(codec.BaseString == joinList(kept, separator));
    return 0;
}
