// Everything the control asks of its container: the drawing surface, ambient and
// extender properties, change notification, downloads, event raising, the mouse
// capture, timers, message boxes, sounds and the facts of the running component.
// It offers services only: the control keeps its properties itself and hands
// the platform a value where the platform needs one, never asking it back.
// The Windows layer implements it on a real OLE site; tests use a recording fake.
#pragma once

#include "control/types.h"
#include "render/painter.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace tovabel {

// Dispatch identifiers of the control's events.
namespace EventId {
#define TOVABEL_EVENT(Name, Dispid, ...) inline constexpr std::int32_t Name = Dispid;
#include "control/tovabel_events.def"
} // namespace EventId

// The name under which clients know the event with dispatch identifier `id`;
// empty for an identifier that is not one of the control's events.
constexpr std::string_view EventName(std::int32_t id) {
    switch (id) {
#define TOVABEL_EVENT(Name, Dispid, ...)                                                           \
    case EventId::Name:                                                                            \
        return #Name;
#include "control/tovabel_events.def"
    default:
        return {};
    }
}

// One event argument: Integer, Long, Single or String. By-reference arguments
// (Resize's Width and Height, KeyPress's keyAscii) are written back in place.
using EventArg = std::variant<std::int16_t, std::int32_t, float, Text>;

// What `AsyncRead` is asked to deliver.
enum class AsyncType : std::int32_t { PictureData = 0, ByteArray = 2 };

// The control's two timers.
enum class TimerId { MenuPop, Redraw };

// Facts of the running component (title, product name and version).
struct ComponentInfo {
    Text title;
    Text productName;
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t revision = 0;
};

// Flags of the platform's sound player.
namespace SoundFlags {
inline constexpr std::uint32_t Async = 0x1;
inline constexpr std::uint32_t NoDefault = 0x2;
inline constexpr std::uint32_t Memory = 0x4;
inline constexpr std::uint32_t SystemSound = Async | NoDefault;       // 3
inline constexpr std::uint32_t WaveData = Async | NoDefault | Memory; // 7
} // namespace SoundFlags

// A sound handed to the player: a system sound name or the bytes of a WAV file.
using Sound = std::variant<std::string, std::span<const std::uint8_t>>;

// Message box buttons: OK only.
inline constexpr std::int32_t kMessageBoxOkOnly = 0;

class Host {
public:
    virtual ~Host() = default;

    // Surface: the window, its size and what is drawn on it. The control keeps
    // its properties itself; the calls below only apply them to the platform.
    virtual std::uintptr_t hWnd() = 0;
    virtual double ScaleWidth() = 0;  // client width, pixels
    virtual double ScaleHeight() = 0; // client height, pixels
    virtual std::int32_t Width() = 0; // outer size, twips
    virtual std::int32_t Height() = 0;
    // Each size change reaches the container at once and may come back as a
    // resize notification before the call returns.
    virtual void SetWidth(std::int32_t twips) = 0;
    virtual void SetHeight(std::int32_t twips) = 0;
    // Erases everything drawn on the surface (the lines of the face stay): fills
    // it with `backColor`, then draws `background` at its own size, if any.
    virtual void Cls(OleColor backColor, const Picture& background) = 0;
    // Draws on the surface; what is drawn stays until the next Cls.
    virtual Painter& Paint() = 0;
    // A font object of the control's own that looks like `font`: changing the
    // copy never changes the object given (often the container's ambient font).
    virtual Font CopyFont(const Font& font) = 0;
    // The surface measures and draws text in `font` from now on.
    virtual void ApplyFont(const Font& font) = 0;
    // The window's visible shape: the pixels of `mask` that are not `maskColor`;
    // the whole window for no mask.
    virtual void ApplyShape(const Picture& mask, OleColor maskColor) = 0;
    // A disabled control's window takes neither the focus nor keys nor the pointer.
    virtual void ApplyEnabled(bool enabled) = 0;
    // The access keys changed: the container asks for the new mnemonics.
    virtual void ApplyAccessKeys(const Text& keys) = 0;

    // Ambient properties of the container.
    virtual bool AmbientUserMode() = 0; // false in design mode
    virtual Font AmbientFont() = 0;
    virtual bool AmbientDisplayAsDefault() = 0;

    // Late-bound extender properties; nullopt / false when the call fails.
    virtual std::optional<Text> ExtenderToolTipText() = 0;
    virtual bool SetExtenderToolTipText(const Text& text) = 0;
    virtual std::optional<bool> ExtenderTabStop() = 0;
    // The control's name as the container reports it (title of some messages).
    virtual Text DisplayName() = 0;

    // Notifications to the container.
    virtual void PropertyChanged(std::string_view name) = 0;
    // Starts a download; false when the host refused to start it.
    virtual bool AsyncRead(const Text& target, AsyncType type, std::string_view propertyName) = 0;
    virtual void RaiseEvent(std::int32_t dispid, std::span<EventArg> args) = 0;

    // The mouse capture, shared by every window of the thread.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;

    // Starts the timer when `running`, stops it otherwise; ticks come back
    // through Tovabel::OnTimer.
    virtual void SetTimer(TimerId id, bool running, std::int32_t intervalMs) = 0;

    // A modal message box; title nullopt means the host's default title.
    virtual std::int32_t MessageBox(const Text& prompt, std::int32_t buttons,
                                    const std::optional<Text>& title) = 0;
    virtual void ShowAboutBox() = 0;

    // Facts of the running component and the screen.
    virtual ComponentInfo App() = 0;
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;

    // The platform's sound player, called with module 0 and the given flags.
    virtual void PlaySound(const Sound& sound, std::uint32_t flags) = 0;

    // The painting objects every instance of the thread shares: created with
    // the first instance, released with the last.
    virtual void CreateSharedPainting() = 0;
    virtual void ReleaseSharedPainting() = 0;

    // Marks the class safe for scripting and initialisation in the registry.
    virtual void MarkSafeForScripting(std::string_view classId) = 0;

    // Window services of run mode: the shared tooltip and the window subclass.
    virtual void CreateToolTipWindow() = 0;
    virtual void AddToolTip() = 0;
    virtual void RemoveToolTip() = 0;
    virtual void SubClass() = 0;
    virtual void UnSubClass() = 0;
};

} // namespace tovabel
