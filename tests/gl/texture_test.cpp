// Pictures into textures with a real GL context: sizes, the stretch, the
// pixel conversion and alpha, filters, binding, failures and bad input, from
// picture files written here and from the embedded pictures.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#endif

#include "gfx/texture.h"
#include "gl_context.h"
#include "picture_files.h"
#include "tests/unit/embedded_pictures.h"

namespace {

namespace fs = std::filesystem;

struct TextureImage {
    GLint width = 0;
    GLint height = 0;
    std::vector<BYTE> rgba;  // bottom row first

    const BYTE* At(int column, int rowFromBottom) const {
        return &rgba[(static_cast<size_t>(rowFromBottom) * static_cast<size_t>(width) + static_cast<size_t>(column)) * 4];
    }
    std::vector<int> Pixel(int column, int rowFromBottom) const {
        const BYTE* p = At(column, rowFromBottom);
        return {p[0], p[1], p[2], p[3]};
    }
};

TextureImage ReadTexture(GLuint texture) {
    TextureImage image;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.rgba.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return image;
}

GLint TextureParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLuint BoundTexture() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

// True when `action` generates a texture name. Every test deletes the
// textures it makes, so with nothing made in between two names generated
// around the action are consecutive.
bool MakesTextureName(const std::function<void()>& action) {
    GLuint before = 0;
    GLuint after = 0;
    glGenTextures(1, &before);
    action();
    glGenTextures(1, &after);
    glDeleteTextures(1, &before);
    glDeleteTextures(1, &after);
    return after != before + 1;
}

std::vector<uint32_t> Solid(int width, int height, uint32_t rgb) {
    return std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), rgb);
}

// The bytes of an embedded picture; empty when it is missing.
std::vector<unsigned char> ResourceBytes(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, "JPG");
    if (resource == nullptr) return {};
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(module, resource));
}

bool IsPowerOfTwo(GLint side) { return side > 0 && (side & (side - 1)) == 0; }

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.Ok()) << "no GL context";
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        directory = fs::temp_directory_path() / ("corvane-texture-" + std::to_string(now));
        fs::create_directories(directory);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(directory, ignored);
    }

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        const std::string path = (directory / name).string();
        EXPECT_TRUE(WriteBytes(path, bytes)) << path;
        return path;
    }
    std::string WriteBmp(const std::string& name, int width, int height, const std::vector<uint32_t>& rgb) {
        return Write(name, EncodeBmp(width, height, rgb));
    }

    // Loads a file and reads the texture back; deletes it.
    TextureImage LoadResourceAndRead(const char* name, const char* maskName = nullptr) {
        const GLuint texture = LoadTextureFromResource("JPG", name, maskName, false);
        EXPECT_NE(texture, 0u) << name;
        TextureImage image = ReadTexture(texture);
        glDeleteTextures(1, &texture);
        return image;
    }

    TextureImage LoadAndRead(const std::string& path, const char* maskPath = nullptr) {
        const GLuint texture = LoadTextureFromFile(path.c_str(), maskPath, false, false);
        EXPECT_NE(texture, 0u) << path;
        TextureImage image = ReadTexture(texture);
        glDeleteTextures(1, &texture);
        return image;
    }

    GLTestContext context;
    fs::path directory;
};

TEST_F(TextureTest, EachSideBecomesTheNearestPowerOfTwoOnALogScale) {
    const struct {
        int width, height, textureWidth, textureHeight;
    } cases[] = {{36, 36, 32, 32}, {256, 32, 256, 32}, {16, 64, 16, 64}, {3, 5, 4, 4},
                 {6, 45, 8, 32},   {46, 181, 64, 128}, {182, 1, 256, 1}};
    for (const auto& c : cases) {
        const TextureImage image = LoadAndRead(WriteBmp("size.bmp", c.width, c.height, Solid(c.width, c.height, 0x336699)));
        EXPECT_EQ(image.width, c.textureWidth) << c.width << " x " << c.height;
        EXPECT_EQ(image.height, c.textureHeight) << c.width << " x " << c.height;
    }
}

