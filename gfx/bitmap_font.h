// Text over the 3D scene in window pixel coordinates, drawn with a bitmap
// font: one display list per character code, made from a platform font by
// wglUseFontBitmapsA, and a whole line drawn with a single glCallLists.
//
// Every operation needs the window's GL context to be current. The owner
// calls Release before deleting the object; the destructor does nothing.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class BitmapFont {
public:
    // Builds the font at once. `clientWidth` and `clientHeight` are the
    // window's client size, read at every print so that text stays placed
    // from the top edge after a resize.
    BitmapFont(HDC deviceContext, int32_t& clientWidth, int32_t& clientHeight, const char* faceName, int32_t lists,
               int32_t height);
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Reserves the display lists, creates the platform font, selects it into
    // the device context and makes one glyph list per code from 0 to
    // listCount - 2; the last list stays empty. Returns the first list.
    GLuint Build(const char* faceName);

    // Deletes the display lists, selects the previous font again and
    // destroys the font object. A second call does nothing.
    void Release();

    // Sets the raster position to the baseline origin of text placed x pixels
    // from the left and y pixels down from the top of the window.
    void SetPosition(int x, int y);

    // Formats like printf (at most 255 characters; longer text is cut) and
    // draws the text at (x, y). A null format does nothing.
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    void Print(int x, int y, const char* format, ...);

private:
    HDC dc;
    [[maybe_unused]] int32_t& windowWidth;  // held beside the height; nothing reads it
    int32_t& windowHeight;
    GLuint listBase;
    HGDIOBJ previousFont;
    int32_t listCount;
    int32_t charHeight;
    HFONT font;  // the font made by Build, destroyed by Release
};
