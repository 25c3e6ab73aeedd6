// Linux backend: wglUseFontBitmapsA, one OpenGL display list per character
// code of the font selected into a device context.
//
// Platform: Linux. Dependencies: FreeType (renders each glyph as a 1-bit
// bitmap at the font's size), OpenGL 1.x (glBitmap in display lists), SDL2
// (tells whether a GL context is current). Codes are read as Windows-1252,
// the ANSI character set. Limitations: a code the face has no glyph for gets
// an empty list that draws nothing and does not advance.
#include <SDL.h>
#include <freetype/ftsynth.h>

#include <cstdlib>
#include <vector>

#include "platform/linux/failure_reason.h"
#include "platform/linux/font_object.h"
#include "platform/linux/handles.h"

namespace {

// Windows-1252 codes 0x80 to 0x9F; 0 marks the five codes it leaves unused.
const FT_ULong windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

FT_ULong CodePoint(DWORD code) { return (code >= 0x80 && code < 0xA0) ? windows1252High[code - 0x80] : code; }

// A glyph as glBitmap takes it: 1 bit per pixel, most significant bit first,
// rows of whole bytes from the bottom row up, origin on the baseline.
struct GlyphBitmap {
    GLsizei width = 0;
    GLsizei height = 0;
    GLfloat xOrigin = 0;
    GLfloat yOrigin = 0;
    GLfloat advance = 0;
    std::vector<GLubyte> rows;
};

bool PixelSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned int x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x / 8] & (0x80 >> (x % 8))) != 0;
    return row[x] >= 128;  // 8-bit coverage: the pixel is set from half on
}

bool RenderGlyph(HFONT__& font, FT_ULong codePoint, GlyphBitmap& glyph) {
    FT_Face face = font.face;
    const FT_UInt index = codePoint != 0 ? FT_Get_Char_Index(face, codePoint) : 0;
    if (index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if (font.embolden) FT_GlyphSlot_Embolden(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return false;

    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
    glyph.width = static_cast<GLsizei>(bitmap.width);
    glyph.height = static_cast<GLsizei>(bitmap.rows);
    glyph.xOrigin = static_cast<GLfloat>(-slot->bitmap_left);
    glyph.yOrigin = static_cast<GLfloat>(static_cast<int>(bitmap.rows) - slot->bitmap_top);
    glyph.advance = static_cast<GLfloat>((slot->advance.x + 32) >> 6);

    const unsigned int rowBytes = (bitmap.width + 7) / 8;
    glyph.rows.assign(static_cast<size_t>(rowBytes) * bitmap.rows, 0);
    const unsigned int stride = static_cast<unsigned int>(std::abs(bitmap.pitch));
    for (unsigned int y = 0; y < bitmap.rows; ++y) {
        // FreeType's rows run from the top (from the bottom for a negative
        // pitch); glBitmap's run from the bottom.
        const unsigned int sourceRow = bitmap.pitch >= 0 ? y : bitmap.rows - 1 - y;
        const unsigned char* source = bitmap.buffer + static_cast<size_t>(sourceRow) * stride;
        GLubyte* target = &glyph.rows[static_cast<size_t>(bitmap.rows - 1 - y) * rowBytes];
        for (unsigned int x = 0; x < bitmap.width; ++x)
            if (PixelSet(bitmap, source, x)) target[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
    }
    return true;
}

}  // namespace

BOOL WINAPI wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase) {
    if (dc == nullptr || SDL_GL_GetCurrentContext() == nullptr) {
        backend::ReportFailure("wglUseFontBitmapsA", "no device context or no current GL context");
        return FALSE;
    }
    HFONT__* font = FindLiveFont(dc->selectedObject);
    if (font == nullptr || first > 255 || count > 256 - first) {
        backend::ReportFailure("wglUseFontBitmapsA", font == nullptr ? "no font selected into the device context"
                                                                     : "characters outside 0 to 255");
        return FALSE;
    }

    while (glGetError() != GL_NO_ERROR) {
    }
    // Glyph bitmaps are copied into the lists with the unpack state of the
    // moment: make it tight rows of bytes, most significant bit first.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (DWORD i = 0; i < count; ++i) {
        GlyphBitmap glyph;
        const bool drawn = RenderGlyph(*font, CodePoint(first + i), glyph);
        glNewList(listBase + i, GL_COMPILE);
        if (drawn)
            glBitmap(glyph.width, glyph.height, glyph.xOrigin, glyph.yOrigin, glyph.advance, 0.0f,
                     glyph.rows.empty() ? nullptr : glyph.rows.data());
        glEndList();
    }
    glPopClientAttrib();
    return glGetError() == GL_NO_ERROR ? TRUE : FALSE;
}
