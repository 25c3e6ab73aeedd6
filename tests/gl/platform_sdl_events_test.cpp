// The Linux backend's side of the message machinery: SDL events as window
// messages, the blocking wait, display modes, GL context bookkeeping and
// stale handles. Events are pushed into SDL's queue as the X server would
// deliver them, so no input device is needed.
#ifndef _WIN32

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "contract/message_log.h"
#include "platform/linux/window_object.h"

namespace {

Uint32 SdlIdOf(HWND window) { return SDL_GetWindowID(backend::SdlWindowOf(window)); }

SDL_Event KeyEvent(HWND window, bool down, SDL_Scancode scancode, SDL_Keycode symbol, Uint16 modifiers = 0) {
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SdlIdOf(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = symbol;
    event.key.keysym.mod = modifiers;
    return event;
}

void PushKey(HWND window, bool down, SDL_Scancode scancode, SDL_Keycode symbol, Uint16 modifiers = 0) {
    SDL_Event event = KeyEvent(window, down, scancode, symbol, modifiers);
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushWindowEvent(HWND window, SDL_WindowEventID what) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SdlIdOf(window);
    event.window.event = static_cast<Uint8>(what);
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

using Lines = std::vector<std::string>;

// A window as the program has it after CreateDisplay: shown and active,
// with whatever showing it queued already taken.
class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Alive());
        ShowWindow(window.Handle(), SW_SHOW);
        SetFocus(window.Handle());
        window.DispatchQueued();
        window.ClearLog();
        FocusTrail(window.Handle());
    }

    LoggedWindow window{WS_OVERLAPPEDWINDOW, 200, 150};
};

}  // namespace

TEST_F(ShownWindow, KeysArePostedInOrderWithWindowsVirtualKeyCodes) {
    const HWND hwnd = window.Handle();
    PushKey(hwnd, true, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    PushKey(hwnd, true, SDL_SCANCODE_F1, SDLK_F1);
    PushKey(hwnd, true, SDL_SCANCODE_A, SDLK_a);
    PushKey(hwnd, true, SDL_SCANCODE_7, SDLK_7);
    PushKey(hwnd, true, SDL_SCANCODE_F12, SDLK_F12);
    PushKey(hwnd, true, SDL_SCANCODE_LEFT, SDLK_LEFT);
    PushKey(hwnd, true, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT);
    PushKey(hwnd, true, SDL_SCANCODE_MUTE, SDLK_MUTE);  // no Windows code: dropped
    PushKey(hwnd, false, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);

    const struct {
        UINT message;
        WPARAM key;
    } expected[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_F1},    {WM_KEYDOWN, 'A'},
                    {WM_KEYDOWN, '7'},       {WM_KEYDOWN, VK_F12},   {WM_KEYDOWN, VK_LEFT},
                    {WM_KEYDOWN, VK_SHIFT},  {WM_KEYUP, VK_ESCAPE}};
    MSG msg;
    for (const auto& next : expected) {
        ASSERT_TRUE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) << "missing " << next.key;
        EXPECT_EQ(msg.hwnd, hwnd);
        EXPECT_EQ(msg.message, next.message) << "key " << next.key;
        EXPECT_EQ(msg.wParam, next.key);
        if (next.key == VK_LEFT) {
            EXPECT_NE(msg.lParam & (1 << 24), 0) << "arrows are extended keys";
        }
        if (next.message == WM_KEYUP) {
            EXPECT_EQ(static_cast<DWORD>(msg.lParam) & 0xC0000000u, 0xC0000000u) << "released, was down";
        }
    }
    while (PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) {
        EXPECT_NE(msg.message, static_cast<UINT>(WM_KEYDOWN)) << "unexpected key " << msg.wParam;
    }
}

