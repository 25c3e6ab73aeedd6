// The picture service on Linux: SDL2_image decodes JPEG and BMP, our own
// decoder GIF, and a bilinear stretch draws.
//
// Platform: Linux. Dependencies: SDL2, SDL2_image (with libjpeg).
// Limitations: decodes JPEG, BMP and GIF only (by content, whatever the
// name), the first image of a GIF, and nothing larger than the bounds of
// picture_header.h; files are read whole and may be at most 128 MiB. A
// picture's size in pixels is its decoded size: there is no screen
// resolution to scale by. Where a mask's source rectangle reaches past the
// mask, its edge pixels are repeated.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "formats/gif_decoder.h"
#include "formats/picture_header.h"
#include "platform/picture.h"

struct Picture {
    SDL_Surface* rgb;  // SDL_PIXELFORMAT_RGB24: bytes R, G, B
};

struct PictureCanvas {
    BYTE* pixels = nullptr;
    LONG width = 0;
    LONG height = 0;
};

namespace {

constexpr long kMaxPictureFileBytes = 128L * 1024 * 1024;

SDL_Surface* DecodeGifSurface(const void* bytes, size_t count) {
    GifImage image;
    if (!DecodeGif(static_cast<const unsigned char*>(bytes), count, kMaxPicturePixels, &image)) return nullptr;
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (surface == nullptr) return nullptr;
    for (int row = 0; row < height; ++row) {
        std::memcpy(static_cast<BYTE*>(surface->pixels) + static_cast<size_t>(row) * static_cast<size_t>(surface->pitch),
                    &image.rgb[static_cast<size_t>(row) * static_cast<size_t>(width) * 3], static_cast<size_t>(width) * 3);
    }
    return surface;
}

// SDL2_image for JPEG and BMP; GIF by our own decoder (see gif_decoder.h).
SDL_Surface* Decode(const void* bytes, size_t count, const PictureHeader& header) {
    if (header.format == PictureFormat::Gif) return DecodeGifSurface(bytes, count);
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(count));
    if (stream == nullptr) return nullptr;
    SDL_Surface* decoded = nullptr;
    if (header.format == PictureFormat::Jpeg) decoded = IMG_LoadJPG_RW(stream);
    if (header.format == PictureFormat::Bmp) decoded = IMG_LoadBMP_RW(stream);
    SDL_RWclose(stream);
    return decoded;
}

// Where one destination pixel samples the picture along one axis: two
// neighbouring source pixels and the weight between them.
struct Sample {
    int first;
    int second;
    double weight;  // of `second`
};

// Maps destination pixel centres onto `extent` source pixels, clamped to the
// `size` pixels the picture has.
Sample SampleAt(LONG index, LONG count, LONG extent, int size) {
    double position = (static_cast<double>(index) + 0.5) * static_cast<double>(extent) / static_cast<double>(count) - 0.5;
    if (position < 0.0) position = 0.0;
    const double last = static_cast<double>(size - 1);
    if (position > last) position = last;
    const int first = static_cast<int>(position);
    const int second = first + 1 < size ? first + 1 : first;
    return Sample{first, second, position - first};
}

// One colour channel, blended bilinearly from the four pixels around a sample.
BYTE Blend(const BYTE* row0, const BYTE* row1, const Sample& x, double wy, int channel) {
    const double top = row0[x.first * 3 + channel] * (1.0 - x.weight) + row0[x.second * 3 + channel] * x.weight;
    const double bottom = row1[x.first * 3 + channel] * (1.0 - x.weight) + row1[x.second * 3 + channel] * x.weight;
    return static_cast<BYTE>(top * (1.0 - wy) + bottom * wy + 0.5);
}

}  // namespace

Picture* OpenPictureFromMemory(const void* bytes, DWORD byteCount) {
    PictureHeader header;
    if (bytes == nullptr || byteCount > static_cast<DWORD>(INT32_MAX) ||
        !ReadPictureHeader(static_cast<const unsigned char*>(bytes), byteCount, &header)) {
        return nullptr;
    }
    SDL_Surface* decoded = Decode(bytes, byteCount, header);
    if (decoded == nullptr) return nullptr;
    // A decoder that disagrees with the header about the size is not trusted.
    SDL_Surface* rgb = nullptr;
    if (decoded->w == header.width && decoded->h == header.height) {
        rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB24, 0);
    }
    SDL_FreeSurface(decoded);
    if (rgb == nullptr) return nullptr;
    Picture* picture = new (std::nothrow) Picture{rgb};
    if (picture == nullptr) SDL_FreeSurface(rgb);
    return picture;
}

