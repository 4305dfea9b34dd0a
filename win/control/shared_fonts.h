// Fonts shared by every button of a thread that asks for the same one: a
// form of many buttons in one font holds that font once. A font lives as
// long as a button holds it.
#pragma once

#include "win/common/handle.h"

#include <windows.h>

#include <memory>

namespace tovabel::win {

class SharedFont {
public:
    SharedFont() = default;
    // The thread's font made from `description`, made now if no button holds it.
    static SharedFont Of(const LOGFONTW& description);

    HFONT Get() const;
    // The same font (or both none).
    bool operator==(const SharedFont&) const = default;

    // The font that is one: the font itself, held by every SharedFont of it.
    struct Held;

private:
    explicit SharedFont(std::shared_ptr<Held> held) : mHeld(std::move(held)) {}
    std::shared_ptr<Held> mHeld;
};

} // namespace tovabel::win
