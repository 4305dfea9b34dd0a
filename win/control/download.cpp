#include "download.h"

#include "ole_values.h"
#include "win/common/memory.h"
#include "win/common/module.h"
#include "win/common/text.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <new>
#include <utility>

namespace tovabel::win {

namespace {

// The most one download holds: a larger file fails.
constexpr std::size_t kLimit = 64u << 20;
// Bytes read from the transfer's stream at a time.
constexpr std::size_t kChunk = 64u << 10;

// An untrusted page's bounds: the transfers one control runs at once, and
// how long one may bring no data before it fails.
constexpr std::size_t kMostRunning = 8;
constexpr ULONGLONG kLongestSilenceMs = 30'000;
constexpr UINT kStallCheckMs = 1'000;

constexpr UINT kFinishedMessage = WM_APP + 1;

const WindowClass& DownloadWindowClass(WNDPROC procedure) {
    static const WindowClass registered([&] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = procedure;
        description.hInstance = module::Handle();
        description.lpszClassName = L"OrnisTovabelDownloads";
        return description;
    }());
    return registered;
}

std::wstring Lowered(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return out;
}

// The value of the response header `name` ("Content-Length"), if present.
std::optional<std::wstring_view> HeaderValue(std::wstring_view headers, std::wstring_view name) {
    const std::wstring wanted = L"\n" + Lowered(name) + L":";
    const std::wstring all = Lowered(headers);
    const std::size_t at = all.find(wanted);
    if (at == std::wstring::npos) {
        return std::nullopt;
    }
    std::wstring_view value = headers.substr(at + wanted.size());
    value = value.substr(0, value.find_first_of(L"\r\n"));
    const std::size_t start = value.find_first_not_of(L" \t");
    return start == std::wstring_view::npos ? std::wstring_view() : value.substr(start);
}

std::optional<ULONGLONG> Decimal(std::wstring_view text) {
    if (text.empty() || text.size() > 19) {
        return std::nullopt;
    }
    ULONGLONG value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<ULONGLONG>(c - L'0');
    }
    return value;
}

// The platform's picture loader over the received bytes, which it reads from
// a stream of their own (the buffer is freed first).
Picture LoadPicture(std::vector<std::uint8_t> bytes) {
    if (bytes.empty()) {
        return nullptr;
    }
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (block.Get() == nullptr) {
        return nullptr;
    }
    {
        const GlobalLockScope locked(block.Get());
        if (locked.Data() == nullptr) {
            return nullptr;
        }
        std::memcpy(locked.Data(), bytes.data(), bytes.size());
    }
    const auto size = static_cast<LONG>(bytes.size());
    bytes = std::vector<std::uint8_t>();
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) {
        return nullptr;
    }
    block.Detach(); // the stream frees it
    ComPtr<IPictureDisp> loaded;
    if (FAILED(OleLoadPicture(stream.Get(), size, TRUE, IID_IPictureDisp, loaded.PutVoid()))) {
        return nullptr;
    }
    Picture picture;
    OlePicture::Wrap(loaded.Get(), picture);
    return picture;
}

// Through the container's bind host when it has one, so that locations
// relative to its document resolve there; else a URL moniker of our own,
// relative to `base` when there is one.
ComPtr<IMoniker> MonikerFor(const Text& target, IBindHost* bindHost, IBindCtx* context,
                            IMoniker* base) {
    const std::wstring location(AsWide(target));
    ComPtr<IMoniker> moniker;
    const HRESULT hr =
        bindHost ? bindHost->CreateMoniker(const_cast<LPOLESTR>(location.c_str()), context,
                                           moniker.Put(), 0)
                 : CreateURLMonikerEx(base, location.c_str(), moniker.Put(), URL_MK_UNIFORM);
    return SUCCEEDED(hr) ? std::move(moniker) : ComPtr<IMoniker>();
}

