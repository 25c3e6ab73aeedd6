// A GLApplication whose protected state the shell tests can read, whose
// scene operations can be told to fail, and which writes each scene call and
// activation notice into the fake platform's call log, so that tests see it
// in order with the platform calls.
#pragma once

#include <string>

#include "app/window_registry.h"
#include "platform/fake/fake_platform.h"
#include "app/gl_application.h"

class ProbeApplication : public GLApplication {
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
// Tests that look at the calls of one step mark the log first; the helpers
// below look at the calls from the mark on.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { Restart(); }

    void Restart() {
        fake::Reset();
        ClearWindowRegistry();
        mark = 0;
    }

    void MarkLog() { mark = static_cast<int>(fake::Calls().size()); }

    int Count(const std::string& name) const {
        int count = 0;
        for (const std::string& callName : CallNamesFrom(mark)) count += callName == name;
        return count;
    }

    int Find(const std::string& name, int from = -1) const { return fake::FindCall(name, from < 0 ? mark : from); }

    const fake::Call& CallAt(int index) const { return fake::Calls().at(static_cast<size_t>(index)); }

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

    // The message boxes shown since the mark, as "text|caption|flags|owner".
    std::vector<std::string> MessageBoxes() const {
        std::vector<std::string> boxes;
        const auto& calls = fake::Calls();
        for (size_t i = static_cast<size_t>(mark); i < calls.size(); ++i)
            if (calls[i].name == "MessageBoxA")
                boxes.push_back(calls[i].args[1] + "|" + calls[i].args[2] + "|" + calls[i].args[3] + "|" +
                                calls[i].args[0]);
        return boxes;
    }

    // The names of the calls from `from` on.
    static std::vector<std::string> CallNamesFrom(int from) {
        std::vector<std::string> names;
        const auto& calls = fake::Calls();
        for (size_t i = static_cast<size_t>(from); i < calls.size(); ++i) names.push_back(calls[i].name);
        return names;
    }

    int mark = 0;
};
