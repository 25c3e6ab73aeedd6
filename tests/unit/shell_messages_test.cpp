// Window messages through WindowProc: the registry lookup, both handlers'
// tables, the keys, and the F1 rebuild in either direction and when it fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"
#include "shell_probe.h"

namespace {

using Names = std::vector<std::string>;

class MessageTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterProbe(probe);
        ASSERT_TRUE(CreateWindowed(probe, 800, 600));
        MarkLog();
    }

    // Delivers a message as the platform does and says whether the default
    // handling ran for it (other messages sent meanwhile do not count).
    bool Deliver(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        HWND window = probe.GetHandle();
        const size_t before = fake::Calls().size();
        WindowProc(window, message, wParam, lParam);
        const std::vector<std::string> passedOn = {fake::Hex(reinterpret_cast<uintptr_t>(window)), fake::Hex(message),
                                                   fake::Hex(wParam), fake::Hex(static_cast<uint64_t>(lParam))};
        for (size_t i = before; i < fake::Calls().size(); ++i)
            if (fake::Calls()[i].name == "DefWindowProcA" && fake::Calls()[i].args == passedOn) return true;
        return false;
    }

    Names SceneCalls() const {
        Names names;
        const auto& calls = fake::Calls();
        for (size_t i = static_cast<size_t>(mark); i < calls.size(); ++i)
            if (calls[i].name.rfind("scene.", 0) == 0)
                names.push_back(calls[i].name + (calls[i].args.empty() ? "" : "(" + calls[i].args[0] + ")"));
        return names;
    }

    ProbeApplication probe;
};

TEST_F(MessageTest, WindowProcPassesUnknownWindowsAndNonZeroResultsToTheDefault) {
    HWND stranger = reinterpret_cast<HWND>(uintptr_t{0x1999});
    EXPECT_EQ(WindowProc(stranger, WM_CLOSE, 1, 2), 0);
    ASSERT_EQ(Count("DefWindowProcA"), 1);
    EXPECT_EQ(CallAt(Find("DefWindowProcA")).args, (Names{"0x1999", "0x10", "0x1", "0x2"}));
    EXPECT_FALSE(fake::QuitRequested()) << "no object handled the close";

    EXPECT_TRUE(Deliver(WM_PAINT, 3, 4));
}

TEST_F(MessageTest, CloseQuitsAndLeavesTheWindowInPlace) {
    EXPECT_FALSE(Deliver(WM_CLOSE));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_EQ(CallAt(Find("PostQuitMessage")).args, (Names{"0"}));
    EXPECT_NE(fake::FindWindowState(probe.GetHandle()), nullptr);
}

TEST_F(MessageTest, TheCloseCommandAndAltF4BecomeAQuitRequest) {
    EXPECT_TRUE(Deliver(WM_SYSKEYDOWN, VK_F4));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_NE(fake::FindWindowState(probe.GetHandle()), nullptr);
}

TEST_F(MessageTest, KeysFollowDownAndUpForEveryCode) {
    for (WPARAM key : {WPARAM{0}, WPARAM{'A'}, WPARAM{VK_SPACE}, WPARAM{0x1FF}}) {
        EXPECT_TRUE(Deliver(WM_KEYDOWN, key));
        EXPECT_TRUE(probe.keys[key]);
        EXPECT_TRUE(Deliver(WM_KEYUP, key));
        EXPECT_FALSE(probe.keys[key]);
    }
    EXPECT_FALSE(fake::QuitRequested());
}

TEST_F(MessageTest, KeyCodesBeyondTheTableAreIgnored) {
    const int32_t width = probe.width;
    for (WPARAM key : {WPARAM{512}, WPARAM{0x1000}, ~WPARAM{0}}) {
        EXPECT_TRUE(Deliver(WM_KEYDOWN, key));
        EXPECT_TRUE(Deliver(WM_KEYUP, key));
    }
    for (bool key : probe.keys) EXPECT_FALSE(key);
    EXPECT_EQ(probe.width, width);
    EXPECT_EQ(probe.GetHandle(), fake::LastCreatedWindow());
}