// The absolute location a moniker binds to; empty when it cannot say.
std::wstring DisplayName(IMoniker& moniker, IBindCtx& context) {
    LPOLESTR name = nullptr;
    if (FAILED(moniker.GetDisplayName(&context, nullptr, &name))) {
        return {};
    }
    const TaskMemory owned(name);
    return name != nullptr ? std::wstring(name) : std::wstring();
}

HRESULT Bind(IMoniker* moniker, IBindHost* bindHost, IBindCtx* context, Download& download) {
    ComPtr<IUnknown> storage;
    return bindHost ? bindHost->MonikerBindToStorage(moniker, context, &download, IID_IStream,
                                                     storage.PutVoid())
                    : moniker->BindToStorage(context, nullptr, IID_IStream, storage.PutVoid());
}

} // namespace

// ---------------------------------------------------------------------------
// One download

Download::Download(Downloads& owner, AsyncType type, std::string_view propertyName)
    : mOwner(&owner), mType(type), mPropertyName(propertyName), mLastHeard(GetTickCount64()) {}

HRESULT Download::OnStartBinding(DWORD, IBinding* binding) {
    mBinding = ComPtr<IBinding>::Share(binding);
    return S_OK;
}

HRESULT Download::GetBindInfo(DWORD* flags, BINDINFO* info) {
    if (flags == nullptr || info == nullptr) {
        return E_INVALIDARG;
    }
    // Fresh data, read as it arrives, never written to the cache, and no
    // dialog of any kind.
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA | BINDF_GETNEWESTVERSION |
             BINDF_NOWRITECACHE | BINDF_SILENTOPERATION | BINDF_NO_UI;
    const ULONG size = info->cbSize;
    std::memset(info, 0, size);
    info->cbSize = size;
    info->dwBindVerb = BINDVERB_GET;
    return S_OK;
}

// A server that sends the transfer elsewhere sends it through the same
// check as the target it was given.
HRESULT Download::OnProgress(ULONG, ULONG, ULONG status, LPCWSTR text) {
    if (status == BINDSTATUS_REDIRECTING && mOwner != nullptr &&
        !mOwner->MayFollow(text != nullptr ? text : L"")) {
        EndAsFailed(E_ACCESSDENIED);
    }
    return S_OK;
}

HRESULT Download::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) {
    mLastHeard = GetTickCount64();
    if (!mFailed && medium != nullptr && medium->tymed == TYMED_ISTREAM &&
        medium->pstm != nullptr) {
        Receive(*medium->pstm);
    }
    if (mFailed) {
        StopTransfer();
    }
    return S_OK;
}

HRESULT Download::OnStopBinding(HRESULT result, LPCWSTR) {
    mResult = result;
    mBinding.Reset();
    if (Downloads* owner = std::exchange(mOwner, nullptr)) {
        owner->Finished(*this);
    }
    return S_OK;
}

HRESULT Download::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) {
    if (additionalHeaders != nullptr) {
        *additionalHeaders = nullptr;
    }
    return S_OK;
}

// Only a successful answer carries the file. Its announced length refuses a
// file beyond the limit before any of it arrives, and tells a body cut short
// from a whole one (unless the body arrives encoded: the length then counts
// the encoded bytes).
HRESULT Download::OnResponse(DWORD code, LPCWSTR responseHeaders, LPCWSTR,
                             LPWSTR* additionalHeaders) {
    if (additionalHeaders != nullptr) {
        *additionalHeaders = nullptr;
    }
    const std::wstring_view headers = responseHeaders != nullptr ? responseHeaders : L"";
    const auto length = HeaderValue(headers, L"Content-Length");
    if (code < 200 || code > 299) {
        Fail();
    } else if (length && !HeaderValue(headers, L"Content-Encoding")) {
        mAnnouncedLength = Decimal(*length);
        if (mAnnouncedLength) {
            Expect(*mAnnouncedLength);
        } else {
            Fail();
        }
    }
    if (mFailed) {
        StopTransfer(); // before the body, which is not the file
    }
    return S_OK;
}

