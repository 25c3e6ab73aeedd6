// Scripting the fake fonts (fake_font_gdi.cpp).
//
// Platform: none (unit tests).
#pragma once

namespace fake {

// Fonts made with CreateFontA and not yet deleted.
int LiveFonts();

}  // namespace fake
