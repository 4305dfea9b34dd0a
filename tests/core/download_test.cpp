// The end of a download: which property the completion changes for each name
// and kind of data, the flags around the assignment, and the one
// PropertyDownloaded event that every completion raises.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using T = Tovabel;

// Everything a completion may change, in one line: the pictures, the cursor,
// the pointer, the URL properties and the sizes of the sounds.
std::string State(Tovabel& c) {
    std::string out;
    for (const Picture* p : {&c.GetPicture(), &c.PictureOver(), &c.PictureDown(),
                             &c.PictureDisabled(), &c.MouseIcon()}) {
        out += Str(HandleOf(*p)) + " ";
    }
    return out + std::to_string(c.MousePointer()) + " " +
           Narrow(c.URLPicture() + c.URLPictureOver() + c.URLPictureDown() +
                  c.URLPictureDisabled() + c.URLMouseIcon()) +
           " " + std::to_string(c.SoundClick().size()) + " " +
           std::to_string(c.SoundEnter().size()) + " " + std::to_string(c.SoundLeave().size());
}

// A control with a picture in every slot, a usable enter sound and every URL
// property set: each has a download under way. `events` gets
// PropertyDownloaded's argument, per event.
struct Downloading : Button {
    std::vector<std::string> events;

    explicit Downloading(bool userMode = true) : Button({.userMode = userMode}) {
        All(Set(&T::SetPicture, Pic(Bitmap, 0xA0)), Set(&T::SetPictureOver, Pic(Bitmap, 0xA1)),
            Set(&T::SetPictureDown, Pic(Bitmap, 0xA2)),
            Set(&T::SetPictureDisabled, Pic(Bitmap, 0xA3)),
            Set(&T::SetSoundEnter, SoundBytes{1, 2}), Set(&T::SetURLPicture, u"P"),
            Set(&T::SetURLPictureOver, u"O"), Set(&T::SetURLPictureDown, u"D"),
            Set(&T::SetURLPictureDisabled, u"X"), Set(&T::SetURLMouseIcon, u"M"),
            Set(&T::SetSoundClickURL, u"c.wav"), Set(&T::SetSoundEnterURL, u"e.wav"),
            Set(&T::SetSoundLeaveURL, u"l.wav"))(control);
        host.onEvent = [this](std::int32_t, std::span<EventArg> args) {
            events.push_back(args.size() == 1 && std::holds_alternative<Text>(args[0])
                                 ? Narrow(std::get<Text>(args[0]))
                                 : "<bad arguments>");
        };
        host.Clear();
    }
};

constexpr const char* kBefore = "A0 A1 A2 A3 0 99 PODXM 0 2 0";