TEST_F(TextureTest, ASideAboveTheLargestTextureBecomesTheLargest) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ASSERT_GT(maxSize, 0);
    const TextureImage image = LoadAndRead(WriteBmp("wide.bmp", maxSize + 1, 2, Solid(maxSize + 1, 2, 0x808080)));
    EXPECT_EQ(image.width, maxSize);
    EXPECT_EQ(image.height, 2);
}

TEST_F(TextureTest, TheWholePictureIsStretchedInUpright) {
    // 36 x 36 in quadrants: red top-left, green top-right, blue bottom-left,
    // white bottom-right.
    std::vector<uint32_t> rgb(36 * 36);
    for (int i = 0; i < 36 * 36; ++i) {
        const int x = i % 36, y = i / 36;
        rgb[static_cast<size_t>(i)] = y < 18 ? (x < 18 ? 0xff0000 : 0x00ff00) : (x < 18 ? 0x0000ff : 0xffffff);
    }
    const TextureImage image = LoadAndRead(WriteBmp("quadrants.bmp", 36, 36, rgb));
    ASSERT_EQ(image.width, 32);
    EXPECT_EQ(image.Pixel(0, 31), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(image.Pixel(31, 31), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(image.Pixel(0, 0), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(image.Pixel(31, 0), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(image.Pixel(12, 20), (std::vector<int>{255, 0, 0, 255}));
}

TEST_F(TextureTest, PureBlackIsTransparentAndEverythingElseOpaque) {
    const std::vector<uint32_t> rgb = {0x000000, 0x010000, 0x000001, 0x000100, 0xffffff, 0x000000, 0x102030, 0x000000};
    const TextureImage image = LoadAndRead(WriteBmp("black.bmp", 4, 2, rgb));
    ASSERT_EQ(image.width, 4);
    for (int i = 0; i < 8; ++i) {
        const int colour = static_cast<int>(rgb[static_cast<size_t>(i)]);
        const std::vector<int> expected = {colour >> 16, colour >> 8 & 0xff, colour & 0xff, colour == 0 ? 0 : 255};
        EXPECT_EQ(image.Pixel(i % 4, 1 - i / 4), expected) << i;
    }
}

TEST_F(TextureTest, AGreyMaskGivesEachPixelsAlpha) {
    std::vector<uint32_t> colour(16);
    std::vector<uint32_t> mask(16);
    for (uint32_t i = 0; i < 16; ++i) {
        colour[i] = i % 3 == 0 ? 0x000000 : 0x20a0f0;
        const uint32_t grey = i * 17;
        mask[i] = grey << 16 | grey << 8 | grey;
    }
    const std::string maskPath = WriteBmp("mask.bmp", 4, 4, mask);
    const TextureImage image = LoadAndRead(WriteBmp("colour.bmp", 4, 4, colour), maskPath.c_str());
    ASSERT_EQ(image.width, 4);
    for (int i = 0; i < 16; ++i) {
        const int column = i % 4;
        const int row = 3 - i / 4;
        const std::vector<int> rgb = i % 3 == 0 ? std::vector<int>{0, 0, 0} : std::vector<int>{0x20, 0xa0, 0xf0};
        EXPECT_EQ(image.Pixel(column, row), (std::vector<int>{rgb[0], rgb[1], rgb[2], i * 17})) << i;
    }
}

TEST_F(TextureTest, AMissingMaskGivesTheSameTextureAsNone) {
    const std::string colour = WriteBmp("colour.bmp", 8, 8, Solid(8, 8, 0x00ff80));
    const std::string missing = (directory / "missing.bmp").string();
    const TextureImage withMissing = LoadAndRead(colour, missing.c_str());
    const TextureImage withNone = LoadAndRead(colour);
    EXPECT_EQ(withMissing.rgba, withNone.rgba);
    EXPECT_EQ(withMissing.width, 8);
}

TEST_F(TextureTest, GifAndBmpFilesGiveTheSamePixels) {
    // 16 x 16 of 256 colours; the interlaced GIF's rows arrive in four passes.
    std::vector<uint32_t> rgb(16 * 16);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint32_t>(i * 0x070503 + 0x102030);
    const TextureImage fromBmp = LoadAndRead(WriteBmp("picture.bmp", 16, 16, rgb));
    EXPECT_EQ(fromBmp.Pixel(0, 15), (std::vector<int>{0x10, 0x20, 0x30, 255}));
    for (bool interlaced : {false, true}) {
        const TextureImage fromGif = LoadAndRead(Write("picture.gif", EncodeGif(16, 16, rgb, interlaced)));
        EXPECT_EQ(fromGif.width, 16);
        EXPECT_EQ(fromGif.height, 16);
        EXPECT_EQ(fromGif.rgba, fromBmp.rgba) << interlaced;
    }
}

TEST_F(TextureTest, AGifsTransparentColourIsTransparent) {
    const std::vector<uint32_t> rgb = {0x00ff00, 0xff0000, 0xff0000, 0x00ff00};
    const TextureImage image = LoadAndRead(Write("transparent.gif", EncodeGif(2, 2, rgb, false, 0x00ff00)));
    ASSERT_EQ(image.width, 2);
    EXPECT_EQ(image.Pixel(0, 1)[3], 0);
    EXPECT_EQ(image.Pixel(1, 1), (std::vector<int>{255, 0, 0, 255}));
}

TEST_F(TextureTest, FileVariantFiltersUploadAndBinding) {
    const std::string path = WriteBmp("filters.bmp", 16, 16, Solid(16, 16, 0x405060));
    for (bool mipmaps : {false, true}) {
        const GLuint texture = LoadTextureFromFile(path.c_str(), nullptr, mipmaps, false);
        ASSERT_NE(texture, 0u);
        EXPECT_EQ(BoundTexture(), texture);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR) << mipmaps;
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR) << mipmaps;
        GLint smallest = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &smallest);
        EXPECT_EQ(smallest, mipmaps ? 1 : 0) << mipmaps;
        glDeleteTextures(1, &texture);
    }
}

TEST_F(TextureTest, NamesAreTakenFromTheCurrentDirectory) {
    WriteBmp("here.bmp", 4, 4, Solid(4, 4, 0x000000));
    WriteBmp("here_mask.bmp", 4, 4, Solid(4, 4, 0x808080));
    const fs::path previous = fs::current_path();
    fs::current_path(directory);
    const GLuint texture = LoadTextureFromFile("here.bmp", "here_mask.bmp", false, true);
    const GLuint missing = LoadTextureFromFile("elsewhere.bmp", nullptr, false, true);
    fs::current_path(previous);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(ReadTexture(texture).Pixel(1, 1), (std::vector<int>{0, 0, 0, 128}));
    EXPECT_EQ(missing, 0u);
    glDeleteTextures(1, &texture);
}

TEST_F(TextureTest, FailuresGiveZeroAndMakeNoTextureName) {
    const std::string bmp = WriteBmp("fine.bmp", 4, 4, Solid(4, 4, 0xffffff));
    const std::string tga = Write("fine.tga", EncodeBmp(4, 4, Solid(4, 4, 0xffffff)));
    const std::string png = Write("fine.png", EncodeBmp(4, 4, Solid(4, 4, 0xffffff)));
    const std::string missing = (directory / "missing.jpg").string();
    for (const std::string& path : {tga, png, missing}) {
        GLuint texture = 1;
        EXPECT_FALSE(MakesTextureName([&] { texture = LoadTextureFromFile(path.c_str(), bmp.c_str(), true, false); }));
        EXPECT_EQ(texture, 0u) << path;
    }
    GLuint texture = 1;
    EXPECT_FALSE(MakesTextureName([&] { texture = LoadTextureFromResource("JPG", "nothing.jpg", nullptr, true); }));
    EXPECT_EQ(texture, 0u);
    EXPECT_EQ(LoadTextureFromResource("JPG", nullptr, nullptr, false), 0u);
}

TEST_F(TextureTest, BadPictureFilesGiveZero) {
    const std::vector<unsigned char> good = EncodeBmp(8, 8, Solid(8, 8, 0x123456));
    std::vector<unsigned char> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<unsigned char> huge = good;  // claims 100000 x 100000
    huge[18] = 0xa0, huge[19] = 0x86, huge[20] = 0x01, huge[22] = 0xa0, huge[23] = 0x86, huge[24] = 0x01;
    std::vector<unsigned char> zeroWide = good;
    zeroWide[18] = 0;
    std::vector<unsigned char> garbage(4000);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<unsigned char>(i * 7919 >> 3);
    const std::vector<unsigned char> gif = EncodeGif(16, 16, Solid(16, 16, 0x00ff00));
    std::vector<unsigned char> gifTruncated(gif.begin(), gif.begin() + 800);

#ifdef _WIN32
    // The OLE picture service pads out a cut BMP and gives a zero-wide one a
    // size of its own; those must merely load safely there.
    const bool oleMayDecode = true;
#else
    const bool oleMayDecode = false;
#endif
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        bool mayDecode;
    } files[] = {{"truncated.bmp", truncated, oleMayDecode},
                 {"huge.bmp", huge, false},
                 {"zero.bmp", zeroWide, oleMayDecode},
                 {"empty.jpg", {}, false},
                 {"garbage.jpg", garbage, false},
                 {"garbage.gif", garbage, false},
                 {"cut.gif", gifTruncated, false}};
    for (const auto& file : files) {
        const std::string path = Write(file.name, file.bytes);
        GLuint texture = LoadTextureFromFile(path.c_str(), nullptr, true, false);
        if (file.mayDecode && texture != 0) {
            EXPECT_GT(ReadTexture(texture).width, 0) << file.name;
            glDeleteTextures(1, &texture);
            continue;
        }
        EXPECT_EQ(texture, 0u) << file.name;
        EXPECT_FALSE(MakesTextureName([&] { texture = LoadTextureFromFile(path.c_str(), nullptr, true, false); }))
            << file.name;
    }
}

