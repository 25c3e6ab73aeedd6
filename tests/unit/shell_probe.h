// A GLApplication whose protected state the shell tests can read, whose
// scene operations can be told to fail, and which counts each scene call and
// notes what the platform looked like when Init and Shutdown ran; and the
// fixture the shell tests share.
#pragma once

#include <string>
#include <vector>

#include "shell/gl_application.h"
#include "shell/window_registry.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"

class ProbeApplication : public GLApplication {
public:
    using GLWindow::active;
    using GLWindow::deviceContext;
    using GLWindow::fieldOfView;
    using GLWindow::fullscreen;
    using GLWindow::height;
    using GLWindow::instance;
    using GLWindow::keys;
    using GLWindow::registryIndex;
    using GLWindow::renderContext;
    using GLWindow::title;
    using GLWindow::width;

    bool initResult = true;
    bool updateResult = true;
    bool drawResult = true;
    int inits = 0, shutdowns = 0, updates = 0, draws = 0;
    std::vector<bool> activations;  // each OnActivate's value
    // Whether this object's window and GL context were live and current when
    // the last Shutdown and Init ran, and the display mode Init saw.
    bool contextAtShutdown = false, contextAtInit = false;
    fake::DisplayMode modeAtInit;

    bool Init() override {
        ++inits;
        contextAtInit = HasCurrentContext();
        modeAtInit = fake::CurrentDisplayMode();
        return initResult;
    }
    bool Shutdown() override {
        ++shutdowns;
        contextAtShutdown = HasCurrentContext();
        return true;
    }
    bool Update() override {
        ++updates;
        return updateResult;
    }
    bool Draw() override {
        ++draws;
        return drawResult;
    }
    void OnActivate(bool isActive) override { activations.push_back(isActive); }

private:
    bool HasCurrentContext() const {
        return IsWindow(window) && renderContext != nullptr && fake::CurrentRenderContext() == renderContext;
    }
};

// Each shell test starts from a fresh fake platform and an empty registry.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { Restart(); }

    static void Restart() {
        fake::Reset();
        ClearWindowRegistry();
    }

    // Registered the way the entry does it, with the fake module handle.
    static void RegisterProbe(ProbeApplication& probe) {
        probe.Register(GetModuleHandleA(nullptr), "the command line");
    }

    static bool CreateWindowed(ProbeApplication& probe, int32_t width = 800, int32_t height = 600) {
        return probe.CreateDisplay("DECK_NINE_by_Quillmark", width, height, 32, false, 60.0f, 1.0f, 1000.0f);
    }

    static bool CreateFullscreen(ProbeApplication& probe, int32_t width = 1024, int32_t height = 768) {
        return probe.CreateDisplay("DECK_NINE_by_Quillmark", width, height, 32, true, 60.0f, 1.0f, 1000.0f);
    }

    // The message boxes shown so far, as "text|caption|flags|owner".
    static std::vector<std::string> MessageBoxes() { return fake::MessageBoxesShown(); }

    // A window as the user sees it: shown, with these styles and title, a
    // client area of this size and the outer size Windows gives such a
    // client area.
    static void ExpectWindow(HWND window, DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
        const fake::WindowState* state = fake::FindWindowState(window);
        ASSERT_NE(state, nullptr) << "no such window";
        EXPECT_TRUE(state->visible);
        EXPECT_EQ(state->style, style);
        EXPECT_EQ(state->exStyle, exStyle);
        EXPECT_EQ(state->text, "DECK_NINE_by_Quillmark");
        RECT client{};
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right - client.left, clientWidth);
        EXPECT_EQ(client.bottom - client.top, clientHeight);
        RECT outer{0, 0, clientWidth, clientHeight};
        ASSERT_TRUE(AdjustWindowRectEx(&outer, style, FALSE, exStyle));
        EXPECT_EQ(state->outerWidth, outer.right - outer.left);
        EXPECT_EQ(state->outerHeight, outer.bottom - outer.top);
    }

    // Nothing of the display is left and the desktop is as it was.
    static void ExpectNothingLeft() {
        EXPECT_EQ(fake::LiveWindowCount(), 0);
        EXPECT_EQ(fake::LiveDeviceContextCount(), 0);
        EXPECT_EQ(fake::LiveRenderContextCount(), 0);
        EXPECT_FALSE(fake::IsClassRegistered("OpenGL"));
        EXPECT_FALSE(fake::CurrentDisplayMode().changed);
        EXPECT_EQ(fake::CursorCounter(), 0);
    }
};

constexpr DWORD kWindowedStyle = 0x6CF0000, kWindowedExStyle = 0x40100;
constexpr DWORD kFullscreenStyle = 0x86000000, kFullscreenExStyle = 0x40000;
