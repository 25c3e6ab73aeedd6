// Window messages: WindowProc's hand-over to the object or to the default
// handling, both handlers' tables, the keys, and the F1 rebuild in either
// direction and when it fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_queue.h"
#include "shell_probe.h"

namespace {

using Names = std::vector<std::string>;

class MessageTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterProbe(probe);
        ASSERT_TRUE(CreateWindowed(probe, 800, 600));
        probe.activations.clear();
    }

    // The handler's answer: true when the message goes on to the default
    // handling.
    bool Handle(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return probe.HandleMessage(probe.GetHandle(), message, wParam, lParam) != 0;
    }

    ProbeApplication probe;
};

TEST_F(MessageTest, CloseIsHandledByQuittingAndLeavesTheWindowToTheTeardown) {
    // The default handling, which would destroy the window, is skipped.
    EXPECT_EQ(WindowProc(probe.GetHandle(), WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_TRUE(IsWindow(probe.GetHandle()));
    // A window no object holds gets only the default handling.
    EXPECT_EQ(WindowProc(reinterpret_cast<HWND>(uintptr_t{0x1999}), WM_CLOSE, 1, 2), 0);
}

TEST_F(MessageTest, UnhandledMessagesGetTheDefaultHandlingWhichTurnsAltF4IntoAClose) {
    WindowProc(probe.GetHandle(), WM_SYSKEYDOWN, VK_F4, LPARAM{1} << 29);  // the Alt bit
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) << "the close command";
    DispatchMessageA(&msg);
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_TRUE(IsWindow(probe.GetHandle()));
}

TEST_F(MessageTest, KeysFollowDownAndUpForEveryCodeInTheTableAndEscapeQuits) {
    for (WPARAM key : {WPARAM{0}, WPARAM{'A'}, WPARAM{VK_SPACE}, WPARAM{0x1FF}}) {
        EXPECT_TRUE(Handle(WM_KEYDOWN, key));
        EXPECT_TRUE(probe.keys[key]);
        EXPECT_TRUE(Handle(WM_KEYUP, key));
        EXPECT_FALSE(probe.keys[key]);
    }
    // Codes beyond the table are ignored and overwrite nothing.
    for (WPARAM key : {WPARAM{512}, WPARAM{0x1000}, ~WPARAM{0}}) {
        EXPECT_TRUE(Handle(WM_KEYDOWN, key));
        EXPECT_TRUE(Handle(WM_KEYUP, key));
    }
    for (bool key : probe.keys) EXPECT_FALSE(key);
    EXPECT_EQ(probe.width, 800);
    EXPECT_FALSE(fake::QuitRequested());
    // Escape quits and is recorded as down too.
    EXPECT_TRUE(Handle(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_TRUE(probe.keys[VK_ESCAPE]);
}

TEST_F(MessageTest, SizeStoresTheClientSizeIncludingAMinimisedZero) {
    const struct {
        LPARAM size;
        int32_t width, height;
    } rows[] = {{MAKELPARAM(1280, 720), 1280, 720}, {MAKELPARAM(0, 0), 0, 0},
                // Each half is an unsigned 16-bit value.
                {MAKELPARAM(0xFFFF, 0x8000), 65535, 32768}};
    for (const auto& row : rows) {
        EXPECT_TRUE(Handle(WM_SIZE, SIZE_RESTORED, row.size));
        EXPECT_EQ(probe.width, row.width);
        EXPECT_EQ(probe.height, row.height);
    }
}

TEST_F(MessageTest, ActivationAndFocusSwitchActiveAndTellTheApplication) {
    struct Row {
        UINT message;
        WPARAM wParam;
        bool active;
    };
    const Row rows[] = {
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), false},
        {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), true},
        {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), false},  // activated but minimised
        {WM_ACTIVATE, MAKEWPARAM(2, 0), true},           // activated by a click
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), false},
        {WM_SETFOCUS, 0, true},
        {WM_KILLFOCUS, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(fake::Hex(row.message) + " " + fake::Hex(row.wParam));
        probe.active = !row.active;
        probe.activations.clear();
        EXPECT_TRUE(Handle(row.message, row.wParam));
        EXPECT_EQ(probe.IsActive(), row.active);
        EXPECT_EQ(probe.activations, std::vector<bool>{row.active});
    }
}

