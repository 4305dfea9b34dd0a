#include "render/text_fit.h"

namespace tovabel {

namespace {

// 1-based position of the next '&' at or after the 1-based position `from`.
std::int32_t FindMarker(const Text& text, std::size_t from) {
    const std::size_t at = text.find(u'&', from - 1);
    return at == Text::npos ? 0 : static_cast<std::int32_t>(at + 1);
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
    Text s = text;
    bool first = true;
    std::int32_t cx = 0;
    while (!s.empty()) {
        const std::size_t n = s.size();
        cx = measure(s);
        if (cx <= width || width < 0) {
            break;
        }
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
            cx = measure(s);
        }
    }
    text = s;
    width = static_cast<std::int16_t>(cx & 0xFFFF);
}

} // namespace tovabel
