#include "in_place.h"

#include "control.h"
#include "module.h"

namespace tovabel::win {

namespace {

// The control window's class, registered once for the module.
const WindowClass& ControlWindowClass(WNDPROC procedure) {
    static const WindowClass registered([&] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.style = CS_DBLCLKS;
        description.lpfnWndProc = procedure;
        description.hInstance = module::Handle();
        description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.lpszClassName = L"OrnisTovabelWindow";
        return description;
    }());
    return registered;
}

SIZE SizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

HRESULT InPlace::Activate(bool uiActivate) {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&control_);
    if (!window_) {
        const ComPtr<IOleInPlaceSite> site =
            ComPtr<IOleClientSite>::Share(control_.GetSite().ClientSite())
                .As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!site) {
            return E_NOINTERFACE;
        }
        if (site->CanInPlaceActivate() != S_OK) {
            return E_FAIL;
        }
        site->OnInPlaceActivate();
        HWND parent = nullptr;
        RECT position{};
        RECT clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        if (FAILED(site->GetWindow(&parent)) ||
            FAILED(site->GetWindowContext(frame.Put(), document.Put(), &position, &clip,
                                          &frameInfo))) {
            site->OnInPlaceDeactivate();
            return E_FAIL;
        }
        const WindowClass& windowClass = ControlWindowClass(&InPlace::WindowProc);
        const SIZE size = SizeOf(position);
        window_ = win::Window(CreateWindowExW(
            0, windowClass.Name(), L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, position.left,
            position.top, size.cx, size.cy, parent, nullptr, module::Handle(), this));
        if (!window_) {
            site->OnInPlaceDeactivate();
            return E_OUTOFMEMORY;
        }
        site_ = site;
        frame_ = frame;
        document_ = document;
        position_ = position;
        control_.Host().WindowPlaced(size);
        ShowWindow(window_.Get(), SW_SHOWNA);
    }
    if (uiActivate && !uiActive_) {
        uiActive_ = true;
        site_->OnUIActivate();
        const ComPtr<IOleInPlaceActiveObject> active =
            ComPtr<IUnknown>::Share(&control_).As<IOleInPlaceActiveObject>(
                IID_IOleInPlaceActiveObject);
        if (frame_) {
            frame_->SetActiveObject(active.Get(), nullptr);
            frame_->SetBorderSpace(nullptr);
        }
        if (document_) {
            document_->SetActiveObject(active.Get(), nullptr);
            document_->SetBorderSpace(nullptr);
        }
        if (window_ && GetFocus() != window_.Get()) {
            SetFocus(window_.Get());
        }
    }
    return S_OK;
}

void InPlace::UIDeactivate() {
    if (!uiActive_) {
        return;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&control_);
    uiActive_ = false;
    if (frame_) {
        frame_->SetActiveObject(nullptr, nullptr);
    }
    if (document_) {
        document_->SetActiveObject(nullptr, nullptr);
    }
    if (site_) {
        site_->OnUIDeactivate(FALSE);
    }
}

void InPlace::Deactivate() {
    if (!window_ && !site_) {
        return;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&control_);
    UIDeactivate();
    window_.Reset();
    frame_.Reset();
    document_.Reset();
    const ComPtr<IOleInPlaceSite> site = std::move(site_);
    if (site) {
        site->OnInPlaceDeactivate();
    }
}

void InPlace::SetObjectRects(const RECT& position) {
    position_ = position;
    Move(position);
}

void InPlace::RequestSize(SIZE pixels) {
    if (!window_) {
        return;
    }
    RECT wanted = position_;
    wanted.right = wanted.left + pixels.cx;
    wanted.bottom = wanted.top + pixels.cy;
    if (site_) {
        // A container that agrees moves the window through SetObjectRects.
        site_->OnPosRectChange(&wanted);
    }
    if (!window_) {
        return; // the container deactivated the control meanwhile
    }
    RECT client{};
    GetClientRect(window_.Get(), &client);
    if (client.right != pixels.cx || client.bottom != pixels.cy) {
        position_ = wanted;
        Move(wanted);
    }
}

void InPlace::Move(const RECT& position) {
    if (!window_) {
        return;
    }
    const SIZE size = SizeOf(position);
    SetWindowPos(window_.Get(), nullptr, position.left, position.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    control_.Host().WindowPlaced(size);
}

void InPlace::Invalidate() const {
    if (window_) {
        InvalidateRect(window_.Get(), nullptr, FALSE);
    }
}

LRESULT CALLBACK InPlace::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<InPlace*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr && self->window_.Get() == window) {
            self->window_.Forget(); // destroyed with its parent, not by its holder
        }
        self = nullptr;
    }
    if (self == nullptr || self->window_.Get() != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT InPlace::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.Get();
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint cycle covers the whole client area
    case WM_PAINT: {
        const PaintCycle paint(window);
        RECT client{};
        GetClientRect(window, &client);
        control_.Draw(paint.Dc(), client);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        if (!uiActive_) {
            Activate(true);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tovabel::win
