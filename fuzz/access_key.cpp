// Parses arbitrary captions (one byte a character) for their access key. The key,
// when there is one, is the character at the position reported in the result,
// and at most the marker and one '&' of a pair are removed.
#include "fuzz_common.h"

#include "render/text_fit.h"

#include <cstddef>
#include <cstdint>

using namespace tovabel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text caption(data, data + size);
    std::int32_t pos = -1;
    Text key = u"stale";
    const Text result = ParseAccessKey(caption, pos, key);
    FUZZ_CHECK(result.size() + 2 >= caption.size() && result.size() <= caption.size());
    FUZZ_CHECK((pos == 0) == key.empty());
    if (pos != 0) {
        FUZZ_CHECK(key.size() == 1 && pos >= 1 && static_cast<std::size_t>(pos) <= result.size());
        FUZZ_CHECK(result[static_cast<std::size_t>(pos - 1)] == key[0]);
    }
    return 0;
}
