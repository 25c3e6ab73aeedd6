// Creating and destroying the GL window through the fake platform: the calls
// and their arguments, every failure row with its message and teardown, the
// teardown's own messages, and one frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_window.h"
#include "shell_probe.h"

namespace {

using Names = std::vector<std::string>;

const char kFatal[] = "ERROR|0x30|0x0";
const char kShutdown[] = "SHUTDOWN ERROR|0x40|0x0";

std::string Box(const std::string& text, const char* tail) { return text + "|" + tail; }

const fake::Call& FirstCall(const std::string& name) {
    const int index = fake::FindCall(name);
    EXPECT_GE(index, 0) << name << " was not called";
    static const fake::Call none;
    return index < 0 ? none : fake::Calls()[static_cast<size_t>(index)];
}

std::vector<std::string> PlatformCallNames() {
    std::vector<std::string> names;
    for (const std::string& name : fake::CallNames())
        if (name != "DefWindowProcA" && name.rfind("scene.", 0) != 0) names.push_back(name);
    return names;
}

TEST_F(ShellTest, WindowedCreationMakesAShownWindowWithACurrentContext) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::Reset();
    ASSERT_TRUE(CreateWindowed(probe, 800, 600));

    EXPECT_EQ(PlatformCallNames(),
              (Names{"GetModuleHandleA", "LoadIconA", "LoadCursorA", "RegisterClassA", "AdjustWindowRectEx",
                     "CreateWindowExA", "GetDC", "ChoosePixelFormat", "SetPixelFormat", "wglCreateContext",
                     "wglMakeCurrent", "ShowWindow", "SetForegroundWindow", "SetFocus"}));
    EXPECT_EQ(FirstCall("RegisterClassA").args,
              (Names{"OpenGL", "0x23", "procedure", "0", "0", "0x400000", "0x6001", "0x6002", "0x0", "(null)"}));
    EXPECT_EQ(FirstCall("LoadIconA").args, (Names{"0x0", "#32517"}));
    EXPECT_EQ(FirstCall("LoadCursorA").args, (Names{"0x0", "#32512"}));
    // Windows 10 frame: 8 pixels around, a 23-pixel caption.
    EXPECT_EQ(FirstCall("CreateWindowExA").args, (Names{"0x40100", "OpenGL", "DECK_NINE_by_Quillmark", "0x6cf0000", "0",
                                                        "0", "816", "639", "0x0", "0x0", "0x400000", "0x0"}));
    EXPECT_EQ(FirstCall("ShowWindow").args[1], "5");

    const fake::WindowState* state = fake::FindWindowState(probe.GetHandle());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->clientWidth, 800);
    EXPECT_EQ(state->clientHeight, 600);
    EXPECT_TRUE(state->visible);
    EXPECT_EQ(fake::CurrentRenderContext(), probe.renderContext);
    EXPECT_TRUE(probe.IsActive());
    EXPECT_FALSE(probe.fullscreen);
    EXPECT_EQ(fake::CountCalls("ChangeDisplaySettingsA"), 0);
    EXPECT_EQ(fake::CountCalls("ShowCursor"), 0);
    EXPECT_EQ(probe.width, 800);
    EXPECT_EQ(probe.height, 600);
    EXPECT_STREQ(probe.title, "DECK_NINE_by_Quillmark");
    EXPECT_EQ(probe.fieldOfView, 60.0f);
    EXPECT_EQ(probe.zNear, 1.0f);
    EXPECT_EQ(probe.zFar, 1000.0f);
    EXPECT_EQ(probe.instance, GetModuleHandleA(nullptr));

    const PIXELFORMATDESCRIPTOR request = fake::LastPixelFormatRequest();
    EXPECT_EQ(request.nSize, 40);
    EXPECT_EQ(request.nVersion, 1);
    EXPECT_EQ(request.dwFlags, 0x25u);
    EXPECT_EQ(request.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(request.cColorBits, 32);
    EXPECT_EQ(request.cDepthBits, 16);
    EXPECT_EQ(request.cAlphaBits + request.cAccumBits + request.cStencilBits + request.cAuxBuffers, 0);
}

TEST_F(ShellTest, MessagesSentDuringCreationGetOnlyTheDefaultHandling) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::Reset();
    ASSERT_TRUE(CreateWindowed(probe, 640, 480));
    // The fake sends WM_SIZE from inside CreateWindowExA; the object did not
    // hold the handle yet, so its size stayed as CreateDisplay stored it and
    // only the default handling saw the message.
    const int create = fake::FindCall("CreateWindowExA");
    const int dc = fake::FindCall("GetDC");
    bool sizeSeen = false;
    for (int i = create; i < dc; ++i) {
        const fake::Call& call = fake::Calls()[static_cast<size_t>(i)];
        sizeSeen |= call.name == "DefWindowProcA" && call.args[1] == "0x5";
    }
    EXPECT_TRUE(sizeSeen);
    EXPECT_EQ(probe.width, 640);
    EXPECT_EQ(probe.height, 480);
    // From showing on, activation and focus reach the object.
    const int show = fake::FindCall("ShowWindow");
    const int notice = fake::FindCall("scene.OnActivate", show);
    EXPECT_GT(notice, show);
    EXPECT_LT(notice, fake::FindCall("SetForegroundWindow"));
}

