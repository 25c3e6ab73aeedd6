#include "tools/model/model_viewer.h"

#include <memory>
#include <string>

#include "model/ms3d_model.h"
#include "platform/win32.h"
#include "shell/gl_application.h"
#include "timing/timer.h"
#include "tools/model/model_stage.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kTurnRadiansPerMs = 0.0004;

class ModelViewer : public GLApplication {
public:
    ModelViewer(MS3DModel& viewed, const char* path) : model(viewed), stage(viewed, path), clock(CreateTimer()) {}

    const ModelStage& Stage() const { return stage; }

    bool Init() override {
        stage.Setup();
        return true;
    }

    // The viewer made the material textures, so it deletes them.
    bool Shutdown() override {
        stage.Release();
        return true;
    }

    bool Update() override {
        model.Animate();
        return true;
    }

    bool Draw() override {
        stage.Draw(clock ? clock->GetTime() * kTurnRadiansPerMs : 0.0, stage.Distance(static_cast<double>(kWidth) / kHeight));
        return true;
    }

private:
    MS3DModel& model;
    ModelStage stage;  // measured in the bind pose
    std::unique_ptr<Timer> clock;
};

}  // namespace

int RunViewer(MS3DModel& model, const char* path) {
    ModelViewer viewer(model, path);
    viewer.Register(GetModuleHandleA(nullptr), "");
    const std::string title = std::string("corvane-model: ") + path;
    const ModelStage& stage = viewer.Stage();
    if (!viewer.CreateDisplay(title.c_str(), kWidth, kHeight, 32, false, static_cast<float>(ModelStage::kFieldOfView),
                              static_cast<float>(stage.Near()), static_cast<float>(stage.Far())))
        return 1;
    viewer.Init();

    // Frames are drawn whenever no message waits, active or not, so the
    // model keeps turning behind other windows.
    bool running = true;
    while (running) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                running = false;
            } else {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else if (!viewer.Tick()) {
            running = false;
        }
    }
    viewer.Shutdown();
    return 0;
}
