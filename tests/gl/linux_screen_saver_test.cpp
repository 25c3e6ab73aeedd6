// The Linux backend holds screen savers off exactly while its active window
// swallows WM_SYSCOMMAND SC_SCREENSAVE, and says why start-up calls fail.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "platform/linux/screen_saver.h"
#include "platform/win32.h"

namespace {

bool swallow = true;
int questions = 0;

// Swallows the screen-saver request as the show does, or passes it on to
// the default handling as a screen-saver hack does.
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && wParam == SC_SCREENSAVE) {
        ++questions;
        if (swallow) return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ReadQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class ScreenSaverHold : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "CorvaneScreenSaverHold";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        questions = 0;
    }
    void TearDown() override { UnregisterClassA("CorvaneScreenSaverHold", GetModuleHandleA(nullptr)); }

    static HWND Show() {
        HWND window = CreateWindowExA(0, "CorvaneScreenSaverHold", "hold", WS_OVERLAPPEDWINDOW, 0, 0, 160, 120,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window != nullptr) ShowWindow(window, SW_SHOW);
        return window;
    }
};

}  // namespace

TEST_F(ScreenSaverHold, HeldWhileTheActiveWindowSwallowsTheRequestAndReleasedWhenItGoes) {
    swallow = true;
    HWND window = Show();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(backend::ScreenSaverHeld()) << "the question waits for the queue, not the activation";
    ReadQueue();
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(backend::ScreenSaverHeld());
    ReadQueue();
    EXPECT_EQ(questions, 1) << "asked again only after about 30 seconds, never per frame";

    ShowWindow(window, SW_HIDE);  // deactivates, as minimising does
    EXPECT_FALSE(backend::ScreenSaverHeld());
    ShowWindow(window, SW_SHOW);
    ReadQueue();
    EXPECT_TRUE(backend::ScreenSaverHeld());
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(backend::ScreenSaverHeld()) << "destroying the active window ends the hold";
}

TEST_F(ScreenSaverHold, AWindowThatPassesTheRequestOnHoldsNothingOff) {
    swallow = false;
    HWND window = Show();
    ASSERT_NE(window, nullptr);
    ReadQueue();
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(backend::ScreenSaverHeld());
    EXPECT_TRUE(DestroyWindow(window));
}

TEST(PlatformFailureReasons, AFailingCallSaysWhyOnOneLineAndSuccessSaysNothing) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = 123;
    mode.dmPelsHeight = 45;
    mode.dmBitsPerPel = 32;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    ::testing::internal::CaptureStderr();
    const LONG refused = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(refused, DISP_CHANGE_BADMODE);
    EXPECT_EQ(said.rfind("ChangeDisplaySettingsA: ", 0), 0u) << said;
    EXPECT_NE(said.find("123x45"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "exactly one line: " << said;

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

#endif
