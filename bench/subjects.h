// What the benchmark repaints: our buttons in our container, and Wine's own
// comctl32 controls doing comparable work (a flat toolbar's hot and pressed
// button, a push button's pushed state). Each takes one step of the cycle
// Normal -> Hover -> Pressed -> Hover -> Normal and paints it at once.
#pragma once

#include "win/common/com_ptr.h"
#include "win/common/gdi.h"
#include "win/common/handle.h"
#include "win/common/variant.h"
#include "win/common/window.h"
#include "win/olehost/container.h"

#include <windows.h>

#include <commctrl.h>
#include <ocidl.h>

#include <string>

namespace tovabel::bench {

// Microseconds on the performance counter.
double Now();

// Automation values for the control's properties.
win::Variant Long(std::int32_t value);
win::Variant Bool(bool value);
win::Variant Text(const wchar_t* value);

// The four transitions of one cycle, in order.
enum Step { kToHover, kToPressed, kToReleased, kToNormal };
constexpr int kSteps = 4;

class Subject {
public:
    virtual ~Subject() = default;
    virtual const std::string& Name() const = 0;
    // Makes the transition and repaints the window (UpdateWindow).
    virtual void Take(Step step) = 0;
};

// A 16 x 16 bitmap on the mask colour (silver) with a framed blue square.
win::Bitmap MakeGlyph();

// What our button shows.
struct OurFace {
    std::int32_t style = 0;
    const wchar_t* caption = L"";
    bool picture = true;
    std::int32_t alignPicture = 4; // Align Middle
    SIZE size{24, 24};
};

// Our button, driven by the mouse messages a user's pointer sends its window.
class OurButton final : public Subject {
public:
    OurButton(olehost::Form& form, std::string name, const OurFace& face, POINT at);
    const std::string& Name() const override { return mName; }
    void Take(Step step) override;
    // Moves the pointer to the `n`th point of a line across the raised button.
    void MoveInside(int n);
    bool Ready() const { return mWindow != nullptr; }
    // Calls one of the control's methods without arguments by name.
    HRESULT Call(const wchar_t* method);

private:
    std::string mName;
    olehost::HostedControl& mPlace;
    win::ComPtr<IPictureDisp> mPicture;
    HWND mWindow = nullptr;
    LPARAM mInside = 0;
};

// An image list, destroyed with ImageList_Destroy.
struct ImageListTraits {
    using Handle = HIMAGELIST;
    void Close(HIMAGELIST images) const { ImageList_Destroy(images); }
};
using ImageList = win::Owned<ImageListTraits>;

// One button of a flat comctl32 toolbar: the hot item set with TB_SETHOTITEM,
// the pressed state with TB_PRESSBUTTON.
class ToolbarButton final : public Subject {
public:
    ToolbarButton(HWND parent, std::string name, const wchar_t* text, bool dropDown, POINT at);
    const std::string& Name() const override { return mName; }
    void Take(Step step) override;
    // Moves the pointer to the `n`th point of a line across the hot button.
    void MoveInside(int n);

private:
    std::string mName;
    SIZE mSize{0, 0};
    ImageList mImages; // declared first: it goes after the toolbar that shows it
    win::Window mToolbar;
};

// A comctl32 push button pushed and released with BM_SETSTATE: the hover
// steps push it, the others release it, so every step changes its look.
class PushButton final : public Subject {
public:
    PushButton(HWND parent, std::string name, POINT at);
    const std::string& Name() const override { return mName; }
    void Take(Step step) override;

private:
    std::string mName;
    win::Window mButton;
};

} // namespace tovabel::bench
