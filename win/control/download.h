// Downloads for the control's URL properties through the platform's URL
// monikers. Each runs asynchronously with a bind-status callback of its own and
// streams into one buffer; it finishes on the control's thread, between other
// notifications, where a picture download is decoded by the OLE picture loader
// and a byte download hands over its bytes.
#pragma once

#include "control/host.h"
#include "download/async_property.h"
#include "site.h"
#include "untrusted_page.h"
#include "win/common/com_object.h"
#include "win/common/com_ptr.h"
#include "win/common/window.h"

#include <windows.h>

#include <urlmon.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovabel::win {

class Downloads;

// One transfer, as urlmon sees it. Its link to its owner is weak: cut when
// the owner cancels it, so that it never calls a control that is gone nor
// keeps one alive. It keeps the library loaded while urlmon holds it.
class Download final : public Standalone<IBindStatusCallback, IHttpNegotiate> {
public:
    Download(Downloads& owner, AsyncType type, std::string_view propertyName);

    // IBindStatusCallback
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG status, LPCWSTR text) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    // IHttpNegotiate: the server's answer decides whether the body is the file.
    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                   LPWSTR* additionalHeaders) override;
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR responseHeaders, LPCWSTR,
                                         LPWSTR* additionalHeaders) override;

    // Ends the transfer now, as a failure (the bind call failed, the target
    // was refused, nothing came for too long), whether or not the platform
    // reports the stop.
    void EndAsFailed(HRESULT result);
    // Forgets the owner and stops the transfer: nothing is called back afterwards.
    void Cancel();
    // Whether the transfer has stopped, and when (a count of the owner's).
    std::uint64_t FinishedAs() const { return mFinishedAs; }
    void SetFinishedAs(std::uint64_t order) { mFinishedAs = order; }
    // When data last arrived (or the transfer began), in GetTickCount64's milliseconds.
    ULONGLONG LastHeard() const { return mLastHeard; }
    // What the control receives: the decoded picture or the bytes, or nothing
    // when the transfer failed. Called once.
    AsyncProperty TakeResult();

private:
    ~Download() override = default; // released, never destroyed by others
    void Receive(IStream& stream);
    bool MakeRoom();
    void Expect(ULONGLONG size);
    void Fail();
    void StopTransfer();
    bool Succeeded() const;

    Downloads* mOwner;
    AsyncType mType;
    std::string mPropertyName;
    ComPtr<IBinding> mBinding;
    std::vector<std::uint8_t> mBytes;
    // The body's length as the server announced it, when it did.
    std::optional<ULONGLONG> mAnnouncedLength;
    bool mFailed = false;
    HRESULT mResult = E_PENDING;
    std::uint64_t mFinishedAs = 0;
    ULONGLONG mLastHeard;
};

// The downloads of one control. They end with it: destroying the owner
// cancels every transfer still under way and drops finished ones not yet handed over.
class Downloads {
public:
    using Completion = std::function<void(AsyncProperty)>;

    // `control` stays alive while completions are handed over; `site` offers
    // the container's bind host; `completed` receives each finished download.
    Downloads(IUnknown& control, const Site& site, Completion completed);
    Downloads(const Downloads&) = delete;
    Downloads& operator=(const Downloads&) = delete;
    ~Downloads();

    // Starts fetching `target`; false when the target names nothing the
    // platform can fetch, and then no completion follows. A transfer that
    // fails, at once or later, completes as a failed download.
    bool Start(const Text& target, AsyncType type, std::string_view propertyName);
    // A download's transfer stopped: its completion follows from the message loop.
    void Finished(Download& download);

    // From now on the control serves an untrusted page: a target the page
    // may not have fetched, a transfer beyond the few that may run at once,
    // and one that brings nothing for too long fail as downloads that failed.
    void EnterUntrustedPage() { mUntrusted = true; }
    // Whether a transfer may go on to `url`, where the server sent it.
    bool MayFollow(const std::wstring& url) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();
    bool MayStart(const UntrustedPage& page, IMoniker& moniker, IBindCtx& context) const;
    std::size_t Running() const;
    void EndStalled();
    ComPtr<Download> TakeNextFinished();
    void DeliverFinished();

    IUnknown& mControl;
    const Site& mSite;
    Completion mCompleted;
    std::vector<ComPtr<Download>> mDownloads; // running and finished, in start order
    std::uint64_t mFinishCount = 0;
    bool mUntrusted = false;
    Window mWindow;             // receives the note that a download finished
    WindowTimer mStallCheck{1}; // while an untrusted page's transfers run
};

} // namespace tovabel::win
