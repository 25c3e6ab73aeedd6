#include "gl_context.h"

#include <gtest/gtest.h>

GLTestContext::GLTestContext(int width, int height, DWORD style, BYTE colourBits) : window(style, width, height) {
    if (!window.Alive()) return;
    deviceContext = GetDC(window.Handle());
    if (deviceContext == nullptr) return;

    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = colourBits;
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(deviceContext, &format);
    if (index == 0 || !SetPixelFormat(deviceContext, index, &format)) return;
    renderContext = wglCreateContext(deviceContext);
    if (renderContext == nullptr) return;
    current = wglMakeCurrent(deviceContext, renderContext) != FALSE;
    // Shown, so that what is drawn into it belongs to the window.
    ShowWindow(window.Handle(), SW_SHOW);
}

GLTestContext::~GLTestContext() {
    if (renderContext != nullptr) {
        EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
        EXPECT_TRUE(wglDeleteContext(renderContext));
    }
    if (deviceContext != nullptr) {
        EXPECT_EQ(ReleaseDC(window.Handle(), deviceContext), 1);
    }
}
