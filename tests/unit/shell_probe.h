// A SceneApplication whose protected state the shell tests can read, whose
// scene operations can be told to fail, and which writes each scene call and
// activation notice into the fake platform's call log, so that tests see it
// in order with the platform calls.
#pragma once

#include <string>

#include "app/window_registry.h"
#include "platform/fake/fake_platform.h"
#include "scene/scene_application.h"

class ProbeApplication : public SceneApplication {
public:
    using GLWindow::active;
    using GLWindow::bits;
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
    using GLWindow::window;
    using GLWindow::zFar;
    using GLWindow::zNear;
    using SceneApplication::soundEnabled;

    bool initResult = true;
    bool updateResult = true;
    bool drawResult = true;

    bool Init() override {
        fake::Record("scene.Init");
        return initResult;
    }
    bool Shutdown() override {
        fake::Record("scene.Shutdown");
        return true;
    }
    bool Update() override {
        fake::Record("scene.Update");
        return updateResult;
    }
    bool Draw() override {
        fake::Record("scene.Draw");
        return drawResult;
    }
    void OnActivate(bool isActive) override { fake::Record("scene.OnActivate", {isActive ? "true" : "false"}); }
};

// Each shell test starts from a fresh fake platform and an empty registry.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
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
    static std::vector<std::string> MessageBoxes() {
        std::vector<std::string> boxes;
        for (const fake::Call& call : fake::Calls())
            if (call.name == "MessageBoxA")
                boxes.push_back(call.args[1] + "|" + call.args[2] + "|" + call.args[3] + "|" + call.args[0]);
        return boxes;
    }

    // The names of the calls from `from` on, without the clock readings.
    static std::vector<std::string> CallNamesFrom(int from) {
        std::vector<std::string> names;
        const auto& calls = fake::Calls();
        for (size_t i = static_cast<size_t>(from); i < calls.size(); ++i) names.push_back(calls[i].name);
        return names;
    }
};
