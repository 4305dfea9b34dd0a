// The caption as real GDI draws it on the face: shortened with an ellipsis to
// the space it has, the access key underlined, and turned in the four writing
// directions. Text is compared with what the same font draws elsewhere, so the
// checks hold for any font rendering.
#include "com_client.h"
#include "win/common/gdi.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::Pixels;

// Tahoma at 9 points: a whole pixel height at 96 DPI (12) and at 144 (18).
constexpr const wchar_t* kFace = L"Tahoma";
constexpr int kPoints = 9;

int PixelHeight() {
    const win::WindowDc screen(nullptr);
    return -MulDiv(kPoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
}

// How wide `text` is in the caption's font, as the control measures it.
int TextWidth(const char* text) {
    win::MemoryDc dc(nullptr);
    LOGFONTA description{};
    description.lfHeight = PixelHeight();
    description.lfWeight = FW_NORMAL;
    lstrcpyA(description.lfFaceName, "Tahoma");
    const win::GdiObject<HFONT> font(CreateFontIndirectA(&description));
    const HGDIOBJ previous = SelectObject(dc.Get(), font.Get());
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &size);
    SelectObject(dc.Get(), previous);
    return size.cx;
}

// The caption's ink: which pixels of its bounding box have the text colour.
struct Ink {
    RECT bounds{0, 0, 0, 0};
    std::vector<bool> on; // row by row inside `bounds`

    int Width() const { return bounds.right - bounds.left; }
    int Height() const { return bounds.bottom - bounds.top; }
    bool operator==(const Ink& other) const {
        return Width() == other.Width() && Height() == other.Height() && on == other.on;
    }
};

Ink InkOf(const Pixels& face) {
    Ink ink{BoundsOf(face, kText), {}};
    for (int y = ink.bounds.top; y < ink.bounds.bottom; ++y) {
        for (int x = ink.bounds.left; x < ink.bounds.right; ++x) {
            ink.on.push_back(face.At(x, y) == kText);
        }
    }
    return ink;
}

// A flat button of the given size showing `caption` in the caption font.
Pixels CaptionFace(const std::wstring& caption, int width, int height, int direction = 0) {
    Container container;
    EXPECT_EQ(S_OK, MakeButton(container, {0, 0, width, height}));
    EXPECT_EQ(S_OK, PutAll(container, {{L"Font", Object(MakeFont(kFace, kPoints).Get())},
                                       {L"FontDirection", Long(direction)},
                                       {L"Caption", Str(caption)}}));
    return Face(container);
}

TEST(CaptionPixels, LongCaptionIsShortenedToWhatFits) {
    // A framed button has its width less 6 pixels for the caption: room for
    // "H..." exactly, not for "He...".
    const int room = TextWidth("H...");
    ASSERT_LT(room, TextWidth("He..."));
    const Ink shortened = InkOf(CaptionFace(L"Hello", room + 6, 30));
    const Ink expected = InkOf(CaptionFace(L"H...", 120, 30));
    ASSERT_GT(expected.Width(), 0);
    EXPECT_TRUE(shortened == expected)
        << "drawn " << shortened.Width() << " pixels wide, " << expected.Width() << " expected";
    EXPECT_TRUE(InkOf(CaptionFace(L"Hello", room + 5, 30)).Width() < expected.Width())
        << "one pixel less leaves no room for H...";
    EXPECT_TRUE(InkOf(CaptionFace(L"Hello", 120, 30)) == InkOf(CaptionFace(L"Hello", 60, 30)))
        << "a caption that fits is unchanged";
}

TEST(CaptionPixels, AccessKeyIsUnderlined) {
    const Pixels plain = CaptionFace(L"File", 120, 30);
    const Pixels marked = CaptionFace(L"&File", 120, 30);
    const Ink letters = InkOf(plain);
    const Ink f = InkOf(CaptionFace(L"F", 120, 30));
    ASSERT_GT(f.Width(), 0);
    // Everything of the plain caption is there, plus one line under the F.
    std::vector<POINT> added;
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            const bool before = plain.At(x, y) == kText;
            const bool after = marked.At(x, y) == kText;
            EXPECT_FALSE(before && !after) << "lost at " << x << "," << y;
            if (after && !before) {
                added.push_back({x, y});
            }
        }
    }
    ASSERT_FALSE(added.empty()) << "no underline";
    const int underlineRow = added.front().y;
    int left = plain.width;
    int right = 0;
    for (const POINT& p : added) {
        EXPECT_EQ(p.y, underlineRow) << "the underline is one straight line";
        left = std::min<int>(left, p.x);
        right = std::max<int>(right, p.x + 1);
    }
    EXPECT_GE(underlineRow, letters.bounds.bottom - 2) << "below the letters' baseline";
    // The underline spans the F's cell, which may start left of its ink.
    EXPECT_GE(left, letters.bounds.left - 3);
    EXPECT_LE(right - left, TextWidth("F") + 1) << "as wide as the F, not the word";
    EXPECT_GE(right - left, f.Width() - 1);
}

