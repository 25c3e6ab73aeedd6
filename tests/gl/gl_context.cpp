#include "gl_context.h"

#include <cstdio>

GLTestContext::GLTestContext(int width, int height) {
    // A class per fixture, so fixtures can live side by side.
    static int fixtureCount = 0;
    std::snprintf(className, sizeof className, "CorvaneGLTest%d", ++fixtureCount);
    instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    classRegistered = RegisterClassA(&windowClass) != 0;
    if (!classRegistered) return;

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    window = CreateWindowExA(0, className, "Corvane GL test", style, 0, 0, outer.right - outer.left,
                             outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return;
    deviceContext = GetDC(window);
    if (deviceContext == nullptr) return;

    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(deviceContext, &format);
    if (index == 0 || !SetPixelFormat(deviceContext, index, &format)) return;
    renderContext = wglCreateContext(deviceContext);
    if (renderContext == nullptr) return;
    current = wglMakeCurrent(deviceContext, renderContext) != FALSE;
    // Shown, so that what is drawn into it belongs to the window.
    ShowWindow(window, SW_SHOW);
}

GLTestContext::~GLTestContext() {
    if (renderContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(renderContext);
    }
    if (deviceContext != nullptr) ReleaseDC(window, deviceContext);
    if (window != nullptr) DestroyWindow(window);
    if (classRegistered) UnregisterClassA(className, instance);
}

bool GLTestContext::Ok() const { return current; }

HWND GLTestContext::Window() const { return window; }

HDC GLTestContext::DeviceContext() const { return deviceContext; }
