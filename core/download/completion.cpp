// The end of a download: a received picture goes through the ordinary setter
// of the property it was fetched for, received bytes become the named sound,
// and PropertyDownloaded tells the host page, once for every completion.
#include "control/tovabel.h"

#include <array>
#include <utility>

namespace tovabel {

namespace {

// The completion's two flags are false again when it ends, however it ends.
class ClearedAtExit {
public:
    ClearedAtExit(bool& first, bool& second) : mFirst(first), mSecond(second) {}
    ClearedAtExit(const ClearedAtExit&) = delete;
    ClearedAtExit& operator=(const ClearedAtExit&) = delete;
    ~ClearedAtExit() {
        mFirst = false;
        mSecond = false;
    }

private:
    bool& mFirst;
    bool& mSecond;
};

Text Widened(const std::string& name) {
    Text out;
    for (char c : name) {
        out.push_back(static_cast<unsigned char>(c));
    }
    return out;
}

} // namespace

void Tovabel::AsyncReadComplete(AsyncProperty property) {
    {
        const ClearedAtExit cleared(mMouseIconFromURL, mPictureFromURL);
        ApplyDownload(property);
    }
    std::array<EventArg, 1> args{Widened(property.PropertyName)};
    mHost.RaiseEvent(EventId::PropertyDownloaded, args);
}

// The name selects the branch, compared exactly and in this order; a name of
// none of them selects nothing, and only the event follows.
void Tovabel::ApplyDownload(AsyncProperty& property) {
    const std::string& name = property.PropertyName;
    if (name == "MouseIcon") {
        AssignDownloadedCursor(property.Value);
        return;
    }
    for (const PictureSlot* slot : {&kPicture, &kPictureDown, &kPictureOver, &kPictureDisabled}) {
        if (name == slot->Name()) {
            AssignDownloadedPicture(*slot, property.Value);
            return;
        }
    }
    for (const SoundSlot* slot : {&kSoundClick, &kSoundEnter, &kSoundLeave}) {
        if (name == slot->name) {
            StoreDownloadedSound(*slot, property.Value);
            return;
        }
    }
}

// The setter checks the type as for any cursor (a bitmap is refused) and,
// seeing the flag, leaves URLMouseIcon alone. A failed download assigns nothing.
void Tovabel::AssignDownloadedCursor(const DownloadedValue& value) {
    mMouseIconFromURL = true;
    if (const Picture* icon = std::get_if<Picture>(&value)) {
        SetMouseIcon(*icon);
    }
}

// As for the cursor: the setter's type check, display update and change
// notification apply, and the picture's URL property keeps its text.
void Tovabel::AssignDownloadedPicture(const PictureSlot& slot, const DownloadedValue& value) {
    mPictureFromURL = true;
    if (const Picture* picture = std::get_if<Picture>(&value)) {
        (this->*slot.setPicture)(*picture);
    }
}

// Received bytes are stored as bytes given to the sound property are (an empty
// file is kept but never played), without notification: sound data is never
// saved. A failed download changes nothing: the previous bytes stay, usable or
// not as they were, just as a failed picture download keeps the previous
// picture; so a late failure of an earlier URL cannot spoil a sound that
// arrived meanwhile, and nothing that failed is ever handed to the player.
void Tovabel::StoreDownloadedSound(const SoundSlot& slot, DownloadedValue& value) {
    if (auto* bytes = std::get_if<SoundBytes>(&value)) {
        StoreSoundBytes(slot, std::move(*bytes));
    }
}

} // namespace tovabel
