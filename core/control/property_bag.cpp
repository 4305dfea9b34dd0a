#include "control/property_bag.h"

#include <limits>
#include <string>

namespace tovabel {

namespace {

std::optional<std::int64_t> NumberOf(const BagValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b ? -1 : 0;
    }
    if (const auto* i = std::get_if<std::int16_t>(&value)) {
        return *i;
    }
    if (const auto* l = std::get_if<std::int32_t>(&value)) {
        return *l;
    }
    return std::nullopt;
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal integer with an optional sign; nullopt past the range of a Long.
std::optional<std::int64_t> ParseDecimal(std::u16string_view text) {
    text = Trimmed(text);
    const bool negative = !text.empty() && text.front() == u'-';
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > std::int64_t{1} << 31) {
            return std::nullopt;
        }
    }
    return negative ? -magnitude : magnitude;
}

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = (text[i] >= u'A' && text[i] <= u'Z') ? char16_t(text[i] + 32) : text[i];
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

std::optional<bool> TextAsBoolean(const Text& text) {
    const std::u16string_view word = Trimmed(text);
    if (EqualsIgnoringCase(word, u"true")) {
        return true;
    }
    if (EqualsIgnoringCase(word, u"false")) {
        return false;
    }
    if (const auto number = ParseDecimal(word)) {
        return *number != 0;
    }
    return std::nullopt;
}

Text DecimalText(std::int64_t n) {
    const std::string s = std::to_string(n);
    return Text(s.begin(), s.end());
}

template <typename Int> std::optional<BagValue> Fitting(std::optional<std::int64_t> number) {
    if (!number || *number < std::numeric_limits<Int>::min() ||
        *number > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return BagValue{static_cast<Int>(*number)};
}

std::optional<BagValue> ToNumber(const BagValue& value, BagKind kind) {
    std::optional<std::int64_t> number = NumberOf(value);
    if (const Text* text = std::get_if<Text>(&value)) {
        number = ParseDecimal(*text);
    }
    if (kind == BagKind::Integer) {
        return Fitting<std::int16_t>(number);
    }
    return Fitting<std::int32_t>(number);
}

std::optional<BagValue> ToBoolean(const BagValue& value) {
    if (const Text* text = std::get_if<Text>(&value)) {
        const auto b = TextAsBoolean(*text);
        return b ? std::optional<BagValue>(BagValue{*b}) : std::nullopt;
    }
    const auto number = NumberOf(value);
    return number ? std::optional<BagValue>(BagValue{*number != 0}) : std::nullopt;
}

std::optional<BagValue> ToText(const BagValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return BagValue{Text(*b ? u"True" : u"False")};
    }
    const auto number = NumberOf(value);
    return number ? std::optional<BagValue>(BagValue{DecimalText(*number)}) : std::nullopt;
}

BagValue EmptyOf(BagKind kind) {
    switch (kind) {
    case BagKind::Boolean:
        return BagValue{false};
    case BagKind::Integer:
        return BagValue{std::int16_t{0}};
    case BagKind::Long:
        return BagValue{std::int32_t{0}};
    case BagKind::String:
        return BagValue{Text()};
    case BagKind::StdPicture:
        return BagValue{Picture()};
    case BagKind::StdFont:
        return BagValue{Font()};
    case BagKind::Empty:
        break;
    }
    return BagValue{};
}

bool IsObject(BagKind kind) {
    return kind == BagKind::StdPicture || kind == BagKind::StdFont;
}

bool SamePicture(const Picture& a, const Picture& b) {
    return a == b || (HandleOf(a) == 0 && HandleOf(b) == 0);
}

} // namespace

bool SameFont(const Font& a, const Font& b) {
    if (!a || !b) {
        return a == b;
    }
    return a->Name() == b->Name() && a->Size() == b->Size() && a->Bold() == b->Bold() &&
           a->Italic() == b->Italic() && a->Underline() == b->Underline() &&
           a->Strikethrough() == b->Strikethrough() && a->Weight() == b->Weight() &&
           a->Charset() == b->Charset();
}

bool EqualsDefault(const BagValue& value, const BagValue& defaultValue) {
    if (const Picture* p = std::get_if<Picture>(&value)) {
        const Picture* d = std::get_if<Picture>(&defaultValue);
        return d && SamePicture(*p, *d);
    }
    if (const Font* f = std::get_if<Font>(&value)) {
        const Font* d = std::get_if<Font>(&defaultValue);
        return d && SameFont(*f, *d);
    }
    const BagKind kind = KindOf(value);
    const BagKind defaultKind = KindOf(defaultValue);
    const auto isNumber = [](BagKind k) { return k == BagKind::Integer || k == BagKind::Long; };
    const bool booleans = kind == BagKind::Boolean && defaultKind == BagKind::Boolean;
    if (booleans || (isNumber(kind) && isNumber(defaultKind))) {
        return NumberOf(value) == NumberOf(defaultValue);
    }
    const Text* text = std::get_if<Text>(&value);
    const Text* defaultText = std::get_if<Text>(&defaultValue);
    return text && defaultText && *text == *defaultText;
}

std::optional<BagValue> ConvertBagValue(const BagValue& value, BagKind kind) {
    const BagKind from = KindOf(value);
    if (from == kind) {
        return value;
    }
    if (kind == BagKind::Empty) {
        return BagValue{};
    }
    if (from == BagKind::Empty) {
        return EmptyOf(kind);
    }
    if (IsObject(from) || IsObject(kind)) {
        return std::nullopt;
    }
    switch (kind) {
    case BagKind::Boolean:
        return ToBoolean(value);
    case BagKind::String:
        return ToText(value);
    default:
        return ToNumber(value, kind);
    }
}

} // namespace tovabel
