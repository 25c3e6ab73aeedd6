// The GL test fixture itself, and what every GL test relies on: fixture
// after fixture, whatever the window's style and the colour depth asked for,
// a current double-buffered context with a depth buffer whose default
// framebuffer is the asked client size.
#include <gtest/gtest.h>

#include <vector>

#include "gl_context.h"

TEST(GLTestContext, EveryStyleAndDepthGetsACurrentContextOfTheAskedClientSize) {
    const struct {
        DWORD style;
        BYTE bits;
    } rows[] = {{WS_OVERLAPPEDWINDOW, 32}, {WS_POPUP, 8}, {WS_POPUP, 16}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "style " << std::hex << row.style << std::dec << ", " << int{row.bits});
        GLTestContext context(320, 200, row.style, row.bits);
        ASSERT_TRUE(context.Ok());
        GLint viewport[4] = {};
        GLint depthBits = 0;
        GLboolean doubleBuffered = GL_FALSE;
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        EXPECT_EQ(viewport[2], 320);
        EXPECT_EQ(viewport[3], 200);
        EXPECT_GE(depthBits, 16);
        EXPECT_TRUE(doubleBuffered);

        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        unsigned char pixel[4] = {};
        glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_EQ((std::vector<int>{pixel[0], pixel[1], pixel[2]}), (std::vector<int>{0, 255, 0}));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_TRUE(SwapBuffers(context.DeviceContext()));
    }
}
