// A tiny 5 x 7 bitmap font for the text painted into pictures and onto the
// contact sheet: capitals, digits and a little punctuation.
#pragma once

#include <string>

#include "image.h"

namespace assetgen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// True when glyph cell (col, row) of `c` is set; unknown characters are blank
// and lower case is drawn as upper case.
bool GlyphBit(char c, int col, int row);

// Coverage (0 or 1) of `text` drawn with its top-left corner at (left, top),
// each font dot `scale` pixels wide, at the point (x, y).
double TextCoverage(const std::string& text, double left, double top, double scale, double x, double y);

// Width in pixels of `text` at `scale`.
double TextWidth(const std::string& text, double scale);

// Writes `text` directly into an RGB image in `color`, font dots one pixel.
void DrawText(Image& image, const std::string& text, int left, int top, Color color);

}  // namespace assetgen
