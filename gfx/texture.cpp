#include "gfx/texture.h"

#include <cstdio>
#include <cstring>

#include "gfx/texture_build.h"
#include "platform/picture.h"

namespace {

// Path buffers: the current directory is fetched with room for 260
// characters, and a whole path is assembled in 520 bytes.
constexpr DWORD kDirectoryLimit = 260;
constexpr size_t kPathBufferSize = 520;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWith(const char* name, size_t length, const char* suffix) {
    const size_t suffixLength = std::strlen(suffix);
    if (length < suffixLength) return false;
    const char* tail = name + length - suffixLength;
    for (size_t i = 0; i < suffixLength; ++i) {
        if (LowerAscii(tail[i]) != suffix[i]) return false;
    }
    return true;
}

Picture* OpenResourcePicture(const char* type, const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, type);
    if (resource == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD byteCount = SizeofResource(module, resource);
    if (bytes == nullptr || byteCount == 0) return nullptr;
    return OpenPictureFromMemory(bytes, byteCount);
}

// The current directory, the separator and the name, in `path`. False when
// the directory cannot be had or the whole does not fit.
bool PathInCurrentDirectory(const char* name, char (&path)[kPathBufferSize]) {
    char directory[kDirectoryLimit];
    const DWORD length = GetCurrentDirectoryA(kDirectoryLimit, directory);
    if (length == 0 || length >= kDirectoryLimit) return false;
    const int written = std::snprintf(path, sizeof path, "%s%c%s", directory, kPathSeparator, name);
    return written > 0 && static_cast<size_t>(written) < sizeof path;
}

Picture* OpenFilePicture(const char* name, bool inCurrentDirectory) {
    if (!inCurrentDirectory) return OpenPictureFromFile(name);
    char path[kPathBufferSize];
    if (!PathInCurrentDirectory(name, path)) return nullptr;
    return OpenPictureFromFile(path);
}

// The texture of the opened pictures; without a colour picture, 0, with the
// mask released.
GLuint BuildFromOpened(Picture* colour, Picture* mask, bool buildMipmaps, TextureVariant variant) {
    if (colour == nullptr) {
        ReleasePicture(mask);
        return 0;
    }
    return BuildTextureFromPictures(colour, mask, buildMipmaps, variant);
}

}  // namespace

PictureType PictureTypeFromName(const char* name) {
    if (name == nullptr) return Unrecognised;
    const size_t length = std::strlen(name);
    if (length < 3) return Unrecognised;
    if (EndsWith(name, length, "bmp")) return Bmp;
    if (EndsWith(name, length, "tga")) return Tga;
    if (EndsWith(name, length, "jpg")) return Jpeg;
    if (EndsWith(name, length, "gif")) return Gif;
    if (EndsWith(name, length, "png")) return Png;
    if (EndsWith(name, length, "jpeg")) return Jpeg;
    return Unrecognised;
}

GLuint LoadTextureFromResource(const char* type, const char* name, const char* maskName, bool buildMipmaps) {
    if (name == nullptr || type == nullptr) return 0;
    Picture* colour = OpenResourcePicture(type, name);
    Picture* mask = maskName != nullptr ? OpenResourcePicture(type, maskName) : nullptr;
    return BuildFromOpened(colour, mask, buildMipmaps, TextureVariant::Resource);
}

GLuint LoadTextureFromFile(const char* fileName, const char* maskFileName, bool buildMipmaps,
                           bool inCurrentDirectory) {
    const PictureType type = PictureTypeFromName(fileName);
    if (type != Bmp && type != Jpeg && type != Gif) return 0;
    Picture* colour = OpenFilePicture(fileName, inCurrentDirectory);
    Picture* mask = maskFileName != nullptr ? OpenFilePicture(maskFileName, inCurrentDirectory) : nullptr;
    return BuildFromOpened(colour, mask, buildMipmaps, TextureVariant::File);
}
