#include "persist.h"

#include "control.h"
#include "ole_bag.h"
#include "persist/stream_bag.h"
#include "win/common/guids.h"

#include <vector>

namespace tovabel::win {

namespace {

constexpr const wchar_t* kContentsStream = L"Contents";

HRESULT ClassId(CLSID* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = CLSID_Tovabel;
    return S_OK;
}

// Why a stream could not be read: it ends too early, or its bytes are no
// saved control this version can read.
HRESULT ResultOf(persist::StreamError error) {
    switch (error) {
    case persist::StreamError::None:
        return S_OK;
    case persist::StreamError::Truncated:
        return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    case persist::StreamError::UnsupportedVersion:
        return STG_E_OLDDLL; // written by a newer version of the control
    default:
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
}

HRESULT ReadExactly(IStream* stream, std::uint8_t* into, std::size_t count) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(into, static_cast<ULONG>(count), &read);
    if (FAILED(hr)) {
        return hr;
    }
    return read == count ? S_OK : HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
}

// Reads the control's part of `stream`: its header, then the body it announces.
HRESULT ReadEntries(IStream* stream, persist::StreamEntries& entries) {
    std::vector<std::uint8_t> bytes(persist::kStreamHeaderSize);
    HRESULT hr = ReadExactly(stream, bytes.data(), bytes.size());
    if (FAILED(hr)) {
        return hr;
    }
    const persist::StreamHeader header = persist::ReadStreamHeader(bytes);
    if (header.error != persist::StreamError::None) {
        return ResultOf(header.error);
    }
    bytes.resize(persist::kStreamHeaderSize + header.bodyLength);
    hr = ReadExactly(stream, bytes.data() + persist::kStreamHeaderSize, header.bodyLength);
    if (FAILED(hr)) {
        return hr;
    }
    return ResultOf(persist::DecodeProperties(bytes, entries));
}

// The bytes of the control's saved properties; empty when they cannot be written.
std::optional<persist::Bytes> SavedBytes(TovabelControl& control) {
    OleObjectCodec codec;
    persist::StreamBag bag(codec);
    control.Core().WriteProperties(bag);
    return persist::EncodeProperties(bag.Entries());
}

HRESULT LoadStream(TovabelControl& control, IStream* stream) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    persist::StreamEntries entries;
    const HRESULT hr = ReadEntries(stream, entries);
    if (FAILED(hr)) {
        return hr;
    }
    OleObjectCodec codec;
    persist::StreamBag bag(codec, std::move(entries));
    return control.Load(bag);
}

HRESULT SaveStream(TovabelControl& control, IStream* stream, bool clearDirty) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    return control.Run([&] {
        const std::optional<persist::Bytes> bytes = SavedBytes(control);
        if (!bytes) {
            return E_FAIL;
        }
        ULONG written = 0;
        const HRESULT hr =
            stream->Write(bytes->data(), static_cast<ULONG>(bytes->size()), &written);
        if (FAILED(hr)) {
            return hr;
        }
        if (written != bytes->size()) {
            return STG_E_MEDIUMFULL;
        }
        if (clearDirty) {
            control.Host().SetDirty(false);
        }
        return S_OK;
    });
}

} // namespace

PersistStreamInitPart::PersistStreamInitPart(TovabelControl& control)
    : Part(control), mControl(control) {}

HRESULT PersistStreamInitPart::GetClassID(CLSID* out) {
    return ClassId(out);
}

HRESULT PersistStreamInitPart::IsDirty() {
    return mControl.Host().Dirty() ? S_OK : S_FALSE;
}

HRESULT PersistStreamInitPart::Load(IStream* stream) {
    return LoadStream(mControl, stream);
}

HRESULT PersistStreamInitPart::Save(IStream* stream, BOOL clearDirty) {
    return SaveStream(mControl, stream, clearDirty != FALSE);
}

HRESULT PersistStreamInitPart::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        const std::optional<persist::Bytes> bytes = SavedBytes(mControl);
        if (!bytes) {
            return E_FAIL;
        }
        size->QuadPart = bytes->size();
        return S_OK;
    });
}

HRESULT PersistStreamInitPart::InitNew() {
    return mControl.Run([&] { return mControl.InitNew(); });
}

PersistPropertyBagPart::PersistPropertyBagPart(TovabelControl& control)
    : Part(control), mControl(control) {}

HRESULT PersistPropertyBagPart::GetClassID(CLSID* out) {
    return ClassId(out);
}

HRESULT PersistPropertyBagPart::InitNew() {
    return mControl.Run([&] { return mControl.InitNew(); });
}

HRESULT PersistPropertyBagPart::Load(IPropertyBag* bag, IErrorLog* log) {
    if (bag == nullptr) {
        return E_POINTER;
    }
    OlePropertyBag properties(bag, log);
    return mControl.Load(properties);
}

HRESULT PersistPropertyBagPart::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (bag == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        OlePropertyBag properties(bag, nullptr);
        mControl.Core().WriteProperties(properties);
        if (clearDirty) {
            mControl.Host().SetDirty(false);
        }
        return S_OK;
    });
}

PersistStoragePart::PersistStoragePart(TovabelControl& control)
    : Part(control), mControl(control) {}

HRESULT PersistStoragePart::GetClassID(CLSID* out) {
    return ClassId(out);
}

HRESULT PersistStoragePart::IsDirty() {
    return mControl.Host().Dirty() ? S_OK : S_FALSE;
}

HRESULT PersistStoragePart::InitNew(IStorage*) {
    return mControl.Run([&] { return mControl.InitNew(); });
}

HRESULT PersistStoragePart::Load(IStorage* storage) {
    if (storage == nullptr) {
        return E_POINTER;
    }
    ComPtr<IStream> stream;
    const HRESULT hr = storage->OpenStream(kContentsStream, nullptr,
                                           STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put());
    if (FAILED(hr)) {
        return hr;
    }
    return LoadStream(mControl, stream.Get());
}

HRESULT PersistStoragePart::Save(IStorage* storage, BOOL) {
    if (storage == nullptr) {
        return E_POINTER;
    }
    ComPtr<IStream> stream;
    const HRESULT hr = storage->CreateStream(
        kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.Put());
    if (FAILED(hr)) {
        return hr;
    }
    return SaveStream(mControl, stream.Get(), true);
}

HRESULT PersistStoragePart::SaveCompleted(IStorage*) {
    return S_OK; // the control keeps no storage between calls
}

HRESULT PersistStoragePart::HandsOffStorage() {
    return S_OK;
}

} // namespace tovabel::win
