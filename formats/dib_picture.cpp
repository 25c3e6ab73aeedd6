#include "formats/dib_picture.h"

#include "formats/byte_cursor.h"

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

}  // namespace

bool DecodeDib(const unsigned char* data, size_t size, DibPicture& picture) {
    picture = DibPicture();
    if (data == nullptr || size < kInfoHeaderSize) return false;
    ByteCursor header(data, size);
    uint32_t headerSize = 0, compression = 0, coloursUsed = 0;
    int32_t width = 0, rawHeight = 0;
    uint16_t planes = 0, bitsPerPixel = 0;
    // BITMAPINFOHEADER, up to biClrUsed; the size fields between are unused.
    header.Read(headerSize);
    header.Read(width);
    header.Read(rawHeight);
    header.Read(planes);
    header.Read(bitsPerPixel);
    header.Read(compression);
    header.Skip(12);
    header.Read(coloursUsed);
    if (headerSize < kInfoHeaderSize || headerSize > size || planes != 1 || compression != kUncompressed) {
        return false;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    // A negative height stores the rows top first.
    const bool topDown = rawHeight < 0;
    if (rawHeight == INT32_MIN) return false;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return false;

    // Pixels follow the header and any colour table; rows are padded to four bytes.
    if (coloursUsed > (size - headerSize) / 4) return false;
    const size_t pixelOffset = headerSize + static_cast<size_t>(coloursUsed) * 4;
    const size_t bytesPerPixel = bitsPerPixel / 8u;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    if (size - pixelOffset < stride * static_cast<size_t>(height)) return false;

    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t sourceRow = topDown ? row : height - 1 - row;
        const unsigned char* source = data + pixelOffset + static_cast<size_t>(sourceRow) * stride;
        uint8_t* target = picture.rgb.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 3;
        for (int32_t column = 0; column < width; ++column, source += bytesPerPixel, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return true;
}