TEST_F(TextureTest, PathsLongerThanTheBuffersGiveZero) {
    const std::string longName = std::string(600, 'n') + ".bmp";
    EXPECT_EQ(LoadTextureFromFile(longName.c_str(), nullptr, false, true), 0u);
    EXPECT_EQ(LoadTextureFromFile(longName.c_str(), longName.c_str(), false, false), 0u);
    const std::string fine = WriteBmp("fine.bmp", 4, 4, Solid(4, 4, 0xffffff));
    const GLuint texture = LoadTextureFromFile(fine.c_str(), longName.c_str(), false, false);
    EXPECT_NE(texture, 0u);
    glDeleteTextures(1, &texture);
}

TEST_F(TextureTest, EveryEmbeddedPictureLoadsAtPowerOfTwoSides) {
    const std::vector<std::string> names = EmbeddedPictureNames();
    ASSERT_EQ(names.size(), 100u);
    for (const std::string& name : names) {
        const GLuint texture = LoadTextureFromResource("JPG", name.c_str(), nullptr, true);
        ASSERT_NE(texture, 0u) << name;
        EXPECT_EQ(BoundTexture(), texture) << name;
        const TextureImage image = ReadTexture(texture);
        EXPECT_TRUE(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height)) << name;
        glDeleteTextures(1, &texture);
    }
    const TextureImage s1 = LoadResourceAndRead("s1.jpg");
    EXPECT_EQ(s1.width, 32);
    EXPECT_EQ(s1.height, 32);
    const TextureImage s15 = LoadResourceAndRead("S15.JPG");
    EXPECT_EQ(s15.width, 32);
    EXPECT_EQ(s15.height, 64);
    const TextureImage t20 = LoadResourceAndRead("t20.jpg");
    EXPECT_EQ(t20.width, 256);
    EXPECT_EQ(t20.height, 128);
}

