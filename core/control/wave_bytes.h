// WAV bytes as the system's sound player reads them from memory: it trusts
// the sizes written in the RIFF header and in each chunk, so sound data that a
// user or a download gave the control is checked, and its sizes cut to the
// bytes that are really there, before it is handed over.
#pragma once

#include <cstdint>
#include <vector>

namespace tovabel {

// Makes `bytes` safe to play from memory: true when they hold a RIFF "WAVE"
// file with a "fmt " chunk and a "data" chunk whose declared sizes, after
// being cut to the bytes present, all lie inside `bytes`; false (and `bytes`
// unchanged) when they cannot be played at all.
bool MakeWaveSafeToPlay(std::vector<std::uint8_t>& bytes);

} // namespace tovabel