TEST_F(MessageTest, EscapeQuitsAndIsRecordedAsDown) {
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_TRUE(probe.keys[VK_ESCAPE]);
    EXPECT_FALSE(Deliver(WM_KEYUP, VK_ESCAPE) && probe.keys[VK_ESCAPE]);
}

TEST_F(MessageTest, SizeStoresTheClientSizeIncludingAMinimisedZero) {
    EXPECT_TRUE(Deliver(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1280, 720)));
    EXPECT_EQ(probe.width, 1280);
    EXPECT_EQ(probe.height, 720);
    EXPECT_TRUE(Deliver(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0)));
    EXPECT_EQ(probe.width, 0);
    EXPECT_EQ(probe.height, 0);
    // Each half is an unsigned 16-bit value.
    EXPECT_TRUE(Deliver(WM_SIZE, SIZE_RESTORED, MAKELPARAM(0xFFFF, 0x8000)));
    EXPECT_EQ(probe.width, 65535);
    EXPECT_EQ(probe.height, 32768);
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
        MarkLog();
        EXPECT_TRUE(Deliver(row.message, row.wParam));
        EXPECT_EQ(probe.IsActive(), row.active);
        EXPECT_EQ(SceneCalls(), (Names{std::string("scene.OnActivate(") + (row.active ? "true" : "false") + ")"}));
    }
}

TEST_F(MessageTest, OnlyTheExactScreenSaverAndMonitorPowerCommandsAreSwallowed) {
    EXPECT_FALSE(Deliver(WM_SYSCOMMAND, SC_SCREENSAVE));
    EXPECT_FALSE(Deliver(WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    // Not masked: the same commands with low bits set go on to the default.
    EXPECT_TRUE(Deliver(WM_SYSCOMMAND, SC_SCREENSAVE | 1));
    EXPECT_TRUE(Deliver(WM_SYSCOMMAND, SC_MONITORPOWER | 2));
    EXPECT_FALSE(fake::QuitRequested());
    EXPECT_TRUE(Deliver(WM_SYSCOMMAND, SC_CLOSE));
    EXPECT_TRUE(fake::QuitRequested());
}

TEST_F(MessageTest, F1RebuildsFullscreenKeepingTheResizedClientSize) {
    Deliver(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
    HWND old = probe.GetHandle();
    MarkLog();
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_F1)) << "a successful rebuild goes on to the default handling";

    const int shutdown = Find("scene.Shutdown");
    const int release = Find("wglMakeCurrent");
    const int unregister = Find("UnregisterClassA");
    const int mode = Find("ChangeDisplaySettingsA");
    const int init = Find("scene.Init");
    ASSERT_GE(shutdown, 0);
    EXPECT_LT(shutdown, release);
    EXPECT_LT(release, unregister);
    EXPECT_LT(unregister, mode);
    EXPECT_LT(mode, init);
    EXPECT_EQ(CallAt(mode).args[0], "640x480x32");
    EXPECT_EQ(Count("scene.Init"), 1);
    EXPECT_EQ(Count("scene.Shutdown"), 1);

    EXPECT_NE(probe.GetHandle(), old);
    EXPECT_EQ(fake::FindWindowState(old), nullptr);
    EXPECT_TRUE(probe.fullscreen);
    EXPECT_TRUE(probe.IsActive());
    EXPECT_STREQ(probe.title, "DECK_NINE_by_Quillmark");
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->text, "DECK_NINE_by_Quillmark");
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->clientWidth, 640);
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->clientHeight, 480);
    EXPECT_TRUE(probe.keys[VK_F1]) << "down until its key-up arrives";
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(fake::CursorCounter(), -1);

    // And back: the desktop mode returns and the window gets its frame again.
    MarkLog();
    Deliver(WM_KEYUP, VK_F1);
    EXPECT_FALSE(probe.keys[VK_F1]);
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_F1));
    EXPECT_FALSE(probe.fullscreen);
    const int restore = Find("ChangeDisplaySettingsA");
    ASSERT_GE(restore, 0);
    EXPECT_EQ(CallAt(restore).args[0], "(null)");
    EXPECT_EQ(Count("ChangeDisplaySettingsA"), 1);
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->style, 0x6CF0000u);
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->clientWidth, 640);
}

