// The window, queue, cursor and clock calls as the program relies on them,
// through Win32 calls alone: the same cases run against Windows (and Wine),
// the Linux backend (both in gl_tests) and the fake (in unit_tests), so the
// three are held to one contract.
#include <gtest/gtest.h>

#include "contract/message_log.h"

namespace {

// Takes every queued message for any window, dispatching all but WM_QUIT;
// true when WM_QUIT came, with its exit code.
bool DrainUntilQuit(int* exitCode) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *exitCode = static_cast<int>(msg.wParam);
            return true;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return false;
}

WNDCLASSA PlainClass(const char* name) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return windowClass;
}

}  // namespace

TEST(PlatformWindowClass, RegistersOnceAndUnregistersOnlyKnownClassesWithoutWindows) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(UnregisterClassA("CorvaneNeverRegistered", instance));

    const WNDCLASSA windowClass = PlainClass("CorvaneClassTable");
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "a second registration of the same name must fail";

    HWND window = CreateWindowExA(0, "CorvaneClassTable", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, instance,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA("CorvaneClassTable", instance)) << "the class still has a window";
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window)) << "a destroyed window is gone";
    EXPECT_TRUE(UnregisterClassA("CorvaneClassTable", instance));
    EXPECT_FALSE(UnregisterClassA("CorvaneClassTable", instance));
    EXPECT_EQ(CreateWindowExA(0, "CorvaneClassTable", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, instance,
                              nullptr),
              nullptr)
        << "no window of an unregistered class";
}

TEST(PlatformWindow, FramesGrowForOverlappedWindowsOnlyAndTheClientAreaIsWhatWasAsked) {
    RECT popup = {0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRectEx(&popup, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(popup.left, 0);
    EXPECT_EQ(popup.top, 0);
    EXPECT_EQ(popup.right, 640);
    EXPECT_EQ(popup.bottom, 480);

    RECT overlapped = {0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRectEx(&overlapped, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE));
    EXPECT_LT(overlapped.left, 0);
    EXPECT_LT(overlapped.top, overlapped.left) << "the caption sits above the client area";
    EXPECT_GT(overlapped.right, 640);
    EXPECT_GT(overlapped.bottom, 480);

    // The windowed and the full-screen styles both end with the asked client
    // area, and the frame is the same table both ways.
    for (DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW), static_cast<DWORD>(WS_POPUP)}) {
        LoggedWindow window(style, 300, 170);
        ASSERT_TRUE(window.Alive());
        RECT client = {};
        ASSERT_TRUE(GetClientRect(window.Handle(), &client));
        EXPECT_EQ(client.right - client.left, 300) << "style " << std::hex << style;
        EXPECT_EQ(client.bottom - client.top, 170) << "style " << std::hex << style;
    }
}

TEST(PlatformWindow, ShowingAndDestroyingSendActivationFocusAndSizeBeforeReturning) {
    LoggedWindow window(WS_OVERLAPPEDWINDOW, 240, 120);
    ASSERT_TRUE(window.Alive());
    window.ClearLog();

    ShowWindow(window.Handle(), SW_SHOW);
    SetForegroundWindow(window.Handle());
    SetFocus(window.Handle());
    const int activate = window.IndexOf(WM_ACTIVATE);
    const int focus = window.IndexOf(WM_SETFOCUS);
    ASSERT_GE(activate, 0);
    ASSERT_GT(focus, activate);
    EXPECT_EQ(LOWORD(window.Log()[static_cast<size_t>(activate)].wParam), WA_ACTIVE);
    EXPECT_EQ(HIWORD(window.Log()[static_cast<size_t>(activate)].wParam), 0);
    const int size = window.IndexOf(WM_SIZE);
    ASSERT_GE(size, 0);
    EXPECT_EQ(LOWORD(window.Log()[static_cast<size_t>(size)].lParam), 240);
    EXPECT_EQ(HIWORD(window.Log()[static_cast<size_t>(size)].lParam), 120);

    window.ClearLog();
    ASSERT_TRUE(DestroyWindow(window.Handle()));
    const int lostFocus = window.IndexOf(WM_KILLFOCUS);
    const int destroyed = window.IndexOf(WM_DESTROY);
    ASSERT_GE(lostFocus, 0);
    EXPECT_GT(destroyed, lostFocus);
    EXPECT_FALSE(window.Alive());
}

TEST(PlatformDefaultHandling, CloseCommandBecomesCloseAndCloseDestroysTheWindow) {
    LoggedWindow window(WS_OVERLAPPEDWINDOW, 100, 100);
    ASSERT_TRUE(window.Alive());
    window.ClearLog();
    DefWindowProcA(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const int close = window.IndexOf(WM_CLOSE);
    ASSERT_GE(close, 0);
    EXPECT_GT(window.IndexOf(WM_DESTROY, close), close);
    EXPECT_FALSE(window.Alive());
}

TEST(PlatformQueue, QuitComesWithItsCodeStaysUnderNoRemoveAndEndsGetMessage) {
    int code = -1;
    DrainUntilQuit(&code);  // whatever earlier tests left

    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_TRUE(DrainUntilQuit(&code));
    EXPECT_EQ(code, 7);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "taken once";

    PostQuitMessage(3);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(PlatformQueue, AShownWindowIsPaintedOnceThroughTheQueue) {
    LoggedWindow window(WS_OVERLAPPEDWINDOW, 100, 100);
    ASSERT_TRUE(window.Alive());
    ShowWindow(window.Handle(), SW_SHOW);
    window.DispatchQueued();
    EXPECT_GE(window.Count(WM_PAINT), 1);
    window.ClearLog();
    window.DispatchQueued();
    EXPECT_EQ(window.Count(WM_PAINT), 0) << "the default handling painted it";
}

TEST(PlatformCursorAndClocks, CursorCounterAndClocksMoveAsOnWindows) {
    const int shown = ShowCursor(TRUE);
    EXPECT_EQ(ShowCursor(FALSE), shown - 1);
    EXPECT_EQ(ShowCursor(FALSE), shown - 2);
    EXPECT_EQ(ShowCursor(TRUE), shown - 1);
    EXPECT_EQ(ShowCursor(FALSE), shown - 2);
    ShowCursor(TRUE);
    ShowCursor(TRUE);

    LARGE_INTEGER frequency = {};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency.QuadPart, 0);
    LARGE_INTEGER before = {};
    LARGE_INTEGER after = {};
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    const DWORD start = timeGetTime();
    Sleep(60);
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    const DWORD elapsedMs = timeGetTime() - start;
    EXPECT_GE(elapsedMs, 50u);
    EXPECT_LT(elapsedMs, 2000u);
    const double counterMs = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                             static_cast<double>(frequency.QuadPart);
    EXPECT_GE(counterMs, 50.0);
    EXPECT_LT(counterMs, 2000.0);
}