// The rest of Alt+F4's way is the default handling's (tests/contract/).
TEST_F(ShownWindow, AltF4IsASystemKeyWithTheAltBitThatClosesTheWindow) {
    PushKey(window.Handle(), true, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT);
    PushKey(window.Handle(), true, SDL_SCANCODE_F4, SDLK_F4, KMOD_LALT);
    window.DispatchQueued();
    ASSERT_EQ(window.Count(WM_SYSKEYDOWN), 2);
    EXPECT_EQ(window.Count(WM_KEYDOWN), 0);
    EXPECT_NE(window.Log()[static_cast<size_t>(window.IndexOf(WM_SYSKEYDOWN))].lParam & (1 << 29), 0);
    EXPECT_FALSE(window.Alive()) << "nobody handled WM_CLOSE, so the default destroyed the window";
}

TEST_F(ShownWindow, TheCloseButtonAsksForSystemCloseAndThenClose) {
    PushWindowEvent(window.Handle(), SDL_WINDOWEVENT_CLOSE);
    window.DispatchQueued();
    const int command = window.IndexOf(WM_SYSCOMMAND);
    ASSERT_GE(command, 0);
    EXPECT_EQ(window.Log()[static_cast<size_t>(command)].wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_GT(window.IndexOf(WM_CLOSE), command);
}

// Minimising reports a size of 0 by 0, then the loss of activation with the
// minimised flag and of the focus; restoring reports the size, and the focus
// coming back reports the activation without the flag and the focus, once.
// Focus coming before the restore activates the window minimised, without
// the focus, which comes with the restore.
TEST_F(ShownWindow, MinimisingAndRestoringReportSizeActivationAndFocusInWindowsOrder) {
    const HWND hwnd = window.Handle();
    // The logged window passes SC_SCREENSAVE on to the default handling, so
    // nothing is held off for it, active or not (linux_screen_saver_test.cpp).
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_MINIMIZED);
    window.DispatchQueued();
    ASSERT_GE(window.IndexOf(WM_SIZE), 0);
    EXPECT_EQ(window.Log()[static_cast<size_t>(window.IndexOf(WM_SIZE))].wParam, WPARAM{SIZE_MINIMIZED});
    EXPECT_EQ(window.Log()[static_cast<size_t>(window.IndexOf(WM_SIZE))].lParam, 0);
    EXPECT_EQ(FocusTrail(hwnd), (Lines{"first activate 0,1 0", "first killfocus 0"}));

    window.ClearLog();
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_FOCUS_GAINED);  // a repeat changes nothing
    window.DispatchQueued();
    ASSERT_GE(window.IndexOf(WM_SIZE), 0);
    EXPECT_EQ(window.Log()[static_cast<size_t>(window.IndexOf(WM_SIZE))].wParam, WPARAM{SIZE_RESTORED});
    EXPECT_EQ(window.Log()[static_cast<size_t>(window.IndexOf(WM_SIZE))].lParam, MAKELPARAM(200, 150));
    EXPECT_EQ(FocusTrail(hwnd), (Lines{"first activate 1,0 0", "first setfocus 0"}));
    EXPECT_GE(window.Count(WM_PAINT), 1) << "a restored window is painted, which wakes a waiting loop";
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());

    PushWindowEvent(hwnd, SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(hwnd, SDL_WINDOWEVENT_RESTORED);
    window.DispatchQueued();
    EXPECT_EQ(FocusTrail(hwnd), (Lines{"first activate 0,1 0", "first killfocus 0", "first activate 1,1 0",
                                                     "first activate 1,0 0", "first setfocus 0"}));
}