// Reads what the stream has now. The buffer grows by doubling up to the
// limit, or once to the size the transfer announced.
void Download::Receive(IStream& stream) {
    try {
        for (;;) {
            if (!MakeRoom()) {
                Fail();
                return;
            }
            const std::size_t had = mBytes.size();
            const std::size_t room = std::min(mBytes.capacity() - had, kChunk);
            mBytes.resize(had + room);
            ULONG read = 0;
            const HRESULT hr = stream.Read(mBytes.data() + had, static_cast<ULONG>(room), &read);
            mBytes.resize(had + std::min<std::size_t>(read, room));
            if (hr != S_OK || read == 0) {
                return; // the end, or more later
            }
        }
    } catch (const std::bad_alloc&) {
        Fail();
    }
}

// False once the buffer holds more than the limit. The last step goes
// straight to one byte beyond the limit, so that a file of exactly the limit
// is never moved into a buffer of its own size plus one.
bool Download::MakeRoom() {
    if (mBytes.size() > kLimit) {
        return false;
    }
    if (mBytes.size() == mBytes.capacity()) {
        const std::size_t doubled = std::max(mBytes.capacity() * 2, kChunk);
        mBytes.reserve(doubled >= kLimit ? kLimit + 1 : doubled);
    }
    return true;
}

// Room for `size` bytes and one more, so that reading the end of a whole
// file needs no second buffer.
void Download::Expect(ULONGLONG size) {
    if (size > kLimit) {
        Fail();
        return;
    }
    try {
        mBytes.reserve(static_cast<std::size_t>(size) + 1);
    } catch (const std::bad_alloc&) {
        Fail();
    }
}

void Download::Fail() {
    mFailed = true;
    mBytes = std::vector<std::uint8_t>();
}

void Download::StopTransfer() {
    if (ComPtr<IBinding> binding = std::move(mBinding)) {
        binding->Abort();
    }
}

// The platform may report the stop from inside the failing bind call or
// the abort, later, or not at all: either way the download completes once,
// as failed. One that has stopped already stays as it ended.
void Download::EndAsFailed(HRESULT result) {
    if (mOwner == nullptr) {
        return;
    }
    Fail();
    StopTransfer();
    if (mOwner != nullptr) {
        OnStopBinding(result, nullptr);
    }
}

void Download::Cancel() {
    mOwner = nullptr;
    StopTransfer();
}

bool Download::Succeeded() const {
    return SUCCEEDED(mResult) && !mFailed &&
           (!mAnnouncedLength || *mAnnouncedLength == mBytes.size());
}

AsyncProperty Download::TakeResult() {
    AsyncProperty result{mPropertyName, {}};
    if (!Succeeded()) {
        return result;
    }
    if (mType == AsyncType::ByteArray) {
        result.Value = std::move(mBytes);
    } else if (Picture picture = LoadPicture(std::move(mBytes))) {
        result.Value = std::move(picture);
    }
    return result;
}

// ---------------------------------------------------------------------------
// The control's downloads

Downloads::Downloads(IUnknown& control, const Site& site, Completion completed)
    : mControl(control), mSite(site), mCompleted(std::move(completed)) {}

Downloads::~Downloads() {
    for (const ComPtr<Download>& download : mDownloads) {
        download->Cancel();
    }
}

