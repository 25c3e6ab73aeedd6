// Creating and destroying the GL window through the fake platform: the
// window and display mode the user gets, every failure with its message and
// what is left when the user reads it, the teardown's own messages, and one
// frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_probe.h"

namespace {

using Names = std::vector<std::string>;

std::string Fatal(const std::string& text) { return text + "|ERROR|0x30|0x0"; }
std::string Shutdown(const std::string& text) { return text + "|SHUTDOWN ERROR|0x40|0x0"; }

TEST_F(ShellTest, WindowedCreationShowsAWindowWithTheAskedClientAreaAndACurrentContext) {
    ProbeApplication probe;
    RegisterProbe(probe);
    ASSERT_TRUE(CreateWindowed(probe, 800, 600));

    ExpectWindow(probe.GetHandle(), kWindowedStyle, kWindowedExStyle, 800, 600);
    EXPECT_EQ(fake::WindowProcedureOf(probe.GetHandle()), &WindowProc);
    EXPECT_EQ(fake::FocusWindow(), probe.GetHandle());
    EXPECT_NE(probe.renderContext, nullptr);
    EXPECT_EQ(fake::CurrentRenderContext(), probe.renderContext);
    EXPECT_TRUE(probe.IsActive());
    EXPECT_FALSE(probe.activations.empty()) << "showing the window activates the object";
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_TRUE(MessageBoxes().empty());

    // A double-buffered RGBA format of the asked depth with a 16-bit depth buffer.
    const PIXELFORMATDESCRIPTOR r = fake::LastPixelFormatRequest();
    EXPECT_EQ((std::vector<int>{r.nSize, r.nVersion, static_cast<int>(r.dwFlags), r.iPixelType, r.cColorBits,
                                r.cDepthBits, r.cAlphaBits + r.cAccumBits + r.cStencilBits + r.cAuxBuffers}),
              (std::vector<int>{40, 1, 0x25, PFD_TYPE_RGBA, 32, 16, 0}));
}

TEST_F(ShellTest, FullscreenCreationChangesTheModeHidesTheCursorAndTheTeardownRestoresBoth) {
    ProbeApplication probe;
    RegisterProbe(probe);
    ASSERT_TRUE(CreateFullscreen(probe, 1024, 768));

    const fake::DisplayMode mode = fake::CurrentDisplayMode();
    EXPECT_TRUE(mode.changed);
    EXPECT_EQ(mode.width, 1024u);
    EXPECT_EQ(mode.height, 768u);
    EXPECT_EQ(mode.bits, 32u);
    ExpectWindow(probe.GetHandle(), kFullscreenStyle, kFullscreenExStyle, 1024, 768);
    EXPECT_EQ(fake::CursorCounter(), -1);
    EXPECT_TRUE(probe.fullscreen);

    probe.DestroyDisplay();
    ExpectNothingLeft();
    EXPECT_FALSE(probe.IsActive());
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ShellTest, RefusedFullscreenModeAnsweredYesGoesOnWindowedWithTheCursorShown) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDYES);
    ASSERT_TRUE(CreateFullscreen(probe, 800, 600));

    EXPECT_EQ(MessageBoxes(), (Names{"The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. "
                                     "Use Windowed Mode Instead?|Kestrel GL|0x34|0x0"}));
    EXPECT_FALSE(probe.fullscreen);
    ExpectWindow(probe.GetHandle(), kWindowedStyle, kWindowedExStyle, 800, 600);
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
    // Windowed now: the teardown shows no cursor it never hid.
    probe.DestroyDisplay();
    ExpectNothingLeft();
}

TEST_F(ShellTest, RefusedFullscreenModeAnsweredNoEndsBeforeAnyWindowOrTeardown) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::FailCall("ChangeDisplaySettingsA", 1);
    fake::QueueAnswer("MessageBoxA", IDNO);
    EXPECT_FALSE(CreateFullscreen(probe));

    ASSERT_EQ(MessageBoxes().size(), 2u);
    EXPECT_EQ(MessageBoxes()[1], "Program Will Now Close.|ERROR|0x10|0x0");
    EXPECT_EQ(fake::LastCreatedWindow(), nullptr);
    EXPECT_TRUE(fake::IsClassRegistered("OpenGL")) << "no teardown on this path";
    EXPECT_EQ(fake::CursorCounter(), 0);
}

struct FailureRow {
    const char* call;
    const char* message;
};

class CreateDisplayFailure : public ShellTest, public ::testing::WithParamInterface<FailureRow> {};

// Every step after the window exists tears everything down before its
// message, so nothing is left behind and the desktop mode is back when the
// user reads it.
TEST_P(CreateDisplayFailure, TearsDownBeforeTheMessage) {
    const FailureRow row = GetParam();
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full screen" : "windowed");
        Restart();
        ProbeApplication probe;
        RegisterProbe(probe);
        fake::FailCall(row.call, 1);
        bool leftWhenShown = true;
        fake::OnMessageBox([&] {
            leftWhenShown = fake::LiveWindowCount() > 0 || fake::IsClassRegistered("OpenGL") ||
                            fake::CurrentDisplayMode().changed || fake::CursorCounter() != 0;
        });
        EXPECT_FALSE(full ? CreateFullscreen(probe) : CreateWindowed(probe));

        EXPECT_EQ(MessageBoxes(), (Names{Fatal(row.message)}));
        EXPECT_FALSE(leftWhenShown);
        ExpectNothingLeft();
        EXPECT_EQ(probe.GetHandle(), nullptr);
        EXPECT_FALSE(probe.IsActive());
        EXPECT_EQ(probe.inits, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, CreateDisplayFailure,
                         ::testing::Values(FailureRow{"CreateWindowExA", "Window Creation Error."},
                                           FailureRow{"GetDC", "Can't Create A GL Device Context."},
                                           FailureRow{"ChoosePixelFormat", "Can't Find A Suitable PixelFormat."},
                                           FailureRow{"SetPixelFormat", "Can't Set The PixelFormat."},
                                           FailureRow{"wglCreateContext", "Can't Create A GL Rendering Context."},
                                           FailureRow{"wglMakeCurrent", "Can't Activate The GL Rendering Context."}),
                         [](const ::testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.call); });

