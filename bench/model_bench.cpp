// Parsing each embedded model; one animation step with the skinning of every
// corner for each character; and one Animate + Render frame of each model.
// The per-frame benchmarks report their allocations, which must be 0.
//
// Render's GL entry points are replaced in this program by counters, so the
// frame benchmark measures the model's own work and counts its own
// allocations, not a driver's (software GL allocates as it draws), and needs
// no display.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/allocation_counter.h"
#include "model/ms3d_model.h"
#include "platform/win32.h"

namespace {

long verticesSent = 0;
volatile float glSink;

}  // namespace

// The GL calls of Render, as counters.
extern "C" {
GLboolean APIENTRY glIsEnabled(GLenum) { return GL_FALSE; }
void APIENTRY glEnable(GLenum) {}
void APIENTRY glDisable(GLenum) {}
void APIENTRY glBindTexture(GLenum, GLuint texture) { glSink = static_cast<float>(texture); }
void APIENTRY glBegin(GLenum) {}
void APIENTRY glEnd() {}
void APIENTRY glTexCoord2f(GLfloat s, GLfloat) { glSink = s; }
void APIENTRY glNormal3f(GLfloat x, GLfloat, GLfloat) { glSink = x; }
void APIENTRY glVertex3f(GLfloat, GLfloat y, GLfloat) {
    glSink = y;
    ++verticesSent;
}
}

namespace {

struct Image {
    const unsigned char* bytes = nullptr;
    size_t length = 0;
};

Image EmbeddedModel(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, "MDL");
    HGLOBAL handle = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) return {};
    return {static_cast<const unsigned char*>(bytes), SizeofResource(module, resource)};
}

// The embedded model of that name, parsed into `model`.
bool ParseEmbedded(const char* name, MS3DModel& model) {
    const Image image = EmbeddedModel(name);
    char pathBuffer[MS3DModel::kTexturePathCapacity];
    return image.bytes && model.ParseData(image.bytes, image.length, 0, pathBuffer);
}

void ParseModel(benchmark::State& state, const char* name) {
    const Image image = EmbeddedModel(name);
    if (!image.bytes) {
        state.SkipWithError("model not embedded");
        return;
    }
    char pathBuffer[MS3DModel::kTexturePathCapacity];
    for (auto _ : state) {
        MS3DModel model;
        const bool parsed = model.ParseData(image.bytes, image.length, 0, pathBuffer);
        benchmark::DoNotOptimize(parsed);
        if (!parsed) state.SkipWithError("rejected");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.length));
}

// One frame's worth of model work: Animate on the model's clock, then every
// corner's position and normal as Render computes them.
void AnimateAndSkin(benchmark::State& state, const char* name) {
    MS3DModel model;
    if (!ParseEmbedded(name, model)) {
        state.SkipWithError("model not embedded");
        return;
    }
    long allocations = 0;
    for (auto _ : state) {
        const long before = bench::Allocations();
        model.Animate();
        float sum = 0.0f;
        for (int m = 0; m < model.meshCount; ++m) {
            const Mesh& mesh = model.meshes[m];
            for (int i = 0; i < mesh.triangleCount; ++i) {
                const Triangle& triangle = model.triangles[mesh.triangleIndices[i]];
                for (int k = 0; k < 3; ++k)
                    sum += model.PosedNormal(triangle, k).x + model.PosedPosition(triangle.vertexIndices[k]).y;
            }
        }
        benchmark::DoNotOptimize(sum);
        allocations += bench::Allocations() - before;
    }
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    if (allocations != 0) state.SkipWithError("the animation step allocated");
}

// One frame as the scene makes it: Animate, then Render.
void AnimateAndRender(benchmark::State& state, const char* name) {
    MS3DModel model;
    if (!ParseEmbedded(name, model)) {
        state.SkipWithError("model not embedded");
        return;
    }
    for (int i = 0; i < model.materialCount; ++i) model.materials[i].texture = static_cast<unsigned>(i + 1);
    long allocations = 0;
    verticesSent = 0;
    for (auto _ : state) {
        const long before = bench::Allocations();
        model.Animate();
        model.Render();
        allocations += bench::Allocations() - before;
    }
    if (verticesSent != static_cast<long>(state.iterations()) * model.triangleCount * 3)
        state.SkipWithError("not every corner was sent");
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    if (allocations != 0) state.SkipWithError("a frame allocated");
}

BENCHMARK_CAPTURE(ParseModel, room, "room");
BENCHMARK_CAPTURE(ParseModel, scientist, "scientist");
BENCHMARK_CAPTURE(ParseModel, warden, "warden");
BENCHMARK_CAPTURE(AnimateAndSkin, scientist, "scientist");
BENCHMARK_CAPTURE(AnimateAndSkin, warden, "warden");
BENCHMARK_CAPTURE(AnimateAndRender, room, "room");
BENCHMARK_CAPTURE(AnimateAndRender, scientist, "scientist");
BENCHMARK_CAPTURE(AnimateAndRender, warden, "warden");

}  // namespace

BENCHMARK_MAIN();
