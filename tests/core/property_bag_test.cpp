// Values in a property bag: how a stored value converts to the kind asked for,
// and when a written value counts as its default and is left out.
#include "fake_host.h"

#include "control/property_bag.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovabel::testing {
namespace {

TEST(BagValues, ConvertAsAutomationDoes) {
    struct Case {
        BagValue from;
        BagKind to;
        std::optional<BagValue> expected;
    };
    const Picture bitmap = Pic(Bitmap);
    const std::vector<Case> cases = {
        {BagValue{std::int16_t{-7}}, BagKind::Long, BagValue{std::int32_t{-7}}},
        {BagValue{std::int32_t{32767}}, BagKind::Integer, BagValue{std::int16_t{32767}}},
        {BagValue{std::int32_t{32768}}, BagKind::Integer, std::nullopt},
        {BagValue{std::int32_t{-32769}}, BagKind::Integer, std::nullopt},
        {BagValue{true}, BagKind::Long, BagValue{std::int32_t{-1}}},
        {BagValue{std::int16_t{2}}, BagKind::Boolean, BagValue{true}},
        {BagValue{std::int32_t{0}}, BagKind::Boolean, BagValue{false}},
        {BagValue{Text(u" -2147483648 ")}, BagKind::Long, BagValue{std::int32_t{-2147483647 - 1}}},
        {BagValue{Text(u"2147483648")}, BagKind::Long, std::nullopt},
        {BagValue{Text(u"99999999999999999999")}, BagKind::Long, std::nullopt},
        {BagValue{Text(u"+12")}, BagKind::Integer, BagValue{std::int16_t{12}}},
        {BagValue{Text(u"1.5")}, BagKind::Long, std::nullopt},
        {BagValue{Text(u"-")}, BagKind::Long, std::nullopt},
        {BagValue{Text(u"")}, BagKind::Integer, std::nullopt},
        {BagValue{Text(u"fAlSe")}, BagKind::Boolean, BagValue{false}},
        {BagValue{Text(u"-1")}, BagKind::Boolean, BagValue{true}},
        {BagValue{Text(u"yes")}, BagKind::Boolean, std::nullopt},
        {BagValue{false}, BagKind::String, BagValue{Text(u"False")}},
        {BagValue{std::int32_t{-40}}, BagKind::String, BagValue{Text(u"-40")}},
        {BagValue{}, BagKind::String, BagValue{Text()}},
        {BagValue{}, BagKind::StdFont, BagValue{Font()}},
        {BagValue{bitmap}, BagKind::StdPicture, BagValue{bitmap}},
        {BagValue{bitmap}, BagKind::String, std::nullopt},
        {BagValue{bitmap}, BagKind::StdFont, std::nullopt},
        {BagValue{Text(u"x")}, BagKind::StdPicture, std::nullopt},
        {BagValue{std::int32_t{1}}, BagKind::Empty, BagValue{}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ConvertBagValue(cases[i].from, cases[i].to), cases[i].expected);
    }
}

TEST(BagValues, DefaultsCompareByTheBagsRule) {
    const Font arial = std::make_shared<FakeFont>(u"Arial", 90000);
    const Picture bitmap = Pic(Bitmap, 0x10);
    struct Case {
        BagValue value;
        BagValue defaultValue;
        bool equal;
    };
    const std::vector<Case> cases = {
        {BagValue{std::int32_t{0}}, BagValue{std::int16_t{0}}, true},
        {BagValue{std::int16_t{1}}, BagValue{std::int32_t{0}}, false},
        {BagValue{std::int32_t{-1}}, BagValue{true}, false},
        {BagValue{true}, BagValue{true}, true},
        {BagValue{Text()}, BagValue{Text()}, true},
        {BagValue{Text()}, BagValue{}, false},
        {BagValue{}, BagValue{}, false},
        {BagValue{Picture()}, BagValue{Picture()}, true},
        {BagValue{Pic(None, 0)}, BagValue{Picture()}, true},
        {BagValue{bitmap}, BagValue{Picture()}, false},
        {BagValue{bitmap}, BagValue{bitmap}, true},
        {BagValue{Font(std::make_shared<FakeFont>(u"Arial", 90000))}, BagValue{arial}, true},
        {BagValue{Font(std::make_shared<FakeFont>(u"Arial", 80000))}, BagValue{arial}, false},
        {BagValue{Font()}, BagValue{arial}, false},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(EqualsDefault(cases[i].value, cases[i].defaultValue), cases[i].equal);
    }
}

} // namespace
} // namespace tovabel::testing
