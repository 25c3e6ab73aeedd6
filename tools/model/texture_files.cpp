#include "tools/model/texture_files.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "formats/byte_cursor.h"
#include "formats/gif_decoder.h"
#include "formats/picture_header.h"
#include "model/model.h"
#include "platform/win32.h"

namespace {

namespace fs = std::filesystem;

constexpr long kMaxTextureFileBytes = 128L * 1024 * 1024;

bool SameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y && !(x < 128 && y < 128 && std::tolower(x) == std::tolower(y))) return false;
    }
    return true;
}

// The regular file at `path`, each part of which is taken as it is when it
// exists, else as the one entry of its directory that differs from it only
// in letter case. Empty when there is none.
std::string ResolveIgnoringCase(const std::string& path) {
    std::error_code error;
    fs::path at = !path.empty() && path[0] == '/' ? fs::path("/") : fs::path();
    for (const fs::path& part : fs::path(path).relative_path()) {
        if (part.empty() || part == ".") continue;
        fs::path next = at / part;
        if (!fs::exists(next, error)) {
            next.clear();
            for (const fs::directory_entry& entry : fs::directory_iterator(at.empty() ? fs::path(".") : at, error)) {
                if (SameLetters(entry.path().filename().string(), part.string())) {
                    next = at / entry.path().filename();
                    break;
                }
            }
            if (next.empty()) return "";
        }
        at = next;
    }
    return fs::is_regular_file(at, error) ? at.string() : "";
}

// Where a material's texture is: as the model names it, taken from the
// model's directory (the loader has already put a ".\" name behind it), else
// its last part beside the model. Backslashes separate too.
std::string FindTexture(const std::string& modelPath, std::string name) {
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    const size_t slash = modelPath.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : modelPath.substr(0, slash + 1);
    if (name.compare(0, 2, "./") == 0) name.erase(0, 2);
    if (name.empty()) return "";
    const bool placed = name[0] == '/' || name.compare(0, directory.size(), directory) == 0;
    std::string found = ResolveIgnoringCase(placed ? name : directory + name);
    if (found.empty()) found = ResolveIgnoringCase(directory + name.substr(name.rfind('/') + 1));
    return found;
}

const char kTooLarge[] = "larger than 4096 x 4096 pixels, or of no size";

// A TGA's header and, as far as its pixels reach, its data: the decoder
// would otherwise make up the pixels of a file cut short.
std::string CheckTga(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < 18) return "cut short";
    const unsigned char* h = bytes.data();
    const int type = h[2];
    const bool runLength = type >= 9;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) return "not a TGA picture";
    if (!PictureSizeWithinBounds(LoadU16LE(h + 12), LoadU16LE(h + 14))) return kTooLarge;
    const size_t pixels = static_cast<size_t>(LoadU16LE(h + 12)) * LoadU16LE(h + 14);
    const size_t pixelBytes = (h[16] + 7u) / 8u;
    if (pixelBytes == 0 || pixelBytes > 4) return "not a TGA picture";
    size_t at = 18 + h[0] + (h[1] != 0 ? LoadU16LE(h + 5) * ((h[7] + 7u) / 8u) : 0u);
    if (!runLength) return at + pixels * pixelBytes <= bytes.size() ? "" : "cut short";
    for (size_t done = 0; done < pixels;) {
        if (at >= bytes.size()) return "cut short";
        const unsigned char packet = bytes[at++];
        const size_t count = (packet & 0x7Fu) + 1u;
        at += packet & 0x80u ? pixelBytes : count * pixelBytes;
        done += count;
    }
    return at <= bytes.size() ? "" : "cut short";
}

// The picture's format as SDL2_image names it, after its size is checked.
std::string CheckHeader(const std::vector<unsigned char>& bytes, const std::string& path, const char*& type) {
    const unsigned char* b = bytes.data();
    if (bytes.size() >= 8 && std::memcmp(b, "\x89PNG\r\n\x1a\n", 8) == 0) {
        type = "PNG";
        if (bytes.size() < 24 || std::memcmp(b + 12, "IHDR", 4) != 0) return "cut short";
        const long width = static_cast<long>(LoadU16BE(b + 16)) << 16 | LoadU16BE(b + 18);
        const long height = static_cast<long>(LoadU16BE(b + 20)) << 16 | LoadU16BE(b + 22);
        if (!PictureSizeWithinBounds(width, height)) return kTooLarge;
        // Whole when its chunks lead to the end chunk.
        for (size_t at = 8; at + 8 <= bytes.size();) {
            if (std::memcmp(b + at + 4, "IEND", 4) == 0) return "";
            at += 12 + (static_cast<size_t>(LoadU16BE(b + at)) << 16 | LoadU16BE(b + at + 2));
        }
        return "cut short";
    }
    PictureHeader header;
    const bool known = bytes.size() >= 4 && (std::memcmp(b, "\xFF\xD8", 2) == 0 || std::memcmp(b, "BM", 2) == 0 ||
                                             std::memcmp(b, "GIF8", 4) == 0);
    if (known) {
        type = b[0] == 0xFF ? "JPG" : b[0] == 'B' ? "BMP" : "GIF";
        return ReadPictureHeader(b, bytes.size(), &header) ? "" : "cut short, or larger than 4096 x 4096 pixels";
    }
    if (path.size() >= 4 && SameLetters(path.substr(path.size() - 4), ".tga")) {
        type = "TGA";
        return CheckTga(bytes);
    }
    return "not a picture this tool reads (JPEG, PNG, TGA, BMP, GIF)";
}

