#include "pages/urls_page.h"

namespace tovabel::pages {

namespace {

// The edit boxes with their properties, in the order of loading and applying.
struct UrlField {
    Urls::Edit edit;
    std::string_view property;
};
constexpr UrlField kFields[Urls::kCount] = {
    {Urls::SoundEnter, "SoundEnterURL"},   {Urls::SoundLeave, "SoundLeaveURL"},
    {Urls::SoundClick, "SoundClickURL"},   {Urls::Picture, "URLPicture"},
    {Urls::PictureOver, "URLPictureOver"}, {Urls::PictureDown, "URLPictureDown"},
};

} // namespace

bool UrlsPage::Load() {
    for (const UrlField& field : kFields) {
        const auto value = mControl.Get(field.property);
        const Text* text = value ? std::get_if<Text>(&*value) : nullptr;
        if (text == nullptr) {
            return false;
        }
        if (*text != EditText(field.edit)) {
            mView.ShowText(field.edit, *text);
            OnEditChanged(field.edit, *text);
        }
    }
    return true;
}

bool UrlsPage::Apply() {
    for (const UrlField& field : kFields) {
        if (!mControl.Set(field.property, EditText(field.edit))) {
            return false;
        }
    }
    return true;
}

void UrlsPage::OnEditChanged(Urls::Edit edit, const Text& text) {
    mTexts[edit - Urls::SoundEnter] = text;
    mChanged = true;
    mView.MarkChanged();
}

} // namespace tovabel::pages
