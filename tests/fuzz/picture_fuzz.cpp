// Fuzzes picture decoding and the texture build step short of the upload:
// header checks, decoding, the stretch into the power-of-two surface and the
// conversion to RGBA, as colour picture and, for inputs whose last byte is
// odd, as its own mask.
#include <cstddef>
#include <cstdint>

#include "gfx/texture_build.h"
#include "platform/picture.h"

namespace {

// Stands in for GL_MAX_TEXTURE_SIZE; small enough to keep each run quick.
constexpr GLint kMaxTextureSize = 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 1u << 20) return 0;
    const DWORD byteCount = static_cast<DWORD>(size);
    Picture* colour = OpenPictureFromMemory(data, byteCount);
    if (colour == nullptr) return 0;
    Picture* mask = (data[size - 1] & 1) != 0 ? OpenPictureFromMemory(data, byteCount) : nullptr;
    TexturePixels pixels;
    if (PrepareTexturePixels(colour, mask, kMaxTextureSize, &pixels)) {
        // Touch the last pixel so a short surface shows up as an overflow.
        volatile BYTE last = pixels.pixels[(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height) - 1) * 4 + 3];
        (void)last;
        ReleaseTexturePixels(&pixels);
    }
    return 0;
}
