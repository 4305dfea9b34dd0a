#include "conversions.h"

#include <algorithm>
#include <array>

namespace tovabel::pages {

namespace {

const std::array<Text, 5> kAlign = {u"Top", u"Bottom", u"Left", u"Right", u"Middle"};
const std::array<Text, 2> kBorderStyle = {u"None", u"FixedSingle"};
const std::array<Text, 4> kFontDirection = {u"Normal", u"Downward", u"Reverse", u"Upward"};
// The list order differs from the values: DropDown is 3, Separator 2.
const std::array<Text, 11> kStyleItems = {u"Normal",
                                          u"Check",
                                          u"DropDown",
                                          u"DropDown (No Separator)",
                                          u"Separator",
                                          u"Menu",
                                          u"Menu Item",
                                          u"Menu Item Check",
                                          u"Menu Item Cascade",
                                          u"Menu Item Separator",
                                          u"Non Flat"};
// Style texts by value.
const std::array<Text, 11> kStyleByValue = {
    u"Normal",  u"Check",     u"Separator",       u"DropDown",          u"DropDown (No Separator)",
    u"Menu",    u"Menu Item", u"Menu Item Check", u"Menu Item Cascade", u"Menu Item Separator",
    u"Non Flat"};

bool SameIgnoringCase(const Text& a, const Text& b) {
    const auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

// The position of `text` among `texts`, or 0 when it is none of them.
template <std::size_t N> std::int16_t IndexOf(const std::array<Text, N>& texts, const Text& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (SameIgnoringCase(texts[i], text)) {
            return static_cast<std::int16_t>(i);
        }
    }
    return 0;
}

// The text of value `value`, or `otherwise` outside the list.
template <std::size_t N>
Text TextAt(const std::array<Text, N>& texts, std::int16_t value, const Text& otherwise) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? texts[value] : otherwise;
}

} // namespace

Text AlignToText(std::int16_t value) {
    return TextAt(kAlign, value, Text());
}

std::int16_t TextToAlign(const Text& text) {
    return IndexOf(kAlign, text);
}

Text BorderStyleToText(std::int16_t value) {
    return value == 0 ? kBorderStyle[0] : kBorderStyle[1];
}

std::int16_t TextToBorderStyle(const Text& text) {
    return SameIgnoringCase(text, kBorderStyle[0]) ? 0 : 1;
}

Text StyleToText(std::int16_t value) {
    return TextAt(kStyleByValue, value, kStyleByValue[0]);
}

std::int16_t TextToStyle(const Text& text) {
    return IndexOf(kStyleByValue, text);
}

Text FontDirectionToText(std::int16_t value) {
    return TextAt(kFontDirection, value, Text());
}

std::int16_t TextToFontDirection(const Text& text) {
    return IndexOf(kFontDirection, text);
}

std::span<const Text> AlignItems() {
    return kAlign;
}

std::span<const Text> BorderStyleItems() {
    return kBorderStyle;
}

std::span<const Text> StyleItems() {
    return kStyleItems;
}

std::span<const Text> FontDirectionItems() {
    return kFontDirection;
}

} // namespace tovabel::pages
