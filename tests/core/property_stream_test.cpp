// The control's stream: the decoder's answer to damaged or hostile input, the
// encoder's refusals, and the in-memory bag over the stream.
#include "fake_host.h"

#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using persist::Bytes;
using persist::StreamEntries;
using persist::StreamError;

// A stream of every kind, as the encoder writes it.
StreamEntries SampleEntries() {
    return {{"Style", std::int32_t{-70000}},
            {"MousePointer", std::int16_t{-3}},
            {"AutoSize", false},
            {"Caption", Text(u"&Open \u20ac")},
            {"Empty", std::monostate{}},
            {"Picture", persist::ObjectBlob{BagKind::StdPicture, {1, 2, 3}}},
            {"Font", persist::ObjectBlob{BagKind::StdFont, {}}}};
}

Bytes SampleStream() {
    return persist::EncodeProperties(SampleEntries()).value();
}

// A stream built by hand: header fields and body as given.
Bytes Stream(std::uint16_t version, std::uint16_t count, std::uint32_t bodyLength,
             const Bytes& body) {
    Bytes out{'T', 'v', 'b', 'P'};
    for (const auto& [value, bytes] :
         {std::pair<std::uint32_t, int>{version, 2}, {count, 2}, {bodyLength, 4}}) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(std::uint8_t(value >> (8 * i)));
        }
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Stream(std::uint16_t count, const Bytes& body) {
    return Stream(1, count, static_cast<std::uint32_t>(body.size()), body);
}

TEST(StreamDecoder, ReadsBackWhatWasWritten) {
    StreamEntries entries;
    ASSERT_EQ(persist::DecodeProperties(SampleStream(), entries), StreamError::None);
    EXPECT_EQ(entries, SampleEntries());
    EXPECT_EQ(persist::DecodeProperties(Stream(0, {}), entries), StreamError::None);
    EXPECT_TRUE(entries.empty());
}

TEST(StreamDecoder, EveryTruncationFailsCleanly) {
    const Bytes whole = SampleStream();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        StreamEntries entries{{"Stale", true}};
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
        EXPECT_EQ(persist::DecodeProperties(cut, entries), StreamError::Truncated);
        EXPECT_TRUE(entries.empty());
    }
}

TEST(StreamDecoder, RefusesDamagedAndHostileInput) {
    using Case = std::tuple<const char*, Bytes, StreamError>;
    using enum StreamError;
    Bytes badMagic = SampleStream();
    badMagic[3] = 'Q';
    Bytes trailing = SampleStream();
    trailing.push_back(0);
    Bytes key65(66, 'K');
    key65[0] = 65;
    key65.push_back(0);
    const std::vector<Case> cases = {
        {"bad magic", badMagic, BadMagic},
        {"version 2", Stream(2, 0, 0, {}), UnsupportedVersion},
        {"version 0", Stream(0, 0, 0, {}), UnsupportedVersion},
        {"count 0xFFFF, -1 if read signed", Stream(1, 0xFFFF, 0x300000, Bytes(16)), HostileLength},
        {"count the body cannot hold", Stream(1, 3, 8, Bytes(8)), HostileLength},
        {"body beyond the limit", Stream(1, 1, 0x80000000u, Bytes(16)), HostileLength},
        {"body shorter than announced", Stream(1, 1, 40, Bytes(8)), Truncated},
        {"bytes after the stream", trailing, TrailingBytes},
        {"bytes after the last entry", Stream(1, {1, 'A', 0, 9}), TrailingBytes},
        {"fewer entries than counted", Stream(2, {1, 'A', 3, 1, 2, 3, 4}), HostileLength},
        {"string of 2^31 units", Stream(1, {1, 'A', 4, 0, 0, 0, 0x80, 'x', 0}), HostileLength},
        {"string longer than the body", Stream(1, {1, 'A', 4, 2, 0, 0, 0, 'x', 0}), HostileLength},
        {"object of 4 GB", Stream(1, {1, 'A', 5, 0xFF, 0xFF, 0xFF, 0xFF}), HostileLength},
        {"Long cut short", Stream(1, {1, 'A', 3, 1, 2}), HostileLength},
        {"key longer than the body", Stream(1, {9, 'A', 'B', 0}), HostileLength},
        {"empty key", Stream(1, {0, 0, 0}), BadKey},
        {"key with a space", Stream(1, {2, 'A', ' ', 0}), BadKey},
        {"key of 65 characters", Stream(1, key65), BadKey},
        {"same key twice", Stream(2, {1, 'A', 0, 1, 'A', 0}), DuplicateKey},
        {"unknown kind", Stream(1, {1, 'A', 7}), BadKind},
        {"Boolean 2", Stream(1, {1, 'A', 1, 2}), BadValue},
    };
    for (const auto& [name, bytes, error] : cases) {
        SCOPED_TRACE(name);
        StreamEntries entries;
        EXPECT_EQ(persist::DecodeProperties(bytes, entries), error);
        EXPECT_TRUE(entries.empty());
    }
}

