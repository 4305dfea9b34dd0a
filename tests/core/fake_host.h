// A container for native tests: it keeps the surface state a real host keeps
// and records every call the control makes, in order, as short text lines.
#pragma once

#include "control/host.h"
#include "control/tovabel.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovabel::testing {

std::string Narrow(const Text& text);

class FakePicture : public PictureObject {
public:
    FakePicture(std::int32_t type, std::uint64_t handle) : type_(type), handle_(handle) {}
    std::int32_t Type() const override { return type_; }
    std::uint64_t Handle() const override { return handle_; }
    std::int32_t Width() const override { return 847; } // 32 pixels in HIMETRIC
    std::int32_t Height() const override { return 847; }

private:
    std::int32_t type_;
    std::uint64_t handle_;
};

Picture MakePicture(std::int32_t type, std::uint64_t handle = 0x1000);

class FakeFont : public FontObject {
public:
    explicit FakeFont(Text name) : name_(std::move(name)) {}
    Text Name() const override { return name_; }
    std::int64_t Size() const override { return 82500; }
    bool Bold() const override { return false; }
    bool Italic() const override { return false; }
    bool Underline() const override { return false; }
    bool Strikethrough() const override { return false; }
    std::int16_t Weight() const override { return 400; }
    std::int16_t Charset() const override { return 0; }

private:
    Text name_;
};

class FakeHost : public Host {
public:
    std::vector<std::string> log;

    // State a container keeps for the control.
    bool userMode = true;
    OleColor backColor = 0x8000000F;
    OleColor foreColor = 0x80000012;
    OleColor maskColor = 0;
    std::int32_t mousePointer = 0;
    std::int32_t backStyle = 1;
    bool enabled = true;
    Font font;
    Font ambientFont = std::make_shared<FakeFont>(u"MS Sans Serif");
    Picture mouseIcon;
    Picture maskPicture;
    std::optional<Text> extenderToolTip = Text();
    std::optional<bool> extenderTabStop = true;
    ComponentInfo app{u"Tovabel", u"Tovabel", 1, 0, 0};
    bool refuseDownloads = false;
    std::map<TimerId, std::pair<bool, std::int32_t>> timers;

    // Lets a test act while a call is in progress (re-entry, event handlers).
    std::function<void(std::int32_t dispid)> onEvent;
    std::function<void()> onAsyncRead;
    std::function<void(const Text&)> onSetExtenderToolTip;
    std::function<void(std::string_view)> onPropertyChanged;

    void Clear() { log.clear(); }

    std::uintptr_t hWnd() override { return 0x1234; }
    double ScaleWidth() override { return 40; }
    double ScaleHeight() override { return 22; }
    std::int32_t Width() override { return 600; }
    std::int32_t Height() override { return 330; }
    void SetSize(std::int32_t w, std::int32_t h) override;
    void Cls() override { log.push_back("Cls"); }
    OleColor BackColor() override { return backColor; }
    void SetBackColor(OleColor c) override;
    OleColor ForeColor() override { return foreColor; }
    void SetForeColor(OleColor c) override;
    Font GetFont() override { return font; }
    void SetFont(const Font& f) override;
    std::int32_t MousePointer() override { return mousePointer; }
    void SetMousePointer(std::int32_t code) override;
    Picture MouseIcon() override { return mouseIcon; }
    void SetMouseIcon(const Picture& icon) override;
    OleColor MaskColor() override { return maskColor; }
    void SetMaskColor(OleColor c) override;
    void SetMaskPicture(const Picture& mask) override;
    void SetBackStyle(std::int32_t style) override;
    void SetEnabled(bool value) override;
    void SetAccessKeys(const Text& keys) override;
    bool AmbientUserMode() override { return userMode; }
    Font AmbientFont() override { return ambientFont; }
    bool AmbientDisplayAsDefault() override { return false; }
    std::optional<Text> ExtenderToolTipText() override { return extenderToolTip; }
    bool SetExtenderToolTipText(const Text& text) override;
    std::optional<bool> ExtenderTabStop() override { return extenderTabStop; }
    Text DisplayName() override { return u"Tovabel1"; }
    void PropertyChanged(std::string_view name) override;
    bool AsyncRead(const Text& target, AsyncType type, std::string_view name) override;
    void RaiseEvent(std::int32_t dispid, std::span<EventArg> args) override;
    void SetCapture() override { log.push_back("SetCapture"); }
    void ReleaseCapture() override { log.push_back("ReleaseCapture"); }
    void SetTimer(TimerId id, bool running, std::int32_t intervalMs) override;
    std::int32_t MessageBox(const Text& prompt, std::int32_t buttons,
                            const std::optional<Text>& title) override;
    void ShowAboutBox() override { log.push_back("ShowAboutBox"); }
    ComponentInfo App() override { return app; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    void PlaySound(const Sound& sound, std::uint32_t flags) override;
    void MarkSafeForScripting(std::string_view classId) override;
    void CreateToolTipWindow() override { log.push_back("CreateToolTipWindow"); }
    void AddToolTip() override { log.push_back("AddToolTip"); }
    void RemoveToolTip() override { log.push_back("RemoveToolTip"); }
    void SubClass() override { log.push_back("SubClass"); }
    void UnSubClass() override { log.push_back("UnSubClass"); }
};

// The control with its layout and painting steps written into the host's log,
// and its fields open to the tests.
class RecordingTovabel : public Tovabel {
public:
    explicit RecordingTovabel(FakeHost& host) : Tovabel(host), log_(host.log) {}

    using Tovabel::imgPicture;
    using Tovabel::lnBorder;
    using Tovabel::mClearingURL;
    using Tovabel::mDroppedDown;
    using Tovabel::mEnterSoundDone;
    using Tovabel::mHasFocus;
    using Tovabel::mHasSoundClick;
    using Tovabel::mHasSoundEnter;
    using Tovabel::mIsMenuItem;
    using Tovabel::mLeaveSoundDone;
    using Tovabel::mLeftButtonDown;
    using Tovabel::mMouseIconFromURL;
    using Tovabel::mMouseOver;
    using Tovabel::mPictureFromURL;
    using Tovabel::mState;
    using Tovabel::mToolTipGuard;
    using Tovabel::mTransparent;

protected:
    void LayoutControl() override;
    void PaintState(VisualState state) override;
    void DrawPicture() override;
    void LayoutArrow() override;
    void AutoSizeControl() override;

private:
    std::vector<std::string>& log_;
};

} // namespace tovabel::testing
