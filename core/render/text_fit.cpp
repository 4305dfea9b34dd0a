#include "render/text_fit.h"

#include <optional>
#include <utility>

namespace tovabel {

namespace {

// 1-based position of the next '&' at or after the 1-based position `from`.
std::int32_t FindMarker(const Text& text, std::size_t from) {
    const std::size_t at = text.find(u'&', from - 1);
    return at == Text::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::int32_t Low16(std::int32_t cx) {
    return static_cast<std::int16_t>(cx & 0xFFFF);
}

// One pass of shortening: the first drops four characters and appends "...",
// each later one drops one more; below five characters the dots shrink and
// finally the text vanishes.
void ShortenOnce(Text& s, bool& first) {
    const std::size_t n = s.size();
    if (first) {
        s += u"...";
        first = false;
    }
    if (n >= 5) {
        s = s.substr(0, n - 4) + u"...";
    } else if (n == 4) {
        s = s.substr(0, 1) + u"..";
    } else if (n == 3) {
        s = s.substr(0, 1) + u".";
    } else if (n == 2) {
        s = s.substr(0, 1);
    } else {
        s.clear();
    }
}

} // namespace

Text ParseAccessKey(const Text& caption, std::int32_t& pos, Text& key) {
    Text result = caption;
    key.clear();
    pos = FindMarker(caption, 1);
    while (pos != 0) {
        const std::size_t after =
            static_cast<std::size_t>(pos); // 0-based index of the next character
        const char16_t ch = after < caption.size() ? caption[after] : u'\0';
        if (after < caption.size() && ch != u' ' && ch != u'&') {
            result = caption.substr(0, after - 1) + caption.substr(after);
            key = Text(1, ch);
            break;
        }
        key.clear();
        pos = FindMarker(caption, after + 1);
    }
    const std::size_t pair = result.find(u"&&");
    if (pair != Text::npos) {
        if (pos > static_cast<std::int32_t>(pair + 1)) {
            --pos;
        }
        result.erase(pair, 1);
    }
    return result;
}

void FitTextToWidth(const MeasureText& measure, Text& text, std::int32_t& width) {
    const std::int32_t available = width;
    const auto fits = [available](std::int32_t cx) { return cx <= available || available < 0; };
    Text s = text;
    bool first = true;
    std::int32_t cx = 0;
    if (s.size() >= 5) {
        cx = measure(s);
        if (fits(cx)) {
            width = Low16(cx);
            return;
        }
        // The passes from the second on try the first k characters and "...",
        // k from size - 4 down to 1. A longer beginning never measures less (a
        // text's extent adds up its characters' advances), so the longest one
        // that fits is found by halving: a caption of thousands of characters
        // costs a dozen measurements rather than one per character.
        std::size_t low = 1;
        std::size_t high = s.size() - 4;
        std::optional<std::pair<Text, std::int32_t>> found;
        while (low <= high) {
            const std::size_t k = low + (high - low) / 2;
            Text candidate = s.substr(0, k) + u"...";
            const std::int32_t measured = measure(candidate);
            if (fits(measured)) {
                found.emplace(std::move(candidate), measured);
                low = k + 1;
            } else {
                high = k - 1;
            }
        }
        if (found) {
            text = std::move(found->first);
            width = Low16(found->second);
            return;
        }
        s = s.substr(0, 1) + u".."; // even one character and "..." is too long
        first = false;
    }
    while (!s.empty()) {
        cx = measure(s);
        if (fits(cx)) {
            break;
        }
        ShortenOnce(s, first);
        if (s.empty()) {
            cx = measure(s);
        }
    }
    text = s;
    width = Low16(cx);
}

} // namespace tovabel
