// The step shared by both texture loaders: from decoded pictures to an
// uploaded texture.
#pragma once

#include <cstddef>

#include "platform/picture.h"
#include "platform/win32.h"

// The loaders differ only in how a mipmapped texture is minified.
enum class TextureVariant { Resource, File };

// The texture side for a picture side of `pixels`: the power of two nearest on
// a logarithmic scale, or maxSize when the picture is larger. 0 when either
// is below 1.
GLsizei TextureSide(LONG pixels, GLint maxSize);

// Reorders `count` pixels from B, G, R, x to R, G, B, A in place. Alpha is the
// truncated grey average of the mask pixel at the same place when there is a
// mask, otherwise 0 for pure black and 255 for anything else.
void ConvertToRgba(BYTE* pixels, const BYTE* mask, size_t count);

// The converted pixels of a texture, still held in the colour canvas.
struct TexturePixels {
    PictureCanvas* colourCanvas = nullptr;
    PictureCanvas* maskCanvas = nullptr;
    GLsizei width = 0;
    GLsizei height = 0;
    const BYTE* pixels = nullptr;
};

// Draws the colour picture (and the mask, when there is one and everything
// for it can be had) into surfaces of the texture's size and converts them.
// Takes both pictures and releases them on every path; on failure nothing
// remains allocated and `result` is left empty. A null mask means none.
bool PrepareTexturePixels(Picture* colour, Picture* mask, GLint maxSize, TexturePixels* result);
void ReleaseTexturePixels(TexturePixels* pixels);

// PrepareTexturePixels with the context's GL_MAX_TEXTURE_SIZE, then a new
// texture, left bound to GL_TEXTURE_2D. Takes both pictures; 0 on failure,
// with no texture name created.
GLuint BuildTextureFromPictures(Picture* colour, Picture* mask, bool buildMipmaps, TextureVariant variant);