TEST_F(ShellTest, FullscreenCreationChangesTheModeAndHidesTheCursor) {
    ProbeApplication probe;
    RegisterProbe(probe);
    ASSERT_TRUE(CreateFullscreen(probe, 1024, 768));

    EXPECT_EQ(FirstCall("ChangeDisplaySettingsA").args,
              (Names{"1024x768x32", "0x1c0000", std::to_string(sizeof(DEVMODEA)), "0x4"}));
    EXPECT_EQ(FirstCall("CreateWindowExA").args, (Names{"0x40000", "OpenGL", "DECK_NINE_by_Quillmark", "0x86000000",
                                                        "0", "0", "1024", "768", "0x0", "0x0", "0x400000", "0x0"}));
    EXPECT_LT(fake::FindCall("ShowCursor"), fake::FindCall("CreateWindowExA"));
    EXPECT_EQ(fake::CursorCounter(), -1);
    EXPECT_TRUE(fake::CurrentDisplayMode().changed);
    EXPECT_TRUE(probe.fullscreen);

    probe.DestroyDisplay();
    EXPECT_FALSE(fake::CurrentDisplayMode().changed);
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ShellTest, RefusedFullscreenModeAnsweredYesGoesOnWindowed) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::QueueAnswer("ChangeDisplaySettingsA", DISP_CHANGE_BADMODE);
    fake::QueueAnswer("MessageBoxA", IDYES);
    ASSERT_TRUE(CreateFullscreen(probe, 800, 600));

    EXPECT_EQ(MessageBoxes(), (Names{"The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. "
                                     "Use Windowed Mode Instead?|Kestrel GL|0x34|0x0"}));
    EXPECT_FALSE(probe.fullscreen);
    EXPECT_EQ(fake::CountCalls("ShowCursor"), 0);
    EXPECT_EQ(FirstCall("CreateWindowExA").args[3], "0x6cf0000");
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->clientWidth, 800);
    EXPECT_EQ(fake::FindWindowState(probe.GetHandle())->clientHeight, 600);

    // Windowed now, so the teardown leaves the display mode alone.
    const int before = static_cast<int>(fake::Calls().size());
    probe.DestroyDisplay();
    EXPECT_EQ(fake::FindCall("ChangeDisplaySettingsA", before), -1);
}

