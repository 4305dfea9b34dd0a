// Sounds through the platform's player, as the control library calls it: the
// library's import of PlaySoundA is pointed at a recorder for these tests.
#include "com_client.h"
#include "import_patch.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cstring>
#include <string>
#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;

struct Call {
    std::string name;                // a system sound's name, or empty for bytes
    std::vector<std::uint8_t> bytes; // the bytes as they were when the call came
    const std::uint8_t* where = nullptr;
    HMODULE module = nullptr;
    DWORD flags = 0;
};
std::vector<Call> gCalls;

BOOL WINAPI RecordPlaySound(LPCSTR sound, HMODULE module, DWORD flags) {
    if (sound == nullptr) { // a request to stop the sound playing
        return TRUE;
    }
    Call call;
    call.module = module;
    call.flags = flags;
    if ((flags & SND_MEMORY) != 0) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(sound);
        std::uint32_t riffSize = 0;
        std::memcpy(&riffSize, bytes + 4, 4);
        call.where = bytes;
        call.bytes.assign(bytes, bytes + 8 + riffSize);
    } else {
        call.name = sound;
    }
    gCalls.push_back(call);
    return TRUE;
}

class Sounds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 22}));
        patch =
            std::make_unique<ImportPatch>(GetModuleHandleW(L"Tovabel2.ocx"), "winmm.dll",
                                          "PlaySoundA", reinterpret_cast<void*>(&RecordPlaySound));
        ASSERT_TRUE(patch->Active()) << "the library plays sounds through winmm's PlaySoundA";
        gCalls.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        container.Destroy();
        patch.reset();
    }
    void Click() { ClickAndLeave(container.ControlWindow()); }

    Container container;
    std::unique_ptr<ImportPatch> patch;
};

TEST_F(Sounds, SystemSoundsByNameWithoutModuleAndAsynchronous) {
    Click();
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].name, "MenuPopup");
    EXPECT_EQ(gCalls[1].name, "MenuCommand");
    for (const Call& call : gCalls) {
        EXPECT_EQ(call.module, nullptr);
        EXPECT_EQ(call.flags, static_cast<DWORD>(SND_ASYNC | SND_NODEFAULT));
    }
}

TEST_F(Sounds, OwnSoundsPlayFromMemoryAndOutliveTheirInstance) {
    const std::vector<std::uint8_t> enter = WaveFile(0x40);
    const std::vector<std::uint8_t> click = WaveFile(0x41);
    const std::vector<std::uint8_t> leave = WaveFile(0x42);
    ASSERT_EQ(S_OK, PutAll(container, {{L"UseSystemSounds", Bool(false)},
                                       {L"SoundEnter", Bytes(enter)},
                                       {L"SoundClick", Bytes(click)},
                                       {L"SoundLeave", Bytes(leave)}}));
    Click();
    ASSERT_EQ(gCalls.size(), 3u);
    const std::vector<std::uint8_t>* expected[] = {&enter, &click, &leave};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(gCalls[i].flags, static_cast<DWORD>(SND_ASYNC | SND_NODEFAULT | SND_MEMORY));
        EXPECT_EQ(gCalls[i].bytes, *expected[i]);
    }
    // The player may still be reading the last sound: replacing the property
    // and ending the control leave its bytes in place.
    const Call& playing = gCalls.back();
    ASSERT_EQ(S_OK, container.Put(L"SoundLeave", *Bytes(WaveFile(0x99, 10))));
    container.Destroy();
    EXPECT_EQ(std::vector<std::uint8_t>(playing.where, playing.where + playing.bytes.size()),
              playing.bytes);
}

// Without the recorder: the real player, which has no audio device here,
// fails quietly for every kind of sound.
TEST_F(Sounds, RealPlayerFailsQuietly) {
    patch.reset();
    ASSERT_EQ(S_OK, container.Put(L"SoundEnter", *Bytes(WaveFile(0x60))));
    Click();
    ASSERT_EQ(S_OK, container.Put(L"UseSystemSounds", *Bool(false)));
    Click();
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"still here")));
}

} // namespace
} // namespace tovabel::wintest
