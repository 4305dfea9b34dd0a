// The core's Host on a real OLE container: the drawing surface and the window's
// shape, ambients and extender through the site, change notification and events
// through the connection points, and the platform's services.
#pragma once

#include "canvas.h"
#include "connection_points.h"
#include "control/host.h"
#include "download.h"
#include "gdi_painter.h"
#include "in_place.h"
#include "site.h"
#include "type_library.h"

#include <functional>
#include <optional>
#include <span>
#include <utility>

namespace tovabel::win {

class ControlHost final : public tovabel::Host {
public:
    // `resized` is called whenever the client size in pixels changes,
    // `downloaded` with each download that AsyncRead started, once it finished.
    ControlHost(IUnknown& owner, Site& site, const TypeLibrary& types,
                ConnectionPointContainerPart& points, InPlace& inPlace,
                std::function<void()> resized, Downloads::Completion downloaded);

    // The control's size in HIMETRIC, as IOleObject::SetExtent gives it.
    SIZEL Extent() const { return mExtent; }
    void SetExtent(SIZEL extent);
    // The window got a new client size (activation or the container's move).
    void WindowPlaced(SIZE pixels);
    // One frame: the canvas with `lines` on top, into `bounds` of `dc`.
    void Draw(HDC dc, const RECT& bounds, std::span<const Line> lines) {
        mCanvas.Present(dc, bounds, lines);
    }
    // Whether the canvas shows something else than at the last call: drawing
    // the same face again is no change.
    bool TakeCanvasChange() { return mCanvas.TakeChange(); }
    // Whether a property changed since the last save.
    bool Dirty() const { return mDirty; }
    void SetDirty(bool dirty) { mDirty = dirty; }
    // Downloads from now on fetch only what the page may (see Downloads).
    void EnterUntrustedPage() { mDownloads.EnterUntrustedPage(); }

    std::uintptr_t hWnd() override;
    double ScaleWidth() override;
    double ScaleHeight() override;
    std::int32_t Width() override;
    std::int32_t Height() override;
    void SetWidth(std::int32_t twips) override;
    void SetHeight(std::int32_t twips) override;
    void Cls(OleColor backColor, const Picture& background) override;
    Painter& Paint() override;
    Font CopyFont(const Font& font) override;
    void ApplyFont(const Font& font) override;
    void ApplyShape(const Picture& mask, OleColor maskColor) override;
    // A disabled control's window is disabled, as in any form.
    void ApplyEnabled(bool enabled) override;
    void ApplyAccessKeys(const Text& keys) override;

    bool AmbientUserMode() override { return mSite.UserMode(); }
    Font AmbientFont() override;
    bool AmbientDisplayAsDefault() override { return mSite.DisplayAsDefault(); }

    std::optional<Text> ExtenderToolTipText() override;
    bool SetExtenderToolTipText(const Text& text) override;
    std::optional<bool> ExtenderTabStop() override;
    Text DisplayName() override;

    void PropertyChanged(std::string_view name) override;
    bool AsyncRead(const Text& target, AsyncType type, std::string_view propertyName) override;
    void RaiseEvent(std::int32_t dispid, std::span<EventArg> args) override;

    void SetCapture() override;
    void ReleaseCapture() override;
    void SetTimer(TimerId id, bool running, std::int32_t intervalMs) override;

    std::int32_t MessageBox(const Text& prompt, std::int32_t buttons,
                            const std::optional<Text>& title) override;
    void ShowAboutBox() override;

    ComponentInfo App() override;
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;
    void PlaySound(const Sound& sound, std::uint32_t flags) override;
    void CreateSharedPainting() override;
    void ReleaseSharedPainting() override;
    void MarkSafeForScripting(std::string_view classId) override;

    void CreateToolTipWindow() override;
    void AddToolTip() override;
    void RemoveToolTip() override;
    void SubClass() override;
    void UnSubClass() override;

private:
    // The client size in pixels: the window's, else the extent's at the screen's DPI.
    SIZE ClientPixels();
    // Follows a change of the client size with the canvas and the resize notification.
    void SyncSize();
    // Asks for the extent's size in pixels (window, container, canvas).
    void RequestExtentSize();
    // Gives the window the shape last applied.
    void UpdateShape();

    IUnknown& mOwner;
    Site& mSite;
    const TypeLibrary& mTypes;
    ConnectionPointContainerPart& mPoints;
    InPlace& mInPlace;
    std::function<void()> mResized;
    GdiObject<HRGN> mShape; // the window's shape; null for the whole window
    SIZEL mExtent;
    bool mDirty = false;
    bool mToolTipUser = false; // this instance counts as a user of the thread's tooltip
    Font mDefaultFont;
    std::optional<ComponentInfo> mApp;
    SIZE mClientSize{0, 0}; // the size the core was last told about
    HWND mShaped = nullptr; // the window while it has a region of ours
    Canvas mCanvas;
    GdiPainter mPainter{mCanvas};
    // Last: its transfers stop before anything else of the host goes.
    Downloads mDownloads;
};

} // namespace tovabel::win
