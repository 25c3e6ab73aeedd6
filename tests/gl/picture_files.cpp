#include "picture_files.h"

#include <algorithm>
#include <cstdio>

namespace {

void Put16(std::vector<unsigned char>& out, uint32_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

// Packs variable-width codes least significant bit first, as GIF wants.
struct CodeWriter {
    std::vector<unsigned char> bytes;
    uint32_t pending = 0;
    int pendingBits = 0;

    void Write(uint32_t code, int bits) {
        pending |= code << pendingBits;
        pendingBits += bits;
        while (pendingBits >= 8) {
            bytes.push_back(static_cast<unsigned char>(pending));
            pending >>= 8;
            pendingBits -= 8;
        }
    }
    void Flush() {
        if (pendingBits > 0) bytes.push_back(static_cast<unsigned char>(pending));
        pending = 0;
        pendingBits = 0;
    }
};

}  // namespace

std::vector<unsigned char> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::vector<unsigned char> out = {'B', 'M'};
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (int row = height - 1; row >= 0; --row) {  // bottom row first
        for (int column = 0; column < width; ++column) {
            const uint32_t pixel = rgb[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)];
            out.push_back(static_cast<unsigned char>(pixel));
            out.push_back(static_cast<unsigned char>(pixel >> 8));
            out.push_back(static_cast<unsigned char>(pixel >> 16));
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

// Every pixel is a literal code; a clear code every 250 pixels keeps the
// decoder's table, and so the code width, from growing.
std::vector<unsigned char> EncodeGif(int width, int height, const std::vector<uint32_t>& rgb, bool interlaced,
                                     int64_t transparent) {
    std::vector<uint32_t> palette;
    for (uint32_t colour : rgb)
        if (std::find(palette.begin(), palette.end(), colour) == palette.end()) palette.push_back(colour);
    palette.resize(256, 0);

    std::vector<int> rows;
    const int passStart[4] = {0, 4, 2, 1};
    const int passStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
        for (int row = interlaced ? passStart[pass] : 0; row < height; row += interlaced ? passStep[pass] : 1) {
            rows.push_back(row);
        }
    }

    std::vector<unsigned char> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    out.insert(out.end(), {0xF7, 0, 0});  // global table of 256 colours
    for (uint32_t colour : palette) {
        out.push_back(static_cast<unsigned char>(colour >> 16));
        out.push_back(static_cast<unsigned char>(colour >> 8));
        out.push_back(static_cast<unsigned char>(colour));
    }
    if (transparent >= 0) {
        const auto index = std::find(palette.begin(), palette.end(), static_cast<uint32_t>(transparent)) - palette.begin();
        out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<unsigned char>(index), 0});
    }
    out.push_back(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    out.push_back(interlaced ? 0x40 : 0);  // no local table

    constexpr uint32_t kClear = 256;
    constexpr uint32_t kEnd = 257;
    CodeWriter codes;
    size_t written = 0;
    for (int row : rows) {
        for (int column = 0; column < width; ++column, ++written) {
            if (written % 250 == 0) codes.Write(kClear, 9);
            const uint32_t colour = rgb[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)];
            const auto index = std::find(palette.begin(), palette.end(), colour) - palette.begin();
            codes.Write(static_cast<uint32_t>(index), 9);
        }
    }
    codes.Write(kEnd, 9);
    codes.Flush();

    out.push_back(8);  // minimum code size
    for (size_t i = 0; i < codes.bytes.size(); i += 255) {
        const size_t size = std::min<size_t>(255, codes.bytes.size() - i);
        out.push_back(static_cast<unsigned char>(size));
        out.insert(out.end(), codes.bytes.begin() + static_cast<std::ptrdiff_t>(i),
                   codes.bytes.begin() + static_cast<std::ptrdiff_t>(i + size));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