TEST_F(MessageTest, F1RebuildWithARefusedModeAsksAndGoesOnWindowedOnYes) {
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDYES);
    EXPECT_TRUE(Deliver(WM_KEYDOWN, VK_F1));
    EXPECT_EQ(MessageBoxes().size(), 1u);
    EXPECT_FALSE(probe.fullscreen);
    EXPECT_NE(probe.GetHandle(), nullptr);
    EXPECT_EQ(SceneCalls().back(), "scene.Init");
}

TEST_F(MessageTest, FailedF1RebuildReportsAndQuitsWithoutInit) {
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDNO);
    EXPECT_FALSE(Deliver(WM_KEYDOWN, VK_F1)) << "a failed rebuild skips the default handling";

    EXPECT_EQ(MessageBoxes(),
              (Names{"The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
                     "Instead?|Kestrel GL|0x34|0x0",
                     "Program Will Now Close.|ERROR|0x10|0x0", "Can't create Wnd|Error|0x10|0x0"}));
    EXPECT_TRUE(fake::QuitRequested());
    EXPECT_EQ(SceneCalls(), (Names{"scene.Shutdown", "scene.OnActivate(false)", "scene.OnActivate(false)"}));
    EXPECT_EQ(probe.GetHandle(), nullptr);
    EXPECT_FALSE(probe.keys[VK_F1]);
    EXPECT_EQ(fake::LiveWindowCount(), 0);
}

TEST_F(MessageTest, FailedF1RebuildAfterTheWindowStepLeavesNothingBehind) {
    fake::FailCall("GetDC", 1);
    EXPECT_FALSE(Deliver(WM_KEYDOWN, VK_F1));
    EXPECT_EQ(MessageBoxes(), (Names{"Can't Create A GL Device Context.|ERROR|0x30|0x0",
                                     "Can't create Wnd|Error|0x10|0x0"}));
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_EQ(fake::LiveWindowCount(), 0);
    EXPECT_TRUE(fake::QuitRequested());
}

class RegistryTest : public ShellTest {};

TEST_F(RegistryTest, FindsTheRegisteredObjectByItsWindowOnly) {
    ProbeApplication probe;
    RegisterProbe(probe);
    EXPECT_EQ(probe.registryIndex, 0);
    ASSERT_TRUE(CreateWindowed(probe));
    EXPECT_EQ(FindWindowObject(probe.GetHandle()), &probe);
    EXPECT_EQ(FindWindowObject(reinterpret_cast<HWND>(uintptr_t{0x1999})), nullptr);
}

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
    EXPECT_TRUE(fake::FindWindowState(second.GetHandle())->visible);
    EXPECT_FALSE(fake::QuitRequested());
    WindowProc(second.GetHandle(), WM_CLOSE, 0, 0);  // only the default handling: it destroys the window
    EXPECT_EQ(fake::FindWindowState(second.GetHandle()), nullptr);
}

TEST_F(RegistryTest, AClearedRegistryStartsOverAtPositionZero) {
    ProbeApplication first;
    RegisterProbe(first);
    ClearWindowRegistry();
    ProbeApplication second;
    RegisterProbe(second);
    EXPECT_EQ(second.registryIndex, 0);
    EXPECT_EQ(FindWindowObject(nullptr), &second) << "the last match wins; the first is no longer listed";
}

}  // namespace
