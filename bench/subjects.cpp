#include "subjects.h"

#include "control/identity.h"
#include "win/common/late_bound.h"
#include "win/common/variant.h"
#include "win/olehost/pixels.h"

#include <utility>

namespace tovabel::bench {

namespace {

constexpr COLORREF kMask = RGB(192, 192, 192);
constexpr int kCommand = 100;

HIMAGELIST MakeImageList() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    const win::Bitmap glyph = MakeGlyph();
    ImageList_AddMasked(images, glyph.Get(), kMask); // copies the bitmap
    return images;
}

} // namespace

double Now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

win::Variant Long(std::int32_t value) {
    win::Variant out;
    V_VT(out.Get()) = VT_I4;
    V_I4(out.Get()) = value;
    return out;
}

win::Variant Bool(bool value) {
    win::Variant out;
    V_VT(out.Get()) = VT_BOOL;
    V_BOOL(out.Get()) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return out;
}

win::Variant Text(const wchar_t* value) {
    win::Variant out;
    V_VT(out.Get()) = VT_BSTR;
    V_BSTR(out.Get()) = SysAllocString(value);
    return out;
}

win::Bitmap MakeGlyph() {
    const win::WindowDc screen(nullptr);
    win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), 16, 16));
    win::MemoryDc dc(screen.Get());
    if (!dc.SelectBitmap(bitmap.Get())) {
        return {};
    }
    const win::Brush mask(CreateSolidBrush(kMask));
    const win::Brush frame(CreateSolidBrush(RGB(0, 0, 96)));
    const win::Brush fill(CreateSolidBrush(RGB(64, 128, 255)));
    const RECT all{0, 0, 16, 16};
    const RECT outer{2, 2, 14, 14};
    const RECT inner{3, 3, 13, 13};
    FillRect(dc.Get(), &all, mask.Get());
    FillRect(dc.Get(), &outer, frame.Get());
    FillRect(dc.Get(), &inner, fill.Get());
    return bitmap;
}

// ---------------------------------------------------------------------------
// Our button

OurButton::OurButton(olehost::Form& form, std::string name, const OurFace& face, POINT at)
    : mName(std::move(name)), mPlace(form.AddPlace()) {
    if (FAILED(mPlace.Create(identity::kWideProgId.text,
                             {at.x, at.y, at.x + face.size.cx, at.y + face.size.cy}))) {
        return;
    }
    mPlace.Put(L"AutoSize", *Bool(false));
    mPlace.Put(L"PlaySounds", *Bool(false)); // the peers make no sound either
    mPlace.Put(L"Style", *Long(face.style));
    if (face.picture) {
        mPicture = olehost::PictureOfBitmap(MakeGlyph());
        mPlace.PutRef(L"Picture", mPicture.Get());
    }
    mPlace.Put(L"Caption", *Text(face.caption));
    mPlace.Put(L"AlignPicture", *Long(face.alignPicture));
    mWindow = mPlace.Window();
    RECT client{};
    GetClientRect(mWindow, &client);
    // Away from the drop-down area, where a press would open the drop-down.
    mInside = MAKELPARAM(client.right / 4, client.bottom / 2);
}

void OurButton::Take(Step step) {
    switch (step) {
    case kToHover:
        SendMessageW(mWindow, WM_MOUSEMOVE, 0, mInside);
        break;
    case kToPressed:
        SendMessageW(mWindow, WM_LBUTTONDOWN, MK_LBUTTON, mInside);
        break;
    case kToReleased:
        SendMessageW(mWindow, WM_LBUTTONUP, 0, mInside);
        break;
    default:
        SendMessageW(mWindow, WM_MOUSEMOVE, 0, MAKELPARAM(-10, -10));
        break;
    }
    UpdateWindow(mWindow);
}

void OurButton::MoveInside(int n) {
    RECT client{};
    GetClientRect(mWindow, &client);
    SendMessageW(mWindow, WM_MOUSEMOVE, 0,
                 MAKELPARAM(1 + n % (client.right - 2), client.bottom / 2));
    UpdateWindow(mWindow);
}

HRESULT OurButton::Call(const wchar_t* method) {
    const win::ComPtr<IDispatch> dispatch = mPlace.Dispatch();
    DISPID id = DISPID_UNKNOWN;
    if (!dispatch) {
        return E_NOINTERFACE;
    }
    const HRESULT hr = win::late_bound::IdOf(*dispatch.Get(), method, id);
    return FAILED(hr) ? hr : win::late_bound::Call(*dispatch.Get(), id, nullptr);
}

// ---------------------------------------------------------------------------
// Toolbar button

ToolbarButton::ToolbarButton(HWND parent, std::string name, const wchar_t* text, bool dropDown,
                             POINT at)
    : mName(std::move(name)), mImages(MakeImageList()),
      mToolbar(CreateWindowExW(
          0, TOOLBARCLASSNAMEW, nullptr,
          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
          at.x, at.y, 100, 40, parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    const HWND toolbar = mToolbar.Get();
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (dropDown) {
        SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    }
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(mImages.Get()));
    TBBUTTON button{};
    button.iBitmap = 0;
    button.idCommand = kCommand;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = static_cast<BYTE>(BTNS_BUTTON | (dropDown ? BTNS_DROPDOWN : 0));
    button.iString = text != nullptr ? reinterpret_cast<INT_PTR>(text) : -1;
    if (text == nullptr) {
        SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, 24));
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    // The toolbar window is as large as its one button, as our buttons are.
    RECT item{};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    SetWindowPos(toolbar, nullptr, 0, 0, item.right, item.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    mSize = {item.right, item.bottom};
}

void ToolbarButton::Take(Step step) {
    const HWND toolbar = mToolbar.Get();
    switch (step) {
    case kToHover:
        SendMessageW(toolbar, TB_SETHOTITEM, 0, 0);
        break;
    case kToPressed:
        SendMessageW(toolbar, TB_PRESSBUTTON, kCommand, TRUE);
        break;
    case kToReleased:
        SendMessageW(toolbar, TB_PRESSBUTTON, kCommand, FALSE);
        break;
    default:
        SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        break;
    }
    UpdateWindow(toolbar);
}

void ToolbarButton::MoveInside(int n) {
    const HWND toolbar = mToolbar.Get();
    SendMessageW(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(1 + n % (mSize.cx - 2), mSize.cy / 2));
    UpdateWindow(toolbar);
}

// ---------------------------------------------------------------------------
// Push button

PushButton::PushButton(HWND parent, std::string name, POINT at)
    : mName(std::move(name)),
      mButton(CreateWindowExW(0, WC_BUTTONW, L"Open", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, at.x,
                              at.y, 56, 36, parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

void PushButton::Take(Step step) {
    const bool pushed = step == kToHover || step == kToReleased;
    SendMessageW(mButton.Get(), BM_SETSTATE, pushed ? TRUE : FALSE, 0);
    UpdateWindow(mButton.Get());
}

} // namespace tovabel::bench
