#include "tools/model/model_viewer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "shell/gl_application.h"
#include "model/ms3d_model.h"
#include "platform/win32.h"
#include "timing/timer.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kTurnRadiansPerMs = 0.0004;

class ModelViewer : public GLApplication {
public:
    explicit ModelViewer(MS3DModel& viewed) : model(viewed), clock(CreateTimer()) { MeasureModel(); }

    float Radius() const { return radius; }

    bool Init() override {
        glClearColor(0.12f, 0.14f, 0.18f, 1.0f);
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glShadeModel(GL_SMOOTH);
        // Back faces culled: a room seen from outside shows its inside.
        glEnable(GL_CULL_FACE);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

        const GLfloat ambient[] = {0.35f, 0.35f, 0.35f, 1.0f};
        const GLfloat diffuse[] = {0.9f, 0.9f, 0.9f, 1.0f};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);

        model.LoadMaterialTextures(false);
        return true;
    }

    // The viewer made the material textures, so it deletes them.
    bool Shutdown() override {
        for (int i = 0; i < model.materialCount; ++i) {
            GLuint& texture = model.materials[i].texture;
            if (texture != 0) glDeleteTextures(1, &texture);
            texture = 0;
        }
        return true;
    }

    bool Update() override {
        model.Animate();
        return true;
    }

    bool Draw() override {
        const double angle = clock ? clock->GetTime() * kTurnRadiansPerMs : 0.0;
        const double distance = 2.2 * radius;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        // A light over the viewer's shoulder, fixed to the camera.
        const GLfloat lightDirection[] = {0.4f, 0.8f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
        gluLookAt(center[0] + distance * std::sin(angle), center[1] + 0.35 * distance,
                  center[2] + distance * std::cos(angle), center[0], center[1], center[2], 0.0, 1.0, 0.0);
        model.Render();
        return true;
    }

private:
    // The bounding box of the model as loaded (its bind pose).
    void MeasureModel() {
        if (model.vertexCount == 0) return;
        float low[3], high[3];
        for (int i = 0; i < model.vertexCount; ++i) {
            const Vector p = model.PosedPosition(i);
            const float v[3] = {p.x, p.y, p.z};
            for (int k = 0; k < 3; ++k) {
                low[k] = i == 0 ? v[k] : std::min(low[k], v[k]);
                high[k] = i == 0 ? v[k] : std::max(high[k], v[k]);
            }
        }
        double squared = 0.0;
        for (int k = 0; k < 3; ++k) {
            center[k] = 0.5 * (static_cast<double>(low[k]) + high[k]);
            squared += 0.25 * (static_cast<double>(high[k]) - low[k]) * (static_cast<double>(high[k]) - low[k]);
        }
        if (std::isfinite(squared) && squared > 0.0) radius = static_cast<float>(std::sqrt(squared));
    }

    MS3DModel& model;
    std::unique_ptr<Timer> clock;
    double center[3] = {0.0, 0.0, 0.0};
    float radius = 1.0f;
};

}  // namespace

int RunViewer(MS3DModel& model, const char* path) {
    ModelViewer viewer(model);
    viewer.Register(GetModuleHandleA(nullptr), "");
    const std::string title = std::string("corvane-model: ") + path;
    const float radius = viewer.Radius();
    if (!viewer.CreateDisplay(title.c_str(), kWidth, kHeight, 32, false, 50.0f, 0.02f * radius, 20.0f * radius))
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
