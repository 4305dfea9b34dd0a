#include "control_host.h"

#include "win/pages/about_box.h"

#include "ole_values.h"
#include "platform.h"
#include "render/draw_pictures.h"
#include "shared_painting.h"
#include "tooltip.h"
#include "win/common/bstr.h"
#include "win/common/com_ptr.h"
#include "win/common/text.h"
#include "win/common/variant.h"

#include <cmath>
#include <vector>

namespace tovabel::win {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kTwipsPerInch = 1440.0;

// A new control's extent: one inch by a third of an inch.
constexpr SIZEL kDefaultExtent{2540, 847};

std::int32_t HimetricToTwips(LONG himetric) {
    return static_cast<std::int32_t>(std::lround(himetric * kTwipsPerInch / kHimetricPerInch));
}

LONG TwipsToHimetric(std::int32_t twips) {
    return static_cast<LONG>(std::lround(twips * kHimetricPerInch / kTwipsPerInch));
}

// An event argument as a VARIANT that owns its value.
void Store(const EventArg& arg, Variant& out) {
    VARIANT& v = *out.Put();
    if (const auto* i2 = std::get_if<std::int16_t>(&arg)) {
        V_VT(&v) = VT_I2;
        V_I2(&v) = *i2;
    } else if (const auto* i4 = std::get_if<std::int32_t>(&arg)) {
        V_VT(&v) = VT_I4;
        V_I4(&v) = *i4;
    } else if (const auto* r4 = std::get_if<float>(&arg)) {
        V_VT(&v) = VT_R4;
        V_R4(&v) = *r4;
    } else {
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = ToBstrRaw(std::get<Text>(arg));
    }
}

// A VARIANT that refers to the value held in `value` (by-reference argument).
VARIANTARG ReferenceTo(Variant& value) {
    VARIANTARG ref;
    VariantInit(&ref);
    VARIANT& v = *value.Get();
    V_VT(&ref) = static_cast<VARTYPE>(VT_BYREF | V_VT(&v));
    switch (V_VT(&v)) {
    case VT_I2:
        V_I2REF(&ref) = &V_I2(&v);
        break;
    case VT_I4:
        V_I4REF(&ref) = &V_I4(&v);
        break;
    case VT_R4:
        V_R4REF(&ref) = &V_R4(&v);
        break;
    default:
        V_BSTRREF(&ref) = &V_BSTR(&v);
        break;
    }
    return ref;
}

// Writes a value that a handler may have changed back into the event argument.
void WriteBack(const Variant& value, EventArg& arg) {
    const VARIANT& v = *value.Get();
    switch (V_VT(&v)) {
    case VT_I2:
        arg = static_cast<std::int16_t>(V_I2(&v));
        break;
    case VT_I4:
        arg = static_cast<std::int32_t>(V_I4(&v));
        break;
    case VT_R4:
        arg = V_R4(&v);
        break;
    default:
        arg = FromBstr(V_BSTR(&v));
        break;
    }
}

} // namespace

ControlHost::ControlHost(IUnknown& owner, Site& site, const TypeLibrary& types,
                         ConnectionPointContainerPart& points, InPlace& inPlace,
                         std::function<void()> resized, Downloads::Completion downloaded)
    : mOwner(owner), mSite(site), mTypes(types), mPoints(points), mInPlace(inPlace),
      mResized(std::move(resized)), mExtent(kDefaultExtent),
      mDownloads(owner, site, std::move(downloaded)) {
    mClientSize = ClientPixels();
    mCanvas.Resize(mClientSize);
}

// ---------------------------------------------------------------------------
// Surface

std::uintptr_t ControlHost::hWnd() {
    return reinterpret_cast<std::uintptr_t>(mInPlace.Window());
}

SIZE ControlHost::ClientPixels() {
    if (mInPlace.Window() != nullptr) {
        return mInPlace.ClientSize();
    }
    const auto pixels = [](LONG himetric, double twipsPerPixel) {
        return static_cast<LONG>(
            std::lround(himetric * kTwipsPerInch / kHimetricPerInch / twipsPerPixel));
    };
    return {pixels(mExtent.cx, TwipsPerPixelX()), pixels(mExtent.cy, TwipsPerPixelY())};
}

double ControlHost::ScaleWidth() {
    return ClientPixels().cx;
}

double ControlHost::ScaleHeight() {
    return ClientPixels().cy;
}

void ControlHost::SetExtent(SIZEL extent) {
    mExtent = extent;
    if (mInPlace.Window() == nullptr) {
        SyncSize(); // while active, the container's SetObjectRects follows
    }
}

void ControlHost::WindowPlaced(SIZE pixels) {
    const SIZE fromExtent{
        static_cast<LONG>(std::lround(Width() / TwipsPerPixelX())),
        static_cast<LONG>(std::lround(Height() / TwipsPerPixelY())),
    };
    // The container sized the window: the extent follows, unless it already
    // names that size (the extent is finer than a pixel).
    if (fromExtent.cx != pixels.cx) {
        mExtent.cx =
            TwipsToHimetric(static_cast<std::int32_t>(std::lround(pixels.cx * TwipsPerPixelX())));
    }
    if (fromExtent.cy != pixels.cy) {
        mExtent.cy =
            TwipsToHimetric(static_cast<std::int32_t>(std::lround(pixels.cy * TwipsPerPixelY())));
    }
    UpdateShape();
    SyncSize();
}

