// The end of a download: which property the completion changes for each name
// and kind of data, the flags around the assignment, and the one
// PropertyDownloaded event that every completion raises.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

std::string Handle(const Picture& picture) {
    char text[16];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(HandleOf(picture)));
    return text;
}

// Everything a completion may change, in one line: the pictures, the cursor,
// the pointer, the URL properties and the sizes of the sounds.
std::string State(Tovabel& c) {
    return Handle(c.GetPicture()) + " " + Handle(c.PictureOver()) + " " + Handle(c.PictureDown()) +
           " " + Handle(c.PictureDisabled()) + " " + Handle(c.MouseIcon()) + " " +
           std::to_string(c.MousePointer()) + " " +
           Narrow(c.URLPicture() + c.URLPictureOver() + c.URLPictureDown() +
                  c.URLPictureDisabled() + c.URLMouseIcon()) +
           " " + std::to_string(c.SoundClick().size()) + " " +
           std::to_string(c.SoundEnter().size()) + " " + std::to_string(c.SoundLeave().size());
}

// A control with a picture in every slot, a usable enter sound and every URL
// property set: each has a download under way.
struct Fixture {
    FakeHost host;
    Tovabel control{host};
    std::vector<std::string> events; // PropertyDownloaded's argument, per event

    explicit Fixture(bool userMode = true) {
        host.userMode = userMode;
        control.Initialize();
        control.InitProperties();
        control.SetPicture(MakePicture(PicType::Bitmap, 0xa0));
        control.SetPictureOver(MakePicture(PicType::Bitmap, 0xa1));
        control.SetPictureDown(MakePicture(PicType::Bitmap, 0xa2));
        control.SetPictureDisabled(MakePicture(PicType::Bitmap, 0xa3));
        control.SetSoundEnter(SoundBytes{1, 2});
        control.SetURLPicture(u"P");
        control.SetURLPictureOver(u"O");
        control.SetURLPictureDown(u"D");
        control.SetURLPictureDisabled(u"X");
        control.SetURLMouseIcon(u"M");
        control.SetSoundClickURL(u"c.wav");
        control.SetSoundEnterURL(u"e.wav");
        control.SetSoundLeaveURL(u"l.wav");
        host.onEvent = [this](std::int32_t, std::span<EventArg> args) {
            events.push_back(args.size() == 1 && std::holds_alternative<Text>(args[0])
                                 ? Narrow(std::get<Text>(args[0]))
                                 : "<bad arguments>");
        };
        host.Clear();
    }
};

constexpr const char* kBefore = "a0 a1 a2 a3 0 99 PODXM 0 2 0";

TEST(DownloadCompletion, NameAndDataChooseWhatChanges) {
    const DownloadedValue failed;
    const DownloadedValue bitmap = MakePicture(PicType::Bitmap, 0xb1);
    const DownloadedValue wave = SoundBytes{'R', 'I', 'F', 'F', 0};
    const std::string box = "MessageBox(Picture properties must be an icon, bitmap, metafile, "
                            "GIF or JPEG.|0|Tovabel1) ";
    struct Case {
        bool userMode;
        std::string name;
        DownloadedValue value;
        std::string told; // the PropertyDownloaded event (9) included
        std::string after;
    };
    const Case cases[] = {
        // A picture goes through its setter and keeps its URL; a failure keeps it.
        {true, "Picture", bitmap, "Picture RaiseEvent(9)", "b1 a1 a2 a3 0 99 PODXM 0 2 0"},
        {true, "PictureOver", failed, "RaiseEvent(9)", kBefore},
        {false, "PictureDown", MakePicture(PicType::Metafile, 0xd1), box + "RaiseEvent(9)",
         kBefore},
        {true, "PictureDisabled", MakePicture(PicType::None, 0), "PictureDisabled RaiseEvent(9)",
         "a0 a1 a2 0 0 99 PODXM 0 2 0"},
        {true, "Picture", wave, "RaiseEvent(9)", kBefore},
        {false, "MouseIcon", bitmap,
         "MessageBox(The MouseIcon property must be an icon or cursor|0|Tovabel1) RaiseEvent(9)",
         kBefore},
        {true, "MouseIcon", MakePicture(PicType::Icon, 0xc1), "MouseIcon RaiseEvent(9)",
         "a0 a1 a2 a3 c1 99 PODXM 0 2 0"},
        // Bytes become a usable sound without notification; an empty file is never played.
        {true, "SoundClick", wave, "RaiseEvent(9)", "a0 a1 a2 a3 0 99 PODXM 5 2 0"},
        {true, "SoundEnter", failed, "RaiseEvent(9)", kBefore},
        {true, "SoundEnter", SoundBytes{}, "RaiseEvent(9)", "a0 a1 a2 a3 0 99 PODXM 0 0 0"},
        {true, "SoundLeave", bitmap, "RaiseEvent(9)", kBefore},
        // Names compare with case, and a URL property's name is no download name.
        {true, "picture", bitmap, "RaiseEvent(9)", kBefore},
        {true, "URLPicture", bitmap, "RaiseEvent(9)", kBefore},
        {true, "", failed, "RaiseEvent(9)", kBefore},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name + " to " + tc.after);
        Fixture f(tc.userMode);
        ASSERT_EQ(State(f.control), kBefore);
        f.control.AsyncReadComplete({tc.name, tc.value});
        EXPECT_EQ(Told(f.host.log), tc.told);
        EXPECT_EQ(State(f.control), tc.after);
        EXPECT_EQ(f.events, Log{tc.name});
    }
}