// SDL's X11 driver may hold a focus change back after a mode change and hand
// it on only when events are pumped again, which no X event need prompt: so
// right after a window call GetMessageA pumps every slice for longer than
// SDL's hold (400 ms after the change, then 200 ms); later it sleeps, using
// no processor time, until something arrives. SDL marks each pump in its queue.
TEST_F(ShownWindow, GetMessagePumpsOftenWhileSdlMayHoldAFocusChangeAndLaterSleepsUntilAnEvent) {
    std::vector<Uint32> pumps;
    const SDL_EventFilter seePumps = [](void* seen, SDL_Event* event) {
        if (event->type == SDL_POLLSENTINEL) static_cast<std::vector<Uint32>*>(seen)->push_back(SDL_GetTicks());
        return 1;
    };
    const HWND hwnd = window.Handle();
    double cpuMs = 0;
    const auto longestGapOfAWait = [&](int wakeAfterMs) {
        pumps.assign(1, SDL_GetTicks());
        const std::clock_t cpuStart = std::clock();
        std::thread later([hwnd, wakeAfterMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(wakeAfterMs));
            SDL_Event event = KeyEvent(hwnd, true, SDL_SCANCODE_SPACE, SDLK_SPACE);
            SDL_PushEvent(&event);
        });
        MSG msg;
        EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
        later.join();
        cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        EXPECT_TRUE(msg.message == WM_KEYDOWN && msg.wParam == VK_SPACE) << "the key that woke it";
        pumps.push_back(SDL_GetTicks());
        Uint32 longest = 0;
        for (size_t at = 1; at < pumps.size(); ++at) longest = std::max(longest, pumps[at] - pumps[at - 1]);
        return longest;
    };
    SDL_AddEventWatch(seePumps, &pumps);
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_LE(longestGapOfAWait(700), 350u) << "right after a window call";
    window.DispatchQueued();
    SDL_Delay(1200);
    EXPECT_GE(longestGapOfAWait(700), 600u) << "a second later";
    EXPECT_LT(cpuMs, 100.0);
    SDL_DelEventWatch(seePumps, &pumps);
}

TEST(PlatformDisplayMode, OnlyOfferedSizesChangeTheModeAndAMatchingPopupIsFullScreen) {
    ASSERT_TRUE(SDL_WasInit(SDL_INIT_VIDEO) || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);

    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = 1234;
    mode.dmPelsHeight = 567;
    mode.dmBitsPerPel = 32;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
    mode.dmPelsWidth = static_cast<DWORD>(desktop.w);
    mode.dmPelsHeight = static_cast<DWORD>(desktop.h);
    mode.dmBitsPerPel = 12;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
    for (DWORD bits : {8u, 16u, 32u}) {
        mode.dmBitsPerPel = bits;
        EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL) << bits << " bits";
    }

    LoggedWindow popup(WS_POPUP, desktop.w, desktop.h);
    ASSERT_TRUE(popup.Alive());
    ShowWindow(popup.Handle(), SW_SHOW);
    SDL_Window* sdlWindow = backend::SdlWindowOf(popup.Handle());
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u) << "the desktop mode is back";

    LoggedWindow windowed(WS_POPUP, desktop.w, desktop.h);
    ASSERT_TRUE(windowed.Alive());
    EXPECT_EQ(SDL_GetWindowFlags(backend::SdlWindowOf(windowed.Handle())) & SDL_WINDOW_FULLSCREEN, 0u);
}

TEST(PlatformGLContext, ContextsFollowWindowsRulesAndStaleHandlesAreRefused) {
    LoggedWindow window(WS_POPUP, 64, 64);
    ASSERT_TRUE(window.Alive());
    const HWND hwnd = window.Handle();
    HDC dc = GetDC(hwnd);
    PIXELFORMATDESCRIPTOR format = {};
    EXPECT_EQ(wglCreateContext(dc), nullptr) << "no context before the pixel format is set";
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format));
    EXPECT_FALSE(SetPixelFormat(dc, 2, &format)) << "a window's format is set once";

    HGLRC first = wglCreateContext(dc);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "creating a context does not make it current";
    ASSERT_TRUE(wglMakeCurrent(dc, first));
    SDL_GLContext current = SDL_GL_GetCurrentContext();
    HGLRC second = wglCreateContext(dc);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), current) << "nor does it replace the current one";
    EXPECT_TRUE(wglDeleteContext(second));
    EXPECT_FALSE(wglDeleteContext(second));
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_TRUE(wglDeleteContext(first));

    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(ReleaseDC(hwnd, dc), 0);
    EXPECT_FALSE(SwapBuffers(dc));
    EXPECT_EQ(ChoosePixelFormat(dc, &format), 0);
}

#endif  // _WIN32
