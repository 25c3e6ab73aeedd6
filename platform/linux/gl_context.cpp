// Linux backend: GL rendering contexts and buffer swaps.
//
// Platform: Linux. Dependencies: SDL2, OpenGL (GLX through SDL). An HGLRC is
// an SDL GL context made for a window's device context once its pixel format
// is set. Unlike SDL, and like Windows, creating a context leaves the current
// one current. A context may be made current on any window, since all
// windows share one format. Limitations: contexts do not share display
// lists or textures (the program uses one context at a time).
#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/linux/pixel_format.h"
#include "platform/linux/failure_reason.h"
#include "platform/linux/sdl_video.h"
#include "platform/linux/window_object.h"

struct HGLRC__ {
    SDL_GLContext context = nullptr;
};

namespace {

std::vector<HGLRC>& Contexts() {
    static std::vector<HGLRC> contexts;
    return contexts;
}

bool IsLive(HGLRC context) {
    const auto& contexts = Contexts();
    return context != nullptr && std::find(contexts.begin(), contexts.end(), context) != contexts.end();
}

// The window behind a device context whose pixel format has been set.
backend::WindowObject* DrawableWindow(HDC dc) {
    backend::WindowObject* window = backend::FindWindowByDC(dc);
    return (window != nullptr && dc->pixelFormat != 0) ? window : nullptr;
}

}  // namespace

HGLRC WINAPI wglCreateContext(HDC dc) {
    backend::WindowObject* window = DrawableWindow(dc);
    if (window == nullptr) {
        backend::ReportFailure("wglCreateContext", "not the device context of a window with a pixel format");
        return nullptr;
    }
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    backend::ApplyGLFormat(window->glFormat);
    SDL_GLContext context = SDL_GL_CreateContext(window->sdlWindow);
    if (context == nullptr) backend::ReportSdlFailure("SDL_GL_CreateContext");
    SDL_GL_MakeCurrent(previousWindow, previousContext);
    if (context == nullptr) return nullptr;
    HGLRC handle = new HGLRC__;
    handle->context = context;
    Contexts().push_back(handle);
    return handle;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    if (context == nullptr) {
        if (!backend::EnsureVideo()) return FALSE;
        if (SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0) return TRUE;
        backend::ReportSdlFailure("SDL_GL_MakeCurrent");
        return FALSE;
    }
    backend::WindowObject* window = DrawableWindow(dc);
    if (window == nullptr || !IsLive(context)) {
        backend::ReportFailure("wglMakeCurrent", window == nullptr ? "not the device context of a GL window"
                                                                  : "not a live rendering context");
        return FALSE;
    }
    if (SDL_GL_MakeCurrent(window->sdlWindow, context->context) == 0) return TRUE;
    backend::ReportSdlFailure("SDL_GL_MakeCurrent");
    return FALSE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
    if (!IsLive(context)) {
        backend::ReportFailure("wglDeleteContext", "not a live rendering context");
        return FALSE;
    }
    auto& contexts = Contexts();
    contexts.erase(std::find(contexts.begin(), contexts.end(), context));
    // SDL releases the context first when it is current.
    SDL_GL_DeleteContext(context->context);
    delete context;
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    backend::WindowObject* window = DrawableWindow(dc);
    if (window == nullptr) {
        backend::ReportFailure("SwapBuffers", "not the device context of a GL window");
        return FALSE;
    }
    SDL_GL_SwapWindow(window->sdlWindow);
    return TRUE;
}