TEST(CaptionPixels, CaptionTurnsInTheFourDirections) {
    // "W...." has its weight at its start: the side where the caption begins
    // shows which way it runs.
    struct Case {
        int direction;
        const char* name;
        bool horizontal;
        int startSide; // -1: the ink leans left (or up), +1: right (or down)
    };
    for (const Case& tc : {Case{0, "normal", true, -1}, Case{1, "downward", false, -1},
                           Case{2, "reverse", true, +1}, Case{3, "upward", false, +1}}) {
        SCOPED_TRACE(tc.name);
        const Pixels face = CaptionFace(L"W....", 80, 80, tc.direction);
        const Ink ink = InkOf(face);
        ASSERT_GT(ink.Width(), 0);
        EXPECT_EQ(ink.Width() > ink.Height(), tc.horizontal)
            << ink.Width() << " x " << ink.Height();
        EXPECT_GT(ink.bounds.left, 0);
        EXPECT_GT(ink.bounds.top, 0);
        EXPECT_LT(ink.bounds.right, 80);
        EXPECT_LT(ink.bounds.bottom, 80);
        double sum = 0;
        int count = 0;
        for (int y = ink.bounds.top; y < ink.bounds.bottom; ++y) {
            for (int x = ink.bounds.left; x < ink.bounds.right; ++x) {
                if (face.At(x, y) == kText) {
                    sum += tc.horizontal ? x : y;
                    ++count;
                }
            }
        }
        const double centre = tc.horizontal ? (ink.bounds.left + ink.bounds.right) / 2.0
                                            : (ink.bounds.top + ink.bounds.bottom) / 2.0;
        EXPECT_EQ(sum / count < centre ? -1 : +1, tc.startSide);
    }
}

// A new font lays the caption out in that font: the shortening and an
// auto-sized button's width are those of a button that had the font first.
TEST(CaptionPixels, NewFontLaysTheCaptionOutAgain) {
    const auto face = [](bool autoSize, bool fontFirst) {
        Container container;
        const Var font = Object(MakeFont(kFace, 16).Get());
        EXPECT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 40}));
        EXPECT_EQ(S_OK, PutAll(container,
                               {{L"AutoSize", Bool(autoSize)}, {L"TextColor", Colour(kText)}}));
        for (const bool first : {true, false}) {
            EXPECT_EQ(S_OK, container.Put(first == fontFirst ? L"Font" : L"Caption",
                                          first == fontFirst ? *font : *Str(L"Hello World")));
        }
        return Face(container);
    };
    for (const bool autoSize : {false, true}) {
        SCOPED_TRACE(autoSize ? "auto-sized" : "shortened");
        const Pixels changed = face(autoSize, false);
        const Pixels fresh = face(autoSize, true);
        EXPECT_EQ(changed.width, fresh.width);
        const Ink ink = InkOf(changed);
        EXPECT_TRUE(ink == InkOf(fresh)) << "drawn " << ink.Width() << " pixels wide";
    }
    // The same font again leaves a turned caption as it was, in both passes of
    // the disabled look. At 15 points the height is whole, so the caption font
    // matches the new one and is not made again.
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 120, 60}));
    ASSERT_EQ(S_OK, PutAll(container, {{L"AutoSize", Bool(false)},
                                       {L"AlignCaption", Long(0)},
                                       {L"Enabled", Bool(false)},
                                       {L"Font", Object(MakeFont(kFace, 15).Get())},
                                       {L"FontDirection", Long(2)},
                                       {L"Caption", Str(L"Hello")}}));
    const Pixels before = Face(container);
    ASSERT_EQ(S_OK, container.Put(L"Font", *Object(MakeFont(kFace, 15).Get())));
    EXPECT_TRUE(Face(container).data == before.data);
}

} // namespace
} // namespace tovabel::wintest