// Whatever decodes is exactly what the encoder writes for it.
TEST(StreamDecoder, RandomInputFailsOrReencodesToItself) {
    std::mt19937 random(20240601);
    const Bytes sample = SampleStream();
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes bytes = sample;
        if (round % 2 == 0) {
            bytes.resize(random() % 64);
            for (auto& b : bytes) {
                b = static_cast<std::uint8_t>(random());
            }
        } else {
            bytes[persist::kStreamHeaderSize +
                  random() % (bytes.size() - persist::kStreamHeaderSize)] ^=
                static_cast<std::uint8_t>(1u << (random() % 8));
        }
        StreamEntries entries;
        if (persist::DecodeProperties(bytes, entries) == StreamError::None) {
            ++accepted;
            EXPECT_EQ(persist::EncodeProperties(entries), bytes);
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(StreamEncoder, RefusesWhatCouldNotBeReadBack) {
    StreamEntries tooMany;
    for (int i = 0; i <= 256; ++i) {
        tooMany.push_back({"K" + std::to_string(i), true});
    }
    const std::vector<StreamEntries> cases = {
        tooMany,
        {{"", true}},
        {{"Bad Key", true}},
        {{std::string(65, 'K'), true}},
        {{"Twice", true}, {"Twice", false}},
        {{"Kind", persist::ObjectBlob{BagKind::String, {}}}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(persist::EncodeProperties(cases[i]));
    }
    tooMany.pop_back();
    EXPECT_TRUE(persist::EncodeProperties(tooMany));
}

TEST(StreamBag, KeepsTheLastWriteOfEachKeyInItsFirstPlace) {
    FakeObjectCodec codec;
    persist::StreamBag bag(codec);
    const Picture icon = Pic(Icon, 0x99);
    EXPECT_TRUE(bag.WriteProperty("MouseIcon", BagValue{icon}, BagValue{Picture()}));
    EXPECT_TRUE(bag.WriteProperty("Style", BagValue{std::int32_t{2}}, BagValue{std::int16_t{0}}));
    EXPECT_TRUE(bag.WriteProperty("MouseIcon", BagValue{icon}, BagValue{Picture()}));
    EXPECT_TRUE(bag.WriteProperty("Caption", BagValue{Text()}, BagValue{}));
    EXPECT_TRUE(bag.WriteProperty("Style", BagValue{std::int32_t{0}}, BagValue{std::int16_t{0}}));
    codec.refuseSaves = true;
    EXPECT_FALSE(bag.WriteProperty("Caption", BagValue{Font(std::make_shared<FakeFont>(u"A"))},
                                   BagValue{Font()}));
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].key, "MouseIcon");
    EXPECT_EQ(bag.Entries()[1].key, "Caption");
    EXPECT_EQ(bag.Entries()[1].value, persist::StreamValue{Text()});

    const auto read = bag.ReadProperty("MouseIcon", BagValue{Picture()});
    ASSERT_TRUE(read);
    EXPECT_EQ(HandleOf(std::get<Picture>(*read)), 0x99u);
    EXPECT_FALSE(bag.ReadProperty("MouseIcon", BagValue{Font()}));
    EXPECT_FALSE(bag.ReadProperty("MouseIcon", BagValue{Text()}));
    EXPECT_EQ(bag.ReadProperty("Caption", BagValue{std::int32_t{5}}), std::nullopt);
    EXPECT_EQ(bag.ReadProperty("Absent", BagValue{std::int32_t{5}}), BagValue{std::int32_t{5}});
}

TEST(StreamBag, ObjectsTheCodecCannotLoadFailTheRead) {
    FakeObjectCodec codec;
    persist::StreamBag bag(codec, {{"Picture", persist::ObjectBlob{BagKind::StdPicture, {1, 2}}},
                                   {"Font", persist::ObjectBlob{BagKind::StdFont, {1}}},
                                   {"MouseIcon", persist::ObjectBlob{BagKind::StdPicture, {}}}});
    EXPECT_FALSE(bag.ReadProperty("Picture", BagValue{Picture()}));
    EXPECT_FALSE(bag.ReadProperty("Font", BagValue{Font()}));
    EXPECT_EQ(bag.ReadProperty("MouseIcon", BagValue{Picture()}), BagValue{Picture()});
}

} // namespace
} // namespace tovabel::testing
