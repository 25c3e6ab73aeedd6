// The GL test fixture itself, and what every GL test relies on: a current
// context whose default framebuffer is the asked client size.
#include <gtest/gtest.h>

#include "gl_context.h"

TEST(GLTestContext, OpensACurrentContextOfTheAskedClientSize) {
    GLTestContext context(320, 200);
    ASSERT_TRUE(context.Ok());
    EXPECT_NE(context.Window(), nullptr);
    EXPECT_NE(context.DeviceContext(), nullptr);
    EXPECT_NE(glGetString(GL_VERSION), nullptr);

    // A new context's viewport is its window's client area.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 200);

    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLTestContext, TwoFixturesInTurnEachGetAContext) {
    for (int round = 0; round < 2; ++round) {
        GLTestContext context;
        ASSERT_TRUE(context.Ok()) << "round " << round;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 256);
        EXPECT_EQ(viewport[3], 256);
    }
}
