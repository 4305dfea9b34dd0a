// A container for native tests. It keeps none of the control's properties and
// records what the outside sees of it, in order, as short text lines: the calls
// to the container and the drawing on its surface.
#pragma once

#include "control/host.h"
#include "control/property_bag.h"
#include "control/tovabel.h"
#include "persist/stream_bag.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {

using Log = std::vector<std::string>;

std::string Narrow(const Text& text);

// The lines of `log` that start with one of `prefixes`.
template <typename... Prefix> Log Filter(const Log& log, const Prefix&... prefixes) {
    Log out;
    for (const std::string& line : log) {
        if ((line.starts_with(prefixes) || ...)) {
            out.push_back(line);
        }
    }
    return out;
}

// The lines of `log` joined by spaces.
std::string Joined(const Log& log);

// What the container is told, in order and in one line: the names of the changed
// properties; events, message boxes, downloads, the capture and what it applies
// to the window as they are logged.
std::string Told(const Log& log);

// The events raised, by DISPID and moves left out: "6 8 1".
std::string Events(const Log& log);

// The colours of the frame's outermost edges, top, left, bottom and right; 0
// where no edge shows.
std::vector<OleColor> EdgesOf(const Tovabel& control);

// "flat" without a frame, else "raised" or "sunken" by the colour of its top.
std::string LookOf(const Tovabel& control);

// A picture of 32 x 32 pixels.
class FakePicture : public PictureObject {
public:
    FakePicture(std::int32_t type, std::uint64_t handle) : mType(type), mHandle(handle) {}
    std::int32_t Type() const override { return mType; }
    std::uint64_t Handle() const override { return mHandle; }
    std::int32_t Width() const override { return 847; } // HIMETRIC
    std::int32_t Height() const override { return 847; }

private:
    std::int32_t mType;
    std::uint64_t mHandle;
};

using namespace PicType;
Picture Pic(std::int32_t type, std::uint64_t handle = 0x1000);

class FakeFont : public FontObject {
public:
    explicit FakeFont(Text name, std::int64_t size = 82500) : mName(std::move(name)), mSize(size) {}
    Text Name() const override { return mName; }
    std::int64_t Size() const override { return mSize; }
    bool Bold() const override { return false; }
    bool Italic() const override { return false; }
    bool Underline() const override { return false; }
    bool Strikethrough() const override { return false; }
    std::int16_t Weight() const override { return 400; }
    std::int16_t Charset() const override { return 0; }

private:
    Text mName;
    std::int64_t mSize;
};

// A picture saves as the text "type handle", a font as "size name"; other
// bytes fail to load.
class FakeObjectCodec : public persist::ObjectCodec {
public:
    bool refuseSaves = false;
    std::optional<persist::Bytes> SavePicture(const PictureObject& picture) override;
    std::optional<Picture> LoadPicture(std::span<const std::uint8_t> bytes) override;
    std::optional<persist::Bytes> SaveFont(const FontObject& font) override;
    std::optional<Font> LoadFont(std::span<const std::uint8_t> bytes) override;
};

// A saved form in the control's own stream holding `values` as they are,
// whatever their defaults.
persist::StreamEntries SavedForm(const std::vector<std::pair<std::string, BagValue>>& values);

// One argument of a logged call or a saved value: unsigned numbers are colours
// or handles and show in hex, a saved object as its bytes.
template <typename T> std::string Str(const T& value) {
    if constexpr (std::is_same_v<T, Text>) {
        return Narrow(value);
    } else if constexpr (std::is_same_v<T, persist::ObjectBlob>) {
        return std::string(value.bytes.begin(), value.bytes.end());
    } else if constexpr (std::is_same_v<T, std::monostate>) {
        return "";
    } else if constexpr (std::is_same_v<T, bool>) {
        return value ? "true" : "false";
    } else if constexpr (std::is_same_v<T, Picture>) {
        return value ? "pic(" + std::to_string(value->Type()) + ")" : "null";
    } else if constexpr (std::is_unsigned_v<T>) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(value));
        return hex;
    } else if constexpr (std::is_arithmetic_v<T>) {
        return std::to_string(value);
    } else {
        return std::string(value);
    }
}

// The container and its surface; text measures `charWidth` pixels a character.
class FakeHost : public Host, public Painter {
public:
    Log log;
    void Clear() { log.clear(); }

    // What the container answers.
    bool userMode = true;
    bool refuseDownloads = false;
    std::optional<Text> extenderToolTip = Text();
    std::optional<bool> extenderTabStop = true;
    double scaleWidth = 40;
    double scaleHeight = 22;
    std::int32_t charWidth = 6;

    // Let a test act while a call is in progress (event handlers, re-entry).
    std::function<void(std::int32_t dispid, std::span<EventArg> args)> onEvent;
    std::function<void(const Text&)> onSetExtenderToolTip;
    std::function<void()> onResize;

    // Logs "name(arg,arg)".
    template <typename... Args> void Record(const char* name, const Args&... args) {
        std::string call = std::string(name) + "(";
        const char* separator = "";
        ((call += separator + Str(args), separator = ","), ...);
        log.push_back(call + ")");
    }

