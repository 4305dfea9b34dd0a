// Feeds arbitrary bytes to the stream decoder. Whatever decodes must encode back
// to the same bytes, load into a control (with real layout against the fake
// host, in run or design mode) and save again into a stream that encodes.
#include "fuzz_common.h"

#include "fake_host.h"
#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

using namespace tovabel;
using namespace tovabel::persist;

namespace {

void LoadAndSave(const StreamEntries& entries, bool userMode) {
    testing::FakeHost host;
    host.userMode = userMode;
    testing::FakeObjectCodec codec;
    Tovabel control{host};
    control.Initialize();
    StreamBag in(codec, entries);
    control.ReadProperties(in);
    control.OnTimer(TimerId::Redraw); // the deferred auto-size
    StreamBag out(codec);
    control.WriteProperties(out);
    FUZZ_CHECK(EncodeProperties(out.Entries()).has_value());
    control.Terminate();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    StreamEntries entries;
    if (DecodeProperties(bytes, entries) != StreamError::None) {
        FUZZ_CHECK(entries.empty());
        return 0;
    }
    const auto again = EncodeProperties(entries);
    FUZZ_CHECK(again && std::equal(again->begin(), again->end(), bytes.begin(), bytes.end()));
    LoadAndSave(entries, size % 2 == 0);
    return 0;
}
