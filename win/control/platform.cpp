#include "platform.h"

#include "win/common/reg_key.h"

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

} // namespace tovabel::win
