#include "persist/property_stream.h"

#include <algorithm>
#include <array>

namespace tovabel::persist {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'T', 'v', 'b', 'P'};
// Key length, one key character and the kind: the least an entry takes.
constexpr std::size_t kMinEntrySize = 3;

// Reads little-endian numbers and byte runs, never past the end of its input.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : mBytes(bytes) {}

    std::size_t Left() const { return mBytes.size(); }

    bool Take(std::size_t n, std::span<const std::uint8_t>& out) {
        if (n > mBytes.size()) {
            return false;
        }
        out = mBytes.first(n);
        mBytes = mBytes.subspan(n);
        return true;
    }

    template <typename Int> bool Number(Int& value) {
        std::span<const std::uint8_t> raw;
        if (!Take(sizeof(Int), raw)) {
            return false;
        }
        std::uint32_t bits = 0;
        for (std::size_t i = sizeof(Int); i-- > 0;) {
            bits = (bits << 8) | raw[i];
        }
        value = static_cast<Int>(bits);
        return true;
    }

private:
    std::span<const std::uint8_t> mBytes;
};

class Writer {
public:
    template <typename Int> void Number(Int value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < sizeof(Int); ++i) {
            mBytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
    }
    void Append(std::span<const std::uint8_t> raw) {
        mBytes.insert(mBytes.end(), raw.begin(), raw.end());
    }
    Bytes& Out() { return mBytes; }

private:
    Bytes mBytes;
};

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsValidKey(std::string_view key) {
    return !key.empty() && key.size() <= kMaxKeyLength &&
           std::all_of(key.begin(), key.end(), IsKeyChar);
}

bool HasKey(const StreamEntries& entries, std::string_view key) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const StreamEntry& e) { return e.key == key; });
}

StreamError DecodeKey(Reader& in, std::string& key) {
    std::uint8_t length = 0;
    std::span<const std::uint8_t> raw;
    if (!in.Number(length) || !in.Take(length, raw)) {
        return StreamError::HostileLength;
    }
    key.assign(raw.begin(), raw.end());
    return IsValidKey(key) ? StreamError::None : StreamError::BadKey;
}

StreamError DecodeText(Reader& in, StreamValue& value) {
    std::uint32_t units = 0;
    if (!in.Number(units) || units > in.Left() / 2) {
        return StreamError::HostileLength;
    }
    Text text(units, u'\0');
    for (char16_t& unit : text) {
        std::uint16_t bits = 0;
        in.Number(bits);
        unit = static_cast<char16_t>(bits);
    }
    value = std::move(text);
    return StreamError::None;
}

StreamError DecodeObject(Reader& in, BagKind kind, StreamValue& value) {
    std::uint32_t length = 0;
    std::span<const std::uint8_t> raw;
    if (!in.Number(length) || !in.Take(length, raw)) {
        return StreamError::HostileLength;
    }
    value = ObjectBlob{kind, Bytes(raw.begin(), raw.end())};
    return StreamError::None;
}

template <typename Int> StreamError DecodeNumber(Reader& in, StreamValue& value) {
    Int number = 0;
    if (!in.Number(number)) {
        return StreamError::HostileLength;
    }
    value = number;
    return StreamError::None;
}

StreamError DecodeBoolean(Reader& in, StreamValue& value) {
    std::uint8_t flag = 0;
    if (!in.Number(flag)) {
        return StreamError::HostileLength;
    }
    if (flag > 1) {
        return StreamError::BadValue;
    }
    value = flag == 1;
    return StreamError::None;
}

StreamError DecodeValue(Reader& in, StreamValue& value) {
    std::uint8_t kind = 0;
    if (!in.Number(kind)) {
        return StreamError::HostileLength;
    }
    switch (static_cast<BagKind>(kind)) {
    case BagKind::Empty:
        value = std::monostate{};
        return StreamError::None;
    case BagKind::Boolean:
        return DecodeBoolean(in, value);
    case BagKind::Integer:
        return DecodeNumber<std::int16_t>(in, value);
    case BagKind::Long:
        return DecodeNumber<std::int32_t>(in, value);
    case BagKind::String:
        return DecodeText(in, value);
    case BagKind::StdPicture:
    case BagKind::StdFont:
        return DecodeObject(in, static_cast<BagKind>(kind), value);
    }
    return StreamError::BadKind;
}

