#include "gfx/bitmap_font.h"

#include <cstdarg>
#include <cstdio>

BitmapFont::BitmapFont(HDC deviceContext, int32_t& clientWidth, int32_t& clientHeight, const char* faceName,
                       int32_t lists, int32_t height)
    : dc(deviceContext),
      windowWidth(clientWidth),
      windowHeight(clientHeight),
      listBase(0),
      previousFont(nullptr),
      listCount(lists),
      charHeight(height),
      font(nullptr) {
    Build(faceName);
}

GLuint BitmapFont::Build(const char* faceName) {
    listBase = glGenLists(listCount);
    font = CreateFontA(charHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    previousFont = SelectObject(dc, font);
    wglUseFontBitmapsA(dc, 0, static_cast<DWORD>(listCount - 1), listBase);
    return listBase;
}

void BitmapFont::Release() {
    if (listBase != 0) {
        glDeleteLists(listBase, listCount);
        listBase = 0;
    }
    if (font != nullptr) {
        // The font must leave the device context before it can be destroyed.
        SelectObject(dc, previousFont);
        DeleteObject(font);
        font = nullptr;
        previousFont = nullptr;
    }
}

void BitmapFont::SetPosition(int x, int y) {
    glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // A viewport of zero size whose corner is the wanted pixel: the point
    // (0, 0) of normalised device space lands exactly on that corner, so the
    // raster position is valid even where the text starts off the window.
    glViewport(x - 1, windowHeight - charHeight - y - 1, 0, 0);
    glRasterPos4f(0.0f, 0.0f, -1.0f, 1.0f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void BitmapFont::Print(int x, int y, const char* format, ...) {
    // After Release the list names may belong to someone else: draw nothing.
    if (format == nullptr || listBase == 0) return;

    // vsnprintf cuts text longer than the buffer instead of overflowing it.
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) return;
    if (length > static_cast<int>(sizeof text) - 1) length = static_cast<int>(sizeof text) - 1;

    // Codes without a glyph are sent to the last list, which is always empty,
    // so that they never call display lists beyond the font's own range.
    const int lastList = listCount - 1;
    for (int i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) > lastList) text[i] = static_cast<char>(lastList);

    const bool textured = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    if (textured) glDisable(GL_TEXTURE_2D);
    SetPosition(x, y);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    if (textured) glEnable(GL_TEXTURE_2D);
}
