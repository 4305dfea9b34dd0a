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

using Log = std::vector<std::string>;

std::string Handle(const Picture& picture) {
    char text[16];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(HandleOf(picture)));
    return text;
}

// Everything a completion may change, in one line.
std::string State(Tovabel& c) {
    return "pictures " + Handle(c.GetPicture()) + " " + Handle(c.PictureOver()) + " " +
           Handle(c.PictureDown()) + " " + Handle(c.PictureDisabled()) + " icon " +
           Handle(c.MouseIcon()) + " pointer " + std::to_string(c.MousePointer()) + " urls " +
           Narrow(c.URLPicture() + c.URLPictureOver() + c.URLPictureDown() +
                  c.URLPictureDisabled() + c.URLMouseIcon()) +
           " sounds " + std::to_string(c.SoundClick().size()) + " " +
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
        host.onEventArgs = [this](std::span<EventArg> args) {
            events.push_back(args.size() == 1 && std::holds_alternative<Text>(args[0])
                                 ? Narrow(std::get<Text>(args[0]))
                                 : "<bad arguments>");
        };
        host.Clear();
    }
};

constexpr const char* kBefore = "pictures a0 a1 a2 a3 icon 0 pointer 99 urls PODXM sounds 0 2 0";

TEST(DownloadCompletion, NameAndDataChooseWhatChanges) {
    const DownloadedValue failed;
    const DownloadedValue bitmap = MakePicture(PicType::Bitmap, 0xb1);
    const DownloadedValue icon = MakePicture(PicType::Icon, 0xc1);
    const DownloadedValue metafile = MakePicture(PicType::Metafile, 0xd1);
    const DownloadedValue emptyPicture = MakePicture(PicType::None, 0);
    const DownloadedValue wave = SoundBytes{'R', 'I', 'F', 'F', 0};
    const DownloadedValue noBytes = SoundBytes{};
    const std::string box = "MessageBox(Picture properties must be an icon, bitmap, metafile, "
                            "GIF or JPEG.|0|Tovabel1)";
    struct Case {
        const char* what;
        bool userMode;
        std::string name;
        DownloadedValue value;
        Log calls; // everything the completion asked of the host, the event included
        std::string after;
    };
    const Case cases[] = {
        {"a picture goes through its setter and keeps its URL",
         true,
         "Picture",
         bitmap,
         {"PropertyChanged(Picture)", "RaiseEvent(9)"},
         "pictures b1 a1 a2 a3 icon 0 pointer 99 urls PODXM sounds 0 2 0"},
        {"a failed download keeps the picture",
         true,
         "PictureOver",
         failed,
         {"RaiseEvent(9)"},
         kBefore},
        {"a metafile is refused with the message in design mode",
         false,
         "PictureDown",
         metafile,
         {box, "RaiseEvent(9)"},
         kBefore},
        {"a picture without type empties the slot but keeps the URL",
         true,
         "PictureDisabled",
         emptyPicture,
         {"PropertyChanged(PictureDisabled)", "RaiseEvent(9)"},
         "pictures a0 a1 a2 0 icon 0 pointer 99 urls PODXM sounds 0 2 0"},
        {"bytes are no picture", true, "Picture", wave, {"RaiseEvent(9)"}, kBefore},
        {"a bitmap is refused as the cursor",
         false,
         "MouseIcon",
         bitmap,
         {"MessageBox(The MouseIcon property must be an icon or cursor|0|Tovabel1)",
          "RaiseEvent(9)"},
         kBefore},
        {"an icon becomes the cursor and URLMouseIcon keeps its text",
         true,
         "MouseIcon",
         icon,
         {"PropertyChanged(MouseIcon)", "RaiseEvent(9)"},
         "pictures a0 a1 a2 a3 icon c1 pointer 99 urls PODXM sounds 0 2 0"},
        {"bytes become a usable sound, without notification",
         true,
         "SoundClick",
         wave,
         {"RaiseEvent(9)"},
         "pictures a0 a1 a2 a3 icon 0 pointer 99 urls PODXM sounds 5 2 0"},
        {"a failed sound keeps the bytes and their use",
         true,
         "SoundEnter",
         failed,
         {"RaiseEvent(9)"},
         kBefore},
        {"an empty file is kept but never played",
         true,
         "SoundEnter",
         noBytes,
         {"RaiseEvent(9)"},
         "pictures a0 a1 a2 a3 icon 0 pointer 99 urls PODXM sounds 0 0 0"},
        {"a picture is no sound", true, "SoundLeave", bitmap, {"RaiseEvent(9)"}, kBefore},
        {"names compare with case", true, "picture", bitmap, {"RaiseEvent(9)"}, kBefore},
        {"a URL property's name is no download name",
         true,
         "URLPicture",
         bitmap,
         {"RaiseEvent(9)"},
         kBefore},
        {"an empty name", true, "", failed, {"RaiseEvent(9)"}, kBefore},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.what);
        Fixture f(tc.userMode);
        ASSERT_EQ(State(f.control), kBefore);
        f.control.AsyncReadComplete({tc.name, tc.value});
        EXPECT_EQ(Notifications(f.host.log), tc.calls);
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
    Log seen;
    f.host.onPropertyChanged = [&](std::string_view name) { seen.push_back(std::string(name)); };
    f.host.onEvent = [&](std::int32_t) {
        seen.push_back("event");
        if (f.events.back() == "PictureOver") {
            c.SetPictureOver(MakePicture(PicType::Bitmap, 0xe1));
        }
    };
    c.AsyncReadComplete({"MouseIcon", MakePicture(PicType::Icon, 0xc1)});
    c.AsyncReadComplete({"PictureOver", MakePicture(PicType::Bitmap, 0xb1)});
    // No URL property is emptied before the handler assigns a picture itself.
    EXPECT_EQ(seen,
              (Log{"MouseIcon", "event", "PictureOver", "event", "URLPictureOver", "PictureOver"}));
    EXPECT_EQ(c.URLPictureOver(), u"");
    EXPECT_EQ(HandleOf(c.PictureOver()), 0xe1u);
    EXPECT_EQ(c.URLMouseIcon(), u"M");
}

