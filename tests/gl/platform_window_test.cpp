// The pixel-format and GL-context calls as the program relies on them,
// through Win32 calls alone, against the Linux backend and Windows alike.
// The window and queue contract they share with the fake is in
// tests/contract/.
#include <gtest/gtest.h>

#include "contract/message_log.h"

TEST(PlatformWindow, ANewContextsViewportIsTheClientAreaForBothStyles) {
    for (DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW), static_cast<DWORD>(WS_POPUP)}) {
        LoggedWindow window(style, 300, 170);
        ASSERT_TRUE(window.Alive());
        HDC dc = GetDC(window.Handle());
        PIXELFORMATDESCRIPTOR format = {};
        format.nSize = sizeof format;
        format.nVersion = 1;
        format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        format.cColorBits = 32;
        format.cDepthBits = 16;
        const int index = ChoosePixelFormat(dc, &format);
        ASSERT_TRUE(SetPixelFormat(dc, index, &format));
        HGLRC context = wglCreateContext(dc);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 300) << "style " << std::hex << style;
        EXPECT_EQ(viewport[3], 170) << "style " << std::hex << style;
        EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
        EXPECT_TRUE(wglDeleteContext(context));
        EXPECT_EQ(ReleaseDC(window.Handle(), dc), 1);
    }
}

TEST(PlatformPixelFormat, LowDepthRequestsStillGetADoubleBufferedContextWithDepth) {
    for (BYTE bits : {BYTE{8}, BYTE{16}, BYTE{32}}) {
        LoggedWindow window(WS_POPUP, 64, 64);
        ASSERT_TRUE(window.Alive());
        HDC dc = GetDC(window.Handle());
        PIXELFORMATDESCRIPTOR format = {};
        format.nSize = sizeof format;
        format.nVersion = 1;
        format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        format.iPixelType = PFD_TYPE_RGBA;
        format.cColorBits = bits;
        format.cDepthBits = 16;
        const int index = ChoosePixelFormat(dc, &format);
        ASSERT_NE(index, 0) << int{bits} << " bits";
        ASSERT_TRUE(SetPixelFormat(dc, index, &format)) << int{bits} << " bits";
        HGLRC context = wglCreateContext(dc);
        ASSERT_NE(context, nullptr) << int{bits} << " bits";
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        GLint depthBits = 0;
        GLboolean doubleBuffered = GL_FALSE;
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        EXPECT_GE(depthBits, 16) << int{bits} << " bits";
        EXPECT_TRUE(doubleBuffered) << int{bits} << " bits";
        EXPECT_TRUE(SwapBuffers(dc));
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context);
        ReleaseDC(window.Handle(), dc);
    }
}
