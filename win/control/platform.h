// The platform calls the control makes outside OLE: the sound player, the
// message box, the screen's resolution, the component categories in the
// registry and the facts of the module's version resource.
#pragma once

#include "control/host.h"

#include <windows.h>

#include <string_view>

namespace tovabel::win {

// Replaceable entry points, so that tests can observe what the control asks of
// the platform instead of hearing a sound or answering a modal box.
struct PlatformHooks {
    using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
    using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCWSTR text, LPCWSTR title, UINT type);
    PlaySoundFunction playSound;
    MessageBoxFunction messageBox;
};
PlatformHooks& Hooks();

// Plays a system sound by name or WAV bytes from memory, with module 0.
void PlaySound(const Sound& sound, std::uint32_t flags);

// Writes the two component-category keys that mark the class safe for
// scripting and for initialisation. Failures are ignored.
void MarkSafeForScripting(std::string_view classId);

// Twips per screen pixel along x or y (1440 / dots per inch).
double TwipsPerPixelX();
double TwipsPerPixelY();

// Title, product name and version from the module's own version resource.
ComponentInfo ReadComponentInfo();

} // namespace tovabel::win