TEST_F(TextureTest, ResourceVariantFiltersAndBinding) {
    for (bool mipmaps : {false, true}) {
        const GLuint texture = LoadTextureFromResource("JPG", "t31_blik.jpg", nullptr, mipmaps);
        ASSERT_NE(texture, 0u);
        EXPECT_EQ(BoundTexture(), texture);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MIN_FILTER), mipmaps ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
        EXPECT_EQ(TextureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        glDeleteTextures(1, &texture);
    }
}

TEST_F(TextureTest, KrvTakesItsAlphaFromKrvmask) {
    const TextureImage mask = LoadResourceAndRead("krvmask.jpg");
    const TextureImage plain = LoadResourceAndRead("krv.jpg");
    const TextureImage masked = LoadResourceAndRead("krv.jpg", "krvmask.jpg");
    ASSERT_EQ(masked.width, 64);
    ASSERT_EQ(mask.rgba.size(), masked.rgba.size());
    int transparent = 0;
    for (size_t i = 0; i < masked.rgba.size(); i += 4) {
        // The mask is greyscale, so its red is its grey.
        ASSERT_EQ(masked.rgba[i + 3], mask.rgba[i]) << "pixel " << i / 4;
        ASSERT_EQ(masked.rgba[i], plain.rgba[i]) << "pixel " << i / 4;
        transparent += masked.rgba[i + 3] == 0;
    }
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 64 * 64);
    EXPECT_EQ(LoadResourceAndRead("krv.jpg", "nomask.jpg").rgba, plain.rgba);
}

