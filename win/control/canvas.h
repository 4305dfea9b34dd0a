// The control's drawing surface, kept as what was drawn on it since it was
// last cleared (a short list of drawing steps) rather than as pixels: a button
// holds no bitmap or DC of its own. A frame replays the steps, with the face's
// lines on top, on a surface that all controls of the thread share; the steps
// also tell whether a redrawn face looks as it did.
#pragma once

// The platform's headers first: they rename the painter's TextOut by macro,
// which must happen alike for the core's declaration and the painter's.
#include <windows.h>

#include "control/types.h"
#include "render/face.h"
#include "render/painter.h"
#include "shared_fonts.h"
#include "win/common/gdi.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tovabel::win {

class Canvas {
public:
    Canvas();

    SIZE Size() const { return mSize; }
    // The colour of the last Clear (white before the first): growth takes it.
    COLORREF BackColor() const { return mBackColor; }

    // A new size: what was drawn stays where it still fits, the new area shows
    // the colour of the last Clear.
    void Resize(SIZE size);
    // Forgets what was drawn: the canvas shows `color` (also the background
    // colour of what is drawn from now on), with `background` at (0,0) at its
    // own size. The text colour stays.
    void Clear(COLORREF color, const Picture& background);
    void SetTextColor(COLORREF color) { mTextColor = color; }
    // Text in `font` (null: the surface's own font) and the current text colour.
    void TextOut(int x, int y, std::string ansi, const SharedFont& font);
    void FillRect(const RECT& area, COLORREF color);
    // A picture through the thread's picture painter, embossed when `disabled`.
    void PaintPicture(const PicturePaint& paint, bool disabled);

    // Whether the canvas shows something else than at the last call: drawing
    // the same face again is no change.
    bool TakeChange();

    // One complete frame: the canvas with `lines` on top (later lines over
    // earlier ones), drawn into `bounds` of `target`. Out of GDI resources,
    // nothing is drawn.
    void Present(HDC target, const RECT& bounds, std::span<const Line> lines);

    // One drawing step with the state of the surface it needs.
    struct Fill {
        RECT area;
        COLORREF color;
    };
    struct Background {
        Picture picture;
    };
    struct Words {
        int x;
        int y;
        std::string ansi;
        SharedFont font;
        COLORREF color;
    };
    struct PictureStep {
        PicturePaint paint;
        bool disabled;
        COLORREF textColor; // a one-bit picture's colours come from the surface
        COLORREF backColor;
    };
    // Pixels a long list of steps left, standing in for them.
    struct Pixels {
        SIZE size;
        std::vector<std::uint32_t> rows;
    };
    using Step = std::variant<Fill, Background, Words, PictureStep, Pixels>;

private:
    void Add(Step step);
    // Replaces the steps by the pixels they leave, when they can be drawn.
    void Flatten();

    // Keeps the steps shown at the last TakeChange apart before they change.
    void KeepShown();

    std::vector<Step> mSteps;
    // The steps at the last TakeChange, while they differ from mSteps; empty
    // while mSteps are those (`mShownAreCurrent`): a button keeps one list.
    std::vector<Step> mShownSteps;
    bool mShownAreCurrent = false;
    SIZE mSize{0, 0};
    SIZE mShownSize{0, 0};
    COLORREF mBackColor = RGB(255, 255, 255);
    COLORREF mTextColor = RGB(0, 0, 0);
    bool mChanged = true; // something was drawn since the last TakeChange
};

// The thread's surface DC (made when missing; null out of GDI resources): text
// is measured on it, frames are composed on it.
HDC SurfaceDc();
// The size of `ansi` in `font` (null: the surface's own font).
SIZE MeasureText(const std::string& ansi, const SharedFont& font);
// Gives the thread's surface back (when its last control goes).
void ReleaseFrames();

// Draws a standard picture into `dc` at (x, y) at its own size in pixels.
void RenderPicture(HDC dc, const Picture& picture, int x, int y);

// The region of a mask picture's pixels that are not `maskColor`; null for no
// picture or one that cannot be read.
Region MaskRegion(const Picture& mask, COLORREF maskColor);

} // namespace tovabel::win
