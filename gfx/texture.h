// Pictures into OpenGL textures.
//
// A picture (embedded JPEG resource, or a BMP, JPEG or GIF file) is stretched
// into a power-of-two surface, reordered to RGBA with alpha taken from an
// optional grey mask picture (or from pure black), and uploaded. Every call
// makes a new texture, owned by the caller, and leaves it bound to
// GL_TEXTURE_2D; every failure returns 0 and leaves nothing allocated.
// A GL rendering context must be current.
#pragma once

#include "platform/win32.h"

enum PictureType {
    Unrecognised = 0,
    Bmp = 1,
    Tga = 2,
    Jpeg = 3,
    Gif = 4,
    Png = 5,
};

GLuint LoadTextureFromResource(const char* type, const char* name, const char* maskName, bool buildMipmaps);
GLuint LoadTextureFromFile(const char* fileName, const char* maskFileName, bool buildMipmaps,
                           bool inCurrentDirectory);
PictureType PictureTypeFromName(const char* name);
