// GIF decoding: blocks, colour tables, LZW and interlacing, every read
// bounded. See gif_decoder.h.
//
// Platform: any. Dependencies: none beyond byte_cursor.h.
#include "formats/gif_decoder.h"

#include <cstring>

#include "formats/byte_cursor.h"

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

// Reads codes least significant bit first from the image's data, gathered
// out of its sub-blocks.
class CodeReader {
public:
    explicit CodeReader(const std::vector<uint8_t>& data) : data_(data) {}

    bool Read(int bits, int* code) {
        if (position_ + static_cast<size_t>(bits) > data_.size() * 8) return false;
        int value = 0;
        for (int i = 0; i < bits; ++i, ++position_) {
            if ((data_[position_ / 8] >> (position_ % 8)) & 1) value |= 1 << i;
        }
        *code = value;
        return true;
    }

private:
    const std::vector<uint8_t>& data_;
    size_t position_ = 0;
};

// Decodes exactly `pixelCount` colour indices; false when the data is
// malformed or ends first.
bool DecodeLzw(const std::vector<uint8_t>& data, int minCodeSize, size_t pixelCount, std::vector<uint8_t>* indices) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    uint16_t prefix[kTableSize];
    uint8_t suffix[kTableSize];
    uint8_t stack[kTableSize + 1];
    for (int i = 0; i < clear; ++i) suffix[i] = static_cast<uint8_t>(i);

    CodeReader reader(data);
    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    uint8_t previousFirst = 0;
    indices->clear();
    indices->reserve(pixelCount);
    while (indices->size() < pixelCount) {
        int code = 0;
        if (!reader.Read(codeSize, &code)) return false;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) return false;
        if (previous < 0) {
            if (code >= clear) return false;
            indices->push_back(static_cast<uint8_t>(code));
            previous = code;
            previousFirst = static_cast<uint8_t>(code);
            continue;
        }
        if (code > next || (code == next && next >= kTableSize)) return false;

        // The string for `code`, last byte first; a code not yet in the table
        // is the previous string plus its own first byte.
        int depth = 0;
        int current = code;
        if (code == next) {
            stack[depth++] = previousFirst;
            current = previous;
        }
        while (current >= clear) {
            if (depth >= kTableSize) return false;
            stack[depth++] = suffix[current];
            current = prefix[current];
        }
        stack[depth++] = static_cast<uint8_t>(current);
        const uint8_t first = static_cast<uint8_t>(current);
        while (depth > 0 && indices->size() < pixelCount) indices->push_back(stack[--depth]);

        if (next < kTableSize) {
            prefix[next] = static_cast<uint16_t>(previous);
            suffix[next] = first;
            ++next;
            if (next == 1 << codeSize && codeSize < kMaxCodeBits) ++codeSize;
        }
        previous = code;
        previousFirst = first;
    }
    return true;
}

// Moves past data sub-blocks up to the empty one, appending their bytes to
// `data` when given; false when they run past the end.
bool ReadSubBlocks(const unsigned char* bytes, size_t count, size_t* pos, std::vector<uint8_t>* data) {
    while (*pos < count) {
        const size_t size = bytes[(*pos)++];
        if (size == 0) return true;
        if (count - *pos < size) return false;
        if (data != nullptr) data->insert(data->end(), bytes + *pos, bytes + *pos + size);
        *pos += size;
    }
    return false;
}

// Row `index` of the decoded stream lands here in an interlaced image.
long InterlacedRow(long index, long height) {
    const long passStart[4] = {0, 4, 2, 1};
    const long passStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const long rows = passStart[pass] < height ? (height - passStart[pass] + passStep[pass] - 1) / passStep[pass] : 0;
        if (index < rows) return passStart[pass] + index * passStep[pass];
        index -= rows;
    }
    return 0;
}

}  // namespace

bool DecodeGif(const unsigned char* bytes, size_t count, long maxPixels, GifImage* image) {
    *image = GifImage();
    if (bytes == nullptr || count < 13 || std::memcmp(bytes, "GIF8", 4) != 0 || (bytes[4] != '7' && bytes[4] != '9') ||
        bytes[5] != 'a') {
        return false;
    }
    uint8_t palette[256 * 3] = {};
    bool havePalette = false;
    size_t pos = 13;
    if (bytes[10] & 0x80) {
        const size_t size = 3u * (2u << (bytes[10] & 7));
        if (count - pos < size) return false;
        std::memcpy(palette, bytes + pos, size);
        havePalette = true;
        pos += size;
    }

    int transparent = -1;
    while (pos < count && bytes[pos] == 0x21) {
        if (count - pos < 2) return false;
        const unsigned char label = bytes[pos + 1];
        pos += 2;
        // Graphic control: block size 4, flags, delay, transparent index.
        if (label == 0xF9 && count - pos >= 6 && bytes[pos] == 4) {
            transparent = (bytes[pos + 1] & 1) ? bytes[pos + 4] : -1;
        }
        if (!ReadSubBlocks(bytes, count, &pos, nullptr)) return false;
    }
    if (pos >= count || bytes[pos] != 0x2C || count - pos < 10) return false;

    const long width = static_cast<long>(LoadU16LE(bytes + pos + 5));
    const long height = static_cast<long>(LoadU16LE(bytes + pos + 7));
    const unsigned char flags = bytes[pos + 9];
    pos += 10;
    if (width < 1 || height < 1 || width * height > maxPixels) return false;
    if (flags & 0x80) {
        const size_t size = 3u * (2u << (flags & 7));
        if (count - pos < size) return false;
        std::memset(palette, 0, sizeof palette);
        std::memcpy(palette, bytes + pos, size);
        havePalette = true;
        pos += size;
    }
    if (!havePalette || pos >= count) return false;
    const int minCodeSize = bytes[pos++];
    if (minCodeSize < 2 || minCodeSize > 8) return false;
    if (transparent >= 0) std::memset(palette + transparent * 3, 0, 3);

    std::vector<uint8_t> data;
    if (!ReadSubBlocks(bytes, count, &pos, &data)) return false;
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> indices;
    if (!DecodeLzw(data, minCodeSize, pixelCount, &indices)) return false;

    const bool interlaced = (flags & 0x40) != 0;
    image->width = width;
    image->height = height;
    image->rgb.resize(pixelCount * 3);
    for (long row = 0; row < height; ++row) {
        const long target = interlaced ? InterlacedRow(row, height) : row;
        const uint8_t* in = &indices[static_cast<size_t>(row) * static_cast<size_t>(width)];
        uint8_t* out = &image->rgb[static_cast<size_t>(target) * static_cast<size_t>(width) * 3];
        for (long column = 0; column < width; ++column, out += 3) std::memcpy(out, palette + in[column] * 3, 3);
    }
    return true;
}
