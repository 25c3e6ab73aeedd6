// A GIF decoder of our own for the Linux picture service: the system's
// SDL2_image GIF decoder writes out of bounds on hostile input.
//
// Platform: any. Dependencies: none. Limitations: decodes the first image
// only, at its own size (its position on the logical screen is ignored);
// its transparent colour, if any, becomes black, as a transparent GIF
// drawn onto an empty surface shows. Pictures whose data ends before the
// last pixel are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct GifImage {
    long width = 0;
    long height = 0;
    std::vector<uint8_t> rgb;  // width x height pixels of R, G, B, rows top-down
};

// False for anything malformed, or an image over `maxPixels` pixels.
bool DecodeGif(const unsigned char* bytes, size_t count, long maxPixels, GifImage* image);
