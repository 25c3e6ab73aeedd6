// The whole scene in an 800 x 600 window: how long start-up takes and where it
// goes, and the frame rate after the camera has eased onto its path, split
// into our own work and the GL driver's. Needs a display (Xvfb with Mesa on a
// headless machine); prints a report instead of Google Benchmark's table.
//
//   build/bin/scene_bench [measure-seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "bench/allocation_counter.h"
#include "gfx/texture.h"
#include "scene/scene_application.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class BenchScene : public SceneApplication {
public:
    using SceneApplication::easeDivisor;
    using SceneApplication::room;
    using SceneApplication::scientist;
    using SceneApplication::warden;
    HDC DeviceContext() const { return deviceContext; }
};

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Start-up stages measured one by one, in the same context as the scene.
void ReportStartupStages() {
    auto start = Clock::now();
    GLuint pictures[3] = {LoadTextureFromResource("JPG", "loading.jpg", nullptr, false),
                          LoadTextureFromResource("JPG", "krv.jpg", "krvmask.jpg", true),
                          LoadTextureFromResource("JPG", "t31_blik.jpg", nullptr, false)};
    const double pictureMs = MillisecondsSince(start);
    glDeleteTextures(3, pictures);

    double parseMs = 0.0;
    double textureMs = 0.0;
    for (const char* name : {"room", "warden", "scientist"}) {
        HRSRC resource = FindResourceA(nullptr, name, "MDL");
        const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
        MS3DModel model;
        char path[MS3DModel::kTexturePathCapacity + 4] = {};
        start = Clock::now();
        model.ParseData(bytes, SizeofResource(nullptr, resource), 0, path);
        parseMs += MillisecondsSince(start);
        start = Clock::now();
        model.LoadMaterialTextures(true);
        textureMs += MillisecondsSince(start);
        for (int i = 0; i < model.materialCount; ++i) glDeleteTextures(1, &model.materials[i].texture);
    }
    const double total = pictureMs + parseMs + textureMs;
    std::printf("  scene pictures (3)            %8.1f ms  %5.1f %%\n", pictureMs, 100.0 * pictureMs / total);
    std::printf("  model parsing (3 models)      %8.1f ms  %5.1f %%\n", parseMs, 100.0 * parseMs / total);
    std::printf("  material textures (101)       %8.1f ms  %5.1f %%\n", textureMs, 100.0 * textureMs / total);
}

// One skinning pass over every corner of both characters, as Render computes
// it, without sending anything to GL.
float SkinCharacters(const BenchScene& scene) {
    float sum = 0.0f;
    for (const MS3DModel* model : {scene.warden.get(), scene.scientist.get()}) {
        for (int t = 0; t < model->triangleCount; ++t)
            for (int k = 0; k < 3; ++k) {
                sum += model->PosedPosition(model->triangles[t].vertexIndices[k]).x;
                sum += model->PosedNormal(model->triangles[t], k).y;
            }
    }
    return sum;
}

}  // namespace

int main(int argc, char** argv) {
    const double measureSeconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    auto* scene = new BenchScene;
    scene->Register(GetModuleHandleA(nullptr), nullptr);
    if (!scene->CreateDisplay("DECK_NINE_by_Quillmark", 800, 600, 32, false, 60.0f, 1.0f, 1000.0f)) {
        std::fprintf(stderr, "scene_bench: no GL window (is there a display?)\n");
        return 1;
    }
    scene->SetSound(false);

    auto start = Clock::now();
    scene->Init();
    const double initMs = MillisecondsSince(start) - 500.0;  // the loading screen's fixed pause
    std::printf("Start-up (Init less the 500 ms loading pause): %.1f ms\n", initMs);
    ReportStartupStages();

    // Ease onto the path first: the camera's easing lasts 19.98 s of scene time.
    while (scene->easeDivisor > 1.0) {
        PumpMessages();
        scene->Tick();
    }

    double updateMs = 0.0, drawMs = 0.0, swapMs = 0.0;
    double frames = 0.0;
    const long allocationsBefore = bench::Allocations();
    const auto measureStart = Clock::now();
    while (MillisecondsSince(measureStart) < measureSeconds * 1000.0) {
        PumpMessages();
        auto t = Clock::now();
        scene->Update();
        updateMs += MillisecondsSince(t);
        t = Clock::now();
        scene->Draw();
        drawMs += MillisecondsSince(t);
        t = Clock::now();
        glFinish();  // the driver's rasterising is charged to the swap
        SwapBuffers(scene->DeviceContext());
        swapMs += MillisecondsSince(t);
        frames += 1.0;
    }
    const double elapsedMs = MillisecondsSince(measureStart);
    const long allocations = bench::Allocations() - allocationsBefore;

    start = Clock::now();
    volatile float sink = 0.0f;
    for (double i = 0.0; i < frames; i += 1.0) sink = sink + SkinCharacters(*scene);
    const double skinMs = MillisecondsSince(start);

    const double frameMs = elapsedMs / frames;
    std::printf("Frames at 800 x 600, windowed, over %.0f s after the easing: %.0f frames, %.1f fps\n",
                elapsedMs / 1000.0, frames, 1000.0 * frames / elapsedMs);
    std::printf("Per frame (%.2f ms):\n", frameMs);
    std::printf("  Update (camera, animation, blink)       %7.3f ms  %5.1f %%\n", updateMs / frames,
                100.0 * updateMs / elapsedMs);
    std::printf("  Draw (skinning + immediate-mode calls)  %7.3f ms  %5.1f %%\n", drawMs / frames,
                100.0 * drawMs / elapsedMs);
    std::printf("    of which skinning alone               %7.3f ms\n", skinMs / frames);
    std::printf("  glFinish + SwapBuffers (GL driver)      %7.3f ms  %5.1f %%\n", swapMs / frames,
                100.0 * swapMs / elapsedMs);
    std::printf("Heap allocations (operator new) per frame: %.3f (%ld in %.0f frames)\n",
                static_cast<double>(allocations) / frames, allocations, frames);

    scene->Shutdown();
    delete scene;
    return 0;
}
