#include "persist/stream_bag.h"

#include <algorithm>
#include <type_traits>

namespace tovabel::persist {

namespace {

// A scalar stream value as the bag value it is.
BagValue ScalarOf(const StreamValue& value) {
    return std::visit(
        [](const auto& v) -> BagValue {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, ObjectBlob>) {
                return BagValue{};
            } else {
                return BagValue{v};
            }
        },
        value);
}

// The persistent form of a picture or font, no bytes for a null object; nullopt
// when the codec cannot save it.
template <typename Object, typename Save>
std::optional<StreamValue> SaveObject(BagKind kind, const std::shared_ptr<Object>& object,
                                      Save save) {
    if (!object) {
        return ObjectBlob{kind, {}};
    }
    auto bytes = save(*object);
    if (!bytes) {
        return std::nullopt;
    }
    return ObjectBlob{kind, std::move(*bytes)};
}

} // namespace

StreamEntries::iterator StreamBag::Find(std::string_view name) {
    return std::find_if(mEntries.begin(), mEntries.end(),
                        [&](const StreamEntry& e) { return e.key == name; });
}

std::optional<BagValue> StreamBag::LoadObject(const ObjectBlob& blob, BagKind kind) {
    if (blob.kind != kind) {
        return std::nullopt;
    }
    if (blob.bytes.empty()) {
        return kind == BagKind::StdPicture ? BagValue{Picture()} : BagValue{Font()};
    }
    if (kind == BagKind::StdPicture) {
        const auto picture = mCodec.LoadPicture(blob.bytes);
        return picture ? std::optional<BagValue>(BagValue{*picture}) : std::nullopt;
    }
    const auto font = mCodec.LoadFont(blob.bytes);
    return font ? std::optional<BagValue>(BagValue{*font}) : std::nullopt;
}

std::optional<BagValue> StreamBag::ReadProperty(std::string_view name,
                                                const BagValue& defaultValue) {
    const auto it = Find(name);
    if (it == mEntries.end()) {
        return defaultValue;
    }
    if (const auto* blob = std::get_if<ObjectBlob>(&it->value)) {
        return LoadObject(*blob, KindOf(defaultValue));
    }
    return ConvertBagValue(ScalarOf(it->value), KindOf(defaultValue));
}

std::optional<StreamValue> StreamBag::SaveValue(const BagValue& value) {
    return std::visit(
        [this](const auto& v) -> std::optional<StreamValue> {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Picture>) {
                return SaveObject(BagKind::StdPicture, v,
                                  [this](const PictureObject& p) { return mCodec.SavePicture(p); });
            } else if constexpr (std::is_same_v<V, Font>) {
                return SaveObject(BagKind::StdFont, v,
                                  [this](const FontObject& f) { return mCodec.SaveFont(f); });
            } else {
                return StreamValue{v};
            }
        },
        value);
}

bool StreamBag::WriteProperty(std::string_view name, const BagValue& value,
                              const BagValue& defaultValue) {
    const auto it = Find(name);
    if (EqualsDefault(value, defaultValue)) {
        if (it != mEntries.end()) {
            mEntries.erase(it);
        }
        return true;
    }
    auto saved = SaveValue(value);
    if (!saved) {
        return false;
    }
    if (it != mEntries.end()) {
        it->value = std::move(*saved);
    } else {
        mEntries.push_back({std::string(name), std::move(*saved)});
    }
    return true;
}

} // namespace tovabel::persist