bool Downloads::Start(const Text& target, AsyncType type, std::string_view propertyName) {
    try {
        if (!EnsureWindow()) {
            return false;
        }
        const ComPtr<Download> download =
            ComPtr<Download>::Adopt(new Download(*this, type, propertyName));
        ComPtr<IBindCtx> context;
        if (FAILED(CreateAsyncBindCtx(0, download.Get(), nullptr, context.Put()))) {
            return false;
        }
        const ComPtr<IBindHost> bindHost = mSite.BindHost();
        const std::optional<UntrustedPage> page =
            mUntrusted ? std::make_optional<UntrustedPage>(mSite) : std::nullopt;
        const ComPtr<IMoniker> moniker =
            MonikerFor(target, bindHost.Get(), context.Get(), page ? page->Location() : nullptr);
        if (!moniker) {
            return false; // a target the platform cannot name completes nothing
        }
        mDownloads.push_back(download);
        if (page && !MayStart(*page, *moniker.Get(), *context.Get())) {
            // Refused as a download that failed at once: the page cannot tell
            // a location it may not read from one that is not there.
            download->EndAsFailed(E_ACCESSDENIED);
            return true;
        }
        const HRESULT bound = Bind(moniker.Get(), bindHost.Get(), context.Get(), *download.Get());
        if (FAILED(bound)) {
            download->EndAsFailed(bound);
        } else if (page && !mStallCheck.Running()) {
            mStallCheck.Start(mWindow.Get(), kStallCheckMs);
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Downloads::MayStart(const UntrustedPage& page, IMoniker& moniker, IBindCtx& context) const {
    return Running() <= kMostRunning && page.MayFetch(DisplayName(moniker, context));
}

bool Downloads::MayFollow(const std::wstring& url) const {
    return !mUntrusted || UntrustedPage(mSite).MayFetch(url);
}

std::size_t Downloads::Running() const {
    return static_cast<std::size_t>(
        std::count_if(mDownloads.begin(), mDownloads.end(), [](const ComPtr<Download>& download) {
            return download->FinishedAs() == 0;
        }));
}

// A page could otherwise keep transfers open for as long as the control
// lives; the check stops while none runs.
void Downloads::EndStalled() {
    const ULONGLONG now = GetTickCount64();
    for (const ComPtr<Download>& download : mDownloads) {
        if (download->FinishedAs() == 0 && now - download->LastHeard() >= kLongestSilenceMs) {
            download->EndAsFailed(E_ABORT);
        }
    }
    if (Running() == 0) {
        mStallCheck.Stop();
    }
}

void Downloads::Finished(Download& download) {
    download.SetFinishedAs(++mFinishCount);
    PostMessageW(mWindow.Get(), kFinishedMessage, 0, 0);
}

// The finished download that finished first, taken out of the list.
ComPtr<Download> Downloads::TakeNextFinished() {
    auto next = mDownloads.end();
    for (auto it = mDownloads.begin(); it != mDownloads.end(); ++it) {
        const std::uint64_t order = (*it)->FinishedAs();
        if (order != 0 && (next == mDownloads.end() || order < (*next)->FinishedAs())) {
            next = it;
        }
    }
    if (next == mDownloads.end()) {
        return {};
    }
    ComPtr<Download> taken = std::move(*next);
    mDownloads.erase(next);
    return taken;
}

// A handler may drop the control's last reference: it lives until every
// finished download has been handed over, and nothing here is touched after.
void Downloads::DeliverFinished() {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mControl);
    while (const ComPtr<Download> next = TakeNextFinished()) {
        try {
            mCompleted(next->TakeResult());
        } catch (const std::bad_alloc&) {
            // No memory for the result: this completion is lost, the next may fit.
        }
    }
}

bool Downloads::EnsureWindow() {
    if (!mWindow) {
        mWindow =
            Window(CreateWindowExW(0, DownloadWindowClass(&Downloads::WindowProc).Name(), L"", 0, 0,
                                   0, 0, 0, HWND_MESSAGE, nullptr, module::Handle(), this));
    }
    return static_cast<bool>(mWindow);
}

LRESULT CALLBACK Downloads::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == kFinishedMessage || message == WM_TIMER) {
        auto* self = reinterpret_cast<Downloads*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_TIMER) {
            self->EndStalled();
        } else if (self != nullptr) {
            self->DeliverFinished();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tovabel::win
