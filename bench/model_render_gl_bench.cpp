// Drawing each embedded model with its textures, one Animate and one Render
// per iteration, in a real GL context. Reports the allocations per frame,
// which must be 0.
#include <benchmark/benchmark.h>

#include "bench/allocation_counter.h"
#include "model/ms3d_model.h"
#include "platform/win32.h"
#include "tests/gl/gl_context.h"

namespace {

void AnimateAndRender(benchmark::State& state, const char* name) {
    GLTestContext context(320, 240);
    MS3DModel model;
    if (!context.Ok() || !model.LoadFromResource(name)) {
        state.SkipWithError("no GL context or model");
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 320.0 / 240.0, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 30.0, 120.0, 0.0, 20.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    long allocations = 0;
    for (auto _ : state) {
        const long before = bench::Allocations();
        model.Animate();
        model.Render();
        allocations += bench::Allocations() - before;
        glFinish();
    }
    for (int i = 0; i < model.materialCount; ++i) glDeleteTextures(1, &model.materials[i].texture);
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    if (allocations != 0) state.SkipWithError("a frame allocated");
}

BENCHMARK_CAPTURE(AnimateAndRender, room, "room");
BENCHMARK_CAPTURE(AnimateAndRender, scientist, "scientist");
BENCHMARK_CAPTURE(AnimateAndRender, warden, "warden");

}  // namespace

BENCHMARK_MAIN();
