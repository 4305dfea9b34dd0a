// COM objects from one base: the object lists the interfaces it answers, the
// base derives from them and implements IUnknown over that table.
//
//   class Download final : public Standalone<IBindStatusCallback, IHttpNegotiate> {...};
//   class Frame final : public LocalObject<Answers<IOleInPlaceFrame, IOleInPlaceUIWindow,
//                                                  IOleWindow>> {...};
//
// Each row of the table is an interface (answered for its own IID), or
// Answers<Interface, Also...> (also answered for the IIDs of `Also`: the
// interfaces it extends, or a dispinterface it serves), or Unlisted<Interface>
// (derived from, but handed out only otherwise, as a service say). IUnknown is the first row's
// interface. An object that answers an IID no interface type names (an event dispinterface) extends
// QueryInterface with Answer.
//
// ComObject lives on the heap and deletes itself with its last reference;
// LocalObject lives in its owner (or on a stack) and only counts; Standalone
// is a ComObject that also keeps the library loaded while it lives. Objects
// are apartment-threaded: one thread at a time.
#pragma once

#include "win/common/module.h"

#include <windows.h>

#include <unknwn.h>

#include <new>
#include <utility>

namespace tovabel::win {

template <class Interface, class... Also> struct Answers {
    using Base = Interface;
    static bool Names(REFIID iid) {
        return IsEqualIID(iid, __uuidof(Interface)) || (IsEqualIID(iid, __uuidof(Also)) || ...);
    }
};

template <class Interface> struct Unlisted {
    using Base = Interface;
    static bool Names(REFIID) { return false; }
};

namespace detail {

template <class Row> struct RowOf { using Type = Answers<Row>; };
template <class Interface, class... Also> struct RowOf<Answers<Interface, Also...>> {
    using Type = Answers<Interface, Also...>;
};
template <class Interface> struct RowOf<Unlisted<Interface>> { using Type = Unlisted<Interface>; };
template <class Row> using RowType = typename RowOf<Row>::Type;

template <class First, class... Rest> struct FirstOf { using Type = First; };

// IUnknown over the table `Rows`; `kDeletesItself` says whether the last
// Release deletes the object.
template <bool kDeletesItself, class... Rows> class Unknown : public RowType<Rows>::Base... {
public:
    Unknown(const Unknown&) = delete;
    Unknown& operator=(const Unknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown)) {
            return Answer(static_cast<typename RowType<First>::Base*>(this), out);
        }
        void* found = nullptr;
        ((RowType<Rows>::Names(iid) &&
          (found = static_cast<typename RowType<Rows>::Base*>(this), true)) ||
         ...);
        if (found == nullptr) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = found;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++mRefs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --mRefs;
        if constexpr (kDeletesItself) {
            if (left == 0) {
                delete this;
            }
        }
        return left;
    }
    // The references held now (the first one is the maker's or the owner's).
    ULONG References() const { return mRefs; }

protected:
    Unknown() = default;
    virtual ~Unknown() = default;

    // Hands out `self` (one of the object's interfaces) with a reference.
    HRESULT Answer(void* self, void** out) {
        *out = self;
        AddRef();
        return S_OK;
    }

private:
    using First = typename FirstOf<Rows...>::Type;

    ULONG mRefs = 1;
};

} // namespace detail

template <class... Rows> class ComObject : public detail::Unknown<true, Rows...> {};

template <class... Rows> class LocalObject : public detail::Unknown<false, Rows...> {};

template <class... Rows> class Standalone : public ComObject<Rows...> {
private:
    module::Use mUse; // keeps the library loaded
};

// Makes a heap `Object` from `args` and hands out its `iid`: the creation
// reference goes with this call, so `out` holds the only one.
template <class Object, class... Args> HRESULT HandOut(REFIID iid, void** out, Args&&... args) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    Object* object = new (std::nothrow) Object(std::forward<Args>(args)...);
    if (object == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

} // namespace tovabel::win
