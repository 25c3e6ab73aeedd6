#include "tools/model/offscreen_render.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/ms3d_model.h"
#include "platform/win32.h"
#include "tools/model/model_stage.h"

namespace {

// A desktop GL context current on a pbuffer of the picture's size, on the
// surfaceless platform: no display server is asked for anything.
class OffscreenContext {
public:
    // The display stays initialised: the process ends right after, and
    // terminating it would unload Mesa's driver with some of its own
    // allocations still held, which the leak checker then cannot place.
    ~OffscreenContext() {
        if (display == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    }

    // Empty when the context is current, else what failed.
    std::string Create(int width, int height) {
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (!getPlatformDisplay) return "EGL cannot choose a platform (no EGL_EXT_platform_base)";
        display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        EGLint major = 0, minor = 0;
        if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
            display = EGL_NO_DISPLAY;
            return "Mesa's surfaceless EGL platform is not available";
        }
        if (!eglBindAPI(EGL_OPENGL_API)) return "EGL offers no desktop OpenGL";
        const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint configs = 0;
        if (!eglChooseConfig(display, wanted, &config, 1, &configs) || configs < 1)
            return "EGL has no 24-bit colour pbuffer with a depth buffer for OpenGL";
        const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, size);
        if (surface == EGL_NO_SURFACE) return "EGL cannot make a pbuffer of that size";
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context))
            return "EGL cannot make an OpenGL context current";
        return "";
    }

private:
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

// The frame buffer as a PNG, its bottom row last.
bool WritePng(const char* outPath, int width, int height) {
    const size_t row = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(row * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (!picture) return false;
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<unsigned char*>(picture->pixels) + static_cast<size_t>(y) * picture->pitch,
                    &pixels[row * static_cast<size_t>(height - 1 - y)], row);
    }
    const bool written = IMG_SavePNG(picture, outPath) == 0;
    SDL_FreeSurface(picture);
    return written;
}

}  // namespace

int RenderToPng(MS3DModel& model, const char* modelPath, const char* outPath, int width, int height) {
    OffscreenContext context;
    const std::string failed = context.Create(width, height);
    if (!failed.empty()) {
        std::fprintf(stderr, "corvane-model: cannot draw off screen: %s\n", failed.c_str());
        return 1;
    }
    const double aspect = static_cast<double>(width) / height;
    ModelStage stage(model, modelPath);  // measured as posed
    glViewport(0, 0, width, height);
    stage.Setup();
    const double distance = stage.TightDistance(0.0, aspect);
    stage.Project(aspect, distance);
    stage.Draw(0.0, distance);
    glFinish();
    const bool written = WritePng(outPath, width, height);
    stage.Release();
    if (!written) {
        std::fprintf(stderr, "corvane-model: cannot write %s: %s\n", outPath, SDL_GetError());
        return 1;
    }
    return 0;
}
