// The settings dialog's emblem: a 32 x 32 picture of a dusky planet's rim
// seen from a deck window, with stars and a chevron beacon.
#pragma once

#include <cstdint>
#include <vector>

// A complete BMP file: file header, BITMAPINFOHEADER, 24-bit pixels.
std::vector<uint8_t> BuildEmblemBitmap();
