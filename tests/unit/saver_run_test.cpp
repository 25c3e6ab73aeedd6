// The saver's life cycle through the fake platform: where it draws, what ends
// it, that it keeps drawing when inactive, never holds off the screen saver,
// sleeps its delay between frames and leaves nothing behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/window_registry.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"
#include "saver/saver.h"

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class SaverRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ClearWindowRegistry();
        steps.clear();
    }
    void TearDown() override {
        fake::Reset();
        ClearWindowRegistry();
    }

    // A window of another program, 320 x 240, for the saver to draw in.
    static HWND MakeHost() {
        WNDCLASSA hostClass{};
        hostClass.lpfnWndProc = HostProc;
        hostClass.lpszClassName = "Host";
        RegisterClassA(&hostClass);
        return CreateWindowExA(0, "Host", "host", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
    }

    static uint64_t IdOf(HWND window) { return reinterpret_cast<uintptr_t>(window); }

    // The saver's own window: the last one made that is not the host.
    static HWND SaverWindow() { return fake::LastCreatedWindow(); }

    // Runs `step` once the saver has shown `frame` frames (the loading
    // picture's swap is not a frame).
    void AtFrame(int frame, std::function<void()> step) {
        steps.emplace_back(frame, std::move(step));
        fake::OnSwapBuffers([this] {
            ++swaps;
            for (auto& [at, action] : steps)
                if (Frames() == at) action();
        });
    }
    int Frames() const { return swaps - 1; }

    int Run(const SaverOptions& options) {
        error.clear();
        swaps = 0;
        return RunSaver(GetModuleHandleA(nullptr), options, error);
    }

    static bool PlayedSound(const std::string& name) {
        for (const std::string& sound : fake::SoundsPlayed())
            if (sound.rfind(name + "|", 0) == 0) return true;
        return false;
    }

    int swaps = 0;
    std::string error;
    std::vector<std::pair<int, std::function<void()>>> steps;
};

// The own window is 1024 x 768; with sound on, the alarm loop is the only
// sound.
TEST_F(SaverRunTest, OwnWindowStartsAtOnceSleepsItsDelayAndEndsOnEscapeOrQ) {
    for (WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{'Q'}}) {
        SetUp();
        SaverOptions options;
        options.delayMicroseconds = 30000;
        options.sound = key == 'Q';
        const DWORD start = timeGetTime();
        DWORD firstFrame = 0, lastFrame = 0;
        AtFrame(1, [&] {
            firstFrame = timeGetTime();
            RECT client{};
            ASSERT_TRUE(GetClientRect(SaverWindow(), &client));
            EXPECT_EQ(client.right, 1024);
            EXPECT_EQ(client.bottom, 768);
        });
        AtFrame(5, [] { fake::PostToQueue(SaverWindow(), WM_KEYDOWN, VK_SPACE, 0); });
        AtFrame(10, [&, key] {
            lastFrame = timeGetTime();
            fake::PostToQueue(SaverWindow(), WM_KEYDOWN, key, 0);
        });
        EXPECT_EQ(Run(options), 0) << error;
        // A space changed nothing; the key ended it after the frame it came in.
        EXPECT_EQ(Frames(), 10);
        EXPECT_EQ(firstFrame, start) << "no loading pause";
        // 30 ms after each frame; the frame that found the space waiting cut
        // its pause short, as did the last one.
        EXPECT_EQ(lastFrame - firstFrame, 8u * 30u);
        EXPECT_EQ(timeGetTime(), lastFrame);
        EXPECT_TRUE(fake::MessageBoxesShown().empty());
        EXPECT_EQ(fake::CurrentDialog(), nullptr);
        EXPECT_FALSE(PlayedSound("LAUNCH") || PlayedSound("WELCOME"));
        EXPECT_EQ(PlayedSound("ALERT"), options.sound);
        EXPECT_EQ(fake::LiveWindowCount(), 0);
        EXPECT_EQ(fake::LiveRenderContextCount(), 0);
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    }
}

