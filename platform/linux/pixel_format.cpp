// Linux backend: pixel formats.
//
// Platform: Linux. Dependencies: SDL2. Each window has the one format it was
// created with: RGBA, double-buffered, with a depth buffer of at least 16
// bits (24 and 8 bits of stencil where the display has them). Like Windows,
// ChoosePixelFormat answers with the closest format the window supports, so
// requests for 8 or 16 colour bits, or without a depth buffer, get it too.
// Limitations: no single-buffered, colour-index or overlay formats.
#include "platform/linux/pixel_format.h"

#include <SDL.h>

#include "platform/linux/failure_reason.h"
#include "platform/linux/window_object.h"

namespace backend {
namespace {

struct GLFormat {
    int red, green, blue, depth, stencil;
};

constexpr GLFormat kFormats[] = {
    {8, 8, 8, 24, 8},
    {8, 8, 8, 16, 0},
    {5, 6, 5, 16, 0},
};

// The one format every window offers.
constexpr int kWindowFormat = 1;

}  // namespace

int GLFormatCount() { return static_cast<int>(sizeof kFormats / sizeof kFormats[0]); }

void ApplyGLFormat(int index) {
    const GLFormat& format = kFormats[index];
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencil);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

}  // namespace backend

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (descriptor == nullptr || backend::FindWindowByDC(dc) == nullptr) {
        backend::ReportFailure("ChoosePixelFormat", descriptor == nullptr ? "no pixel-format request"
                                                                          : "not the device context of a window");
        return 0;
    }
    return backend::kWindowFormat;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* /*descriptor*/) {
    if (backend::FindWindowByDC(dc) == nullptr || format != backend::kWindowFormat) {
        backend::ReportFailure("SetPixelFormat", "not a window's device context and a format it offered");
        return FALSE;
    }
    // A window's format is set once; setting the same one again is harmless.
    if (dc->pixelFormat != 0 && dc->pixelFormat != format) {
        backend::ReportFailure("SetPixelFormat", "the window's pixel format is set already");
        return FALSE;
    }
    dc->pixelFormat = format;
    return TRUE;
}
