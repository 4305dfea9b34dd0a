#include "fake_host.h"

#include <algorithm>

namespace tovabel::testing {

std::string Narrow(const Text& text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string Told(const Log& log) {
    std::string told;
    for (const std::string& line :
         Filter(log, "PropertyChanged", "RaiseEvent", "MessageBox", "AsyncRead", "ApplyEnabled",
                "ApplyFont", "ApplyAccessKeys", "SetExtenderToolTipText", "SetCapture",
                "ReleaseCapture")) {
        const bool changed = line.starts_with("PropertyChanged(");
        told += (told.empty() ? "" : " ") + (changed ? line.substr(16, line.size() - 17) : line);
    }
    return told;
}

Frame FrameOf(const Tovabel& control) {
    const Line* top = nullptr;
    const Line* bottom = nullptr;
    const Line* left = nullptr;
    const Line* right = nullptr;
    const std::vector<Line> lines = control.VisibleLines();
    for (const Line& line : lines) {
        if (line.BorderColor != control.HighlightColor() &&
            line.BorderColor != control.ShadowColor()) {
            continue; // an arrow, in the text colour
        }
        if (line.Y1 == line.Y2) {
            top = (top == nullptr || line.Y1 < top->Y1) ? &line : top;
            bottom = (bottom == nullptr || line.Y1 > bottom->Y1) ? &line : bottom;
        } else if (line.X1 == line.X2) {
            left = (left == nullptr || line.X1 < left->X1) ? &line : left;
            right = (right == nullptr || line.X1 > right->X1) ? &line : right;
        }
    }
    const auto colour = [](const Line* line) { return line ? line->BorderColor : 0u; };
    return {colour(top), colour(left), colour(bottom), colour(right)};
}

std::string LookOf(const Tovabel& control) {
    const OleColor top = FrameOf(control).top;
    return top == 0 ? "flat" : top == control.HighlightColor() ? "raised" : "sunken";
}

Picture MakePicture(std::int32_t type, std::uint64_t handle) {
    return std::make_shared<FakePicture>(type, handle);
}

void FakeHost::Resize(const char* name, std::int32_t twips, double& pixels) {
    pixels = twips / twipsPerPixel;
    Record(name, twips);
    if (onResize) {
        onResize();
    }
}

std::string FakeHost::Painted(const char* name, const PicturePaint& p) {
    const std::string picture =
        Call(name, p.picture, HandleOf(p.picture), p.x, p.y, p.width, p.height);
    if (!p.drawChecks) {
        return picture;
    }
    return picture + Call(" checks", p.checkX, p.checkY, p.checkWidth, p.checkHeight, p.checkColor);
}

bool FakeHost::SetExtenderToolTipText(const Text& text) {
    Record("SetExtenderToolTipText", text);
    if (!extenderToolTip) {
        return false;
    }
    extenderToolTip = text;
    if (onSetExtenderToolTip) {
        onSetExtenderToolTip(text);
    }
    return true;
}

persist::StreamEntries SavedForm(const std::vector<std::pair<std::string, BagValue>>& values) {
    FakeObjectCodec codec;
    persist::StreamBag bag(codec);
    for (const auto& [key, value] : values) {
        bag.WriteProperty(key, value, BagValue{});
    }
    return bag.Entries();
}

namespace {

std::optional<persist::Bytes> Saved(bool refused, const std::string& text) {
    return refused ? std::nullopt : std::optional(persist::Bytes(text.begin(), text.end()));
}

// The number at the start of `bytes` and the text after its space.
std::optional<std::pair<std::uint64_t, std::string>> Parsed(std::span<const std::uint8_t> bytes) {
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t space = text.find(' ');
    if (space == 0 || space == std::string::npos || text.find_first_not_of("0123456789") != space) {
        return std::nullopt;
    }
    return std::pair{std::stoull(text.substr(0, space)), text.substr(space + 1)};
}

} // namespace

std::optional<persist::Bytes> FakeObjectCodec::SavePicture(const PictureObject& picture) {
    return Saved(refuseSaves, std::to_string(picture.Type()) + " " + Str(picture.Handle()));
}

std::optional<Picture> FakeObjectCodec::LoadPicture(std::span<const std::uint8_t> bytes) {
    const auto parsed = Parsed(bytes);
    if (!parsed || parsed->second.empty() ||
        parsed->second.find_first_not_of("0123456789ABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    return MakePicture(static_cast<std::int32_t>(parsed->first),
                       std::stoull(parsed->second, nullptr, 16));
}

std::optional<persist::Bytes> FakeObjectCodec::SaveFont(const FontObject& font) {
    return Saved(refuseSaves, std::to_string(font.Size()) + " " + Narrow(font.Name()));
}

std::optional<Font> FakeObjectCodec::LoadFont(std::span<const std::uint8_t> bytes) {
    const auto parsed = Parsed(bytes);
    if (!parsed) {
        return std::nullopt;
    }
    return std::make_shared<FakeFont>(Text(parsed->second.begin(), parsed->second.end()),
                                      static_cast<std::int64_t>(parsed->first));
}

} // namespace tovabel::testing
