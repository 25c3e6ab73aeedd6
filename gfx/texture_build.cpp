#include "gfx/texture_build.h"

#include <cmath>

namespace {

// 2^30 is the largest power of two a GLsizei holds.
constexpr int kLargestExponent = 30;

void DropMask(PictureCanvas*& maskCanvas, Picture*& mask) {
    DestroyPictureCanvas(maskCanvas);
    maskCanvas = nullptr;
    ReleasePicture(mask);
    mask = nullptr;
}

}  // namespace

GLsizei TextureSide(LONG pixels, GLint maxSize) {
    if (pixels < 1 || maxSize < 1) return 0;
    if (pixels > maxSize) return maxSize;
    const double exponent = std::floor(std::log(static_cast<double>(pixels)) / std::log(2.0) + 0.5);
    const int bits = exponent > kLargestExponent ? kLargestExponent : static_cast<int>(exponent);
    return static_cast<GLsizei>(1) << bits;
}

void ConvertToRgba(BYTE* pixels, const BYTE* mask, size_t count) {
    for (size_t i = 0; i < count; ++i, pixels += 4) {
        const BYTE blue = pixels[0];
        pixels[0] = pixels[2];
        pixels[2] = blue;
        if (mask != nullptr) {
            pixels[3] = static_cast<BYTE>((mask[0] + mask[1] + mask[2]) / 3);
            mask += 4;
        } else {
            pixels[3] = (pixels[0] | pixels[1] | pixels[2]) == 0 ? 0 : 255;
        }
    }
}

bool PrepareTexturePixels(Picture* colour, Picture* mask, GLint maxSize, TexturePixels* result) {
    *result = TexturePixels();
    PictureCanvas* colourCanvas = colour != nullptr ? CreatePictureCanvas() : nullptr;
    if (colourCanvas == nullptr) {
        ReleasePicture(colour);
        ReleasePicture(mask);
        return false;
    }
    PictureCanvas* maskCanvas = nullptr;
    if (mask != nullptr) {
        maskCanvas = CreatePictureCanvas();
        if (maskCanvas == nullptr) DropMask(maskCanvas, mask);
    }

    // A picture without a usable size (a zero-sized one, say) makes no texture.
    LONG pixelWidth = 0;
    LONG pixelHeight = 0;
    GLsizei width = 0;
    GLsizei height = 0;
    if (GetPicturePixelSize(colour, colourCanvas, &pixelWidth, &pixelHeight)) {
        width = TextureSide(pixelWidth, maxSize);
        height = TextureSide(pixelHeight, maxSize);
    }
    if (width < 1 || height < 1 || !CreateCanvasSurface(colourCanvas, width, height)) {
        DestroyPictureCanvas(colourCanvas);
        DropMask(maskCanvas, mask);
        ReleasePicture(colour);
        return false;
    }
    DrawPicture(colourCanvas, colour, colour);

    if (mask != nullptr) {
        if (CreateCanvasSurface(maskCanvas, width, height)) {
            DrawPicture(maskCanvas, mask, colour);
        } else {
            DropMask(maskCanvas, mask);
        }
    }
    ReleasePicture(colour);
    ReleasePicture(mask);

    BYTE* pixels = CanvasPixels(colourCanvas);
    const BYTE* maskPixels = maskCanvas != nullptr ? CanvasPixels(maskCanvas) : nullptr;
    ConvertToRgba(pixels, maskPixels, static_cast<size_t>(width) * static_cast<size_t>(height));

    result->colourCanvas = colourCanvas;
    result->maskCanvas = maskCanvas;
    result->width = width;
    result->height = height;
    result->pixels = pixels;
    return true;
}

void ReleaseTexturePixels(TexturePixels* pixels) {
    DestroyPictureCanvas(pixels->colourCanvas);
    DestroyPictureCanvas(pixels->maskCanvas);
    *pixels = TexturePixels();
}

GLuint BuildTextureFromPictures(Picture* colour, Picture* mask, bool buildMipmaps, TextureVariant variant) {
    // Without a current context the query leaves maxSize at 0, and no texture
    // is made.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);

    TexturePixels pixels;
    if (!PrepareTexturePixels(colour, mask, maxSize, &pixels)) return 0;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const bool minifyFromMipmaps = buildMipmaps && variant == TextureVariant::Resource;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minifyFromMipmaps ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
    if (buildMipmaps) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, pixels.width, pixels.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.pixels);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.width, pixels.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.pixels);
    }
    ReleaseTexturePixels(&pixels);
    return texture;
}