TEST_F(TextureTest, JpegFilesLoadLikeTheResourceTheyCameFrom) {
    const std::vector<unsigned char> bytes = ResourceBytes("T20.JPG");
    ASSERT_FALSE(bytes.empty());
    const TextureImage fromFile = LoadAndRead(Write("t20.jpeg", bytes));
    EXPECT_EQ(fromFile.rgba, LoadResourceAndRead("t20.jpg").rgba);

    // Cut in half, or with its headers wrecked: no texture (the OLE picture
    // service may pad a cut picture out instead).
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
    std::vector<unsigned char> wrecked = bytes;
    for (size_t i = 2; i < wrecked.size() / 3; ++i) wrecked[i] = static_cast<unsigned char>(i * 37);
    for (const auto& bad : {cut, wrecked}) {
        const GLuint texture = LoadTextureFromFile(Write("bad.jpg", bad).c_str(), nullptr, true, false);
#ifdef _WIN32
        glDeleteTextures(1, &texture);
#else
        EXPECT_EQ(texture, 0u);
#endif
    }
}

// The process's memory in kilobytes: resident on Linux, private (which
// includes DIB sections) on Windows.
long MemoryKilobytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<long>(counters.PagefileUsage / 1024);
#else
    long pages = 0;
    long resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return -1;
    const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
    std::fclose(statm);
    return read == 2 ? resident * 4 : -1;
#endif
}

// AddressSanitizer holds freed memory back for a while, so the process grows
// regardless; its leak check at exit sees every allocation instead.
#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_ADDRESS_SANITIZER
#endif
#endif

// A hundred loads of every embedded picture leave the process no bigger.
TEST_F(TextureTest, LoadingEveryEmbeddedPictureAHundredTimesLeavesMemoryFlat) {
    const std::vector<std::string> names = EmbeddedPictureNames();
    const auto loadAll = [&] {
        for (const std::string& name : names) {
            GLuint texture = LoadTextureFromResource("JPG", name.c_str(), name == "krv.jpg" ? "krvmask.jpg" : nullptr, true);
            glDeleteTextures(1, &texture);
        }
    };
    for (int round = 0; round < 3; ++round) loadAll();  // warm the driver's and allocators' pools
    const long before = MemoryKilobytes();
    for (int round = 0; round < 100; ++round) loadAll();
    const long after = MemoryKilobytes();
    ASSERT_GT(before, 0);
    RecordProperty("memoryGrowthKilobytes", static_cast<int>(after - before));
#ifndef CORVANE_ADDRESS_SANITIZER
    EXPECT_LT(after - before, 2048) << before << " kB before, " << after << " kB after";
#endif
}

}  // namespace
