// The bitmap font with a real GL context and the platform's own fonts:
// where text lands, what it draws, and that it leaves GL as it found it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/bitmap_font.h"
#include "gl_context.h"

namespace {

// Wine's glyph lists for blank glyphs such as the space come out empty over
// Mesa: no advance.
bool BlankGlyphsAdvance() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
#else
    return true;
#endif
}

struct RasterPosition {
    float x = 0;
    float y = 0;
    bool valid = false;
};

RasterPosition Raster() {
    GLfloat position[4] = {};
    GLboolean valid = GL_FALSE;
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return {position[0], position[1], valid == GL_TRUE};
}

// The lit pixels of the lower-left `width` x `height` corner of the window,
// row by row from the bottom.
struct Pixels {
    int width;
    int height;
    std::vector<unsigned char> rgba;
    bool Lit(int x, int y) const { return rgba[4 * (static_cast<size_t>(y) * width + x)] > 128; }
    int Count(int fromY, int toY) const {
        int count = 0;
        for (int y = fromY; y < toY; ++y)
            for (int x = 0; x < width; ++x) count += Lit(x, y);
        return count;
    }
    int RowCount(int y) const { return Count(y, y + 1); }
    int LowestRow() const {
        for (int y = 0; y < height; ++y)
            if (RowCount(y) > 0) return y;
        return -1;
    }
    int HighestRow() const {
        for (int y = height - 1; y >= 0; --y)
            if (RowCount(y) > 0) return y;
        return -1;
    }
};

Pixels ReadWindow(int width, int height) {
    Pixels pixels{width, height, std::vector<unsigned char>(4 * static_cast<size_t>(width) * height)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.rgba.data());
    return pixels;
}

class BitmapFontDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.Ok());
        font = new BitmapFont(context.DeviceContext(), width, height, "Arial", 127, 18);
        // Building examines nothing; an error left by the platform's glyph
        // making is not one of the operations under test.
        while (glGetError() != GL_NO_ERROR) {
        }
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glColor3f(1, 1, 1);
    }
    void TearDown() override {
        if (font != nullptr) font->Release();
        delete font;
    }

    // Prints on a cleared window and returns what is there after it.
    Pixels PrintAlone(const char* text) {
        glClear(GL_COLOR_BUFFER_BIT);
        font->Print(5, 0, "%s", text);
        return ReadWindow(width, height);
    }

    // How far printing `text` moves the raster position along the line.
    float Advance(const char* text) {
        font->Print(5, 0, "%s", text);
        return Raster().x - 4.0f;
    }

    GLTestContext context{640, 480};
    int32_t width = 640;
    int32_t height = 480;
    BitmapFont* font = nullptr;
};

}  // namespace

TEST_F(BitmapFontDrawing, TextIsPlacedFromTheTopEdgeOfTheWindowAsItIsNow) {
    font->SetPosition(5, 0);
    RasterPosition at = Raster();
    EXPECT_TRUE(at.valid);
    EXPECT_EQ(at.x, 4.0f);
    EXPECT_EQ(at.y, 461.0f);

    // An empty line leaves the raster position where the text would start.
    font->Print(5, 0, "%s", "");
    EXPECT_EQ(Raster().y, 461.0f);

    // The client area shrinks to 300 rows: the same place measures from the new top edge.
    height = 300;
    font->Print(5, 0, "%s", "");
    EXPECT_EQ(Raster().x, 4.0f);
    EXPECT_EQ(Raster().y, 281.0f);
    font->SetPosition(40, 100);
    EXPECT_EQ(Raster().x, 39.0f);
    EXPECT_EQ(Raster().y, 181.0f);

    // A start left of the window still gives a valid position, so the visible part is drawn.
    font->SetPosition(0, 0);
    at = Raster();
    EXPECT_TRUE(at.valid);
    EXPECT_EQ(at.x, -1.0f);
}

