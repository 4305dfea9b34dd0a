// The control in a real container: in-place activation in our own test
// container (design and run mode) and in Wine's ATL host, the pixels its
// window shows, size changes that reach the container, and the GDI and USER
// objects left behind by many instances and by many state changes of one.
#include "com_client.h"
#include "win/common/gdi.h"
#include "win/olehost/object_counts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::GdiObjects;
using olehost::Pixels;
using olehost::PrivateBytes;
using olehost::PumpMessages;
using olehost::ReadView;
using olehost::ReadWindow;
using olehost::ThreadWindows;

RECT ClientRectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// The screen resolution of the run: 96 unless the run asked for another one
// (tools/with-dpi.sh), so that the tests that follow are known to have run there.
TEST(Activation, RunsAtTheRequestedScreenResolution) {
    const char* asked = std::getenv("TOVABEL_EXPECT_DPI");
    const int expected = asked ? std::atoi(asked) : 96;
    win::WindowDc screen(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSX), expected);
    EXPECT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSY), expected);
}

TEST(Activation, ActivatesInPlaceWithItsOwnChildWindowInBothModes) {
    for (const bool userMode : {false, true}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        Container container(userMode);
        const RECT position{10, 20, 110, 50};
        ASSERT_EQ(S_OK, container.Create(kProgId, position));
        EXPECT_TRUE(container.Site().inPlaceActive);

        const HWND window = container.ControlWindow();
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(container.FrameWindow(), GetParent(window));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(SameRect(position, ClientRectInParent(window)));

        // The hwnd property is the same window.
        Var hwnd;
        ASSERT_EQ(S_OK, container.Get(L"hwnd", hwnd.Put()));
        ASSERT_TRUE(hwnd.As(VT_I4));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(window), V_I4(hwnd.As(VT_I4)->Get()));

        // Deactivation gives the window back.
        container.Destroy();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(container.Site().inPlaceActive);
    }
}

TEST(Activation, WindowAndViewShowTheBackColourAsOneFrame) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 80, 30}));
    ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));

    const Pixels window = Face(container);
    ASSERT_EQ(80, window.width);
    ASSERT_EQ(30, window.height);
    // The face may draw a caption or lines; the background is most of it.
    EXPECT_GT(window.Count(kBack), window.data.size() / 2);

    // IViewObject::Draw composes the very same frame.
    const Pixels view = ReadView(container.Control(), 80, 30);
    EXPECT_EQ(window.data.size(), view.data.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < view.data.size() && i < window.data.size(); ++i) {
        differing += (view.data[i] & 0xFFFFFF) != (window.data[i] & 0xFFFFFF) ? 1 : 0;
    }
    EXPECT_EQ(0u, differing);
}

TEST(Activation, ContainerMovesAndResizesTheWindowAndItsSurface) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 20}));
    ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));
    Face(container);

    // Grown by the container: the new area is painted too (no stale strip).
    RECT larger{5, 5, 125, 45};
    container.Site().position = larger;
    ASSERT_EQ(S_OK, container.Site().inPlaceObject->SetObjectRects(&larger, &larger));
    EXPECT_TRUE(SameRect(larger, ClientRectInParent(container.ControlWindow())));
    const Pixels pixels = Face(container);
    ASSERT_EQ(120, pixels.width);
    ASSERT_EQ(40, pixels.height);
    EXPECT_EQ(kBack, pixels.At(115, 35));

    // The extent follows the window (HIMETRIC at the screen's resolution).
    const Ref<IOleObject> object =
        Ref<IUnknown>::Share(container.Control()).As<IOleObject>(IID_IOleObject);
    SIZEL extent{};
    ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &extent));
    const win::WindowDc screen(nullptr);
    EXPECT_NEAR(120.0, extent.cx * GetDeviceCaps(screen.Get(), LOGPIXELSX) / 2540.0, 0.5);
    EXPECT_NEAR(40.0, extent.cy * GetDeviceCaps(screen.Get(), LOGPIXELSY) / 2540.0, 0.5);
}

TEST(Activation, AutoSizeAsksTheContainerForTheNewRectangle) {
    Container container;
    const RECT position{10, 10, 30, 20};
    ASSERT_EQ(S_OK, container.Create(kProgId, position));
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"A caption much wider than the button")));
    ASSERT_EQ(S_OK, container.Put(L"AutoSize", *Bool(true)));
    container.Settle();

    ASSERT_FALSE(container.Site().posRectRequests.empty());
    const RECT asked = container.Site().posRectRequests.back();
    EXPECT_EQ(position.left, asked.left);
    EXPECT_EQ(position.top, asked.top);
    EXPECT_GT(asked.right - asked.left, 20);
    // The container agreed: the window has that rectangle.
    EXPECT_TRUE(SameRect(asked, ClientRectInParent(container.ControlWindow())));
    const Ref<IViewObject2> view =
        Ref<IUnknown>::Share(container.Control()).As<IViewObject2>(IID_IViewObject2);
    SIZEL extent{};
    ASSERT_EQ(S_OK, view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent));
    const win::WindowDc screen(nullptr);
    EXPECT_NEAR(asked.right - asked.left,
                extent.cx * GetDeviceCaps(screen.Get(), LOGPIXELSX) / 2540.0, 0.5);
}

