// The window, queue, monitor, cursor and kernel calls as the program relies
// on them, through Win32 calls alone: the same cases run against Windows
// (and Wine), the Linux backend (both in gl_tests) and the fake (in
// unit_tests), so the three are held to one contract.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

using Lines = std::vector<std::string>;


BOOL CALLBACK KeepMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) reinterpret_cast<std::vector<MONITORINFO>*>(list)->push_back(info);
    return TRUE;
}

WNDCLASSA PlainClass(const char* name) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return windowClass;
}

}  // namespace

// A destroyed window's handle is refused by every call, as Windows refuses it.
TEST(PlatformWindowClass, RegistersOnceUnregistersOnlyClassesWithoutWindowsAndRefusesDestroyedWindows) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(UnregisterClassA("CorvaneNeverRegistered", instance));

    EXPECT_NE(LoadIconA(nullptr, IDI_WINLOGO), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    const WNDCLASSA windowClass = PlainClass("CorvaneClassTable");
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "a second registration of the same name must fail";

    HWND window = CreateWindowExA(0, "CorvaneClassTable", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, instance,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA("CorvaneClassTable", instance)) << "the class still has a window";
    EXPECT_TRUE(DestroyWindow(window));
    RECT rect = {};
    MSG msg = {};
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_FALSE(SetForegroundWindow(window));
    EXPECT_EQ(SetFocus(window), nullptr);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_FALSE(GetClientRect(window, &rect));
    EXPECT_FALSE(MoveWindow(window, 0, 0, 10, 10, FALSE));
    EXPECT_FALSE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetMessageA(&msg, window, 0, 0), -1);
    EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 0u);
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
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
    EXPECT_EQ((std::vector<LONG>{popup.left, popup.top, popup.right, popup.bottom}),
              (std::vector<LONG>{0, 0, 640, 480}));

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

// Activation moving between two windows of the program: the window losing it
// hears first, then the one gaining it, each naming the other in lParam (the
// high word of wParam is its own minimised state); then the focus follows,
// each focus message naming the other window in wParam.
TEST(PlatformActivation, MovingBetweenTwoWindowsTellsTheLoserFirstAndEachNamesTheOther) {
    LoggedWindow first(WS_OVERLAPPEDWINDOW, 160, 120);
    LoggedWindow second(WS_OVERLAPPEDWINDOW, 240, 120);
    ASSERT_TRUE(first.Alive() && second.Alive());
    const HWND a = first.Handle(), b = second.Handle();
    ShowWindow(a, SW_SHOW);
    SetForegroundWindow(a);
    SetFocus(a);
    first.DispatchQueued();
    FocusTrail(a, b);
    second.ClearLog();
    const Lines toSecond = {"first activate 0,0 second", "second activate 1,0 first", "first killfocus second",
                            "second setfocus first"};
    const Lines toFirst = {"second activate 0,0 first", "first activate 1,0 second", "second killfocus first",
                           "first setfocus second"};

    ShowWindow(b, SW_SHOW);
    EXPECT_EQ(FocusTrail(a, b), toSecond) << "showing a window activates it";
    const int size = second.IndexOf(WM_SIZE);
    ASSERT_GE(size, 0) << "a window shown the first time hears its size again";
    EXPECT_EQ(second.Log()[static_cast<size_t>(size)].lParam, MAKELPARAM(240, 120));
    second.DispatchQueued();
    EXPECT_GE(second.Count(WM_PAINT), 1) << "a shown window is painted through the queue";
    second.ClearLog();
    second.DispatchQueued();
    EXPECT_EQ(second.Count(WM_PAINT), 0) << "once: the default handling painted it";
    FocusTrail(a, b);
    EXPECT_TRUE(SetForegroundWindow(a));
    EXPECT_EQ(FocusTrail(a, b), toFirst);
    [[maybe_unused]] const HWND hadFocus = SetFocus(b);
    EXPECT_EQ(FocusTrail(a, b), toSecond) << "focusing a window of an inactive one activates it";
#ifndef _WIN32
    // Windows documents the window that had the focus before the call; Wine
    // answers this one, to which the activation had just moved it.
    EXPECT_EQ(hadFocus, a);
#endif
    EXPECT_EQ(SetFocus(b), b);
    EXPECT_EQ(FocusTrail(a, b), Lines{}) << "nothing moved";
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_EQ(FocusTrail(a, b), Lines{"second killfocus 0"});
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(FocusTrail(a, b), Lines{"second setfocus 0"}) << "the active window takes the focus back";

    second.ClearLog();
    ASSERT_TRUE(DestroyWindow(b));
    EXPECT_GE(second.IndexOf(WM_KILLFOCUS), 0);
    EXPECT_GT(second.IndexOf(WM_DESTROY), second.IndexOf(WM_KILLFOCUS)) << "the focus goes before the window";
}