// A picture goes through its setter and keeps its URL; a failure keeps it.
// Bytes become a usable sound without notification; an empty file is never
// played. Names compare with case, and a URL property's name is no download
// name.
TEST(DownloadCompletion, NameAndDataChooseWhatChanges) {
    const DownloadedValue failed;
    const DownloadedValue bitmap = Pic(Bitmap, 0xB1);
    const DownloadedValue wave = SoundBytes{'R', 'I', 'F', 'F', 0};
    const std::string box = "MessageBox(Picture properties must be an icon, bitmap, metafile, "
                            "GIF or JPEG.|0|Tovabel1) ";
    const std::string cursorBox = "MessageBox(The MouseIcon property must be an "
                                  "icon or cursor|0|Tovabel1) ";
    // The mode, the name and data, what the container is told (the PropertyDownloaded
    // event, 9, included) and the state after.
    using Case = std::tuple<bool, std::string, DownloadedValue, std::string, std::string>;
    const Case cases[] = {
        {true, "Picture", bitmap, "Picture RaiseEvent(9)", "B1 A1 A2 A3 0 99 PODXM 0 2 0"},
        {true, "PictureOver", failed, "RaiseEvent(9)", kBefore},
        {false, "PictureDown", Pic(Metafile, 0xD1), box + "RaiseEvent(9)", kBefore},
        {true, "PictureDisabled", Pic(None, 0), "PictureDisabled RaiseEvent(9)",
         "A0 A1 A2 0 0 99 PODXM 0 2 0"},
        {true, "Picture", wave, "RaiseEvent(9)", kBefore},
        {false, "MouseIcon", bitmap, cursorBox + "RaiseEvent(9)", kBefore},
        {true, "MouseIcon", Pic(Icon, 0xC1), "MouseIcon RaiseEvent(9)",
         "A0 A1 A2 A3 C1 99 PODXM 0 2 0"},
        {true, "SoundClick", wave, "RaiseEvent(9)", "A0 A1 A2 A3 0 99 PODXM 5 2 0"},
        {true, "SoundEnter", failed, "RaiseEvent(9)", kBefore},
        {true, "SoundEnter", SoundBytes{}, "RaiseEvent(9)", "A0 A1 A2 A3 0 99 PODXM 0 0 0"},
        {true, "SoundLeave", bitmap, "RaiseEvent(9)", kBefore},
        {true, "picture", bitmap, "RaiseEvent(9)", kBefore},
        {true, "URLPicture", bitmap, "RaiseEvent(9)", kBefore},
        {true, "", failed, "RaiseEvent(9)", kBefore},
    };
    for (const auto& [userMode, name, value, told, after] : cases) {
        SCOPED_TRACE(name + " to " + after);
        Downloading f(userMode);
        ASSERT_EQ(State(f.control), kBefore);
        f.control.AsyncReadComplete({name, value});
        EXPECT_EQ(Told(f.host.log), told);
        EXPECT_EQ(State(f.control), after);
        EXPECT_EQ(f.events, Log{name});
    }
}

// The setter sees its flag set, so it leaves the URL property alone; the
// event's handler sees both flags cleared, so a picture it assigns directly
// empties the URL property as any direct assignment does.
TEST(DownloadCompletion, FlagsHoldDuringTheAssignmentOnly) {
    Downloading f;
    Tovabel& c = f.control;
    f.host.onEvent = [&](std::int32_t, std::span<EventArg> args) {
        if (std::get<Text>(args[0]) == u"PictureOver") {
            c.SetPictureOver(Pic(Bitmap, 0xE1));
        }
    };
    c.AsyncReadComplete({"MouseIcon", Pic(Icon, 0xC1)});
    c.AsyncReadComplete({"PictureOver", Pic(Bitmap, 0xB1)});
    // No URL property is emptied before the handler assigns a picture itself.
    EXPECT_EQ(Told(f.host.log), "MouseIcon RaiseEvent(9) PictureOver RaiseEvent(9) "
                                "URLPictureOver PictureOver");
    EXPECT_EQ(c.URLPictureOver(), u"");
    EXPECT_EQ(HandleOf(c.PictureOver()), 0xE1u);
    EXPECT_EQ(c.URLMouseIcon(), u"M");
}

// There is no cancelling: a completion is applied when it arrives, whatever
// happened to the URL property meanwhile.
TEST(DownloadCompletion, LateCompletionsStillApply) {
    const std::pair<Change, Text> cases[] = {
        {Set(&T::SetPicture, Pic(Icon, 0xF1)), u""},
        {Set(&T::SetURLPicture, u"second"), u"second"},
        {Set(&T::SetURLPicture, u""), u""},
    };
    for (const auto& [meanwhile, url] : cases) {
        SCOPED_TRACE(Narrow(url));
        Button f;
        f.control.SetURLPicture(u"first");
        meanwhile(f.control);
        f.control.AsyncReadComplete({"Picture", Pic(Bitmap, 0xB7)});
        EXPECT_EQ(HandleOf(f.control.GetPicture()), 0xB7u);
        EXPECT_EQ(f.control.URLPicture(), url);
    }
}

} // namespace
} // namespace tovabel::testing