SDL_Surface* Decode(const std::vector<unsigned char>& bytes, const char* type) {
    if (std::strcmp(type, "GIF") == 0) {
        GifImage gif;
        if (!DecodeGif(bytes.data(), bytes.size(), kMaxPicturePixels, &gif)) return nullptr;
        SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(gif.rgb.data(), static_cast<int>(gif.width),
                                                               static_cast<int>(gif.height), 24,
                                                               static_cast<int>(gif.width) * 3, SDL_PIXELFORMAT_RGB24);
        SDL_Surface* copy = view ? SDL_ConvertSurfaceFormat(view, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
        SDL_FreeSurface(view);
        return copy;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return stream ? IMG_LoadTyped_RW(stream, 1, type) : nullptr;
}

// The picture at `path` as RGBA bytes, rows top-down; null with `problem`.
SDL_Surface* OpenTexture(const std::string& path, std::string& problem) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        problem = std::strerror(errno);
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kMaxTextureFileBytes)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool readAll = !std::ferror(file) && bytes.size() <= kMaxTextureFileBytes;
    std::fclose(file);
    const char* type = "";
    problem = !readAll ? "unreadable, or over 128 MiB" : bytes.empty() ? "empty" : CheckHeader(bytes, path, type);
    if (!problem.empty()) return nullptr;

    SDL_Surface* decoded = Decode(bytes, type);
    SDL_Surface* rgba = decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
    if (decoded) SDL_FreeSurface(decoded);
    if (!rgba) problem = std::string("does not decode: ") + SDL_GetError();
    return rgba;
}

TextureReport Check(const Model& model, int material, const std::string& modelPath, SDL_Surface** picture) {
    TextureReport report;
    const char* file = model.materials[material].textureFile;
    report.file = file ? file : "";
    if (report.file.empty()) return report;
    report.found = FindTexture(modelPath, report.file);
    if (report.found.empty()) {
        report.problem = "not found beside the model";
        return report;
    }
    SDL_Surface* opened = OpenTexture(report.found, report.problem);
    if (picture)
        *picture = opened;
    else if (opened)
        SDL_FreeSurface(opened);
    return report;
}

// Rows bottom-up, as the show's textures are: texture t = 0 is the
// picture's bottom edge.
GLuint Upload(const SDL_Surface* rgba) {
    const size_t row = static_cast<size_t>(rgba->w) * 4;
    std::vector<unsigned char> pixels(row * static_cast<size_t>(rgba->h));
    for (int y = 0; y < rgba->h; ++y) {
        std::memcpy(&pixels[row * static_cast<size_t>(rgba->h - 1 - y)],
                    static_cast<const unsigned char*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch, row);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, rgba->w, rgba->h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return texture;
}

}  // namespace

std::vector<TextureReport> CheckTextures(const Model& model, const std::string& modelPath) {
    std::vector<TextureReport> reports;
    for (int i = 0; i < model.materialCount; ++i) reports.push_back(Check(model, i, modelPath, nullptr));
    return reports;
}

void LoadTextures(Model& model, const std::string& modelPath) {
    for (int i = 0; i < model.materialCount; ++i) {
        SDL_Surface* picture = nullptr;
        const TextureReport report = Check(model, i, modelPath, &picture);
        model.materials[i].texture = picture ? Upload(picture) : 0;
        if (picture) SDL_FreeSurface(picture);
        if (!report.problem.empty())
            std::fprintf(stderr, "corvane-model: texture %s: %s%s%s; drawn untextured\n", report.file.c_str(),
                         report.found.empty() ? "" : report.found.c_str(), report.found.empty() ? "" : ": ",
                         report.problem.c_str());
    }
}

void DeleteTextures(Model& model) {
    for (int i = 0; i < model.materialCount; ++i) {
        GLuint& texture = model.materials[i].texture;
        if (texture != 0) glDeleteTextures(1, &texture);
        texture = 0;
    }
}
