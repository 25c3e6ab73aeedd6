// icongen: draws the desktop icon from the settings dialog's emblem.
//
//   icongen EMBLEM.bmp SIZE OUT.png     one size, for the Linux desktop
//   icongen EMBLEM.bmp --ico OUT.ico    every size Windows asks for, in one icon
//
// Reads the emblem (a BMP file: file header, then an uncompressed 24- or
// 32-bit device-independent bitmap) and writes it as a SIZE x SIZE RGB PNG.
// The picture is enlarged by whole pixels to the least common multiple of
// both sides and then averaged down, so every source pixel covers the same
// area: crisp at 128 and 256 from a 32-pixel emblem, evenly soft at 48.
// SIZE is 16 to 1024 and the emblem at most 1 MiB. Any problem prints one
// line on stderr and exits with status 1.
//
// The Windows icon holds kIcoSizes, opaque: each size up to 64 as a 32-bit
// bottom-up bitmap with its (empty) transparency mask, 256 as an RGBA PNG, as
// Windows Vista and later read it. The Windows builds embed the committed
// packaging/icon/corvane.ico (they build no host tools); the Linux build
// draws it again and fails when the committed one differs.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "encoders.h"
#include "image.h"
#include "formats/byte_cursor.h"
#include "formats/dib_picture.h"

namespace {

constexpr size_t kFileHeaderSize = 14;  // "BM", file size, two reserved words, pixel offset
constexpr size_t kMaxEmblemBytes = 1 << 20;
constexpr long kMinSize = 16;
constexpr long kMaxSize = 1024;
constexpr int kIcoSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
constexpr int kLargestBitmapEntry = 64;  // larger sizes are stored as PNG
constexpr uint32_t kIcoEntrySize = 16;
constexpr uint32_t kBitmapHeaderSize = 40;

int Fail(const std::string& message) {
    std::fprintf(stderr, "icongen: %s\n", message.c_str());
    return 1;
}

bool ParseSize(const char* text, int& size) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < kMinSize || value > kMaxSize) return false;
    size = static_cast<int>(value);
    return true;
}

// The emblem drawn at size x size; false when no common multiple is small
// enough to enlarge it to.
bool Draw(const assetgen::Image& emblem, int size, assetgen::Image& icon) {
    const long common = std::lcm(static_cast<long>(emblem.width), static_cast<long>(size));
    if (common > 8192) return false;
    const int enlarged = static_cast<int>(common);
    icon = assetgen::Resize(assetgen::Resize(emblem, enlarged, enlarged), size, size);
    return true;
}

// The picture with an alpha channel, every pixel opaque: icons are 32-bit.
assetgen::Image Opaque(const assetgen::Image& rgb) {
    assetgen::Image rgba(rgb.width, rgb.height, 4);
    for (size_t i = 0, n = static_cast<size_t>(rgb.width) * rgb.height; i < n; ++i) {
        for (int c = 0; c < 3; ++c) rgba.pixels[i * 4 + c] = rgb.pixels[i * 3 + c];
        rgba.pixels[i * 4 + 3] = 0xFF;
    }
    return rgba;
}

// One icon image as a BITMAPINFOHEADER, the colours bottom-up in BGRA and the
// AND mask (rows padded to 32 bits), which is all zeros: every pixel shows.
assetgen::Bytes IconBitmap(const assetgen::Image& icon) {
    ByteWriter out;
    const uint32_t maskRow = static_cast<uint32_t>((icon.width + 31) / 32 * 4);
    const uint32_t imageBytes = static_cast<uint32_t>(icon.width * icon.height * 4) + maskRow * icon.height;
    out.U32(kBitmapHeaderSize);
    out.I32(icon.width);
    out.I32(icon.height * 2);  // colours and mask together, as icons count it
    out.U16(1);                // planes
    out.U16(32);               // bits per pixel
    out.U32(0);                // BI_RGB
    out.U32(imageBytes);
    for (int i = 0; i < 4; ++i) out.U32(0);  // resolution, palette
    for (int y = icon.height - 1; y >= 0; --y) {
        for (int x = 0; x < icon.width; ++x) {
            const uint8_t* rgb = icon.At(x, y);
            out.U8(rgb[2]);
            out.U8(rgb[1]);
            out.U8(rgb[0]);
            out.U8(0xFF);
        }
    }
    out.bytes.resize(out.bytes.size() + static_cast<size_t>(maskRow) * icon.height, 0);
    return out.bytes;
}

// The icon directory (ICONDIR, one ICONDIRENTRY per size) and the images.
int WriteIco(const assetgen::Image& emblem, const char* path) {
    std::vector<assetgen::Bytes> images;
    for (int size : kIcoSizes) {
        assetgen::Image icon;
        if (!Draw(emblem, size, icon)) return Fail("the emblem cannot be drawn at " + std::to_string(size) + " pixels");
        images.push_back(size > kLargestBitmapEntry ? assetgen::EncodePng(Opaque(icon)) : IconBitmap(icon));
        if (images.back().empty()) return Fail("cannot encode the " + std::to_string(size) + "-pixel image");
    }
    ByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // an icon, not a cursor
    out.U16(static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + kIcoEntrySize * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = kIcoSizes[i];
        out.U8(size >= 256 ? 0 : static_cast<uint32_t>(size));  // 0 means 256
        out.U8(size >= 256 ? 0 : static_cast<uint32_t>(size));
        out.U8(0);   // no palette
        out.U8(0);   // reserved
        out.U16(1);  // planes
        out.U16(32);
        out.U32(static_cast<uint32_t>(images[i].size()));
        out.U32(offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const assetgen::Bytes& image : images) out.Append(image.data(), image.size());
    if (!assetgen::WriteFile(path, out.bytes)) return Fail(std::string("cannot write ") + path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Fail("usage: icongen EMBLEM.bmp SIZE OUT.png | icongen EMBLEM.bmp --ico OUT.ico");
    const bool ico = std::string(argv[2]) == "--ico";
    int size = 0;
    if (!ico && !ParseSize(argv[2], size))
        return Fail(std::string("SIZE must be a whole number from 16 to 1024: ") + argv[2]);

    std::error_code error;
    const auto bytes = std::filesystem::file_size(argv[1], error);
    assetgen::Bytes file;
    if (error || !assetgen::ReadFile(argv[1], file)) return Fail(std::string("cannot read ") + argv[1]);
    if (bytes > kMaxEmblemBytes || file.size() != bytes || file.size() < kFileHeaderSize || file[0] != 'B' ||
        file[1] != 'M') {
        return Fail(std::string(argv[1]) + " is not a BMP file of at most 1 MiB");
    }
    DibPicture emblem;
    if (!DecodeDib(file.data() + kFileHeaderSize, file.size() - kFileHeaderSize, emblem) ||
        emblem.width != emblem.height) {
        return Fail(std::string(argv[1]) + " is not a square uncompressed 24- or 32-bit picture");
    }

    assetgen::Image source(emblem.width, emblem.height, 3);
    source.pixels = emblem.rgb;
    if (ico) return WriteIco(source, argv[3]);
    assetgen::Image icon;
    if (!Draw(source, size, icon)) return Fail("the emblem's side and SIZE have no common multiple up to 8192");
    if (!assetgen::WritePng(argv[3], icon)) return Fail(std::string("cannot write ") + argv[3]);
    return 0;
}
