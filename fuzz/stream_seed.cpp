// Writes seed streams for the stream target into the folder given: a new control
// saved as it is, one with every property away from its default, and one with
// URLs and transparency.
#include "fake_host.h"
#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace tovabel;

namespace {

void ChangeEverything(Tovabel& c) {
    c.SetStyle(tvStyle::DropDown);
    c.SetAlignCaption(tvAlign::AlignRight);
    c.SetAlignPicture(tvAlign::AlignMiddle);
    c.SetAutoSize(false);
    c.SetBackColor(0x00112233);
    c.SetBorderStyle(tvBorderStyle::None);
    c.SetCaption(u"&Save && close");
    c.SetEnabled(false);
    c.SetFont(std::make_shared<testing::FakeFont>(u"Arial", 120000));
    c.SetFontDirection(tvFontDirection::UpwardText);
    c.SetHighlightColor(0xFF);
    c.SetMaskColor(0xFF00FF);
    c.SetMouseIcon(testing::MakePicture(PicType::Icon, 0x81));
    c.SetMousePointer(MousePointerCode::Custom);
    c.SetPlaySounds(false);
    c.SetSoundEnterURL(u"in.wav");
    c.SetShadowColor(0x808080);
    c.SetTextColor(0xFF0000);
    c.SetToolTipText(u"Saves the file");
    c.SetUseSystemSounds(false);
    c.SetPicture(testing::MakePicture(PicType::Bitmap, 0x82));
    c.SetPictureDown(testing::MakePicture(PicType::Icon, 0x84));
}

void UseURLs(Tovabel& c) {
    c.SetTransparent(true);
    c.SetURLMouseIcon(u"hand.cur");
    c.SetURLPicture(u"up.gif");
    c.SetURLPictureDisabled(u"off.gif");
}

bool WriteSeed(const std::string& path, const std::function<void(Tovabel&)>& change) {
    testing::FakeHost host;
    testing::FakeObjectCodec codec;
    Tovabel control{host};
    control.InitProperties();
    change(control);
    persist::StreamBag bag(codec);
    control.WriteProperties(bag);
    const auto bytes = persist::EncodeProperties(bag.Entries());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    return bytes && file &&
           std::fwrite(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: stream_seed FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = WriteSeed(folder + "/new", [](Tovabel&) {}) &&
                         WriteSeed(folder + "/everything", ChangeEverything) &&
                         WriteSeed(folder + "/urls", UseURLs);
    return written ? 0 : 1;
}
