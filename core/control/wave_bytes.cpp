#include "wave_bytes.h"

#include <algorithm>
#include <cstring>

namespace tovabel {

namespace {

constexpr std::size_t kHeaderSize = 12; // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kFormatSize = 16; // the PCM format record

std::uint32_t ReadSize(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void WriteSize(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t size) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
}

bool HasTag(const std::vector<std::uint8_t>& bytes, std::size_t at, const char (&tag)[5]) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

} // namespace

bool MakeWaveSafeToPlay(std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kHeaderSize || !HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE") ||
        bytes.size() - kChunkHeaderSize > UINT32_MAX) {
        return false;
    }
    std::vector<std::uint8_t> safe = bytes;
    // The file ends where its bytes end, or earlier when its header says so.
    const std::size_t end =
        kChunkHeaderSize + std::min<std::size_t>(ReadSize(safe, 4), safe.size() - kChunkHeaderSize);
    WriteSize(safe, 4, static_cast<std::uint32_t>(end - kChunkHeaderSize));
    bool format = false;
    bool data = false;
    std::size_t at = kHeaderSize;
    while (at + kChunkHeaderSize <= end) {
        const std::size_t room = end - at - kChunkHeaderSize;
        const std::size_t size = std::min<std::size_t>(ReadSize(safe, at + 4), room);
        WriteSize(safe, at + 4, static_cast<std::uint32_t>(size));
        if (HasTag(safe, at, "fmt ")) {
            format = size >= kFormatSize;
        } else if (HasTag(safe, at, "data")) {
            data = format; // the player needs the format before the samples
        }
        // Chunks are padded to an even length.
        at += kChunkHeaderSize + size + (size & 1);
    }
    if (!format || !data) {
        return false;
    }
    bytes = std::move(safe);
    return true;
}

} // namespace tovabel
