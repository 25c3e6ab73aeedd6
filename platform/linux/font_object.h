// Linux backend: what an HFONT points to, shared by the GDI font calls
// (font_gdi.cpp) and the glyph display lists (font_bitmaps.cpp).
//
// Platform: Linux. Dependencies: FreeType. A font is a FreeType face found
// by fontconfig, scaled so that its cell (ascent plus descent, as Windows
// measures it) is the height asked for.
#pragma once

#include <ft2build.h>
#include <freetype/freetype.h>

#include "platform/win32.h"

struct HFONT__ {
    FT_Face face = nullptr;
    bool embolden = false;  // bold was asked for but the face found is lighter
    int selections = 0;     // device contexts it is selected into; deletable at 0
};

// The live font behind a GDI object handle, or null for anything else.
HFONT__* FindLiveFont(HGDIOBJ object);
