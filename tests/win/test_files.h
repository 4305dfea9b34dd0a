// Files for the tests, made in code: pictures in the formats the platform's
// picture loader reads, and sounds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tovabel::wintest {

using FileBytes = std::vector<std::uint8_t>;

// A 24-bit bitmap file, `width` x `height` pixels of `color`.
FileBytes BitmapFile(int width, int height, COLORREF color);
// An icon file (or a cursor file) with one 32-bit image of `size` pixels.
FileBytes IconFile(int size, bool cursor);
// A short, well-formed PCM WAV file: 8 kHz, 8 bits, mono.
FileBytes WaveFile(std::uint8_t sample, std::size_t samples = 64);

// Writes `bytes` to `path`; false on failure.
bool SaveFile(const std::wstring& path, const FileBytes& bytes);

} // namespace tovabel::wintest
