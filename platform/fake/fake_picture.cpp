// The fake picture service; see fake_picture.h.
//
// Platform: none (unit tests). Limitations: nearest-pixel stretch; no real
// picture format decodes.
#include "platform/fake/fake_picture.h"

#include <cstring>
#include <map>

#include "platform/fake/fake_platform.h"
#include "platform/picture.h"

struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> rgb;
};

struct PictureCanvas {
    std::vector<BYTE> pixels;
    LONG width = 0;
    LONG height = 0;
};

namespace fake {
namespace {

constexpr char kMagic[] = "FAKEPIC";  // with its terminator: 8 bytes

struct PictureState {
    std::map<std::string, std::vector<unsigned char>> files;
    std::vector<std::string> asked;
    int livePictures = 0;
    int liveCanvases = 0;
};

PictureState& State() {
    static PictureState state;
    static const bool hooked = (AddResetHook([] { State() = PictureState(); }), true);
    (void)hooked;
    return state;
}

Picture* Decode(const unsigned char* bytes, size_t count) {
    const size_t headerSize = sizeof kMagic + 8;
    if (bytes == nullptr || count < headerSize || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return nullptr;
    int32_t size[2];
    std::memcpy(size, bytes + sizeof kMagic, sizeof size);
    if (size[0] < 0 || size[1] < 0) return nullptr;
    const size_t pixels = static_cast<size_t>(size[0]) * static_cast<size_t>(size[1]);
    if ((count - headerSize) / 4 != pixels || (count - headerSize) % 4 != 0) return nullptr;
    auto* picture = new Picture{size[0], size[1], std::vector<uint32_t>(pixels)};
    if (pixels > 0) std::memcpy(picture->rgb.data(), bytes + headerSize, pixels * 4);
    ++State().livePictures;
    return picture;
}

}  // namespace

std::vector<unsigned char> EncodePicture(int32_t width, int32_t height, const std::vector<uint32_t>& rgb) {
    std::vector<unsigned char> bytes(kMagic, kMagic + sizeof kMagic);
    const int32_t size[2] = {width, height};
    bytes.insert(bytes.end(), reinterpret_cast<const unsigned char*>(size),
                 reinterpret_cast<const unsigned char*>(size) + sizeof size);
    bytes.insert(bytes.end(), reinterpret_cast<const unsigned char*>(rgb.data()),
                 reinterpret_cast<const unsigned char*>(rgb.data() + rgb.size()));
    return bytes;
}

std::vector<unsigned char> EncodeSolidPicture(int32_t width, int32_t height, uint32_t rgb) {
    const size_t count = width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0;
    return EncodePicture(width, height, std::vector<uint32_t>(count, rgb));
}

void AddPictureFile(const std::string& path, std::vector<unsigned char> bytes) {
    State().files[path] = std::move(bytes);
}

std::vector<std::string> PictureFilesAsked() { return State().asked; }
int LivePictures() { return State().livePictures; }
int LiveCanvases() { return State().liveCanvases; }

}  // namespace fake

Picture* OpenPictureFromMemory(const void* bytes, DWORD byteCount) {
    if (fake::ShouldFail("OpenPictureFromMemory")) return nullptr;
    return fake::Decode(static_cast<const unsigned char*>(bytes), byteCount);
}

Picture* OpenPictureFromFile(const char* path) {
    if (path != nullptr) fake::State().asked.push_back(path);
    if (fake::ShouldFail("OpenPictureFromFile") || path == nullptr ||
        std::strlen(path) >= static_cast<size_t>(kPicturePathLimit)) {
        return nullptr;
    }
    auto& files = fake::State().files;
    auto found = files.find(path);
    if (found == files.end()) return nullptr;
    return fake::Decode(found->second.data(), found->second.size());
}

void ReleasePicture(Picture* picture) {
    if (picture == nullptr) return;
    --fake::State().livePictures;
    delete picture;
}

PictureCanvas* CreatePictureCanvas() {
    if (fake::ShouldFail("CreatePictureCanvas") || fake::Answer("CreatePictureCanvas", 1) == 0) return nullptr;
    ++fake::State().liveCanvases;
    return new PictureCanvas();
}

void DestroyPictureCanvas(PictureCanvas* canvas) {
    if (canvas == nullptr) return;
    --fake::State().liveCanvases;
    delete canvas;
}

bool GetPicturePixelSize(Picture* picture, PictureCanvas*, LONG* width, LONG* height) {
    if (fake::ShouldFail("GetPicturePixelSize") || picture == nullptr) return false;
    *width = picture->width;
    *height = picture->height;
    return true;
}

bool CreateCanvasSurface(PictureCanvas* canvas, LONG width, LONG height) {
    if (fake::ShouldFail("CreateCanvasSurface") || fake::Answer("CreateCanvasSurface", 1) == 0) return false;
    if (canvas == nullptr || !canvas->pixels.empty() || width < 1 || height < 1) return false;
    canvas->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    canvas->width = width;
    canvas->height = height;
    return true;
}

BYTE* CanvasPixels(PictureCanvas* canvas) {
    return canvas != nullptr && !canvas->pixels.empty() ? canvas->pixels.data() : nullptr;
}

// Nearest-pixel stretch over the extent, bottom row first, edges repeated.
void DrawPicture(PictureCanvas* canvas, Picture* picture, Picture* extentOf) {
    if (canvas == nullptr || canvas->pixels.empty() || picture == nullptr || extentOf == nullptr ||
        picture->rgb.empty()) {
        return;
    }
    for (LONG row = 0; row < canvas->height; ++row) {
        const LONG fromTop = canvas->height - 1 - row;
        LONG y = fromTop * extentOf->height / canvas->height;
        if (y >= picture->height) y = picture->height - 1;
        for (LONG column = 0; column < canvas->width; ++column) {
            LONG x = column * extentOf->width / canvas->width;
            if (x >= picture->width) x = picture->width - 1;
            const uint32_t rgb = picture->rgb[static_cast<size_t>(y) * static_cast<size_t>(picture->width) +
                                              static_cast<size_t>(x)];
            BYTE* out = &canvas->pixels[(static_cast<size_t>(row) * static_cast<size_t>(canvas->width) +
                                         static_cast<size_t>(column)) * 4];
            out[0] = static_cast<BYTE>(rgb);
            out[1] = static_cast<BYTE>(rgb >> 8);
            out[2] = static_cast<BYTE>(rgb >> 16);
            out[3] = 0;
        }
    }
}
