#include "urls_property_page.h"

#include "pages/urls_page.h"
#include "property_page.h"

namespace tovabel::win {

namespace {

namespace U = pages::Urls;

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// Where the two frames stand on the page; their controls are placed relative to them.
constexpr Twips kPictureFrame = {144, 396, 3528, 1332};
constexpr Twips kSoundFrame = {144, 1836, 3528, 1332};

constexpr Twips In(const Twips& frame, Twips bounds) {
    return {frame.left + bounds.left, frame.top + bounds.top, bounds.width, bounds.height};
}

// In tab order. Each frame stands just before its own controls: the access
// key of a frame's caption moves the focus to the next box after it.
const ControlSpec kControls[] = {
    {-1, L"STATIC", L"URL Properties:", kLabel, {144, 144, 1416, 252}},
    {-1, L"BUTTON", L"&Picture URL's:", BS_GROUPBOX, kPictureFrame},
    {-1, L"STATIC", L"Normal:", kLabel, In(kPictureFrame, {132, 288, 1044, 228})},
    {U::Picture, L"EDIT", L"", kEdit, In(kPictureFrame, {1212, 252, 2208, 288})},
    {-1, L"STATIC", L"Mouse Over:", kLabel, In(kPictureFrame, {132, 612, 1056, 228})},
    {U::PictureOver, L"EDIT", L"", kEdit, In(kPictureFrame, {1212, 576, 2208, 288})},
    {-1, L"STATIC", L"Mouse Down:", kLabel, In(kPictureFrame, {132, 936, 1092, 228})},
    {U::PictureDown, L"EDIT", L"", kEdit, In(kPictureFrame, {1212, 900, 2208, 288})},
    {-1, L"BUTTON", L"&Sound URL's:", BS_GROUPBOX, kSoundFrame},
    {-1, L"STATIC", L"Mouse Enter:", kLabel, In(kSoundFrame, {132, 288, 1092, 228})},
    {U::SoundEnter, L"EDIT", L"", kEdit, In(kSoundFrame, {1212, 252, 2208, 288})},
    {-1, L"STATIC", L"Mouse Leave:", kLabel, In(kSoundFrame, {132, 612, 1092, 228})},
    {U::SoundLeave, L"EDIT", L"", kEdit, In(kSoundFrame, {1212, 576, 2208, 288})},
    {-1, L"STATIC", L"Mouse Click:", kLabel, In(kSoundFrame, {132, 960, 1092, 228})},
    {U::SoundClick, L"EDIT", L"", kEdit, In(kSoundFrame, {1212, 924, 2208, 288})},
    {-1,
     L"STATIC",
     L"The images can be set in the \"Picture\" Tab OR by using the URL Picture properties to "
     L"set a URL / File Location to download the picture(s) from. Images can be Bitmap, Icon, "
     L"Metafile, GIF or JPEG files.",
     kLabel,
     {3705, 480, 3870, 1335}},
    {-1,
     L"STATIC",
     L"If Sounds are enabled, the Tovabel will either play the user defined (in Control Panel) "
     L"\"Menu Popup\" and \"Menu Command\" sounds or the WAV files specified in the SoundURL "
     L"properties.",
     kLabel,
     {3705, 1935, 3870, 1545}},
};

const PageLayout kLayout = {L"URLs", 7620, 3525, kControls};

class UrlsPropertyPage final : public ContentPage<pages::UrlsPage> {
public:
    UrlsPropertyPage() : ContentPage(kLayout) {}

private:
    void FillControls(HWND) override {}

    // A failing property ends the step; the frame gets its failure.
    HRESULT LoadContent() override { return mPage->Load() ? S_OK : mControl.LastError(); }
    HRESULT ApplyContent() override { return mPage->Apply() ? S_OK : mControl.LastError(); }

    void OnCommand(HWND dialog, int control, int notification) override {
        if (control >= U::SoundEnter && control < U::SoundEnter + U::kCount &&
            notification == EN_CHANGE) {
            mPage->OnEditChanged(static_cast<U::Edit>(control), ControlText(dialog, control));
        }
    }
};

} // namespace

HRESULT CreateUrlsPage(REFIID iid, void** out) {
    return HandOut<UrlsPropertyPage>(iid, out);
}

} // namespace tovabel::win
