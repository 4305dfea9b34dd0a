#include "shared_fonts.h"

#include "win/common/per_thread.h"

#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace tovabel::win {

struct SharedFont::Held {
    LOGFONTW description;
    GdiObject<HFONT> font;
};

namespace {

// Two descriptions name the same font: the same fields and face name (what
// follows the name's end does not count).
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) == 0 &&
           std::wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// The thread's fonts, by description; a font nobody holds any more is gone.
struct FontTable {
    std::vector<std::weak_ptr<SharedFont::Held>> fonts;
};
PerThread<FontTable> gFonts;

} // namespace

SharedFont SharedFont::Of(const LOGFONTW& description) {
    std::vector<std::weak_ptr<Held>>& fonts = gFonts.GetOrMake().fonts;
    std::erase_if(fonts, [](const std::weak_ptr<Held>& font) { return font.expired(); });
    for (const std::weak_ptr<Held>& font : fonts) {
        if (std::shared_ptr<Held> held = font.lock(); SameFont(held->description, description)) {
            return SharedFont(std::move(held));
        }
    }
    auto held = std::make_shared<Held>(Held{description, GdiObject<HFONT>()});
    held->font = GdiObject<HFONT>(CreateFontIndirectW(&description));
    if (held->font.Get() == nullptr) {
        return {};
    }
    fonts.push_back(held);
    return SharedFont(std::move(held));
}

HFONT SharedFont::Get() const {
    return mHeld ? mHeld->font.Get() : nullptr;
}

} // namespace tovabel::win