TEST_F(SaverRunTest, GivenWindowIsFilledAndFollowedWithoutTakingTheFocus) {
    HWND host = MakeHost();
    ASSERT_NE(host, nullptr);
    SetFocus(host);
    SaverOptions options;
    options.target = SaverTarget::GivenWindow;
    options.windowId = IdOf(host);
    HWND child = nullptr;
    AtFrame(2, [&] {
        child = SaverWindow();
        const fake::WindowState* state = fake::FindWindowState(child);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->clientWidth, 320);
        EXPECT_EQ(state->clientHeight, 240);
        EXPECT_NE(state->style & WS_CHILD, 0u);
        EXPECT_EQ(fake::FocusWindow(), host) << "the saver takes no focus";
        // The host loses the focus and is resized, as a settings preview is.
        fake::SendToWindow(child, WM_KILLFOCUS, 0, 0);
        fake::SendToWindow(child, WM_ACTIVATE, WA_INACTIVE, 0);
        MoveWindow(host, 0, 0, 500, 400, TRUE);
    });
    AtFrame(4, [&] {
        const fake::WindowState* state = fake::FindWindowState(child);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->clientWidth, 500);
        EXPECT_EQ(state->clientHeight, 400);
        fake::SendToWindow(child, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
        fake::SendToWindow(child, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
        EXPECT_EQ(fake::SystemCommandsCarriedOut(), (std::vector<WPARAM>{SC_SCREENSAVE, SC_MONITORPOWER}))
            << "the hack lets the screen saver and the display's power follow their requests";
    });
    AtFrame(6, [&] { DestroyWindow(host); });
    EXPECT_EQ(Run(options), 0) << error;
    EXPECT_EQ(Frames(), 6) << "frames go on while inactive; the host's end ends it";
    EXPECT_EQ(fake::LiveWindowCount(), 0);
}

TEST_F(SaverRunTest, AWindowIdNamingNoWindowEndsWithStatus1AndLeavesNothing) {
    for (SaverTarget target : {SaverTarget::GivenWindow, SaverTarget::Root, SaverTarget::Preview}) {
        SetUp();
        SaverOptions options;
        options.target = target;
        options.windowId = 0x7777;
        EXPECT_EQ(Run(options), 1);
        EXPECT_NE(error.find("0x7777"), std::string::npos) << error;
        EXPECT_EQ(fake::LiveWindowCount(), 0);
        EXPECT_TRUE(fake::MessageBoxesShown().empty());
    }
    SaverOptions settings;
    settings.target = SaverTarget::Settings;
    EXPECT_EQ(Run(settings), 1);
    EXPECT_EQ(fake::LiveWindowCount(), 0);
}

TEST_F(SaverRunTest, PreviewIsSilentAndAFailedDisplayIsReportedNotShown) {
    HWND host = MakeHost();
    SaverOptions options;
    options.target = SaverTarget::Preview;
    options.windowId = IdOf(host);
    options.sound = true;
    AtFrame(2, [] { RequestSaverStop(); });
    EXPECT_EQ(Run(options), 0) << error;
    EXPECT_EQ(Frames(), 2);
    EXPECT_FALSE(PlayedSound("ALERT"));

    fake::FailCall("wglCreateContext");
    EXPECT_EQ(Run(options), 1);
    EXPECT_NE(error.find("Rendering Context"), std::string::npos) << error;
    EXPECT_TRUE(fake::MessageBoxesShown().empty());
    EXPECT_EQ(fake::LiveWindowCount(), 1) << "only the host is left";
}

TEST_F(SaverRunTest, CoverScreenHidesTheCursorAndEndsOnInputPastTheSlack) {
    struct Case {
        const char* what;
        UINT message;
        LPARAM position;
    };
    const Case enders[] = {
        {"move right", WM_MOUSEMOVE, MAKELPARAM(100 + kPointerSlackPixels + 1, 100)},
        {"move up", WM_MOUSEMOVE, MAKELPARAM(100, 100 - kPointerSlackPixels - 1)},
        {"click", WM_LBUTTONDOWN, MAKELPARAM(100, 100)},
        {"key", WM_KEYDOWN, 0},
    };
    for (const Case& c : enders) {
        SCOPED_TRACE(c.what);
        SetUp();
        SaverOptions options;
        options.target = SaverTarget::CoverScreen;
        AtFrame(2, [] {
            const fake::WindowState* state = fake::FindWindowState(SaverWindow());
            ASSERT_NE(state, nullptr);
            EXPECT_EQ(state->clientWidth, 1920);
            EXPECT_EQ(state->clientHeight, 1080);
            EXPECT_EQ(state->style & WS_CAPTION, 0u);
            EXPECT_NE(state->exStyle & WS_EX_TOPMOST, 0u);
            EXPECT_LT(fake::CursorCounter(), 0);
            // Where the pointer was first seen, then a jitter within the slack.
            fake::PostToQueue(SaverWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
            fake::PostToQueue(SaverWindow(), WM_MOUSEMOVE, 0,
                              MAKELPARAM(100 + kPointerSlackPixels, 100 - kPointerSlackPixels));
        });
        AtFrame(4, [&c] { fake::PostToQueue(SaverWindow(), c.message, 0, c.position); });
        EXPECT_EQ(Run(options), 0) << error;
        EXPECT_EQ(Frames(), 4) << "ended before another frame";
        EXPECT_EQ(fake::CursorCounter(), 0);
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
        EXPECT_EQ(fake::LiveWindowCount(), 0);
    }
}

}  // namespace