StreamError DecodeEntries(Reader& in, std::size_t count, StreamEntries& entries) {
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        StreamEntry entry;
        if (const StreamError e = DecodeKey(in, entry.key); e != StreamError::None) {
            return e;
        }
        if (HasKey(entries, entry.key)) {
            return StreamError::DuplicateKey;
        }
        if (const StreamError e = DecodeValue(in, entry.value); e != StreamError::None) {
            return e;
        }
        entries.push_back(std::move(entry));
    }
    return in.Left() == 0 ? StreamError::None : StreamError::TrailingBytes;
}

void EncodeValue(Writer& out, const StreamValue& value) {
    if (const auto* blob = std::get_if<ObjectBlob>(&value)) {
        out.Number(static_cast<std::uint8_t>(blob->kind));
        out.Number(static_cast<std::uint32_t>(blob->bytes.size()));
        out.Append(blob->bytes);
        return;
    }
    out.Number(static_cast<std::uint8_t>(value.index()));
    if (const bool* b = std::get_if<bool>(&value)) {
        out.Number(static_cast<std::uint8_t>(*b ? 1 : 0));
    } else if (const auto* i = std::get_if<std::int16_t>(&value)) {
        out.Number(*i);
    } else if (const auto* l = std::get_if<std::int32_t>(&value)) {
        out.Number(*l);
    } else if (const Text* text = std::get_if<Text>(&value)) {
        out.Number(static_cast<std::uint32_t>(text->size()));
        for (char16_t unit : *text) {
            out.Number(static_cast<std::uint16_t>(unit));
        }
    }
}

bool IsEncodable(const StreamEntries& entries) {
    if (entries.size() > kMaxStreamEntries) {
        return false;
    }
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const auto* blob = std::get_if<ObjectBlob>(&it->value);
        const bool badKind =
            blob && blob->kind != BagKind::StdPicture && blob->kind != BagKind::StdFont;
        const bool repeated = std::any_of(entries.begin(), it,
                                          [&](const StreamEntry& e) { return e.key == it->key; });
        if (!IsValidKey(it->key) || badKind || repeated) {
            return false;
        }
    }
    return true;
}

} // namespace

StreamHeader ReadStreamHeader(std::span<const std::uint8_t> bytes) {
    StreamHeader header;
    if (bytes.size() < kStreamHeaderSize) {
        header.error = StreamError::Truncated;
        return header;
    }
    Reader in(bytes.first(kStreamHeaderSize));
    std::span<const std::uint8_t> magic;
    std::uint16_t version = 0;
    std::uint16_t count = 0;
    std::uint32_t body = 0;
    in.Take(kMagic.size(), magic);
    in.Number(version);
    in.Number(count);
    in.Number(body);
    header.entryCount = count;
    header.bodyLength = body;
    if (!std::equal(magic.begin(), magic.end(), kMagic.begin())) {
        header.error = StreamError::BadMagic;
    } else if (version != kStreamVersion) {
        header.error = StreamError::UnsupportedVersion;
    } else if (count > kMaxStreamEntries || body > kMaxStreamBody ||
               std::size_t{count} * kMinEntrySize > body) {
        header.error = StreamError::HostileLength;
    }
    return header;
}

StreamError DecodeProperties(std::span<const std::uint8_t> bytes, StreamEntries& entries) {
    entries.clear();
    const StreamHeader header = ReadStreamHeader(bytes);
    if (header.error != StreamError::None) {
        return header.error;
    }
    const std::span<const std::uint8_t> body = bytes.subspan(kStreamHeaderSize);
    if (body.size() < header.bodyLength) {
        return StreamError::Truncated;
    }
    if (body.size() > header.bodyLength) {
        return StreamError::TrailingBytes;
    }
    Reader in(body);
    const StreamError error = DecodeEntries(in, header.entryCount, entries);
    if (error != StreamError::None) {
        entries.clear();
    }
    return error;
}

std::optional<Bytes> EncodeProperties(const StreamEntries& entries) {
    if (!IsEncodable(entries)) {
        return std::nullopt;
    }
    Writer body;
    for (const StreamEntry& entry : entries) {
        body.Number(static_cast<std::uint8_t>(entry.key.size()));
        body.Append(
            std::span(reinterpret_cast<const std::uint8_t*>(entry.key.data()), entry.key.size()));
        EncodeValue(body, entry.value);
    }
    if (body.Out().size() > kMaxStreamBody) {
        return std::nullopt;
    }
    Writer out;
    out.Append(kMagic);
    out.Number(kStreamVersion);
    out.Number(static_cast<std::uint16_t>(entries.size()));
    out.Number(static_cast<std::uint32_t>(body.Out().size()));
    out.Append(body.Out());
    return std::move(out.Out());
}

} // namespace tovabel::persist
