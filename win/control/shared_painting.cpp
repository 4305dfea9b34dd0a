#include "shared_painting.h"

#include "gdi_painter.h"
#include "ole_values.h"
#include "render/draw_pictures.h"
#include "win/common/gdi.h"
#include "win/common/per_thread.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace tovabel::win {

HPALETTE SharedPalette() {
    return SharedPainting::HalftonePalette();
}

void PaintPicture(HDC dc, const PicturePaint& paint, bool disabled) {
    DrawPictures* pictures = SharedPainting::Pictures();
    const ComPtr<IPicture> picture = OlePicture::DispOf(paint.picture).As<IPicture>(IID_IPicture);
    if (pictures == nullptr || !picture) {
        return;
    }
    if (disabled) {
        pictures->DrawDisabledPicture(
            dc, picture.Get(), paint.x, paint.y, paint.width, paint.height, paint.width,
            paint.height, paint.backColor, true, paint.maskColor, SharedPalette(), paint.drawChecks,
            SharedPainting::DitherDc(), paint.checkColor, paint.checkX, paint.checkY,
            paint.checkWidth, paint.checkHeight, false, false);
    } else {
        pictures->PaintTransparentStdPic(
            dc, paint.x, paint.y, paint.width, paint.height, picture.Get(), 0, 0, paint.width,
            paint.height, paint.maskColor, paint.drawChecks, SharedPainting::DitherDc(),
            paint.checkColor, paint.checkX, paint.checkY, paint.checkWidth, paint.checkHeight,
            false, false, SharedPalette());
    }
}

namespace {

constexpr std::uint32_t kColorBits = 0x00FFFFFF;

// A colour as given and as it shows now (a system colour may change).
struct Shade {
    OleColor given;
    COLORREF shown;
    bool operator==(const Shade&) const = default;
};
Shade ShadeOf(OleColor color) {
    return {color, Translate(color)};
}

// A picture painting, with the check pattern's place relative to the picture.
struct Painting {
    const PictureObject* picture;
    std::int32_t width, height;
    Shade mask, back, checks;
    bool drawChecks;
    std::int32_t checkX, checkY, checkWidth, checkHeight;
    COLORREF textColor, backColor;
    bool operator==(const Painting&) const = default;
};
Painting PaintingOf(const PicturePaint& paint, COLORREF textColor, COLORREF backColor) {
    return {paint.picture.get(),
            paint.width,
            paint.height,
            ShadeOf(paint.maskColor),
            ShadeOf(paint.backColor),
            ShadeOf(paint.checkColor),
            paint.drawChecks,
            paint.drawChecks ? paint.checkX - paint.x : 0,
            paint.drawChecks ? paint.checkY - paint.y : 0,
            paint.drawChecks ? paint.checkWidth : 0,
            paint.drawChecks ? paint.checkHeight : 0,
            textColor,
            backColor};
}

// Every raster operation works bit by bit: each bit a painting leaves is 0,
// 1, the bit that was there or its inverse. Painted once on black and once
// on white, a painting tells which for every bit; a third time on a mixed
// field confirms it, else the picture is painted each time.
struct Learnt {
    Painting painting;
    std::weak_ptr<PictureObject> alive; // the picture is the one painted while it lives
    RECT box{};                         // what the painting may touch, relative to the picture
    std::vector<std::uint32_t> onBlack, onWhite; // empty until learnt, or not bit by bit
    bool seen = false;                           // painted once already
    bool tried = false;                          // learning was tried
};

// Whatever the check pattern or an embossed edge may touch around the picture.
RECT BoxOf(const Painting& painting) {
    constexpr LONG kMargin = 2;
    return {std::min(0, painting.checkX) - kMargin, std::min(0, painting.checkY) - kMargin,
            std::max(painting.width, painting.checkX + painting.checkWidth + 1) + kMargin,
            std::max(painting.height, painting.checkY + painting.checkHeight + 1) + kMargin};
}

std::uint32_t MixedField(LONG x, LONG y) {
    return (static_cast<std::uint32_t>(x) * 0x9E3779B1u ^
            static_cast<std::uint32_t>(y) * 0x85EBCA77u) &
           kColorBits;
}

// The bits a painting leaves where `below` was.
std::uint32_t Painted(std::uint32_t below, std::uint32_t onBlack, std::uint32_t onWhite) {
    return ((below & onWhite) | (~below & onBlack)) & kColorBits;
}

// The thread's remembered paintings, the latest used last, and the surface
// they are learnt on.
struct PictureMemory {
    DibSurface dib;
    std::vector<Learnt> learnt;
};
PerThread<PictureMemory> gMemory;
constexpr std::size_t kRemembered = 16;

// The learning surface at least `size` large; null when it cannot be made.
DibSurface* LearningSurface(SIZE size) {
    DibSurface& dib = gMemory.GetOrMake().dib;
    return dib.Reserve(size) ? &dib : nullptr;
}

// Paints `paint` with its box at (0,0) of the learning surface on `field`
// and gives back the box's pixels.
template <class Field>
std::vector<std::uint32_t> PaintOnField(const DibSurface& surface, const RECT& box,
                                        const PicturePaint& paint, COLORREF textColor,
                                        COLORREF backColor, Field field) {
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    GdiFlush();
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            surface.Bits()[static_cast<std::size_t>(y) * surface.Size().cx + x] = field(x, y);
        }
    }
    PicturePaint shifted = paint;
    shifted.x = -box.left;
    shifted.y = -box.top;
    shifted.checkX = paint.checkX - paint.x - box.left;
    shifted.checkY = paint.checkY - paint.y - box.top;
    ::SetTextColor(surface.Dc(), textColor);
    SetBkColor(surface.Dc(), backColor);
    PaintPicture(surface.Dc(), shifted, false);
    GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y) * width + x] =
                surface.Bits()[static_cast<std::size_t>(y) * surface.Size().cx + x] & kColorBits;
        }
    }
    return pixels;
}

