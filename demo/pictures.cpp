#include "pictures.h"

#include "win/common/gdi.h"
#include "win/olehost/pixels.h"

#include <array>

namespace tovabel::demo {

namespace {

constexpr int kSize = 16;
using Art = std::array<const char*, kSize>;

// '.' is the mask colour; the other letters name the colours below.
constexpr Art kFolder = {
    "................", "................", "..kkkk..........", ".kwwwwk.........",
    ".kwyyyykkkkkkk..", ".kwyyyyyyyyyyyk.", ".kwyyyyyyyyyyyk.", ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.", ".kwyyyyyyyyyyyk.", ".kwyyyyyyyyyyyk.", ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.", ".kkkkkkkkkkkkkk.", "................", "................",
};
constexpr Art kBold = {
    "................", "................", "...bbbbbbbbb....", "...bbbbbbbbbb...",
    "....bbb...bbbb..", "....bbb....bbb..", "....bbb...bbbb..", "....bbbbbbbbb...",
    "....bbbbbbbbbb..", "....bbb....bbbb.", "....bbb.....bbb.", "....bbb....bbbb.",
    "...bbbbbbbbbbb..", "...bbbbbbbbbb...", "................", "................",
};
constexpr Art kBack = {
    "................", "................", "......d.........", ".....dgd........",
    "....dgggd.......", "...dgggggddddd..", "..dggggggggggd..", ".dgggggggggggd..",
    "..dggggggggggd..", "...dgggggddddd..", "....dgggd.......", ".....dgd........",
    "......d.........", "................", "................", "................",
};

COLORREF ColourOf(char code) {
    switch (code) {
    case 'k':
        return RGB(112, 80, 0);
    case 'w':
        return RGB(255, 255, 255);
    case 'y':
        return RGB(248, 200, 64);
    case 'b':
        return RGB(0, 0, 0);
    case 'd':
        return RGB(0, 96, 0);
    case 'g':
        return RGB(40, 176, 40);
    default:
        return RGB(192, 192, 192); // the control's default MaskColor
    }
}

const Art* ArtOf(Glyph glyph) {
    switch (glyph) {
    case Glyph::Folder:
        return &kFolder;
    case Glyph::Bold:
        return &kBold;
    case Glyph::Back:
        return &kBack;
    default:
        return nullptr;
    }
}

win::Bitmap Paint(const Art& art) {
    const win::WindowDc screen(nullptr);
    win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), kSize, kSize));
    win::MemoryDc dc(screen.Get());
    if (!dc.SelectBitmap(bitmap.Get())) {
        return {};
    }
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            SetPixel(dc.Get(), x, y, ColourOf(art[static_cast<std::size_t>(y)][x]));
        }
    }
    return bitmap;
}

} // namespace

win::ComPtr<IPictureDisp> MakePicture(Glyph glyph) {
    const Art* art = ArtOf(glyph);
    if (art == nullptr) {
        return {};
    }
    return olehost::PictureOfBitmap(Paint(*art));
}

} // namespace tovabel::demo
