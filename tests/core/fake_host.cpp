#include "fake_host.h"

#include <cstring>
#include <map>
#include <sstream>

namespace tovabel::testing {

std::string Narrow(const Text& text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string Joined(const Log& log) {
    std::string out;
    for (const std::string& line : log) {
        out += (out.empty() ? "" : " ") + line;
    }
    return out;
}

std::string Told(const Log& log) {
    Log told = Filter(log, "PropertyChanged", "RaiseEvent", "MessageBox", "AsyncRead",
                      "ApplyEnabled", "ApplyFont", "ApplyAccessKeys", "SetExtenderToolTipText",
                      "SetCapture", "ReleaseCapture");
    for (std::string& line : told) {
        if (line.starts_with("PropertyChanged(")) {
            line = line.substr(16, line.size() - 17);
        }
    }
    return Joined(told);
}

std::string Events(const Log& log) {
    Log events;
    for (const std::string& line : Filter(log, "RaiseEvent(")) {
        if (line != "RaiseEvent(7)") {
            events.push_back(line.substr(11, line.size() - 12));
        }
    }
    return Joined(events);
}

std::vector<OleColor> EdgesOf(const Tovabel& control) {
    // Per side, where its outermost line lies and its colour: top, left, bottom, right.
    std::pair<double, OleColor> edges[] = {{1e9, 0}, {1e9, 0}, {-1e9, 0}, {-1e9, 0}};
    for (const Line& l : control.VisibleLines()) {
        if (l.BorderColor != control.HighlightColor() && l.BorderColor != control.ShadowColor()) {
            continue; // an arrow, in the text colour
        }
        const int side = l.Y1 == l.Y2 ? 0 : 1;
        const double at = side == 0 ? l.Y1 : l.X1;
        edges[side] = at < edges[side].first ? std::pair(at, l.BorderColor) : edges[side];
        edges[side + 2] =
            at > edges[side + 2].first ? std::pair(at, l.BorderColor) : edges[side + 2];
    }
    return {edges[0].second, edges[1].second, edges[2].second, edges[3].second};
}

std::string LookOf(const Tovabel& control) {
    const OleColor top = EdgesOf(control)[0];
    return top == 0 ? "flat" : top == control.HighlightColor() ? "raised" : "sunken";
}

Picture Pic(std::int32_t type, std::uint64_t handle) {
    return std::make_shared<FakePicture>(type, handle);
}

void FakeHost::Resize(const char* name, std::int32_t twips, double& pixels) {
    pixels = twips / 15.0;
    Record(name, twips);
    if (onResize) {
        onResize();
    }
}

void FakeHost::Painted(const char* x, const PicturePaint& p) {
    Record((std::string(x) + "Picture").c_str(), p.picture, HandleOf(p.picture), p.x, p.y, p.width,
           p.height);
    if (p.drawChecks) {
        Record(" checks", p.checkX, p.checkY, p.checkWidth, p.checkHeight, p.checkColor);
        log[log.size() - 2] += log.back();
        log.pop_back();
    }
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

// Whether all of `bytes` read as `format` ("number text", ending in %n).
template <typename Value>
bool Read(std::span<const std::uint8_t> bytes, const char* format, long long& n, Value* value) {
    const std::string text(bytes.begin(), bytes.end());
    int used = 0;
    return std::sscanf(text.c_str(), format, &n, value, &used) == 2 && used == int(text.size());
}

} // namespace

std::optional<persist::Bytes> FakeObjectCodec::SavePicture(const PictureObject& picture) {
    return Saved(refuseSaves, std::to_string(picture.Type()) + " " + Str(picture.Handle()));
}

std::optional<Picture> FakeObjectCodec::LoadPicture(std::span<const std::uint8_t> bytes) {
    long long type = 0;
    unsigned long long handle = 0;
    return Read(bytes, "%lld %llX%n", type, &handle) ? std::optional(Pic(int(type), handle))
                                                     : std::nullopt;
}

std::optional<persist::Bytes> FakeObjectCodec::SaveFont(const FontObject& font) {
    return Saved(refuseSaves, std::to_string(font.Size()) + " " + Narrow(font.Name()));
}

std::optional<Font> FakeObjectCodec::LoadFont(std::span<const std::uint8_t> bytes) {
    long long size = 0;
    char name[64] = {};
    if (!Read(bytes, "%lld %63[^\n]%n", size, name)) {
        return std::nullopt;
    }
    return std::make_shared<FakeFont>(Text(name, name + std::strlen(name)), size);
}

Button::Button(const Options& options) {
    host.userMode = options.userMode;
    host.scaleWidth = options.width;
    host.scaleHeight = options.height;
    control.Initialize();
    if (options.isNew) {
        control.InitProperties();
        if (!options.autoSize) {
            control.SetAutoSize(false);
        }
        if (options.style != tvStyle::Normal) {
            control.SetStyle(options.style);
        }
    }
    host.Clear();
}

Button& Button::Do(const std::string& gestures) {
    using Gesture = void (*)(Tovabel&, float);
    static const std::map<char, Gesture> kGestures = {
        {'m', [](Tovabel& c, float x) { c.MouseMove(0, 0, x, 10); }},
        {'M', [](Tovabel& c, float x) { c.MouseMove(1, 0, x, 10); }},
        {'d', [](Tovabel& c, float x) { c.MouseDown(1, 0, x, 10); }},
        {'u', [](Tovabel& c, float x) { c.MouseUp(1, 0, x, 10); }},
        {'r', [](Tovabel& c, float x) { c.MouseDown(2, 0, x, 10); }},
        {'R', [](Tovabel& c, float x) { c.MouseUp(2, 0, x, 10); }},
        {'k', [](Tovabel& c, float code) { c.KeyDown(static_cast<std::int16_t>(code), 0); }},
        {'a', [](Tovabel& c, float code) { c.KeyDown(static_cast<std::int16_t>(code), 4); }},
        {'A', [](Tovabel& c, float code) { c.AccessKeyPress(static_cast<std::int16_t>(code)); }},
        {'p', [](Tovabel& c, float) { c.OnTimer(TimerId::MenuPop); }},
        {'t', [](Tovabel& c, float) { c.OnTimer(TimerId::Redraw); }},
        {'f', [](Tovabel& c, float) { c.EnterFocus(); }},
        {'x', [](Tovabel& c, float) { c.ExitFocus(); }},
        {'c', [](Tovabel& c, float) { c.CancelMode(); }},
    };
    std::istringstream words(gestures);
    for (std::string word; words >> word;) {
        kGestures.at(word[0])(control, word.size() > 1 ? std::stof(word.substr(1)) : 10.0f);
    }
    return *this;
}

persist::StreamEntries Button::Saved() {
    persist::StreamBag bag(codec);
    control.WriteProperties(bag);
    return bag.Entries();
}

void Button::Load(const persist::StreamEntries& entries) {
    persist::StreamBag bag(codec, entries);
    control.ReadProperties(bag);
}

} // namespace tovabel::testing
