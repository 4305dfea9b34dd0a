// Shortens arbitrary texts to arbitrary widths. Input: a character width, a
// signed offset, a signed 16-bit width, then the text (one byte a character).
// A shortened text is shorter than the original and, unless it vanished, fits.
#include "fuzz_common.h"

#include "render/text_fit.h"

#include <cstddef>
#include <cstdint>

using namespace tovabel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const std::int32_t charWidth = data[0];
    const std::int32_t offset = static_cast<std::int8_t>(data[1]);
    const std::int32_t width = static_cast<std::int16_t>(data[2] | (data[3] << 8));
    const MeasureText measure = [&](const Text& t) {
        return static_cast<std::int32_t>(t.size()) * charWidth + offset;
    };
    const Text original(data + 4, data + size);
    Text text = original;
    std::int32_t measured = width;
    FitTextToWidth(measure, text, measured);
    FUZZ_CHECK(text == original || text.size() < original.size());
    if (width < 0) {
        FUZZ_CHECK(text == original);
    } else if (!text.empty()) {
        FUZZ_CHECK(measure(text) <= width);
        FUZZ_CHECK(measured == static_cast<std::int16_t>(measure(text)));
    }
    return 0;
}