// There is no cancelling: a completion is applied when it arrives, whatever
// happened to the URL property meanwhile.
TEST(DownloadCompletion, LateCompletionsStillApply) {
    struct Case {
        const char* what;
        void (*meanwhile)(Tovabel& c);
        std::size_t completed; // which of the host's downloads completes last
        Text url;
    };
    const Case cases[] = {
        {"the picture was assigned directly",
         [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Icon, 0xf1)); }, 0, u""},
        {"the URL changed twice and the first finishes last",
         [](Tovabel& c) {
             c.SetURLPicture(u"second");
             c.SetURLPicture(u"third");
         },
         0, u"third"},
        {"the URL was emptied", [](Tovabel& c) { c.SetURLPicture(u""); }, 0, u""},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.what);
        FakeHost host;
        Tovabel c{host};
        c.Initialize();
        c.InitProperties();
        c.SetURLPicture(u"first");
        tc.meanwhile(c);
        ASSERT_GT(host.downloads.size(), tc.completed);
        for (std::size_t i = 0; i < host.downloads.size(); ++i) {
            if (i != tc.completed) {
                c.AsyncReadComplete({host.downloads[i].propertyName, {}});
            }
        }
        const FakeHost::Download& last = host.downloads[tc.completed];
        EXPECT_EQ(last.target, u"first");
        c.AsyncReadComplete({last.propertyName, MakePicture(PicType::Bitmap, 0xb7)});
        EXPECT_EQ(HandleOf(c.GetPicture()), 0xb7u);
        EXPECT_EQ(c.URLPicture(), tc.url);
    }
}

// A downloaded sound plays from its bytes; emptying the URL stops its use
// while the bytes stay readable.
TEST(DownloadCompletion, DownloadedSoundPlaysUntilItsURLIsEmptied) {
    Fixture f;
    Tovabel& c = f.control;
    c.SetUseSystemSounds(false);
    ASSERT_EQ(f.host.downloads.back().propertyName, "SoundLeave");
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