// After a failed creation the destructor's teardown runs once more: it finds
// no handles, releases nothing twice, and only the class unregistration
// fails again.
TEST_F(ShellTest, TheDestructorAfterAFailedCreationOnlyComplainsAboutTheClass) {
    const FailureRow rows[] = {{"RegisterClassA", "Failed To Register The Window Class."},
                               {"wglCreateContext", "Can't Create A GL Rendering Context."}};
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.call);
        Restart();
        {
            ProbeApplication probe;
            RegisterProbe(probe);
            fake::FailCall(row.call, 1);
            EXPECT_FALSE(CreateFullscreen(probe));
            EXPECT_EQ(MessageBoxes(), (Names{Fatal(row.message)}));
        }
        EXPECT_EQ(MessageBoxes(), (Names{Fatal(row.message), Shutdown("Could Not Unregister Class.")}));
        EXPECT_EQ(fake::LiveWindowCount(), 0);
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
        EXPECT_GE(fake::CursorCounter(), 0) << "the cursor shows";
    }
}

TEST_F(ShellTest, TeardownReportsEachFailureAndStillReleasesTheRest) {
    struct Row {
        const char* call;
        Names messages;
    };
    const Row rows[] = {{"wglMakeCurrent", {"Release Of DC And RC Failed."}},
                        {"wglDeleteContext", {"Release Rendering Context Failed."}},
                        {"ReleaseDC", {"Release Device Context Failed."}},
                        // A class whose window still exists cannot be unregistered either.
                        {"DestroyWindow", {"Could Not Release hWnd.", "Could Not Unregister Class."}},
                        {"UnregisterClassA", {"Could Not Unregister Class."}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.call);
        Restart();
        ProbeApplication probe;
        RegisterProbe(probe);
        ASSERT_TRUE(CreateFullscreen(probe));
        fake::FailCall(row.call, 1);
        probe.DestroyDisplay();

        Names expected;
        for (const std::string& message : row.messages) expected.push_back(Shutdown(message));
        EXPECT_EQ(MessageBoxes(), expected);
        const std::string failed = row.call;
        EXPECT_EQ(fake::LiveWindowCount(), failed == "DestroyWindow" ? 1 : 0);
        EXPECT_EQ(fake::IsClassRegistered("OpenGL"), failed == "DestroyWindow" || failed == "UnregisterClassA");
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
        EXPECT_EQ(fake::CursorCounter(), 0);
        EXPECT_EQ(probe.renderContext, nullptr);
        EXPECT_EQ(probe.deviceContext, nullptr);
        EXPECT_EQ(probe.GetHandle(), nullptr);
        EXPECT_FALSE(probe.IsActive());
        // Only a failed unregistration forgets the instance.
        EXPECT_EQ(probe.instance == nullptr, row.messages.back() == "Could Not Unregister Class.");
        fake::Reset();  // the object's own teardown is not under test here
    }
}

TEST_F(ShellTest, TickShowsAFrameOnlyWhenUpdateAndDrawSucceed) {
    ProbeApplication probe;
    RegisterProbe(probe);
    ASSERT_TRUE(CreateWindowed(probe));
    int frames = 0;
    fake::OnSwapBuffers([&] { ++frames; });
    struct Row {
        bool update, draw, result;
        int draws, frames;
    };
    const Row rows[] = {{true, true, true, 1, 1}, {true, false, false, 2, 1}, {false, true, false, 2, 1}};
    for (const Row& row : rows) {
        probe.updateResult = row.update;
        probe.drawResult = row.draw;
        EXPECT_EQ(probe.Tick(), row.result);
        EXPECT_EQ(probe.draws, row.draws);
        EXPECT_EQ(frames, row.frames);
    }
    EXPECT_EQ(probe.updates, 3);
}

TEST_F(ShellTest, TitleIsKeptUpTo255CharactersAndCutBeyond) {
    ProbeApplication probe;
    RegisterProbe(probe);
    const std::string fits(255, 'a');
    ASSERT_TRUE(probe.CreateDisplay(fits.c_str(), 320, 200, 16, false, 45.0f, 0.5f, 50.0f));
    EXPECT_EQ(std::string(probe.title), fits);
    EXPECT_EQ(fake::LastPixelFormatRequest().cColorBits, 16);
    probe.DestroyDisplay();

    std::string tooLong(300, 'b');
    tooLong[255] = 'X';
    ASSERT_TRUE(probe.CreateDisplay(tooLong.c_str(), 320, 200, 16, false, 45.0f, 0.5f, 50.0f));
    EXPECT_EQ(std::string(probe.title), std::string(255, 'b'));
    EXPECT_EQ(probe.width, 320) << "the fields after the title are intact";
    EXPECT_EQ(probe.fieldOfView, 45.0f);
}

}  // namespace