// UI activation makes the control the frame's active object until it ends.
TEST(Activation, UIActivationMakesTheControlTheFramesActiveObject) {
    Container container(false);
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 24}));
    const Ref<IUnknown> control = Ref<IUnknown>::Share(container.Control());
    const Ref<IOleObject> object = control.As<IOleObject>(IID_IOleObject);
    RECT position{0, 0, 60, 24};
    EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &container.Site(), 0,
                                   container.FrameWindow(), &position));
    EXPECT_TRUE(container.Site().uiActive);
    const Ref<IOleInPlaceActiveObject> active =
        control.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    EXPECT_EQ(active.Get(), container.GetFrame().activeObject);
    ASSERT_EQ(S_OK, container.Site().inPlaceObject->UIDeactivate());
    EXPECT_FALSE(container.Site().uiActive);
    EXPECT_EQ(nullptr, container.GetFrame().activeObject);
}

TEST(Activation, QuickActivateConnectsTheSinksAndReportsStatus) {
    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(kProgId, &clsid));
    Ref<IQuickActivate> quick;
    ASSERT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IQuickActivate,
                                     quick.PutVoid()));
    Container container;
    ChangeSink changes;
    EventSink events;
    QACONTAINER qa{};
    qa.cbSize = sizeof(qa);
    qa.pClientSite = &container.Site();
    qa.pPropertyNotifySink = &changes;
    qa.pUnkEventSink = &events;
    QACONTROL result{};
    result.cbSize = sizeof(result);
    ASSERT_EQ(S_OK, quick->QuickActivate(&qa, &result));
    EXPECT_NE(0u, result.dwMiscStatus & OLEMISC_SETCLIENTSITEFIRST);
    EXPECT_NE(0u, result.dwViewStatus & VIEWSTATUS_OPAQUE);
    EXPECT_NE(0u, result.dwEventCookie);
    EXPECT_NE(0u, result.dwPropNotifyCookie);

    const Ref<IDispatch> control = quick.As<IDispatch>(IID_IDispatch);
    const Ref<IPersistStreamInit> persist = quick.As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_EQ(S_OK, persist->InitNew());
    ASSERT_EQ(S_OK, Put(control.Get(), L"Caption", Str(L"Changed")));
    EXPECT_FALSE(changes.changed.empty());
    quick.As<IOleObject>(IID_IOleObject)->SetClientSite(nullptr);
}

// Wine's ATL host: no ambient IDispatch, E_NOTIMPL from most site calls.
TEST(Activation, ActivatesAndPaintsInTheAtlHost) {
    const HMODULE atl = LoadLibraryW(L"atl.dll");
    ASSERT_NE(nullptr, atl);
    using Init = BOOL(WINAPI*)();
    using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
    const auto init =
        reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    const auto getControl = reinterpret_cast<GetControl>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    ASSERT_TRUE(init != nullptr && init());

    Container frame;
    win::Window host(CreateWindowExW(0, L"AtlAxWin", kProgId, WS_CHILD | WS_VISIBLE, 10, 10, 90, 32,
                                     frame.FrameWindow(), nullptr, GetModuleHandleW(nullptr),
                                     nullptr));
    ASSERT_TRUE(host);
    frame.Settle();
    const HWND window = FindWindowExW(host.Get(), nullptr, L"OrnisTovabelWindow", nullptr);
    ASSERT_NE(nullptr, window);

    Ref<IUnknown> control;
    ASSERT_TRUE(getControl != nullptr);
    ASSERT_EQ(S_OK, getControl(host.Get(), control.Put()));
    const Ref<IDispatch> dispatch = control.As<IDispatch>(IID_IDispatch);
    ASSERT_EQ(S_OK, Put(dispatch.Get(), L"BackColor", Colour(kBack)));
    frame.Settle();

    const Pixels pixels = ReadWindow(window);
    ASSERT_GT(pixels.width, 0);
    EXPECT_GT(pixels.Count(kBack), pixels.data.size() / 2);
    control.Reset();
    host.Reset();
    frame.Settle();
}

