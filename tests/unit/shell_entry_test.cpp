// The program entry through the fake platform: the dialog's outcomes, the
// window it asks for, the frame loop while active and inactive, the quit
// requests, the start-up failures and the exit code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_queue.h"
#include "shell_probe.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

namespace {

using Names = std::vector<std::string>;

constexpr int kResolutionList = 1000;
constexpr int kFullscreenBox = 1002;
constexpr int kSoundBox = 1003;

class EntryTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        // The entry reads "corvane.cfg" from the working directory.
        char* cwd = getcwd(nullptr, 0);
        previousDirectory = cwd;
        free(cwd);
        ASSERT_EQ(chdir(::testing::TempDir().c_str()), 0);
        std::remove("corvane.cfg");
    }

    void TearDown() override {
        std::remove("corvane.cfg");
        EXPECT_EQ(chdir(previousDirectory.c_str()), 0);
    }

    int RunProgram() {
        frames = 0;
        fake::OnSwapBuffers([this] {
            ++frames;
            if (onFrame) onFrame(frames);
        });
        char commandLine[] = "";
        return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW);
    }

    // The dialog as a person uses it: 800 x 600, windowed, then Start.
    static void ChooseWindowed800x600() {
        fake::SetDialogScript([](HWND) {
            fake::ChooseListEntry(kResolutionList, 1);
            if (fake::CheckState(kFullscreenBox)) fake::ClickCheckBox(kFullscreenBox);
            fake::PressButton(IDOK);
        });
    }

    // Sends `message` to the window once `last` frames have been shown, and
    // checks the window as it was at the first frame.
    void EndAfter(int last, UINT message, WPARAM wParam, DWORD style, DWORD exStyle, int width, int height) {
        onFrame = [=](int frame) {
            if (frame == 1) ExpectWindow(fake::LastCreatedWindow(), style, exStyle, width, height);
            if (frame == last) fake::PostToQueue(fake::LastCreatedWindow(), message, wParam, 0);
        };
    }

    std::string previousDirectory;
    int frames = 0;
    std::function<void(int)> onFrame;
};

TEST_F(EntryTest, ExitOrNoAnswerFromTheDialogEndsWithoutAWindow) {
    for (bool exitPressed : {true, false}) {
        SCOPED_TRACE(exitPressed ? "Exit" : "no result");
        Restart();
        if (exitPressed)
            fake::QueueAnswer("DialogBoxParamA", IDCANCEL);
        else
            fake::SetDialogScript([](HWND) {});  // ends with 0
        EXPECT_EQ(RunProgram(), 0);
        EXPECT_EQ(fake::SoundsPlayed(), (Names{"LAUNCH|0x40005"}));
        EXPECT_NE(fake::CurrentDialog(), nullptr) << "the dialog was shown";
        EXPECT_EQ(fake::LastCreatedWindow(), nullptr);
        EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
        EXPECT_TRUE(MessageBoxes().empty());
        // The entry leaves the object in the registry on this path.
        delete FindWindowObject(nullptr);
    }
}

// Escape or closing the window ends the run after the frame in progress;
// the teardown then destroys the window.
TEST_F(EntryTest, WindowedRunEndsOnEscapeOrCloseAndLeavesNothing) {
    for (UINT message : {UINT{WM_KEYDOWN}, UINT{WM_CLOSE}}) {
        SCOPED_TRACE(message);
        Restart();
        ChooseWindowed800x600();
        EndAfter(3, message, VK_ESCAPE, kWindowedStyle, kWindowedExStyle, 800, 600);
        EXPECT_EQ(RunProgram(), 0);
        EXPECT_EQ(frames, 3) << "no frame after the quit request";
        ExpectNothingLeft();
        EXPECT_TRUE(MessageBoxes().empty());
        EXPECT_EQ(FindWindowObject(nullptr), nullptr) << "the object left the registry";
    }
}

TEST_F(EntryTest, StartWithTheDialogsInitialChoicesGoesFullscreenAndRestoresTheDesktop) {
    // A settings file asking for something else: the dialog replaces it.
    std::FILE* file = std::fopen("corvane.cfg", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("320 200 8 0 0\n", file);
    std::fclose(file);
    fake::DisplayMode mode;
    EndAfter(1, WM_KEYDOWN, VK_ESCAPE, kFullscreenStyle, kFullscreenExStyle, 1024, 768);
    const auto end = onFrame;
    onFrame = [&](int frame) {
        mode = fake::CurrentDisplayMode();
        end(frame);
    };
    EXPECT_EQ(RunProgram(), 0);

    EXPECT_TRUE(mode.changed);
    EXPECT_EQ(mode.width, 1024u);
    EXPECT_EQ(mode.height, 768u);
    EXPECT_EQ(mode.bits, 32u);
    ExpectNothingLeft();
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(EntryTest, WithoutTheDialogTheProgramStartStateIsUsed) {
    // Leave the dialog's stored state as at program start: first entries,
    // both boxes unticked.
    fake::SetDialogScript([](HWND) {
        fake::ClickCheckBox(kFullscreenBox);
        fake::ClickCheckBox(kSoundBox);
        fake::PressButton(IDOK);
    });
    int32_t result = 0, width = 0, height = 0, bits = 0;
    bool fullscreen = true, sound = true;
    RunSettingsDialog(GetModuleHandleA(nullptr), result, width, height, bits, fullscreen, sound);
    ASSERT_FALSE(fullscreen);
    Restart();

    fake::QueueAnswer("DialogBoxParamA", -1);
    EndAfter(1, WM_KEYDOWN, VK_ESCAPE, kWindowedStyle, kWindowedExStyle, 1024, 768);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(fake::SoundsPlayed(), (Names{"LAUNCH|0x40005", "(null)|0x40"})) << "no sound but the launch";
}

TEST_F(EntryTest, AnInactiveWindowWaitsForMessagesAndProducesNoFrames) {
    ChooseWindowed800x600();
    onFrame = [](int frame) {
        if (frame == 2) fake::SendToWindow(fake::LastCreatedWindow(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        if (frame == 4) fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    // Each wait ends with a message: two that change nothing, then one that
    // activates the window again.
    int idleWaits = 0;
    fake::OnGetMessageIdle([&] {
        ++idleWaits;
        EXPECT_EQ(frames, 2) << "a frame while inactive";
        if (idleWaits < 3)
            fake::PostToQueue(fake::LastCreatedWindow(), WM_PAINT, 0, 0);
        else
            fake::PostToQueue(fake::LastCreatedWindow(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(idleWaits, 3);
    EXPECT_FALSE(fake::GetMessageWouldBlock());
    EXPECT_EQ(frames, 4);
}

// Any failed creation: its own message, the entry's, then the destructor's
// teardown finding the class gone.
TEST_F(EntryTest, FailedWindowCreationShowsBothMessagesAndTheTeardownsOwn) {
    ChooseWindowed800x600();
    fake::FailCall("CreateWindowExA", 1);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(MessageBoxes(), (Names{"Window Creation Error.|ERROR|0x30|0x0",
                                     "OpenGL Initialization Failed.|ERROR|0x30|0x0",
                                     "Could Not Unregister Class.|SHUTDOWN ERROR|0x40|0x0"}));
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(FindWindowObject(nullptr), nullptr) << "the object was destroyed";
}

}  // namespace
