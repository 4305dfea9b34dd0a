// A property bag kept in memory as the entries of the control's stream, so that a
// container that saves the control into a stream or a storage loads and saves the
// same keys, kinds and defaults as one that offers a property bag.
//
// How the Windows layer uses it for IPersistStreamInit (and IPersistStorage, with
// one stream inside the storage):
//   Load:  read kStreamHeaderSize bytes, ReadStreamHeader, read `bodyLength` more
//          bytes, DecodeProperties on the whole; on an error fail the call;
//          otherwise ReadProperties on a StreamBag holding the entries.
//   Save:  WriteProperties on an empty StreamBag, EncodeProperties(Entries());
//          nullopt fails the call, the bytes are written otherwise.
//   GetSizeMax: the size Save would write.
// Its ObjectCodec turns pictures and fonts into their persistent form and back
// with the objects' own IPersistStream (OleLoadPicture / the font's Load).
#pragma once

#include "control/property_bag.h"
#include "persist/property_stream.h"

#include <optional>
#include <span>

namespace tovabel::persist {

// Turns pictures and fonts into the bytes of their persistent form and back.
// Null objects never reach it: they travel as no bytes.
class ObjectCodec {
public:
    virtual ~ObjectCodec() = default;
    virtual std::optional<Bytes> SavePicture(const PictureObject& picture) = 0;
    // nullopt when the bytes are not a picture.
    virtual std::optional<Picture> LoadPicture(std::span<const std::uint8_t> bytes) = 0;
    virtual std::optional<Bytes> SaveFont(const FontObject& font) = 0;
    virtual std::optional<Font> LoadFont(std::span<const std::uint8_t> bytes) = 0;
};

class StreamBag : public PropertyBag {
public:
    explicit StreamBag(ObjectCodec& codec, StreamEntries entries = {})
        : mCodec(codec), mEntries(std::move(entries)) {}

    // Reads convert as ConvertBagValue does; an object's bytes are loaded only when
    // the object kind is asked for, and bytes the codec refuses fail the read.
    std::optional<BagValue> ReadProperty(std::string_view name,
                                         const BagValue& defaultValue) override;
    // The bag holds the last write of each key, in the place of its first write; a
    // write equal to its default removes the key. A picture or font the codec
    // cannot save fails the write and leaves the bag as it was.
    bool WriteProperty(std::string_view name, const BagValue& value,
                       const BagValue& defaultValue) override;

    const StreamEntries& Entries() const { return mEntries; }

private:
    std::optional<BagValue> LoadObject(const ObjectBlob& blob, BagKind kind);
    std::optional<StreamValue> SaveValue(const BagValue& value);
    StreamEntries::iterator Find(std::string_view name);

    ObjectCodec& mCodec;
    StreamEntries mEntries;
};

} // namespace tovabel::persist