TEST_F(MessageTest, OnlyTheExactScreenSaverAndMonitorPowerCommandsAreSwallowed) {
    EXPECT_FALSE(Handle(WM_SYSCOMMAND, SC_SCREENSAVE));
    EXPECT_FALSE(Handle(WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    // Not masked: the same commands with low bits set go on to the default.
    EXPECT_TRUE(Handle(WM_SYSCOMMAND, SC_SCREENSAVE | 1));
    EXPECT_TRUE(Handle(WM_SYSCOMMAND, SC_MONITORPOWER | 2));
    EXPECT_TRUE(Handle(WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(MessageTest, F1RebuildsFullscreenKeepingTheResizedClientSizeAndBack) {
    Handle(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
    HWND old = probe.GetHandle();
    EXPECT_TRUE(Handle(WM_KEYDOWN, VK_F1)) << "a successful rebuild goes on to the default handling";

    EXPECT_EQ(probe.shutdowns, 1);
    EXPECT_TRUE(probe.contextAtShutdown) << "the scene lets go while its context is current";
    EXPECT_EQ(probe.inits, 1);
    EXPECT_TRUE(probe.contextAtInit);
    EXPECT_TRUE(probe.modeAtInit.changed);
    EXPECT_EQ(probe.modeAtInit.width, 640u);
    EXPECT_EQ(probe.modeAtInit.height, 480u);
    EXPECT_FALSE(IsWindow(old));
    ExpectWindow(probe.GetHandle(), kFullscreenStyle, kFullscreenExStyle, 640, 480);
    EXPECT_TRUE(probe.fullscreen);
    EXPECT_TRUE(probe.IsActive());
    EXPECT_TRUE(probe.keys[VK_F1]) << "down until its key-up arrives";
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(fake::CursorCounter(), -1);

    // And back: the desktop mode returns and the window gets its frame again.
    Handle(WM_KEYUP, VK_F1);
    EXPECT_FALSE(probe.keys[VK_F1]);
    EXPECT_TRUE(Handle(WM_KEYDOWN, VK_F1));
    EXPECT_FALSE(probe.fullscreen);
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
    ExpectWindow(probe.GetHandle(), kWindowedStyle, kWindowedExStyle, 640, 480);
    EXPECT_EQ(probe.inits, 2);
}

TEST_F(MessageTest, FailedF1RebuildReportsAndQuitsWithoutInit) {
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDNO);
    EXPECT_FALSE(Handle(WM_KEYDOWN, VK_F1)) << "a failed rebuild skips the default handling";

    EXPECT_EQ(MessageBoxes(),
              (Names{"The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
                     "Instead?|Kestrel GL|0x34|0x0",
                     "Program Will Now Close.|ERROR|0x10|0x0", "Can't create Wnd|Error|0x10|0x0"}));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_EQ(probe.shutdowns, 1);
    EXPECT_EQ(probe.inits, 0);
    EXPECT_EQ(probe.GetHandle(), nullptr);
    EXPECT_FALSE(probe.keys[VK_F1]);
    EXPECT_EQ(fake::LiveWindowCount(), 0);
}

TEST_F(MessageTest, FailedF1RebuildAfterTheWindowStepLeavesNothingBehind) {
    fake::FailCall("GetDC", 1);
    EXPECT_FALSE(Handle(WM_KEYDOWN, VK_F1));
    EXPECT_EQ(MessageBoxes(), (Names{"Can't Create A GL Device Context.|ERROR|0x30|0x0",
                                     "Can't create Wnd|Error|0x10|0x0"}));
    ExpectNothingLeft();
    EXPECT_TRUE(fake::QuitRequested());
}

class RegistryTest : public ShellTest {};

TEST_F(RegistryTest, LeftSlotsAreNotReusedAndAFullTableTakesNoMore) {
    {
        ProbeApplication first;
        RegisterProbe(first);
    }
    // The one position has been handed out; a later object stays outside
    // the table instead of being written past it.
    ProbeApplication second;
    RegisterProbe(second);
    EXPECT_EQ(second.registryIndex, -1);
    ASSERT_TRUE(CreateWindowed(second));
    EXPECT_EQ(FindWindowObject(second.GetHandle()), nullptr);
    WindowProc(second.GetHandle(), WM_CLOSE, 0, 0);  // only the default handling: it destroys the window
    EXPECT_FALSE(fake::QuitRequested());
    EXPECT_FALSE(IsWindow(second.GetHandle()));
}

TEST_F(RegistryTest, AClearedRegistryStartsOverAtPositionZero) {
    ProbeApplication first;
    RegisterProbe(first);
    ClearWindowRegistry();
    ProbeApplication second;
    RegisterProbe(second);
    EXPECT_EQ(second.registryIndex, 0);
    EXPECT_EQ(FindWindowObject(nullptr), &second) << "the last match wins; the first is no longer listed";
    EXPECT_EQ(FindWindowObject(reinterpret_cast<HWND>(uintptr_t{0x1999})), nullptr);
}

}  // namespace
