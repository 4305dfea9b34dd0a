#include "platform.h"

#include "win/common/gdi.h"
#include "win/common/module.h"
#include "win/common/reg_key.h"
#include "win/common/text.h"

#include "control/wave_bytes.h"

#include <mmsystem.h>

#include <mutex>
#include <string>
#include <vector>

namespace tovabel::win {

namespace {

// The bytes of the memory sound that may be playing, for the whole process
// (the player plays one sound at a time for the process).
struct PlayingSound {
    std::mutex lock;
    std::vector<std::uint8_t> bytes;
};

PlayingSound& Playing() {
    static PlayingSound playing;
    return playing;
}

} // namespace

void PlaySound(const Sound& sound, std::uint32_t flags) {
    PlayingSound& playing = Playing();
    const std::lock_guard<std::mutex> guard(playing.lock);
    // Freed when this returns: by then the new sound has stopped the old one.
    const std::vector<std::uint8_t> previous = std::move(playing.bytes);
    playing.bytes.clear();
    BOOL started = FALSE;
    if (const auto* name = std::get_if<std::string>(&sound)) {
        started = ::PlaySoundA(name->c_str(), nullptr, flags);
    } else {
        const auto& bytes = std::get<std::span<const std::uint8_t>>(sound);
        std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
        if (MakeWaveSafeToPlay(copy)) {
            playing.bytes = std::move(copy);
            started = ::PlaySoundA(reinterpret_cast<LPCSTR>(playing.bytes.data()), nullptr, flags);
        }
    }
    if (!started && !previous.empty()) {
        ::PlaySoundA(nullptr, nullptr, 0); // make sure nothing reads `previous` any more
    }
}

void StopSounds() {
    PlayingSound& playing = Playing();
    const std::lock_guard<std::mutex> guard(playing.lock);
    ::PlaySoundA(nullptr, nullptr, 0);
    playing.bytes = std::vector<std::uint8_t>();
}

void MarkSafeForScripting(std::string_view classId) {
    static constexpr const char* kCategorySuffixes[] = {
        "}\\Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
        "}\\Implemented Categories\\{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
    };
    static char kClassString[] = "0";
    for (const char* suffix : kCategorySuffixes) {
        const std::string path = "CLSID\\{" + std::string(classId) + suffix;
        SECURITY_ATTRIBUTES security{};
        RegKey key;
        DWORD disposition = 0;
        // The result is not examined: without write access the control goes on unmarked.
        RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, kClassString, 0, 0x20006, &security,
                        key.Put(), &disposition);
    }
}

namespace {

double TwipsPerPixel(int axis) {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), axis) : 0;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

Text VersionString(std::vector<BYTE>& block, const wchar_t* name) {
    // The first translation of the resource names the string table to read.
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
             translation->codePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size) ||
        value == nullptr || size == 0) {
        return {};
    }
    return FromWide(std::wstring_view(value));
}

} // namespace

// The screen's resolution stays the system's for the life of the process (a
// new one takes a new sign-in), so it is read once: asking a screen DC costs
// calls to the window server, and a repaint needs the scale several times.
double TwipsPerPixelX() {
    static const double twips = TwipsPerPixel(LOGPIXELSX);
    return twips;
}

double TwipsPerPixelY() {
    static const double twips = TwipsPerPixel(LOGPIXELSY);
    return twips;
}

ComponentInfo ReadComponentInfo() {
    ComponentInfo info;
    HMODULE self = module::Handle();
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    HGLOBAL loaded = found != nullptr ? LoadResource(self, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return info;
    }
    // VerQueryValue reads from a private copy of the block (it may write into it).
    const auto* bytes = static_cast<const BYTE*>(data);
    std::vector<BYTE> block(bytes, bytes + SizeofResource(self, found));
    block.resize(block.size() * 2);

    info.title = VersionString(block, L"InternalName");
    info.productName = VersionString(block, L"ProductName");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) &&
        size >= sizeof(VS_FIXEDFILEINFO)) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = HIWORD(fixed->dwFileVersionLS);
    }
    return info;
}

} // namespace tovabel::win