void ControlHost::SyncSize() {
    const SIZE size = ClientPixels();
    if (size.cx == mClientSize.cx && size.cy == mClientSize.cy) {
        return;
    }
    mClientSize = size;
    mCanvas.Resize(size);
    if (mResized) {
        mResized();
    }
}

void ControlHost::RequestExtentSize() {
    if (mInPlace.Window() != nullptr) {
        mInPlace.RequestSize({
            static_cast<LONG>(std::lround(Width() / TwipsPerPixelX())),
            static_cast<LONG>(std::lround(Height() / TwipsPerPixelY())),
        });
    }
    SyncSize();
}

std::int32_t ControlHost::Width() {
    return HimetricToTwips(mExtent.cx);
}

std::int32_t ControlHost::Height() {
    return HimetricToTwips(mExtent.cy);
}

void ControlHost::SetWidth(std::int32_t twips) {
    mExtent.cx = TwipsToHimetric(twips);
    RequestExtentSize();
}

void ControlHost::SetHeight(std::int32_t twips) {
    mExtent.cy = TwipsToHimetric(twips);
    RequestExtentSize();
}

void ControlHost::Cls(OleColor backColor, const Picture& background) {
    mCanvas.Clear(Translate(backColor), background);
}

// Every drawing of the core reaches the canvas through its painter.
Painter& ControlHost::Paint() {
    return mPainter;
}

void ControlHost::ApplyShape(const Picture& mask, OleColor maskColor) {
    mShape = mask ? MaskRegion(mask, Translate(maskColor)) : GdiObject<HRGN>();
    UpdateShape();
}

void ControlHost::ApplyEnabled(bool enabled) {
    if (HWND window = mInPlace.Window()) {
        EnableWindow(window, enabled ? TRUE : FALSE);
    }
}

void ControlHost::UpdateShape() {
    HWND window = mInPlace.Window();
    if (window == nullptr) {
        return;
    }
    // The window takes a region of its own: a copy of the shape.
    GdiObject<HRGN> region;
    if (mShape.Get() != nullptr) {
        region = GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(region.Get(), mShape.Get(), nullptr, RGN_COPY);
    }
    // A whole window stays as it is: setting no region costs a window server
    // call and a repaint, and every change of picture would ask for it.
    if (region.Get() == nullptr && mShaped != window) {
        return;
    }
    // The window owns a region it accepted; without one it is whole again.
    if (SetWindowRgn(window, region.Get(), TRUE) != 0) {
        mShaped = region.Get() != nullptr ? window : nullptr;
        region.Detach();
    }
}

namespace {

// A GDI font of our own that looks like `font`'s (shared with the thread's
// buttons in the same font): the OLE font may replace or delete its handle
// whenever it changes, while the surface keeps this one selected. The handle
// is read from a copy of the font that goes at once: the font the button
// keeps makes no GDI font of its own.
SharedFont CopyFontHandle(const Font& font) {
    const ComPtr<IFont> object = OleFont::FontOf(OleFont::CloneOf(font));
    HFONT handle = nullptr;
    LOGFONTW description{};
    if (!object || FAILED(object->get_hFont(&handle)) ||
        GetObjectW(handle, sizeof(description), &description) != sizeof(description)) {
        return {};
    }
    return SharedFont::Of(description);
}

} // namespace

void ControlHost::ApplyAccessKeys(const Text&) {
    mSite.ControlInfoChanged(); // the container asks for the new mnemonics
}

Font ControlHost::CopyFont(const Font& font) {
    return OleFont::CloneOf(font);
}

void ControlHost::ApplyFont(const Font& font) {
    mPainter.SetSurfaceFont(CopyFontHandle(font));
}

// ---------------------------------------------------------------------------
// Ambient and extender

Font ControlHost::AmbientFont() {
    if (ComPtr<IFont> font = mSite.AmbientFont()) {
        return OleFont::Wrap(std::move(font));
    }
    if (!mDefaultFont) {
        mDefaultFont = OleFont::Default();
    }
    return mDefaultFont;
}

std::optional<Text> ControlHost::ExtenderToolTipText() {
    const std::optional<Variant> value = mSite.ExtenderProperty(L"ToolTipText");
    const std::optional<Variant> text = value ? value->As(VT_BSTR) : std::nullopt;
    if (!text) {
        return std::nullopt;
    }
    return FromBstr(V_BSTR(text->Get()));
}

bool ControlHost::SetExtenderToolTipText(const Text& text) {
    Variant value;
    V_VT(value.Get()) = VT_BSTR;
    V_BSTR(value.Get()) = ToBstrRaw(text);
    return mSite.SetExtenderProperty(L"ToolTipText", *value);
}

