// Demo buttons: what one is made of, and dressing a hosted button in it through
// its properties as a client program would.
#pragma once

#include "pictures.h"
#include "win/olehost/container.h"

#include <array>
#include <cstdint>

namespace tovabel::demo {

enum Style : std::int32_t {
    kNormal,
    kCheck,
    kSeparator,
    kDropDown,
    kDropDownNoSeparator,
    kMenu,
    kMenuItem,
    kMenuItemCheck,
    kMenuItemCascade,
    kMenuItemSeparator,
    kNonFlat,
};

enum Align : std::int32_t { kAlignTop, kAlignBottom, kAlignLeft, kAlignRight, kAlignMiddle };

enum Direction : std::int32_t { kNormalText, kDownwardText, kReverseText, kUpwardText };

struct ButtonFace {
    std::int32_t style = kNormal;
    const wchar_t* caption = L"";
    Glyph glyph = Glyph::None;
    std::int32_t alignPicture = kAlignTop;
    std::int32_t alignCaption = kAlignBottom;
    std::int32_t direction = kNormalText;
    bool classicColours = false; // silver face, grey shadow: the check pattern stands out
    bool transparent = false;    // the button is its picture (no caption)
};

// One picture object per glyph, shared by every button that shows it.
class PictureBox {
public:
    PictureBox();
    IPictureDisp* Of(Glyph glyph) const { return mPictures[static_cast<std::size_t>(glyph)].Get(); }

private:
    std::array<win::ComPtr<IPictureDisp>, 4> mPictures;
};

// Sets the button's properties from `face`, with a fixed size (no AutoSize)
// unless it is transparent.
void Dress(olehost::HostedControl& button, const ButtonFace& face, const PictureBox& pictures);

} // namespace tovabel::demo