void Learn(Learnt& learnt, const PicturePaint& paint, COLORREF textColor, COLORREF backColor) {
    learnt.tried = true;
    const LONG width = learnt.box.right - learnt.box.left;
    const LONG height = learnt.box.bottom - learnt.box.top;
    DibSurface* surface = LearningSurface({width, height});
    if (surface == nullptr) {
        return;
    }
    std::vector<std::uint32_t> onBlack = PaintOnField(*surface, learnt.box, paint, textColor,
                                                      backColor, [](LONG, LONG) { return 0u; });
    std::vector<std::uint32_t> onWhite = PaintOnField(
        *surface, learnt.box, paint, textColor, backColor, [](LONG, LONG) { return kColorBits; });
    const std::vector<std::uint32_t> onMixed =
        PaintOnField(*surface, learnt.box, paint, textColor, backColor, MixedField);
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            if (Painted(MixedField(x, y), onBlack[at], onWhite[at]) != onMixed[at]) {
                return; // not bit by bit: painted each time
            }
        }
    }
    learnt.onBlack = std::move(onBlack);
    learnt.onWhite = std::move(onWhite);
}

void PutLearnt(const DibSurface& surface, const Learnt& learnt, const PicturePaint& paint) {
    const LONG width = learnt.box.right - learnt.box.left;
    const LONG height = learnt.box.bottom - learnt.box.top;
    GdiFlush(); // drawing GDI still owes lands on the pixels first
    for (LONG y = 0; y < height; ++y) {
        const LONG sy = paint.y + learnt.box.top + y;
        if (sy < 0 || sy >= surface.Size().cy) {
            continue;
        }
        std::uint32_t* row = surface.Bits() + static_cast<std::size_t>(sy) * surface.Size().cx;
        for (LONG x = 0; x < width; ++x) {
            const LONG sx = paint.x + learnt.box.left + x;
            if (sx < 0 || sx >= surface.Size().cx) {
                continue;
            }
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            row[sx] =
                Painted(row[sx], learnt.onBlack[at], learnt.onWhite[at]) | (row[sx] & ~kColorBits);
        }
    }
}

// The remembered painting, found or added (the latest used last).
Learnt& Remember(PictureMemory& memory, const Painting& painting, const Picture& picture) {
    std::erase_if(memory.learnt, [](const Learnt& learnt) { return learnt.alive.expired(); });
    const auto found =
        std::find_if(memory.learnt.begin(), memory.learnt.end(),
                     [&painting](const Learnt& learnt) { return learnt.painting == painting; });
    if (found != memory.learnt.end()) {
        std::rotate(found, found + 1, memory.learnt.end());
        return memory.learnt.back();
    }
    if (memory.learnt.size() >= kRemembered) {
        memory.learnt.erase(memory.learnt.begin());
    }
    memory.learnt.push_back({painting, picture, BoxOf(painting), {}, {}, false, false});
    return memory.learnt.back();
}

} // namespace

// A painting seen for the first time is painted: a form's buttons each paint
// their picture once. Seen again, it is learnt and from then on put from memory.
void PaintPictureOn(const DibSurface& surface, const PicturePaint& paint, bool disabled,
                    COLORREF textColor, COLORREF backColor) {
    const auto paintNow = [&] {
        ::SetTextColor(surface.Dc(), textColor);
        SetBkColor(surface.Dc(), backColor);
        PaintPicture(surface.Dc(), paint, disabled);
    };
    // An embossed picture takes the system's colours of the moment: never learnt.
    if (disabled || !paint.picture || SharedPainting::Pictures() == nullptr) {
        paintNow();
        return;
    }
    PictureMemory& memory = gMemory.GetOrMake();
    if (memory.dib.Dc() == nullptr) {
        memory.dib = DibSurface(nullptr);
    }
    Learnt& learnt = Remember(memory, PaintingOf(paint, textColor, backColor), paint.picture);
    if (!std::exchange(learnt.seen, true)) {
        paintNow();
        return;
    }
    if (!learnt.tried) {
        Learn(learnt, paint, textColor, backColor);
    }
    if (learnt.onBlack.empty()) {
        paintNow();
        return;
    }
    PutLearnt(surface, learnt, paint);
}

void ForgetPaintedPictures() {
    gMemory.Destroy();
}

} // namespace tovabel::win
