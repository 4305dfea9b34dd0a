// Sound bytes are checked before the system's player, which trusts every size
// written in them, reads them from memory.
#include "control/wave_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace tovabel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendSize(Bytes& bytes, std::uint32_t size) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    }
}

std::uint32_t SizeAt(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A RIFF WAVE file of chunks (tag, declared size, bytes there); the RIFF size is
// `riffSize` or the real one.
Bytes Wave(const std::vector<std::tuple<std::string, std::uint32_t, std::size_t>>& chunks,
           std::int64_t riffSize = -1) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& [tag, declared, real] : chunks) {
        body.insert(body.end(), tag.begin(), tag.end());
        AppendSize(body, declared);
        body.insert(body.end(), real, 0x11);
    }
    Bytes bytes{'R', 'I', 'F', 'F'};
    AppendSize(bytes,
               static_cast<std::uint32_t>(riffSize < 0 ? std::int64_t(body.size()) : riffSize));
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

TEST(WaveBytes, PlayableFilesAreKeptAndTheirSizesCutToTheBytesThere) {
    // The bytes, whether they play and then the RIFF size and the last chunk's size.
    using Case = std::tuple<const char*, Bytes, bool, std::uint32_t, std::uint32_t>;
    const Case cases[] = {
        {"well formed", Wave({{"fmt ", 16, 16}, {"data", 100, 100}}), true, 136, 100},
        {"a chunk before the format", Wave({{"LIST", 3, 4}, {"fmt ", 16, 16}, {"data", 4, 4}}),
         true, 52, 4},
        {"header claims more than there is",
         Wave({{"fmt ", 16, 16}, {"data", 100, 100}}, 0xFFFFFFF0), true, 136, 100},
        {"samples cut short", Wave({{"fmt ", 16, 16}, {"data", 0x7FFFFFFF, 10}}), true, 46, 10},
        {"header shorter than the chunks: the rest is ignored",
         Wave({{"fmt ", 16, 16}, {"data", 8, 8}, {"junk", 50, 50}}, 44), true, 44, 8},
        {"odd chunks are padded to an even length",
         Wave({{"LIST", 3, 4}, {"fmt ", 16, 16}, {"data", 2, 2}}), true, 50, 2},
        {"an odd chunk without its padding",
         Wave({{"LIST", 3, 3}, {"fmt ", 16, 16}, {"data", 2, 2}}), false, 0, 0},
        {"no format", Wave({{"data", 4, 4}}), false, 0, 0},
        {"format too short", Wave({{"fmt ", 8, 8}, {"data", 4, 4}}), false, 0, 0},
        {"samples before the format", Wave({{"data", 4, 4}, {"fmt ", 16, 16}}), false, 0, 0},
        {"format cut short by the end", Wave({{"fmt ", 16, 10}}), false, 0, 0},
        {"no samples", Wave({{"fmt ", 16, 16}}), false, 0, 0},
        {"empty", Bytes{}, false, 0, 0},
        {"header only", Wave({}), false, 0, 0},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, false, 0, 0},
        {"not WAVE", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, false, 0, 0},
    };
    for (const auto& [name, given, playable, riffSize, lastChunkSize] : cases) {
        SCOPED_TRACE(name);
        Bytes bytes = given;
        ASSERT_EQ(MakeWaveSafeToPlay(bytes), playable);
        if (!playable) {
            EXPECT_EQ(bytes, given) << "refused bytes are left as they were";
            continue;
        }
        ASSERT_EQ(bytes.size(), given.size());
        EXPECT_EQ(SizeAt(bytes, 4), riffSize);
        // Walk the chunks as the player does: every one ends inside the bytes.
        std::size_t at = 12;
        std::uint32_t last = 0;
        while (at + 8 <= 8 + SizeAt(bytes, 4)) {
            last = SizeAt(bytes, at + 4);
            ASSERT_LE(at + 8 + last, bytes.size());
            at += 8 + last + (last & 1);
        }
        EXPECT_EQ(last, lastChunkSize);
    }
}

} // namespace
} // namespace tovabel
