#include "text.h"

#include <windows.h>

namespace tovabel::win {

std::wstring WidenAscii(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string ToAnsi(const Text& text) {
    if (text.empty()) {
        return {};
    }
    const std::wstring_view wide = AsWide(text);
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace tovabel::win
