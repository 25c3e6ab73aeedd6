// The picture service: decodes a picture (JPEG, BMP or GIF) and draws it,
// stretched, into a 32-bit working surface, which gfx/ turns into a texture.
//
// A canvas is a drawing context compatible with the screen that owns at most
// one working surface: width x height pixels of 4 bytes each, B, G, R and an
// unused fourth byte, rows bottom-up (the picture's bottom row first), each
// row exactly width x 4 bytes.
//
// Windows implements this with the OLE picture service and a GDI DIB section
// (platform/windows/), Linux with SDL2_image (platform/linux/), unit tests
// with a scriptable fake (platform/fake/).
#pragma once

#include "platform/win32.h"

struct Picture;
struct PictureCanvas;

// The longest path the service accepts, in characters including the
// terminator; a longer one opens nothing.
constexpr int kPicturePathLimit = 516;

// Decodes a picture from a copy of the bytes, or from a file. Null when the
// bytes or the file do not decode (or any resource for it cannot be had).
Picture* OpenPictureFromMemory(const void* bytes, DWORD byteCount);
Picture* OpenPictureFromFile(const char* path);
// Null is skipped.
void ReleasePicture(Picture* picture);

// Null on failure. Destroying a canvas also frees its surface; null is skipped.
PictureCanvas* CreatePictureCanvas();
void DestroyPictureCanvas(PictureCanvas* canvas);

// The picture's size in pixels when drawn on this canvas. False when it has
// no size the service can express (zero, negative or out of range).
bool GetPicturePixelSize(Picture* picture, PictureCanvas* canvas, LONG* width, LONG* height);

// Creates the canvas's working surface and selects it for drawing; false on
// failure or when the canvas already has one.
bool CreateCanvasSurface(PictureCanvas* canvas, LONG width, LONG height);
// The surface's first byte; null while the canvas has no surface.
BYTE* CanvasPixels(PictureCanvas* canvas);

// Draws `picture` upright over the whole surface, stretched from a source
// rectangle as large as `extentOf`: the picture itself for a colour picture,
// the colour picture for its mask. Where that rectangle reaches past the
// picture, what appears is the service's own choice.
void DrawPicture(PictureCanvas* canvas, Picture* picture, Picture* extentOf);