// Alt+F4 reaches the default handling as a system key with the Alt bit (29)
// set; it posts SC_CLOSE, whose default handling sends WM_CLOSE, whose
// default handling destroys the window. F4 alone, or a system F4 without
// the Alt bit (sent when no window has the focus), closes nothing.
TEST(PlatformDefaultHandling, AltF4PostsTheCloseCommandAndF4AloneClosesNothing) {
    LoggedWindow window(WS_OVERLAPPEDWINDOW, 100, 100);
    EXPECT_EQ(DefWindowProcA(window.Handle(), WM_KEYDOWN, VK_F4, 1), 0);
    EXPECT_EQ(DefWindowProcA(window.Handle(), WM_SYSKEYDOWN, VK_F4, 1), 0);
    window.DispatchQueued();
    ASSERT_TRUE(window.Alive()) << "F4 without Alt closes nothing";

    EXPECT_EQ(DefWindowProcA(window.Handle(), WM_SYSKEYDOWN, VK_F4, (LPARAM{1} << 29) | 1), 0);
    EXPECT_EQ(window.IndexOf(WM_SYSCOMMAND), -1) << "posted, not sent";
    window.DispatchQueued();
    const int command = window.IndexOf(WM_SYSCOMMAND);
    ASSERT_GE(command, 0);
    EXPECT_EQ(window.Log()[static_cast<size_t>(command)].wParam & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
    const int close = window.IndexOf(WM_CLOSE, command);
    ASSERT_GT(close, command);
    EXPECT_GT(window.IndexOf(WM_DESTROY, close), close);
}

// Nonzero for the four key messages whatever they translate to (F4 makes no
// character), zero for every other message.
TEST(PlatformQueue, TranslateMessageAnswersTrueForKeyMessagesOnly) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_COMMAND, WM_PAINT, WM_TIMER, WM_CLOSE}) {
        const MSG msg = {nullptr, message, VK_F4, 1, 0, {0, 0}};
        const bool key = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
                         message == WM_SYSKEYUP;
        EXPECT_EQ(TranslateMessage(&msg) != FALSE, key) << "message " << std::hex << message;
    }
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

// In the desktop's own mode the virtual screen is the rectangle around every
// monitor; the primary monitor's top-left corner is the origin.
TEST(PlatformMonitors, TheVirtualScreenHoldsEveryMonitorAndThePrimaryStartsAtTheOrigin) {
    ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::vector<MONITORINFO> monitors;
    ASSERT_TRUE(EnumDisplayMonitors(nullptr, nullptr, KeepMonitor, reinterpret_cast<LPARAM>(&monitors)));
    std::vector<std::pair<LONG, LONG>> primaryCorners;
    for (const MONITORINFO& m : monitors) {
        const RECT& r = m.rcMonitor;
        EXPECT_TRUE(r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom && r.right > r.left);
        if ((m.dwFlags & MONITORINFOF_PRIMARY) != 0) primaryCorners.emplace_back(r.left, r.top);
    }
    EXPECT_EQ(primaryCorners, (std::vector<std::pair<LONG, LONG>>{{0, 0}})) << "one primary monitor";
}

// The length without the terminator when the directory fits, else the size
// the buffer needs.
TEST(PlatformKernel, GetCurrentDirectoryAnswersTheLengthOrTheSizeNeeded) {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    ASSERT_GT(needed, 1u);
    std::vector<char> buffer(needed);
    EXPECT_EQ(GetCurrentDirectoryA(needed - 1, buffer.data()), needed) << "one short";
    EXPECT_EQ(GetCurrentDirectoryA(needed, buffer.data()), needed - 1);
    EXPECT_EQ(std::string(buffer.data()).size(), needed - 1);
}
