// The platform calls the control makes outside OLE: the sound player and
// the component categories in the registry.
#pragma once

#include "control/host.h"
// The screen's scale and the module's version facts, which the property
// pages use too, live in win/common.
#include "win/common/screen.h"
#include "win/common/version_info.h"

#include <windows.h>

#include <string_view>

namespace tovabel::win {

// Plays a system sound by name or WAV bytes from memory, with module 0.
// The player reads memory sounds while they play, after this returns: the
// library keeps its own copy of the bytes (checked, and their sizes cut to the
// bytes there) until the next sound has stopped them or `StopSounds` ran, so
// an instance may replace its sound or end while its sound plays. Bytes the
// player could not read are not played. Failures (no audio device) are quiet.
void PlaySound(const Sound& sound, std::uint32_t flags);
// Stops the sound playing and frees the bytes kept for it.
void StopSounds();

// Writes the two component-category keys that mark the class safe for
// scripting and for initialisation. Failures are ignored.
void MarkSafeForScripting(std::string_view classId);

} // namespace tovabel::win
