// The Linux backend's fonts: which face a request finds, at what size, and
// the GDI rules for selecting and destroying them.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "gl_context.h"
#include "platform/linux/font_object.h"
#include "platform/linux/handles.h"

namespace {

HFONT Font(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

TEST(LinuxFonts, ArialIsFoundAsAMetricCompatibleFaceSizedByItsCell) {
    HFONT bold = Font(18, FW_BOLD, "Arial");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(std::string(bold->face->family_name), "Liberation Sans");
    EXPECT_EQ(std::string(bold->face->style_name), "Bold");
    EXPECT_FALSE(bold->embolden);
    // Ascent plus descent, as Windows measures the cell, is 18 pixels.
    const FT_Size_Metrics& metrics = bold->face->size->metrics;
    EXPECT_EQ(metrics.y_ppem, 16);

    HFONT regular = Font(-30, 400, "arial");
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(std::string(regular->face->style_name), "Regular");
    EXPECT_EQ(regular->face->size->metrics.y_ppem, 30) << "a negative height is the em height";

    // An unknown face falls back to a default one, as the Windows font mapper does.
    HFONT other = Font(18, FW_BOLD, "No Such Face Anywhere");
    EXPECT_NE(other, nullptr);

    EXPECT_EQ(DeleteObject(bold), TRUE);
    EXPECT_EQ(DeleteObject(regular), TRUE);
    EXPECT_EQ(DeleteObject(other), TRUE);
}

TEST(LinuxFonts, AFontStaysAliveWhileSelectedAndUnknownHandlesAreRefused) {
    HDC__ dc;
    HFONT first = Font(18, FW_BOLD, "Arial");
    HFONT second = Font(12, 400, "Arial");
    int notAFont = 0;

    EXPECT_EQ(SelectObject(&dc, first), nullptr);
    EXPECT_EQ(SelectObject(&dc, &notAFont), nullptr) << "refused";
    EXPECT_EQ(dc.selectedObject, first);
    EXPECT_EQ(DeleteObject(first), FALSE) << "still selected";
    EXPECT_EQ(SelectObject(&dc, second), first);
    EXPECT_EQ(DeleteObject(first), TRUE);
    EXPECT_EQ(DeleteObject(first), FALSE) << "already destroyed";
    EXPECT_EQ(DeleteObject(&notAFont), FALSE);

    EXPECT_EQ(SelectObject(&dc, nullptr), second) << "back to the device context's default";
    EXPECT_EQ(DeleteObject(second), TRUE);
}

TEST(LinuxFonts, GlyphListsNeedASelectedFontACurrentContextAndByteCodes) {
    GLTestContext context;
    ASSERT_TRUE(context.Ok());
    HDC dc = context.DeviceContext();
    const GLuint base = glGenLists(256);

    SelectObject(dc, nullptr);
    EXPECT_EQ(wglUseFontBitmapsA(dc, 0, 10, base), FALSE) << "no font selected";

    HFONT font = Font(18, FW_BOLD, "Arial");
    SelectObject(dc, font);
    EXPECT_EQ(wglUseFontBitmapsA(dc, 250, 7, base), FALSE) << "codes beyond 255";
    EXPECT_EQ(wglUseFontBitmapsA(dc, 0, 256, base), TRUE);
    EXPECT_EQ(glIsList(base + 255), GL_TRUE);

    glDeleteLists(base, 256);

    // Last, as the fixture's context stays released.
    wglMakeCurrent(nullptr, nullptr);
    EXPECT_EQ(wglUseFontBitmapsA(dc, 0, 10, base), FALSE) << "no current context";
    SelectObject(dc, nullptr);
    EXPECT_EQ(DeleteObject(font), TRUE);
}

#endif
