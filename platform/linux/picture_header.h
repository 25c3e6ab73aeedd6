// Reads a picture's format and size from its header, so that a decoder is
// only ever asked to allocate for a picture of a bounded size.
//
// Platform: any (used by the Linux picture service). Dependencies: none.
// Limitations: knows JPEG (the first frame header), BMP (Windows and OS/2
// headers) and GIF (the logical screen and the first image); anything else
// is unknown.
#pragma once

#include <cstddef>

enum class PictureFormat { Unknown, Jpeg, Bmp, Gif };

struct PictureHeader {
    PictureFormat format = PictureFormat::Unknown;
    long width = 0;
    long height = 0;
};

// Sides above this, or pictures of more pixels than kMaxPicturePixels, are
// refused before decoding.
constexpr long kMaxPictureSide = 16384;
constexpr long kMaxPicturePixels = 4096L * 4096L;

// False when the bytes are of no known format, the header is cut short, or
// the size is zero or beyond the bounds above.
bool ReadPictureHeader(const unsigned char* bytes, size_t count, PictureHeader* header);
