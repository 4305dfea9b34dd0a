// The URLs page's rules: the six location properties it edits, loaded and
// written in one order. Unlike the General page it stops at the first
// property the control fails to give or take, and reports that failure.
#pragma once

#include "pages/page_services.h"

#include <array>
#include <string_view>

namespace tovabel::pages {

// The URLs page's edit boxes (their identifiers double as the dialog's).
namespace Urls {
enum Edit : int {
    SoundEnter = 2001,
    SoundLeave,
    SoundClick,
    Picture,
    PictureOver,
    PictureDown,
};
inline constexpr int kCount = 6;
} // namespace Urls

class UrlsPage {
public:
    UrlsPage(PageView& view, SelectedControl& control) : mView(view), mControl(control) {}

    // Both return false at the first property that failed; the ones before it stay done.
    bool Load();
    bool Apply();

    void OnEditChanged(Urls::Edit edit, const Text& text);

    bool Changed() const { return mChanged; }
    void ClearChanged() { mChanged = false; }
    const Text& EditText(Urls::Edit edit) const { return mTexts[edit - Urls::SoundEnter]; }

private:
    PageView& mView;
    SelectedControl& mControl;
    bool mChanged = false;
    std::array<Text, Urls::kCount> mTexts{};
};

} // namespace tovabel::pages