std::optional<bool> ControlHost::ExtenderTabStop() {
    const std::optional<Variant> value = mSite.ExtenderProperty(L"TabStop");
    const std::optional<Variant> flag = value ? value->As(VT_BOOL) : std::nullopt;
    if (!flag) {
        return std::nullopt;
    }
    return V_BOOL(flag->Get()) != VARIANT_FALSE;
}

Text ControlHost::DisplayName() {
    const std::optional<std::wstring> name = mSite.DisplayName();
    return name ? FromWide(*name) : App().title;
}

// ---------------------------------------------------------------------------
// Notifications

void ControlHost::PropertyChanged(std::string_view name) {
    mDirty = true;
    const std::optional<DISPID> id = mTypes.DispIdOf(name);
    if (!id) {
        return;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mOwner);
    for (const ComPtr<IUnknown>& sink : mPoints.PropertyNotify().Sinks()) {
        static_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(*id);
    }
}

bool ControlHost::AsyncRead(const Text& target, AsyncType type, std::string_view propertyName) {
    return mDownloads.Start(target, type, propertyName);
}

void ControlHost::RaiseEvent(std::int32_t dispid, std::span<EventArg> args) {
    // A handler may release the last reference to the control: it lives on
    // until every sink has been called.
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mOwner);
    const std::vector<ComPtr<IUnknown>> sinks = mPoints.Events().Sinks();
    if (sinks.empty()) {
        return;
    }
    std::vector<bool> byReference = mTypes.ByReferenceParameters(dispid);
    byReference.resize(args.size(), false);

    // Automation passes arguments last first.
    std::vector<Variant> values(args.size());
    std::vector<VARIANTARG> passed(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::size_t slot = args.size() - 1 - i;
        Store(args[i], values[slot]);
        if (byReference[i]) {
            passed[slot] = ReferenceTo(values[slot]);
        } else {
            passed[slot] = *values[slot].Get(); // borrowed: `values` keeps ownership
        }
    }
    DISPPARAMS params{passed.empty() ? nullptr : passed.data(), nullptr,
                      static_cast<UINT>(passed.size()), 0};
    for (const ComPtr<IUnknown>& sink : sinks) {
        Variant result;
        static_cast<IDispatch*>(sink.Get())
            ->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(),
                     nullptr, nullptr);
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (byReference[i]) {
            WriteBack(values[args.size() - 1 - i], args[i]);
        }
    }
}

// ---------------------------------------------------------------------------
// Capture, timers, messages

void ControlHost::SetCapture() {
    mInPlace.TakeCapture();
}

void ControlHost::ReleaseCapture() {
    // Releasing a capture this thread does not hold changes nothing, yet the
    // system answers it with a made-up pointer move, on every entry.
    if (GetCapture() != nullptr) {
        ::ReleaseCapture();
    }
}

void ControlHost::SetTimer(TimerId id, bool running, std::int32_t intervalMs) {
    mInPlace.SetTimer(id, running, intervalMs);
}

std::int32_t ControlHost::MessageBox(const Text& prompt, std::int32_t buttons,
                                     const std::optional<Text>& title) {
    const Text caption = title ? *title : App().title;
    const std::wstring promptText(AsWide(prompt));
    const std::wstring captionText(AsWide(caption));
    return ::MessageBoxW(mSite.ContainerWindow(), promptText.c_str(), captionText.c_str(),
                         static_cast<UINT>(buttons));
}

void ControlHost::ShowAboutBox() {
    win::ShowAboutBox(App());
}

// ---------------------------------------------------------------------------
// The component and the platform

ComponentInfo ControlHost::App() {
    if (!mApp) {
        mApp = ReadComponentInfo();
    }
    return *mApp;
}

double ControlHost::TwipsPerPixelX() {
    return win::TwipsPerPixelX();
}

double ControlHost::TwipsPerPixelY() {
    return win::TwipsPerPixelY();
}

void ControlHost::PlaySound(const Sound& sound, std::uint32_t flags) {
    win::PlaySound(sound, flags);
}

void ControlHost::CreateSharedPainting() {
    SharedPainting::Acquire(SurfaceDc());
}

void ControlHost::ReleaseSharedPainting() {
    SharedPainting::Release();
    ReleaseFrames();
    ForgetPaintedPictures();
}

void ControlHost::MarkSafeForScripting(std::string_view classId) {
    win::MarkSafeForScripting(classId);
}

// The shared tooltip of the thread and the control's own window procedure.

void ControlHost::CreateToolTipWindow() {
    if (!mToolTipUser) {
        mToolTipUser = true;
        tooltip::AddUser();
    }
}

void ControlHost::AddToolTip() {
    mInPlace.AddToolTip();
}

void ControlHost::RemoveToolTip() {
    if (mToolTipUser) {
        mToolTipUser = false;
        tooltip::RemoveUser();
    }
}

void ControlHost::SubClass() {
    mInPlace.SubClass();
}

void ControlHost::UnSubClass() {
    mInPlace.UnSubClass();
}

} // namespace tovabel::win