// A transparent button's window has the shape of its picture's opaque pixels
// and is whole again when it stops being transparent.
TEST(Activation, TransparentButtonWindowTakesThePictureShape) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 30}));
    const Ref<IPictureDisp> picture = MakeBitmapPicture(16);
    ASSERT_EQ(S_OK, container.Put(L"Picture", *Object(picture.Get())));
    const auto shape = [&] {
        const win::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        const int kind = GetWindowRgn(container.ControlWindow(), region.Get());
        GetRgnBox(region.Get(), &box);
        return kind == ERROR ? RECT{} : box;
    };
    EXPECT_TRUE(SameRect(shape(), RECT{})) << "an opaque button is a whole window";

    ASSERT_EQ(S_OK, container.Put(L"Transparent", *Bool(true)));
    container.Settle();
    // The picture (all opaque) sits at the top left of the window, which the
    // button sized to it.
    EXPECT_TRUE(SameRect(shape(), RECT{0, 0, 16, 16}));

    ASSERT_EQ(S_OK, container.Put(L"Transparent", *Bool(false)));
    container.Settle();
    EXPECT_TRUE(SameRect(shape(), RECT{}));
}

TEST(Activation, ThousandInstancesLeaveNoObjectsBehind) {
    Container container;
    const auto cycle = [&](int i) {
        ASSERT_EQ(S_OK, container.Create(kProgId, {i % 7, i % 5, 60 + i % 11, 24 + i % 3}));
        ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"Leak &check")));
        RedrawWindow(container.ControlWindow(), nullptr, nullptr, RDW_UPDATENOW);
        container.Destroy();
    };
    cycle(0);
    const DWORD gdiFirst = GdiObjects();
    const DWORD windowsFirst = ThreadWindows();
    const DWORD userFirst = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const ULONG siteRefs = container.Site().References();
    for (int i = 1; i < 1000; ++i) {
        cycle(i);
        if (HasFatalFailure()) {
            return;
        }
    }
    PumpMessages(std::chrono::milliseconds(0));
    const DWORD gdiLast = GdiObjects();
    const DWORD windowsLast = ThreadWindows();
    const DWORD userLast = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // The thread's shared painting objects (palette, painter with its screen
    // DC and palette, dither pattern) are made again by every first instance,
    // and what the system caches for itself comes and goes by about ten; an
    // object left behind by each instance would show as a thousand.
    constexpr DWORD kTolerance = 24;
    ASSERT_GT(gdiFirst, 0u) << "GDI objects cannot be counted here";
    {
        // The count sees objects come and go, so a leak would show.
        std::vector<win::GdiObject<HBRUSH>> probes;
        for (int i = 0; i < 20; ++i) {
            probes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
        }
        EXPECT_EQ(GdiObjects(), gdiLast + 20);
    }
    EXPECT_LE(gdiLast, gdiFirst + kTolerance);
    EXPECT_EQ(windowsFirst, windowsLast);
    EXPECT_LE(userLast, userFirst + kTolerance);
    EXPECT_EQ(siteRefs, container.Site().References());
    std::printf("GDI objects after 1 instance: %lu, after 1000: %lu; windows %lu -> %lu; "
                "USER objects %lu -> %lu\n",
                gdiFirst, gdiLast, windowsFirst, windowsLast, userFirst, userLast);
}

TEST(Activation, HundredThousandStateChangesLeaveNoObjectsBehind) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 70, 40}));
    ASSERT_EQ(S_OK, container.Put(L"Style", *Long(3)));
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"&Leak")));
    const Ref<IPictureDisp> picture = MakeSquarePicture(16, RGB(192, 192, 192), RGB(0, 0, 255));
    ASSERT_EQ(S_OK, container.Put(L"Picture", *Object(picture.Get())));
    HWND window = container.ControlWindow();
    // In, pressed, released, out: four state changes, each a new face.
    const auto cycles = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ClickAndLeave(window);
            // A host pumps its queue between gestures; a thread that never
            // does would also stall every program that sends it a message.
            if (i % 100 == 0) {
                RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
                PumpMessages(std::chrono::milliseconds(0));
            }
        }
    };
    // The first ten thousand changes make what is kept for good and bring the
    // heaps to their working size (they still move by a few hundred kilobytes).
    cycles(2500);
    const DWORD gdiFirst = GdiObjects();
    const DWORD windowsFirst = ThreadWindows();
    const SIZE_T bytesFirst = PrivateBytes();
    cycles(25000);
    const DWORD gdiLast = GdiObjects();
    const SIZE_T bytesLast = PrivateBytes();
    // Programs running beside the test may switch the active window, and the
    // system then draws this thread's frame afresh once: a leak of the button
    // would show as a hundred thousand objects, so a handful is tolerated.
    constexpr DWORD kSystemObjects = 4;
    EXPECT_LE(gdiLast, gdiFirst + kSystemObjects);
    EXPECT_EQ(ThreadWindows(), windowsFirst);
    // Heaps grow in steps of their own: allow one megabyte, far below the
    // hundred thousand faces a leak of even ten bytes each would show.
    EXPECT_LE(bytesLast, bytesFirst + (1u << 20));
    std::printf("after 10,000 and 110,000 state changes: GDI objects %lu -> %lu, private bytes "
                "%lu -> %lu\n",
                gdiFirst, gdiLast, static_cast<unsigned long>(bytesFirst),
                static_cast<unsigned long>(bytesLast));
}

} // namespace
} // namespace tovabel::wintest
