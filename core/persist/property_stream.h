// The control's own binary form of its saved properties, used where the container
// hands it a stream or a storage instead of a property bag. It holds the same keys
// and value kinds as the bag, in the order they were written; pictures and fonts
// travel as the persistent form their objects save, which this layer never looks
// into.
//
// Layout (every number little-endian):
//   header, 12 bytes:
//     magic        4 bytes  'T' 'v' 'b' 'P'
//     version      u16      1
//     entry count  u16      at most kMaxStreamEntries
//     body length  u32      bytes that follow the header, at most kMaxStreamBody
//   body: `entry count` entries, each
//     key length   u8       1 to kMaxKeyLength
//     key          ASCII letters and digits, no two entries with the same key
//     kind         u8       a BagKind: 0 Empty, 1 Boolean, 2 Integer, 3 Long,
//                           4 String, 5 picture, 6 font
//     value        Empty: nothing; Boolean: u8 0 or 1; Integer: i16; Long: i32;
//                  String: u32 count of UTF-16 code units, then the units;
//                  picture, font: u32 byte count, then the persistent form
//                  (no bytes for a null object)
//   The body ends exactly with the last entry.
//
// A stream that belongs to a container may hold more after the control's part:
// read the header first, then exactly `body length` more bytes.
#pragma once

#include "control/property_bag.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tovabel::persist {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t kStreamHeaderSize = 12;
inline constexpr std::uint16_t kStreamVersion = 1;
inline constexpr std::size_t kMaxStreamEntries = 256;
inline constexpr std::size_t kMaxKeyLength = 64;
inline constexpr std::size_t kMaxStreamBody = std::size_t{64} << 20;

// The persistent form of a picture or a font; no bytes for a null object.
struct ObjectBlob {
    BagKind kind = BagKind::StdPicture; // StdPicture or StdFont
    Bytes bytes;
    bool operator==(const ObjectBlob&) const = default;
};

// A value as the stream holds it: a BagValue whose objects are still bytes.
using StreamValue =
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, Text, ObjectBlob>;

struct StreamEntry {
    std::string key;
    StreamValue value;
    bool operator==(const StreamEntry&) const = default;
};
using StreamEntries = std::vector<StreamEntry>;

enum class StreamError {
    None,
    Truncated,          // the input ends before the header or the body it announces
    BadMagic,           // not the control's stream
    UnsupportedVersion, // written by a version this one cannot read
    HostileLength,      // a count or length beyond the limits or beyond the body
    BadKey,             // an empty, over-long or non-alphanumeric key
    DuplicateKey,       // two entries with one key
    BadKind,            // an unknown value kind
    BadValue,           // a Boolean other than 0 or 1
    TrailingBytes,      // bytes left after the last entry or after the body
};

// What the header announces.
struct StreamHeader {
    StreamError error = StreamError::None;
    std::size_t entryCount = 0;
    std::size_t bodyLength = 0;
};

// Checks the first kStreamHeaderSize bytes of `bytes` (Truncated when fewer).
StreamHeader ReadStreamHeader(std::span<const std::uint8_t> bytes);

// Decodes a whole stream, header and body, nothing more. On error `entries` is
// left empty.
StreamError DecodeProperties(std::span<const std::uint8_t> bytes, StreamEntries& entries);

// Encodes `entries`; nullopt when they break a rule the decoder checks (too many,
// a bad or repeated key, a body over the limit), so what is written always reads
// back.
std::optional<Bytes> EncodeProperties(const StreamEntries& entries);

} // namespace tovabel::persist