    std::uintptr_t hWnd() override { return 0x1234; }
    double ScaleWidth() override { return scaleWidth; }
    double ScaleHeight() override { return scaleHeight; }
    std::int32_t Width() override { return static_cast<std::int32_t>(scaleWidth * 15); }
    std::int32_t Height() override { return static_cast<std::int32_t>(scaleHeight * 15); }
    void SetWidth(std::int32_t twips) override { Resize("SetWidth", twips, scaleWidth); }
    void SetHeight(std::int32_t twips) override { Resize("SetHeight", twips, scaleHeight); }
    void Cls(OleColor back, const Picture& picture) override {
        picture ? Record("Cls", back, picture) : Record("Cls", back);
    }
    Painter& Paint() override { return *this; }
    Font CopyFont(const Font& font) override { return font; }
    void ApplyFont(const Font& font) override { Record("ApplyFont", font ? font->Name() : u""); }
    void ApplyShape(const Picture& mask, OleColor c) override { Record("ApplyShape", mask, c); }
    void ApplyEnabled(bool enabled) override { Record("ApplyEnabled", enabled); }
    void ApplyAccessKeys(const Text& keys) override { Record("ApplyAccessKeys", keys); }
    bool AmbientUserMode() override { return userMode; }
    Font AmbientFont() override { return std::make_shared<FakeFont>(u"MS Sans Serif"); }
    bool AmbientDisplayAsDefault() override { return false; }
    std::optional<Text> ExtenderToolTipText() override { return extenderToolTip; }
    bool SetExtenderToolTipText(const Text& text) override;
    std::optional<bool> ExtenderTabStop() override { return extenderTabStop; }
    Text DisplayName() override { return u"Tovabel1"; }
    void PropertyChanged(std::string_view name) override { Record("PropertyChanged", name); }
    bool AsyncRead(const Text& target, AsyncType type, std::string_view name) override {
        Record("AsyncRead", target, static_cast<std::int32_t>(type), name);
        return !refuseDownloads;
    }
    void RaiseEvent(std::int32_t dispid, std::span<EventArg> args) override {
        Record("RaiseEvent", dispid);
        if (onEvent) {
            onEvent(dispid, args);
        }
    }
    void SetCapture() override { log.push_back("SetCapture"); }
    void ReleaseCapture() override { log.push_back("ReleaseCapture"); }
    void SetTimer(TimerId id, bool running, std::int32_t intervalMs) override {
        Record("SetTimer", id == TimerId::MenuPop ? "MenuPop" : "Redraw", running ? "on" : "off",
               intervalMs);
    }
    std::int32_t MessageBox(const Text& prompt, std::int32_t buttons,
                            const std::optional<Text>& title) override {
        log.push_back("MessageBox(" + Narrow(prompt) + "|" + Str(buttons) + "|" +
                      Narrow(title.value_or(u"<default>")) + ")");
        return 1;
    }
    void ShowAboutBox() override { log.push_back("ShowAboutBox"); }
    ComponentInfo App() override { return {u"Tovabel", u"Tovabel", 1, 0, 0}; }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    void PlaySound(const Sound& sound, std::uint32_t flags) override {
        const auto* name = std::get_if<std::string>(&sound);
        Record("PlaySound", name ? *name : std::to_string(std::get<1>(sound).size()) + " bytes",
               flags);
    }
    void CreateSharedPainting() override {}
    void ReleaseSharedPainting() override {}
    void MarkSafeForScripting(std::string_view) override {}
    void CreateToolTipWindow() override { log.push_back("CreateToolTipWindow"); }
    void AddToolTip() override { log.push_back("AddToolTip"); }
    void RemoveToolTip() override { log.push_back("RemoveToolTip"); }
    void SubClass() override { log.push_back("SubClass"); }
    void UnSubClass() override { log.push_back("UnSubClass"); }

    TextSize TextExtent(const Text& text) override {
        return {static_cast<std::int32_t>(text.size()) * charWidth, 13};
    }
    void TextOut(std::int32_t x, std::int32_t y, const Text& t) override {
        Record("TextOut", x, y, t);
    }
    void SetTextColor(OleColor color) override { Record("SetTextColor", color); }
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  OleColor color) override {
        Record("FillRect", left, top, right, bottom, color);
    }
    void ReplaceCaptionFont(const CaptionLogFont& f) override {
        Record("ReplaceCaptionFont", f.lfHeight, f.lfEscapement, std::int32_t{f.lfUnderline});
    }
    void DeleteCaptionFont() override { log.push_back("DeleteCaptionFont"); }
    void PaintTransparentPicture(const PicturePaint& p) override { Painted("PaintTransparent", p); }
    void PaintDisabledPicture(const PicturePaint& p) override { Painted("PaintDisabled", p); }

private:
    void Resize(const char* name, std::int32_t twips, double& pixels);
    // Logs "PaintXPicture(...)", with " checks(...)" when it draws the check pattern.
    void Painted(const char* x, const PicturePaint& paint);
};

using Change = std::function<void(Tovabel&)>;

// A write of `value` through `setter`, for tables of changes.
template <typename V> Change Set(void (Tovabel::*setter)(V), std::remove_cvref_t<V> value) {
    return [=](Tovabel& c) { (c.*setter)(value); };
}

// The changes one after the other.
template <typename... C> Change All(const C&... changes) {
    return [=](Tovabel& c) { (changes(c), ...); };
}

// How a Button makes its control.
struct Options {
    std::int32_t style = tvStyle::Normal;
    bool userMode = true;
    bool autoSize = true;
    double width = 40;
    double height = 22;
    bool isNew = true; // else about to be loaded
};

// A control of `Options` in a FakeHost, its log cleared.
struct Button {
    FakeHost host;
    Tovabel control{host};
    FakeObjectCodec codec;

    explicit Button(const Options& options = {});
    // Plays gestures separated by spaces, a letter and a number each: m X moves over
    // it (M with the left button held), d and u press and release the left button, r
    // and R the right one, at X (10 when left out; y is 10); k CODE is a key, a CODE
    // one with Alt, A CODE an access key; p and t fire the menu and redraw timers, f
    // and x are the focus entering and leaving and c the cancel mode.
    Button& Do(const std::string& gestures);
    persist::StreamEntries Saved();
    void Load(const persist::StreamEntries& entries);
};

} // namespace tovabel::testing
