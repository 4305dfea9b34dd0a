// The core's property bag over the container's IPropertyBag, and the codec
// that turns the control's pictures and fonts into their OLE persistent form
// (and back) for the control's own stream.
#pragma once

#include "control/property_bag.h"
#include "persist/stream_bag.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

// Reads ask the bag for the default's type and take what it gives converted
// by automation's rules; absent keys give the default; a value that does not
// convert, or an object that is no picture or font, fails the read.
class OlePropertyBag final : public PropertyBag {
public:
    OlePropertyBag(IPropertyBag* bag, IErrorLog* log) : mBag(bag), mLog(log) {}

    std::optional<BagValue> ReadProperty(std::string_view name,
                                         const BagValue& defaultValue) override;
    bool WriteProperty(std::string_view name, const BagValue& value,
                       const BagValue& defaultValue) override;

private:
    IPropertyBag* mBag;
    IErrorLog* mLog;
};

// Pictures travel as the bytes their IPersistStream writes (what OleLoadPicture
// reads back); fonts as the bytes of the font object's IPersistStream.
class OleObjectCodec final : public persist::ObjectCodec {
public:
    std::optional<persist::Bytes> SavePicture(const PictureObject& picture) override;
    std::optional<Picture> LoadPicture(std::span<const std::uint8_t> bytes) override;
    std::optional<persist::Bytes> SaveFont(const FontObject& font) override;
    std::optional<Font> LoadFont(std::span<const std::uint8_t> bytes) override;
};

} // namespace tovabel::win
