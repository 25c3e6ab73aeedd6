// Picture headers: the format and the size a decoder will allocate for.
//
// Platform: any. Dependencies: none beyond byte_cursor.h. Limitations: see picture_header.h.
#include "formats/picture_header.h"

#include <cstdint>

#include "formats/byte_cursor.h"

bool PictureSizeWithinBounds(long width, long height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

namespace {

bool IsFrameHeader(unsigned marker) {
    // SOF0 to SOF15, less DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// A whole JPEG has its end-of-image marker after the frame header; a cut one
// would otherwise decode into a picture padded with grey. The entropy-coded
// data never holds the marker's bytes, so finding them is enough.
bool EndsAfter(const unsigned char* bytes, size_t count, size_t from) {
    for (size_t i = count; i >= from + 2; --i) {
        if (bytes[i - 2] == 0xFF && bytes[i - 1] == 0xD9) return true;
    }
    return false;
}

// Walks the markers after SOI up to the first frame header. Garbage between
// markers, or a scan before any frame header, ends the walk unanswered.
bool ReadJpegSize(const unsigned char* bytes, size_t count, long* width, long* height) {
    size_t pos = 2;
    for (;;) {
        if (pos >= count || bytes[pos] != 0xFF) return false;
        while (pos < count && bytes[pos] == 0xFF) ++pos;  // fill bytes
        if (pos >= count) return false;
        const unsigned marker = bytes[pos++];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
        if (marker == 0x00 || marker == 0xD9 || marker == 0xDA) return false;
        if (count - pos < 2) return false;
        const size_t length = LoadU16BE(bytes + pos);
        if (length < 2 || count - pos < length) return false;
        if (IsFrameHeader(marker)) {
            if (length < 7 || !EndsAfter(bytes, count, pos + length)) return false;
            *height = static_cast<long>(LoadU16BE(bytes + pos + 3));
            *width = static_cast<long>(LoadU16BE(bytes + pos + 5));
            return true;
        }
        pos += length;
    }
}

bool ReadBmpSize(const unsigned char* bytes, size_t count, long* width, long* height) {
    if (count < 26) return false;
    const uint32_t infoSize = LoadU32LE(bytes + 14);
    if (infoSize == 12) {  // OS/2 1.x: 16-bit sides
        *width = static_cast<long>(LoadU16LE(bytes + 18));
        *height = static_cast<long>(LoadU16LE(bytes + 20));
        return true;
    }
    if (infoSize < 16) return false;
    // 32-bit signed sides; a negative height is a top-down picture.
    const int64_t w = static_cast<int32_t>(LoadU32LE(bytes + 18));
    const int64_t h = static_cast<int32_t>(LoadU32LE(bytes + 22));
    if (w > kMaxPictureSide || h > kMaxPictureSide || h < -kMaxPictureSide) return false;
    *width = static_cast<long>(w);
    *height = static_cast<long>(h < 0 ? -h : h);
    return true;
}

// The position after a run of data sub-blocks ended by an empty one; past
// `count` when the run is cut short.
size_t SkipSubBlocks(const unsigned char* bytes, size_t count, size_t pos) {
    while (pos < count) {
        const size_t size = bytes[pos];
        pos += 1 + size;
        if (size == 0) return pos;
    }
    return count + 1;
}

// The first image's size; the logical screen must be within bounds as well.
bool ReadGifSize(const unsigned char* bytes, size_t count, long* width, long* height) {
    if (count < 13) return false;
    const long screenWidth = static_cast<long>(LoadU16LE(bytes + 6));
    const long screenHeight = static_cast<long>(LoadU16LE(bytes + 8));
    if (screenWidth > kMaxPictureSide || screenHeight > kMaxPictureSide ||
        screenWidth * screenHeight > kMaxPicturePixels) {
        return false;
    }
    size_t pos = 13;
    if (bytes[10] & 0x80) pos += 3u * (2u << (bytes[10] & 7));  // global colour table
    while (pos < count) {
        const unsigned char block = bytes[pos];
        if (block == 0x2C) {  // image descriptor
            if (count - pos < 11) return false;
            *width = static_cast<long>(LoadU16LE(bytes + pos + 5));
            *height = static_cast<long>(LoadU16LE(bytes + pos + 7));
            const unsigned char flags = bytes[pos + 9];
            pos += 10;
            if (flags & 0x80) pos += 3u * (2u << (flags & 7));  // local colour table
            // The image data, which a cut file lacks: the code size (2 to 8
            // bits for pictures of up to 256 colours), then sub-blocks up to
            // the empty one.
            return pos < count && bytes[pos] >= 2 && bytes[pos] <= 8 && SkipSubBlocks(bytes, count, pos + 1) <= count;
        }
        if (block != 0x21) return false;  // the trailer, or garbage
        pos = SkipSubBlocks(bytes, count, pos + 2);  // after introducer and label
    }
    return false;
}

}  // namespace

bool ReadPictureHeader(const unsigned char* bytes, size_t count, PictureHeader* header) {
    *header = PictureHeader();
    if (bytes == nullptr || count < 4) return false;
    PictureHeader read;
    bool known = false;
    if (bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        read.format = PictureFormat::Jpeg;
        known = ReadJpegSize(bytes, count, &read.width, &read.height);
    } else if (bytes[0] == 'B' && bytes[1] == 'M') {
        read.format = PictureFormat::Bmp;
        known = ReadBmpSize(bytes, count, &read.width, &read.height);
    } else if (count >= 6 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == '8' &&
               (bytes[4] == '7' || bytes[4] == '9') && bytes[5] == 'a') {
        read.format = PictureFormat::Gif;
        known = ReadGifSize(bytes, count, &read.width, &read.height);
    }
    if (!known || !PictureSizeWithinBounds(read.width, read.height)) return false;
    *header = read;
    return true;
}