TEST_F(BitmapFontDrawing, GlyphsStandOnTheBaselineUprightAndInsideTheWindow) {
    const Pixels tee = PrintAlone("T");
    ASSERT_GT(tee.Count(0, height), 10);
    EXPECT_EQ(tee.LowestRow(), 461) << "T sits on the baseline";
    EXPECT_LT(tee.HighestRow(), 480);
    EXPECT_GT(tee.RowCount(tee.HighestRow()), 2 * tee.RowCount(tee.LowestRow())) << "the bar of T is on top";

    const Pixels ell = PrintAlone("L");
    EXPECT_EQ(ell.LowestRow(), 461);
    EXPECT_GT(ell.RowCount(ell.LowestRow()), 2 * ell.RowCount(ell.HighestRow())) << "the foot of L is at the bottom";

    EXPECT_LT(PrintAlone("g").LowestRow(), 461) << "g descends below the baseline";

    // Nothing outside the line's band: the text is at the top left.
    const Pixels line = PrintAlone("60 fps");
    EXPECT_GT(line.Count(0, height), 40);
    EXPECT_EQ(line.Count(0, 455), 0);
    for (int y = 455; y < height; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_FALSE(line.Lit(x, y)) << x << "," << y;
}

TEST_F(BitmapFontDrawing, EachGlyphAdvancesTheLineByItsWidth) {
    const float six = Advance("6");
    const float space = Advance(" ");
    EXPECT_GT(six, 5.0f);
    if (BlankGlyphsAdvance()) {
        EXPECT_GT(space, 2.0f);
    }
    EXPECT_EQ(Advance("66 6"), 3 * six + space);
    // Bold "Arial" of an 18-pixel cell: wide m, narrow i.
    EXPECT_GT(Advance("m"), 2 * Advance("i"));
}

TEST_F(BitmapFontDrawing, CodesWithoutAGlyphDrawNothingEvenWhenOtherListsFollowTheFont) {
    // Someone else's display lists right after the font's: a solid block
    // that moves the raster position.
    const GLuint others = glGenLists(130);
    const std::vector<GLubyte> block(8 * 8, 0xFF);
    for (GLuint i = 0; i < 130; ++i) {
        glNewList(others + i, GL_COMPILE);
        glBitmap(64, 8, 0, 0, 64, 0, block.data());
        glEndList();
    }

    const Pixels drawn = PrintAlone("~\x7f\x80\xc8\xff");
    EXPECT_EQ(drawn.Count(0, height), 0);
    EXPECT_EQ(Raster().x, 4.0f);
    glDeleteLists(others, 130);
}

TEST_F(BitmapFontDrawing, PrintLeavesTheGLStateAsItFoundIt) {
    struct State {
        GLboolean texturing;
        GLint matrixMode;
        GLfloat projection[16];
        GLfloat modelView[16];
        GLint viewport[4];
        GLint listBase;
        RasterPosition raster;
    };
    const auto read = [] {
        State state{};
        state.texturing = glIsEnabled(GL_TEXTURE_2D);
        glGetIntegerv(GL_MATRIX_MODE, &state.matrixMode);
        glGetFloatv(GL_PROJECTION_MATRIX, state.projection);
        glGetFloatv(GL_MODELVIEW_MATRIX, state.modelView);
        glGetIntegerv(GL_VIEWPORT, state.viewport);
        glGetIntegerv(GL_LIST_BASE, &state.listBase);
        state.raster = Raster();
        return state;
    };
    const auto same = [](const State& a, const State& b) {
        return a.texturing == b.texturing && a.matrixMode == b.matrixMode &&
               std::equal(a.projection, a.projection + 16, b.projection) &&
               std::equal(a.modelView, a.modelView + 16, b.modelView) &&
               std::equal(a.viewport, a.viewport + 4, b.viewport) && a.listBase == b.listBase;
    };

    for (const bool texturing : {true, false}) {
        SCOPED_TRACE(texturing ? "texturing on" : "texturing off");
        if (texturing) glEnable(GL_TEXTURE_2D);
        else glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 100, 0, 50, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(3, 4, 5);
        glRotatef(30, 0, 0, 1);
        glViewport(10, 20, 300, 200);
        glListBase(77);
        glRasterPos2f(10, 10);
        const State before = read();

        font->Print(5, 0, nullptr);
        const State afterNull = read();
        EXPECT_TRUE(same(before, afterNull));
        EXPECT_EQ(afterNull.raster.x, before.raster.x);
        EXPECT_EQ(afterNull.raster.y, before.raster.y);

        font->Print(5, 0, "%d fps", 60);
        EXPECT_TRUE(same(before, read()));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(BitmapFontDrawing, TextLongerThanTheBufferIsCut) {
    const float one = Advance("i");
    const std::string longText(1000, 'i');
    font->Print(5, 0, "%s", longText.c_str());
    EXPECT_EQ(Raster().x - 4.0f, 255 * one);
}

TEST_F(BitmapFontDrawing, ReleaseDeletesTheListsAndDrawsNothingAfter) {
    glClear(GL_COLOR_BUFFER_BIT);
    font->Print(5, 0, "%s", "A");
    ASSERT_TRUE(Raster().x > 4.0f);
    font->Release();
    // A second release does nothing, and printing after it draws nothing.
    font->Release();
    EXPECT_EQ(PrintAlone("A").Count(0, height), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