Picture* OpenPictureFromFile(const char* path) {
    if (path == nullptr || std::strlen(path) >= static_cast<size_t>(kPicturePathLimit)) return nullptr;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    void* bytes = nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size > 0 && size <= kMaxPictureFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes = std::malloc(static_cast<size_t>(size));
        if (bytes != nullptr && std::fread(bytes, 1, static_cast<size_t>(size), file) != static_cast<size_t>(size)) {
            std::free(bytes);
            bytes = nullptr;
        }
    }
    std::fclose(file);
    if (bytes == nullptr) return nullptr;
    Picture* picture = OpenPictureFromMemory(bytes, static_cast<DWORD>(size));
    std::free(bytes);
    return picture;
}

void ReleasePicture(Picture* picture) {
    if (picture == nullptr) return;
    SDL_FreeSurface(picture->rgb);
    delete picture;
}

PictureCanvas* CreatePictureCanvas() { return new (std::nothrow) PictureCanvas(); }

void DestroyPictureCanvas(PictureCanvas* canvas) {
    if (canvas == nullptr) return;
    std::free(canvas->pixels);
    delete canvas;
}

bool GetPicturePixelSize(Picture* picture, PictureCanvas*, LONG* width, LONG* height) {
    if (picture == nullptr || picture->rgb->w < 1 || picture->rgb->h < 1) return false;
    *width = picture->rgb->w;
    *height = picture->rgb->h;
    return true;
}

bool CreateCanvasSurface(PictureCanvas* canvas, LONG width, LONG height) {
    // Each texture side is at most about 1.41 times the picture's, so a
    // surface for a picture within bounds has at most twice its pixels.
    if (canvas == nullptr || canvas->pixels != nullptr || width < 1 || height < 1 || width > kMaxPictureSide ||
        height > kMaxPictureSide || static_cast<long>(width) * height > 2 * kMaxPicturePixels) {
        return false;
    }
    canvas->pixels = static_cast<BYTE*>(std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), 4));
    if (canvas->pixels == nullptr) return false;
    canvas->width = width;
    canvas->height = height;
    return true;
}

BYTE* CanvasPixels(PictureCanvas* canvas) { return canvas != nullptr ? canvas->pixels : nullptr; }

void DrawPicture(PictureCanvas* canvas, Picture* picture, Picture* extentOf) {
    if (canvas == nullptr || canvas->pixels == nullptr || picture == nullptr || extentOf == nullptr) return;
    const SDL_Surface* source = picture->rgb;
    const auto* sourcePixels = static_cast<const BYTE*>(source->pixels);
    const LONG extentWidth = extentOf->rgb->w;
    const LONG extentHeight = extentOf->rgb->h;
    for (LONG row = 0; row < canvas->height; ++row) {
        // Surface rows run bottom-up; picture rows top-down.
        const Sample y = SampleAt(canvas->height - 1 - row, canvas->height, extentHeight, source->h);
        const BYTE* row0 = sourcePixels + static_cast<size_t>(y.first) * static_cast<size_t>(source->pitch);
        const BYTE* row1 = sourcePixels + static_cast<size_t>(y.second) * static_cast<size_t>(source->pitch);
        BYTE* out = canvas->pixels + static_cast<size_t>(row) * static_cast<size_t>(canvas->width) * 4;
        for (LONG column = 0; column < canvas->width; ++column, out += 4) {
            const Sample x = SampleAt(column, canvas->width, extentWidth, source->w);
            out[0] = Blend(row0, row1, x, y.weight, 2);
            out[1] = Blend(row0, row1, x, y.weight, 1);
            out[2] = Blend(row0, row1, x, y.weight, 0);
            out[3] = 0;
        }
    }
}
