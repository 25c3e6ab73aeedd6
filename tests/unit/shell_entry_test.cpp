// The program entry through the fake platform: the dialog's outcomes, the
// window it asks for, the frame loop while active and inactive, the quit
// requests, the start-up failures and the exit code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"
#include "shell_probe.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

namespace {

using Names = std::vector<std::string>;

int LastCall(const std::string& name) {
    int last = -1;
    for (int i = fake::FindCall(name); i >= 0; i = fake::FindCall(name, i + 1)) last = i;
    return last;
}

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

    static int RunProgram() {
        char commandLine[] = "";
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(uintptr_t{0x400000});  // the fake's module
        return WinMain(instance, nullptr, commandLine, SW_SHOW);
    }

    // The dialog as a person uses it: 800 x 600, windowed, then Start.
    static void ChooseWindowed800x600() {
        fake::SetDialogScript([](HWND) {
            fake::ChooseListEntry(kResolutionList, 1);
            if (fake::CheckState(kFullscreenBox)) fake::ClickCheckBox(kFullscreenBox);
            fake::PressButton(IDOK);
        });
    }

    // Presses Escape in the window once `frames` frames have been shown.
    static void EscapeAfter(int frames) {
        fake::OnSwapBuffers([frames] {
            if (fake::CountCalls("SwapBuffers") == frames)
                fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
    }

    std::string previousDirectory;
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
        EXPECT_EQ(fake::CallNames().front(), "PlaySoundA");
        EXPECT_EQ(fake::Calls().front().args, (Names{"LAUNCH", "0x0", "0x40005"}));
        EXPECT_EQ(fake::CountCalls("DialogBoxParamA"), 1);
        EXPECT_EQ(fake::CountCalls("RegisterClassA"), 0);
        EXPECT_EQ(fake::CountCalls("ChangeDisplaySettingsA"), 0);
        EXPECT_TRUE(MessageBoxes().empty());
        // The entry leaves the object in the registry on this path.
        delete FindWindowObject(nullptr);
    }
}

TEST_F(EntryTest, WindowedRunEndsOnEscapeAfterTheFrameInProgress) {
    ChooseWindowed800x600();
    EscapeAfter(3);
    EXPECT_EQ(RunProgram(), 0);

    const int create = fake::FindCall("CreateWindowExA");
    ASSERT_GE(create, 0);
    EXPECT_EQ(CallAt(create).args[2], "DECK_NINE_by_Quillmark");
    EXPECT_EQ(CallAt(create).args[3], "0x6cf0000");
    EXPECT_EQ(fake::FindWindowState(fake::LastCreatedWindow()), nullptr) << "destroyed by the teardown";
    EXPECT_EQ(fake::CountCalls("ChangeDisplaySettingsA"), 0);
    EXPECT_EQ(fake::CountCalls("SwapBuffers"), 3) << "no frame after the quit request";
    EXPECT_EQ(fake::CountCalls("GetMessageA"), 0);
    // The GL context is released after the last frame, then the window.
    EXPECT_LT(LastCall("SwapBuffers"), fake::FindCall("wglDeleteContext"));
    EXPECT_LT(fake::FindCall("wglDeleteContext"), fake::FindCall("DestroyWindow"));
    EXPECT_EQ(fake::LiveWindowCount(), 0);
    EXPECT_EQ(fake::LiveRenderContextCount(), 0);
    EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(FindWindowObject(nullptr), nullptr) << "the object left the registry";
}

TEST_F(EntryTest, ClosingTheWindowQuitsAndTheTeardownDestroysIt) {
    ChooseWindowed800x600();
    fake::OnSwapBuffers([] {
        if (fake::CountCalls("SwapBuffers") == 2) fake::PostToQueue(fake::LastCreatedWindow(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(fake::CountCalls("SwapBuffers"), 2);
    EXPECT_EQ(fake::CountCalls("DestroyWindow"), 1);
    EXPECT_GT(fake::FindCall("DestroyWindow"), fake::FindCall("PostQuitMessage"));
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(EntryTest, StartWithTheDialogsInitialChoicesGoesFullscreenAndRestoresTheDesktop) {
    // A settings file asking for something else: the dialog replaces it.
    std::FILE* file = std::fopen("corvane.cfg", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("320 200 8 0 0\n", file);
    std::fclose(file);
    EscapeAfter(1);
    EXPECT_EQ(RunProgram(), 0);

    EXPECT_EQ(CallAt(fake::FindCall("ChangeDisplaySettingsA")).args[0], "1024x768x32");
    EXPECT_EQ(CallAt(fake::FindCall("CreateWindowExA")).args[3], "0x86000000");
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
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
    EscapeAfter(1);
    EXPECT_EQ(RunProgram(), 0);
    const fake::Call& create = CallAt(fake::FindCall("CreateWindowExA"));
    EXPECT_EQ(create.args[3], "0x6cf0000");
    const RECT frame = fake::FrameFor(0x6cf0000, FALSE, 0x40100);
    EXPECT_EQ(create.args[6], std::to_string(1024 + frame.right - frame.left));
    EXPECT_EQ(create.args[7], std::to_string(768 + frame.bottom - frame.top));
    EXPECT_EQ(fake::CountCalls("ChangeDisplaySettingsA"), 0);
}

TEST_F(EntryTest, AnInactiveWindowWaitsForMessagesAndProducesNoFrames) {
    ChooseWindowed800x600();
    int framesWhenDeactivated = -1;
    fake::OnSwapBuffers([&] {
        const int frames = fake::CountCalls("SwapBuffers");
        if (frames == 2) {
            framesWhenDeactivated = frames;
            fake::SendToWindow(fake::LastCreatedWindow(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        }
        if (frames == 4) fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    // Each wait ends with a message: two that change nothing, then one that
    // activates the window again.
    int idleWaits = 0;
    fake::OnGetMessageIdle([&] {
        ++idleWaits;
        EXPECT_EQ(fake::CountCalls("SwapBuffers"), framesWhenDeactivated) << "a frame while inactive";
        if (idleWaits < 3)
            fake::PostToQueue(fake::LastCreatedWindow(), WM_PAINT, 0, 0);
        else
            fake::PostToQueue(fake::LastCreatedWindow(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(idleWaits, 3);
    EXPECT_FALSE(fake::GetMessageWouldBlock());
    EXPECT_EQ(fake::CountCalls("SwapBuffers"), 4);
}

TEST_F(EntryTest, FailedWindowCreationShowsBothMessagesAndTheTeardownsOwn) {
    ChooseWindowed800x600();
    fake::FailCall("CreateWindowExA", 1);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(MessageBoxes(), (Names{"Window Creation Error.|ERROR|0x30|0x0",
                                     "OpenGL Initialization Failed.|ERROR|0x30|0x0",
                                     "Could Not Unregister Class.|SHUTDOWN ERROR|0x40|0x0"}));
    EXPECT_EQ(fake::CountCalls("SwapBuffers"), 0);
    EXPECT_EQ(FindWindowObject(nullptr), nullptr) << "the object was destroyed";
}

TEST_F(EntryTest, RefusedFullscreenAnsweredNoEndsTheProgram) {
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDNO);
    EXPECT_EQ(RunProgram(), 0);
    const Names boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].substr(boxes[0].find('|')), "|Kestrel GL|0x34|0x0");
    EXPECT_EQ(boxes[1], "Program Will Now Close.|ERROR|0x10|0x0");
    EXPECT_EQ(boxes[2], "OpenGL Initialization Failed.|ERROR|0x30|0x0");
    EXPECT_EQ(fake::CountCalls("CreateWindowExA"), 0);
    EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
}

TEST_F(EntryTest, RefusedFullscreenAnsweredYesRunsWindowed) {
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDYES);
    EscapeAfter(1);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(CallAt(fake::FindCall("CreateWindowExA")).args[3], "0x6cf0000");
    EXPECT_EQ(fake::CountCalls("SwapBuffers"), 1);
}

}  // namespace
