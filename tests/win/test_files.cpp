#include "test_files.h"

#include <fstream>
#include <initializer_list>

namespace tovabel::wintest {

namespace {

void Put16(FileBytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(FileBytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(FileBytes& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

void Put32s(FileBytes& out, std::initializer_list<std::uint32_t> values) {
    for (const std::uint32_t value : values) {
        Put32(out, value);
    }
}

// A BITMAPINFOHEADER without compression.
void PutInfoHeader(FileBytes& out, int width, int height, int bits, std::uint32_t imageSize) {
    Put32s(out, {40, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32s(out, {BI_RGB, imageSize, 0, 0, 0, 0});
}

} // namespace

FileBytes BitmapFile(int width, int height, COLORREF color) {
    // 24-bit BGR rows, each padded to four bytes.
    const auto stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t size = stride * static_cast<std::uint32_t>(height);
    FileBytes out{'B', 'M'};
    Put32s(out, {14 + 40 + size, 0, 14 + 40});
    PutInfoHeader(out, width, height, 24, size);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.insert(out.end(), {GetBValue(color), GetGValue(color), GetRValue(color)});
        }
        out.insert(out.end(), stride - static_cast<std::uint32_t>(width) * 3, 0);
    }
    return out;
}

FileBytes IconFile(int size, bool cursor) {
    const auto side = static_cast<std::uint32_t>(size);
    const std::uint32_t maskStride = ((side + 31) / 32) * 4;
    const std::uint32_t imageSize = 40 + side * side * 4 + maskStride * side;
    FileBytes out;
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(side));
    out.push_back(static_cast<std::uint8_t>(side));
    out.push_back(0);                   // colours
    out.push_back(0);                   // reserved
    Put16(out, cursor ? side / 2 : 1);  // planes, or the hot spot's x
    Put16(out, cursor ? side / 2 : 32); // bits, or the hot spot's y
    Put32(out, imageSize);
    Put32(out, 6 + 16);
    PutInfoHeader(out, size, size * 2, 32, side * side * 4 + maskStride * side);
    for (std::uint32_t i = 0; i < side * side; ++i) {
        Put32(out, 0xFF2050A0u); // opaque
    }
    out.insert(out.end(), maskStride * side, 0);
    return out;
}

FileBytes WaveFile(std::uint8_t sample, std::size_t samples) {
    FileBytes bytes;
    bytes.reserve(44 + samples);
    PutTag(bytes, "RIFF");
    Put32(bytes, static_cast<std::uint32_t>(36 + samples));
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, 16);
    Put32(bytes, 0x00010001);    // PCM, mono
    Put32s(bytes, {8000, 8000}); // samples and bytes per second
    Put32(bytes, 0x00080001);    // block alignment 1, 8 bits per sample
    PutTag(bytes, "data");
    Put32(bytes, static_cast<std::uint32_t>(samples));
    bytes.insert(bytes.end(), samples, sample);
    return bytes;
}

bool SaveFile(const std::wstring& path, const FileBytes& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace tovabel::wintest
