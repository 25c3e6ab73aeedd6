// Reading a device-independent bitmap as resources hold it (a
// BITMAPINFOHEADER, then the pixels, without the file header) into plain
// RGB rows, for the picture control of a dialog.
//
// Platform: any (linked into the Linux platform layer and the fake).
// Limitations: uncompressed 24- and 32-bit pictures only, up to
// kMaxDibSide pixels a side; anything else is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int32_t kMaxDibSide = 4096;

struct DibPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // top row first, 3 bytes a pixel, rows packed
};

// False when the data is not a complete picture of a supported kind.
bool DecodeDib(const unsigned char* data, size_t size, DibPicture& picture);
