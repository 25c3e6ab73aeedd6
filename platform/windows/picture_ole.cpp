// The picture service on Windows: the OLE picture service decodes, and
// IPicture::Render draws into a GDI DIB section selected into a memory
// device context compatible with the screen.
//
// Platform: Windows. Dependencies: ole32, oleaut32 (OleLoadPicture,
// OleLoadPicturePath, CreateStreamOnHGlobal), gdi32, user32.
// Limitations: decodes what the OLE picture service decodes (JPEG, BMP,
// GIF, icons and metafiles); a picture's size in pixels follows the
// screen's logical resolution, so it can differ from the picture's own
// pixel count on screens other than 96 dots per inch.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <new>

#include "platform/picture.h"

struct Picture {
    IPicture* picture;
};

struct PictureCanvas {
    HDC context = nullptr;
    HBITMAP surface = nullptr;
    HGDIOBJ originalBitmap = nullptr;
    void* pixels = nullptr;
};

namespace {

// HIMETRIC units (0.01 mm) in an inch.
constexpr int kHimetricPerInch = 2540;

Picture* Wrap(IPicture* picture) {
    if (picture == nullptr) return nullptr;
    Picture* wrapped = new (std::nothrow) Picture{picture};
    if (wrapped == nullptr) picture->Release();
    return wrapped;
}

}  // namespace

Picture* OpenPictureFromMemory(const void* bytes, DWORD byteCount) {
    if (bytes == nullptr || byteCount == 0) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, byteCount);
    if (block == nullptr) return nullptr;
    void* copy = GlobalLock(block);
    if (copy == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(copy, bytes, byteCount);
    GlobalUnlock(block);

    // Releasing the stream frees the block.
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK || stream == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    IPicture* picture = nullptr;
    const HRESULT result = OleLoadPicture(stream, static_cast<LONG>(byteCount), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(result)) {
        if (picture != nullptr) picture->Release();
        return nullptr;
    }
    return Wrap(picture);
}

Picture* OpenPictureFromFile(const char* path) {
    if (path == nullptr) return nullptr;
    // MultiByteToWideChar fails when the path does not fit.
    WCHAR widePath[kPicturePathLimit];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPicturePathLimit) == 0) return nullptr;
    IPicture* picture = nullptr;
    const HRESULT result = OleLoadPicturePath(widePath, nullptr, 0, 0, IID_IPicture,
                                              reinterpret_cast<void**>(&picture));
    if (FAILED(result)) {
        if (picture != nullptr) picture->Release();
        return nullptr;
    }
    return Wrap(picture);
}

void ReleasePicture(Picture* picture) {
    if (picture == nullptr) return;
    picture->picture->Release();
    delete picture;
}

PictureCanvas* CreatePictureCanvas() {
    // The screen's device context is only borrowed to make a compatible one.
    HDC screen = GetDC(nullptr);
    HDC context = CreateCompatibleDC(screen);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    if (context == nullptr) return nullptr;
    PictureCanvas* canvas = new (std::nothrow) PictureCanvas();
    if (canvas == nullptr) {
        DeleteDC(context);
        return nullptr;
    }
    canvas->context = context;
    return canvas;
}

void DestroyPictureCanvas(PictureCanvas* canvas) {
    if (canvas == nullptr) return;
    // A bitmap still selected into a device context cannot be deleted, so the
    // context gets its own bitmap back first.
    if (canvas->originalBitmap != nullptr) SelectObject(canvas->context, canvas->originalBitmap);
    if (canvas->surface != nullptr) DeleteObject(canvas->surface);
    DeleteDC(canvas->context);
    delete canvas;
}

bool GetPicturePixelSize(Picture* picture, PictureCanvas* canvas, LONG* width, LONG* height) {
    if (picture == nullptr || canvas == nullptr) return false;
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (FAILED(picture->picture->get_Width(&himetricWidth)) || FAILED(picture->picture->get_Height(&himetricHeight))) {
        return false;
    }
    // MulDiv gives -1 when the result overflows; any result below 1 is no size.
    const int pixelWidth = MulDiv(himetricWidth, GetDeviceCaps(canvas->context, LOGPIXELSX), kHimetricPerInch);
    const int pixelHeight = MulDiv(himetricHeight, GetDeviceCaps(canvas->context, LOGPIXELSY), kHimetricPerInch);
    if (pixelWidth < 1 || pixelHeight < 1) return false;
    *width = pixelWidth;
    *height = pixelHeight;
    return true;
}

bool CreateCanvasSurface(PictureCanvas* canvas, LONG width, LONG height) {
    if (canvas == nullptr || canvas->surface != nullptr || width < 1 || height < 1) return false;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP surface = CreateDIBSection(canvas->context, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (surface == nullptr || pixels == nullptr) {
        if (surface != nullptr) DeleteObject(surface);
        return false;
    }
    canvas->surface = surface;
    canvas->pixels = pixels;
    canvas->originalBitmap = SelectObject(canvas->context, surface);
    return true;
}

BYTE* CanvasPixels(PictureCanvas* canvas) {
    return canvas != nullptr ? static_cast<BYTE*>(canvas->pixels) : nullptr;
}

void DrawPicture(PictureCanvas* canvas, Picture* picture, Picture* extentOf) {
    if (canvas == nullptr || canvas->surface == nullptr || picture == nullptr || extentOf == nullptr) return;
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    extentOf->picture->get_Width(&himetricWidth);
    extentOf->picture->get_Height(&himetricHeight);
    BITMAP size;
    if (GetObject(canvas->surface, sizeof size, &size) == 0) return;
    // The source rectangle runs from the top edge downwards, so the picture
    // lands upright in the bottom-up surface.
    picture->picture->Render(canvas->context, 0, 0, size.bmWidth, size.bmHeight, 0, himetricHeight, himetricWidth,
                             -himetricHeight, nullptr);
}