TEST_F(ShellTest, RefusedFullscreenModeAnsweredNoEndsWithoutTeardown) {
    ProbeApplication probe;
    RegisterProbe(probe);
    fake::FailCall("ChangeDisplaySettingsA", 1);
    fake::QueueAnswer("MessageBoxA", IDNO);
    EXPECT_FALSE(CreateFullscreen(probe));

    EXPECT_EQ(MessageBoxes().size(), 2u);
    EXPECT_EQ(MessageBoxes()[1], "Program Will Now Close.|ERROR|0x10|0x0");
    EXPECT_EQ(fake::CountCalls("CreateWindowExA"), 0);
    EXPECT_EQ(fake::CountCalls("UnregisterClassA"), 0);
    EXPECT_EQ(fake::CountCalls("ShowCursor"), 0);
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
        EXPECT_FALSE(full ? CreateFullscreen(probe) : CreateWindowed(probe));

        EXPECT_EQ(MessageBoxes(), (Names{Box(row.message, kFatal)}));
        const int message = fake::FindCall("MessageBoxA");
        EXPECT_LT(fake::FindCall("UnregisterClassA"), message);
        if (full) {
            EXPECT_LT(fake::FindCall("ChangeDisplaySettingsA", fake::FindCall("CreateWindowExA")), message);
            EXPECT_FALSE(fake::CurrentDisplayMode().changed);
            EXPECT_EQ(fake::CursorCounter(), 0);
        }
        EXPECT_EQ(fake::LiveWindowCount(), 0);
        EXPECT_EQ(fake::LiveDeviceContextCount(), 0);
        EXPECT_EQ(fake::LiveRenderContextCount(), 0);
        EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
        EXPECT_EQ(probe.GetHandle(), nullptr);
        EXPECT_FALSE(probe.IsActive());
        EXPECT_EQ(fake::CountCalls("ShowWindow"), 0);
        EXPECT_EQ(fake::CountCalls("scene.Init"), 0);
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

TEST_F(ShellTest, FailedClassRegistrationReportsWithoutTeardownAndTheDestructorComplains) {
    {
        ProbeApplication probe;
        RegisterProbe(probe);
        fake::FailCall("RegisterClassA", 1);
        EXPECT_FALSE(CreateFullscreen(probe));
        EXPECT_EQ(MessageBoxes(), (Names{Box("Failed To Register The Window Class.", kFatal)}));
        EXPECT_EQ(fake::CountCalls("UnregisterClassA"), 0);
        EXPECT_EQ(fake::CountCalls("ChangeDisplaySettingsA"), 0);
    }
    // The destructor's teardown finds the class was never registered.
    EXPECT_EQ(MessageBoxes(), (Names{Box("Failed To Register The Window Class.", kFatal),
                                     Box("Could Not Unregister Class.", kShutdown)}));
}

TEST_F(ShellTest, TeardownRunsTwiceAfterALateFailureAndReleasesNothingTwice) {
    {
        ProbeApplication probe;
        RegisterProbe(probe);
        fake::FailCall("wglCreateContext", 1);
        EXPECT_FALSE(CreateFullscreen(probe));
        fake::Record("-- destroy --");
    }
    const int destroy = fake::FindCall("-- destroy --");
    EXPECT_EQ(CallNamesFrom(destroy + 1),
              (Names{"UnregisterClassA", "MessageBoxA", "ChangeDisplaySettingsA", "ShowCursor"}));
    EXPECT_EQ(MessageBoxes(), (Names{Box("Can't Create A GL Rendering Context.", kFatal),
                                     Box("Could Not Unregister Class.", kShutdown)}));
    EXPECT_EQ(fake::CountCalls("ReleaseDC"), 1);
    EXPECT_EQ(fake::CountCalls("DestroyWindow"), 1);
}

TEST_F(ShellTest, TeardownReleasesInOrderAndReportsEachFailureWithoutStopping) {
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
        const int start = static_cast<int>(fake::Calls().size());
        fake::FailCall(row.call, 1);
        probe.DestroyDisplay();

        std::vector<std::string> names;
        for (const std::string& name : CallNamesFrom(start))
            if (name != "DefWindowProcA" && name != "MessageBoxA" && name != "scene.OnActivate") names.push_back(name);
        EXPECT_EQ(names, (Names{"wglMakeCurrent", "wglDeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClassA",
                                "ChangeDisplaySettingsA", "ShowCursor"}));
        Names expected;
        for (const std::string& message : row.messages) expected.push_back(Box(message, kShutdown));
        EXPECT_EQ(MessageBoxes(), expected);
        EXPECT_EQ(fake::Calls()[static_cast<size_t>(fake::FindCall("wglMakeCurrent", start))].args,
                  (std::vector<std::string>{"0x0", "0x0"}));
        EXPECT_EQ(probe.renderContext, nullptr);
        EXPECT_EQ(probe.deviceContext, nullptr);
        EXPECT_EQ(probe.GetHandle(), nullptr);
        EXPECT_FALSE(probe.IsActive());
        // Only a failed unregistration forgets the instance.
        EXPECT_EQ(probe.instance == nullptr, row.messages.back() == "Could Not Unregister Class.");
        fake::Reset();  // the object's own teardown is not under test here
    }
}

TEST_F(ShellTest, DestructorEmptiesTheRegistrySlotAndTearsDown) {
    auto* probe = new ProbeApplication;
    RegisterProbe(*probe);
    ASSERT_TRUE(CreateWindowed(*probe));
    HWND window = probe->GetHandle();
    ASSERT_EQ(FindWindowObject(window), probe);
    delete probe;
    EXPECT_EQ(FindWindowObject(window), nullptr);
    EXPECT_EQ(fake::LiveWindowCount(), 0);
    EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ShellTest, TickSwapsOnlyAfterUpdateAndDrawSucceed) {
    ProbeApplication probe;
    RegisterProbe(probe);
    ASSERT_TRUE(CreateWindowed(probe));
    struct Row {
        bool update, draw, result;
        std::vector<std::string> calls;
    };
    const Row rows[] = {{true, true, true, {"scene.Update", "scene.Draw", "SwapBuffers"}},
                        {true, false, false, {"scene.Update", "scene.Draw"}},
                        {false, true, false, {"scene.Update"}}};
    for (const Row& row : rows) {
        probe.updateResult = row.update;
        probe.drawResult = row.draw;
        const int start = static_cast<int>(fake::Calls().size());
        EXPECT_EQ(probe.Tick(), row.result);
        EXPECT_EQ(CallNamesFrom(start), row.calls);
    }
    EXPECT_EQ(FirstCall("SwapBuffers").args[0], fake::Hex(reinterpret_cast<uintptr_t>(probe.deviceContext)));
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

TEST_F(ShellTest, RegisterStartsFromAKnownState) {
    ProbeApplication probe;
    fake::Reset();  // forget the scene timer's clock readings
    probe.Register(reinterpret_cast<HINSTANCE>(uintptr_t{0x1234}), nullptr);
    EXPECT_TRUE(probe.fullscreen);
    EXPECT_EQ(probe.instance, reinterpret_cast<HINSTANCE>(uintptr_t{0x1234}));
    EXPECT_EQ(probe.GetHandle(), nullptr);
    EXPECT_EQ(probe.registryIndex, 0);
    for (bool key : probe.keys) EXPECT_FALSE(key);
    EXPECT_TRUE(fake::Calls().empty()) << "registering touches no platform service";
}

}  // namespace