// The setter sees its flag set, so it leaves the URL property alone; the
// event's handler sees both flags cleared, so a picture it assigns directly
// empties the URL property as any direct assignment does.
TEST(DownloadCompletion, FlagsHoldDuringTheAssignmentOnly) {
    Fixture f;
    Tovabel& c = f.control;
    f.host.onEvent = [&](std::int32_t, std::span<EventArg> args) {
        if (std::get<Text>(args[0]) == u"PictureOver") {
            c.SetPictureOver(MakePicture(PicType::Bitmap, 0xe1));
        }
    };
    c.AsyncReadComplete({"MouseIcon", MakePicture(PicType::Icon, 0xc1)});
    c.AsyncReadComplete({"PictureOver", MakePicture(PicType::Bitmap, 0xb1)});
    // No URL property is emptied before the handler assigns a picture itself.
    EXPECT_EQ(
        Filter(f.host.log, "PropertyChanged", "RaiseEvent"),
        (Log{"PropertyChanged(MouseIcon)", "RaiseEvent(9)", "PropertyChanged(PictureOver)",
             "RaiseEvent(9)", "PropertyChanged(URLPictureOver)", "PropertyChanged(PictureOver)"}));
    EXPECT_EQ(c.URLPictureOver(), u"");
    EXPECT_EQ(HandleOf(c.PictureOver()), 0xe1u);
    EXPECT_EQ(c.URLMouseIcon(), u"M");
}

// There is no cancelling: a completion is applied when it arrives, whatever
// happened to the URL property meanwhile.
TEST(DownloadCompletion, LateCompletionsStillApply) {
    const std::pair<void (*)(Tovabel&), Text> cases[] = {
        {[](Tovabel& c) { c.SetPicture(MakePicture(PicType::Icon, 0xf1)); }, u""},
        {[](Tovabel& c) { c.SetURLPicture(u"second"); }, u"second"},
        {[](Tovabel& c) { c.SetURLPicture(u""); }, u""},
    };
    for (const auto& [meanwhile, url] : cases) {
        SCOPED_TRACE(Narrow(url));
        FakeHost host;
        Tovabel c{host};
        c.Initialize();
        c.InitProperties();
        c.SetURLPicture(u"first");
        meanwhile(c);
        c.AsyncReadComplete({"Picture", MakePicture(PicType::Bitmap, 0xb7)});
        EXPECT_EQ(HandleOf(c.GetPicture()), 0xb7u);
        EXPECT_EQ(c.URLPicture(), url);
    }
}

// A downloaded sound plays from its bytes; emptying the URL stops its use
// while the bytes stay readable.
TEST(DownloadCompletion, DownloadedSoundPlaysUntilItsURLIsEmptied) {
    Fixture f;
    Tovabel& c = f.control;
    c.SetUseSystemSounds(false);
    c.AsyncReadComplete({"SoundClick", SoundBytes(44, 7)});
    const auto click = [&] {
        f.host.Clear();
        c.MouseMove(0, 0, 5, 5);
        c.MouseDown(1, 0, 5, 5);
        c.MouseUp(1, 0, 5, 5);
        return Filter(f.host.log, "PlaySound(44");
    };
    EXPECT_EQ(click(), Log{"PlaySound(44 bytes,7)"});
    c.SetSoundClickURL(u"");
    EXPECT_EQ(click(), Log{});
    EXPECT_EQ(c.SoundClick(), SoundBytes(44, 7));
}

} // namespace
} // namespace tovabel::testing
