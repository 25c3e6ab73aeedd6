// icongen: draws the desktop icon from the settings dialog's emblem.
//
//   icongen EMBLEM.bmp SIZE OUT.png
//
// Reads the emblem (a BMP file: file header, then an uncompressed 24- or
// 32-bit device-independent bitmap) and writes it as a SIZE x SIZE RGB PNG.
// The picture is enlarged by whole pixels to the least common multiple of
// both sides and then averaged down, so every source pixel covers the same
// area: crisp at 128 and 256 from a 32-pixel emblem, evenly soft at 48.
// A build step of the Linux package; SIZE is 16 to 1024 and the emblem at
// most 1 MiB. Any problem prints one line on stderr and exits with status 1.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "encoders.h"
#include "image.h"
#include "formats/dib_picture.h"

namespace {

constexpr size_t kFileHeaderSize = 14;  // "BM", file size, two reserved words, pixel offset
constexpr size_t kMaxEmblemBytes = 1 << 20;
constexpr long kMinSize = 16;
constexpr long kMaxSize = 1024;

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Fail("usage: icongen EMBLEM.bmp SIZE OUT.png");
    int size = 0;
    if (!ParseSize(argv[2], size)) return Fail(std::string("SIZE must be a whole number from 16 to 1024: ") + argv[2]);

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
    const long common = std::lcm(static_cast<long>(emblem.width), static_cast<long>(size));
    if (common > 8192) return Fail("the emblem's side and SIZE have no common multiple up to 8192");
    const int enlarged = static_cast<int>(common);
    const assetgen::Image icon = assetgen::Resize(assetgen::Resize(source, enlarged, enlarged), size, size);
    if (!assetgen::WritePng(argv[3], icon)) return Fail(std::string("cannot write ") + argv[3]);
    return 0;
}
