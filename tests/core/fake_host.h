// A container for native tests: it records every call the control makes, in
// order, as short text lines, and keeps none of the control's properties.
#pragma once

#include "control/host.h"
#include "control/property_bag.h"
#include "control/tovabel.h"
#include "persist/stream_bag.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovabel::testing {

std::string Narrow(const Text& text);

// The lines of a recorded log that start with `prefix`.
std::vector<std::string> Filter(const std::vector<std::string>& log, const std::string& prefix);

// What the container sees of a change: notifications, events, message boxes,
// downloads, the capture and what the host applies to the window, in order;
// drawing and sizing left out.
std::vector<std::string> Notifications(const std::vector<std::string>& log);

// How the button's frame looks to the user: "flat" without lines, else "raised"
// or "sunken" by the colour of its top line.
std::string LookOf(const Tovabel& control);

// The colours of the frame's edges as the face shows them.
struct FrameColours {
    OleColor top = 0;
    OleColor left = 0;
    OleColor bottom = 0;
    OleColor right = 0;
};
FrameColours FrameColoursOf(const Tovabel& control);

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
    explicit FakeFont(Text name, std::int64_t size = 82500) : name_(std::move(name)), size_(size) {}
    Text Name() const override { return name_; }
    std::int64_t Size() const override { return size_; }
    bool Bold() const override { return false; }
    bool Italic() const override { return false; }
    bool Underline() const override { return false; }
    bool Strikethrough() const override { return false; }
    std::int16_t Weight() const override { return 400; }
    std::int16_t Charset() const override { return 0; }

private:
    Text name_;
    std::int64_t size_;
};

// A property bag in memory that keeps each value's kind, converts on reading as
// automation does, and logs every call as "ReadProperty(Key)" or
// "WriteProperty(Key)". Tests may store any value under any key.
class RecordingBag : public PropertyBag {
public:
    explicit RecordingBag(std::vector<std::string>& log) : log_(log) {}

    std::optional<BagValue> ReadProperty(std::string_view name,
                                         const BagValue& defaultValue) override;
    bool WriteProperty(std::string_view name, const BagValue& value,
                       const BagValue& defaultValue) override;

    // Stored values by key, in the order keys were first stored.
    std::vector<std::pair<std::string, BagValue>> values;
    void Hold(std::string key, BagValue value);
    const BagValue* Find(std::string_view key) const;
    std::vector<std::string> Keys() const;

private:
    std::vector<std::string>& log_;
};

// Persistent forms of the fake objects: a picture is its type byte and its handle,
// a font its size and then its name. Anything else fails to load.
class FakeObjectCodec : public persist::ObjectCodec {
public:
    bool refuseSaves = false;
    std::optional<persist::Bytes> SavePicture(const PictureObject& picture) override;
    std::optional<Picture> LoadPicture(std::span<const std::uint8_t> bytes) override;
    std::optional<persist::Bytes> SaveFont(const FontObject& font) override;
    std::optional<Font> LoadFont(std::span<const std::uint8_t> bytes) override;
};

// Records what is drawn; text measures `charWidth` pixels a character.
class FakePainter : public Painter {
public:
    explicit FakePainter(std::vector<std::string>& log) : log_(log) {}
    std::int32_t charWidth = 6;
    std::int32_t lineHeight = 13;

    TextSize TextExtent(const Text& text) override;
    void TextOut(std::int32_t x, std::int32_t y, const Text& text) override;
    void SetTextColor(OleColor color) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  OleColor color) override;
    void ReplaceCaptionFont(const CaptionLogFont& font) override;
    void DeleteCaptionFont() override;
    void PaintTransparentPicture(const PicturePaint& paint) override;
    void PaintDisabledPicture(const PicturePaint& paint) override;

private:
    std::vector<std::string>& log_;
};

class FakeHost : public Host {
public:
    std::vector<std::string> log;
    FakePainter painter{log};

    // What the container answers.
    bool userMode = true;
    bool displayAsDefault = false;
    Font ambientFont = std::make_shared<FakeFont>(u"MS Sans Serif");
    std::optional<Text> extenderToolTip = Text();
    std::optional<bool> extenderTabStop = true;
    ComponentInfo app{u"Tovabel", u"Tovabel", 1, 0, 0};
    bool refuseDownloads = false;
    // The downloads the control started and the host accepted, oldest first.
    struct Download {
        Text target;
        AsyncType type;
        std::string propertyName;
    };
    std::vector<Download> downloads;
    double scaleWidth = 40;
    double scaleHeight = 22;
    double twipsPerPixel = 15;
    std::map<TimerId, std::pair<bool, std::int32_t>> timers;

    // Lets a test act while a call is in progress (re-entry, event handlers).
    std::function<void(std::int32_t dispid)> onEvent;
    std::function<void()> onAsyncRead;
    std::function<void(const Text&)> onSetExtenderToolTip;
    std::function<void(std::string_view)> onPropertyChanged;
    std::function<void()> onResize; // the container's resize notification
    std::function<void(std::span<EventArg>)> onEventArgs;

    void Clear() { log.clear(); }

    std::uintptr_t hWnd() override { return 0x1234; }
    double ScaleWidth() override { return scaleWidth; }
    double ScaleHeight() override { return scaleHeight; }
    std::int32_t Width() override;
    std::int32_t Height() override;
    void SetWidth(std::int32_t twips) override;
    void SetHeight(std::int32_t twips) override;
    void Cls(OleColor backColor, const Picture& background) override;
    Painter& Paint() override { return painter; }
    Font CopyFont(const Font& font) override { return font; }
    void ApplyFont(const Font& font) override;
    void ApplyShape(const Picture& mask, OleColor maskColor) override;
    void ApplyEnabled(bool enabled) override;
    void ApplyAccessKeys(const Text& keys) override;
    bool AmbientUserMode() override { return userMode; }
    Font AmbientFont() override { return ambientFont; }
    bool AmbientDisplayAsDefault() override { return displayAsDefault; }
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
    double TwipsPerPixelX() override { return twipsPerPixel; }
    double TwipsPerPixelY() override { return twipsPerPixel; }
    void PlaySound(const Sound& sound, std::uint32_t flags) override;
    void CreateSharedPainting() override {}
    void ReleaseSharedPainting() override {}
    void MarkSafeForScripting(std::string_view classId) override;
    void CreateToolTipWindow() override { log.push_back("CreateToolTipWindow"); }
    void AddToolTip() override { log.push_back("AddToolTip"); }
    void RemoveToolTip() override { log.push_back("RemoveToolTip"); }
    void SubClass() override { log.push_back("SubClass"); }
    void UnSubClass() override { log.push_back("UnSubClass"); }
};

} // namespace tovabel::testing
