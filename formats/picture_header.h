// Reads a picture's format and size from its header, so that a decoder is
// only ever asked to allocate for a picture of a bounded size.
//
// Platform: any (used by the Linux picture service). Dependencies: none.
// Also refuses pictures visibly cut short, which decoders would otherwise
// pad out: a JPEG without its end-of-image marker, a GIF whose first image's
// data ends early. Limitations: knows JPEG (the first frame header), BMP
// (Windows and OS/2 headers) and GIF (the logical screen and the first
// image); anything else is unknown. A BMP cut short is left to the decoder.
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
constexpr long kMaxPictureSide = 65535;
constexpr long kMaxPicturePixels = 4096L * 4096L;

// True for a picture of at least one pixel within the bounds above.
bool PictureSizeWithinBounds(long width, long height);

// False when the bytes are of no known format, are cut short, or give a size
// of zero or beyond the bounds above.
bool ReadPictureHeader(const unsigned char* bytes, size_t count, PictureHeader* header);
