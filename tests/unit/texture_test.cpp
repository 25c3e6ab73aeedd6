// Picture-to-texture loading against the fake picture service: names, the
// size rule, the pixel conversion, paths, and that every failure path
// releases what it made. Uploads are covered by tests/gl/texture_test.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/texture.h"
#include "gfx/texture_build.h"
#include "platform/fake/fake_current_directory.h"
#include "platform/fake/fake_picture.h"
#include "platform/fake/fake_platform.h"

namespace {

using Paths = std::vector<std::string>;

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override {
        EXPECT_EQ(fake::LivePictures(), 0) << "a picture was not released";
        EXPECT_EQ(fake::LiveCanvases(), 0) << "a canvas was not destroyed";
    }

    static Picture* Open(const std::vector<unsigned char>& bytes) {
        return OpenPictureFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
    }
};

const BYTE* PixelAt(const TexturePixels& pixels, int column, int rowFromBottom) {
    return pixels.pixels + (static_cast<size_t>(rowFromBottom) * static_cast<size_t>(pixels.width) +
                            static_cast<size_t>(column)) * 4;
}

TEST(PictureTypeFromNameTest, EveryRowOfTheTable) {
    struct Row {
        const char* name;
        PictureType type;
    };
    const Row rows[] = {
        {nullptr, Unrecognised}, {"", Unrecognised},      {"gf", Unrecognised},    {"WALL.BMP", Bmp},
        {"XBMP", Bmp},           {"x.tga", Tga},          {"a.jpg", Jpeg},         {"b.JPEG", Jpeg},
        {"photo.jpeg", Jpeg},    {"jpeg", Jpeg},          {"c.gif", Gif},          {"d.png", Png},
        {"e.PnG", Png},          {"bmp", Bmp},            {"f.jpe", Unrecognised}, {"bmp.txt", Unrecognised},
        {"g.jpeg ", Unrecognised},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PictureTypeFromName(row.name), row.type) << (row.name ? row.name : "(null)");
    }
}

TEST(TextureSideTest, NearestPowerOfTwoOnALogarithmicScaleCappedByTheLargestTexture) {
    const struct {
        LONG pixels;
        GLsizei side;
    } cases[] = {{1, 1},    {2, 2},    {3, 4},    {5, 4},     {6, 8},     {16, 16},   {32, 32},
                 {36, 32},  {45, 32},  {46, 64},  {64, 64},   {100, 128}, {181, 128}, {182, 256},
                 {256, 256}};
    for (const auto& c : cases) EXPECT_EQ(TextureSide(c.pixels, 1024), c.side) << c.pixels;
    // Capped by the largest texture; zero for no size.
    EXPECT_EQ(TextureSide(256, 256), 256);
    EXPECT_EQ(TextureSide(257, 256), 256);
    EXPECT_EQ(TextureSide(100000, 256), 256);
    EXPECT_EQ(TextureSide(0x7fffffff, 0x7fffffff), 1 << 30);
    EXPECT_EQ(TextureSide(0, 256), 0);
    EXPECT_EQ(TextureSide(-4, 256), 0);
    EXPECT_EQ(TextureSide(32, 0), 0);
}

TEST(ConvertToRgbaTest, SwapsRedAndBlueAndTakesAlphaFromBlack) {
    // B, G, R, x per pixel.
    std::vector<BYTE> pixels = {0, 0, 0, 9, 0, 0, 1, 9, 1, 0, 0, 9, 10, 20, 30, 9, 0, 1, 0, 9};
    ConvertToRgba(pixels.data(), nullptr, 5);
    const std::vector<BYTE> expected = {0, 0, 0, 0, 1, 0, 0, 255, 0, 0, 1, 255, 30, 20, 10, 255, 0, 1, 0, 255};
    EXPECT_EQ(pixels, expected);
}

TEST(ConvertToRgbaTest, AlphaIsTheMasksTruncatedGreyAverage) {
    std::vector<BYTE> pixels = {0, 0, 0, 0, 50, 60, 70, 0, 1, 2, 3, 0, 4, 5, 6, 0};
    const std::vector<BYTE> mask = {128, 128, 128, 0, 255, 255, 254, 0, 0, 0, 0, 0, 1, 1, 0, 0};
    ConvertToRgba(pixels.data(), mask.data(), 4);
    const std::vector<BYTE> expected = {0, 0, 0, 128, 70, 60, 50, 254, 3, 2, 1, 0, 6, 5, 4, 0};
    EXPECT_EQ(pixels, expected);
}

TEST_F(TextureTest, StretchesTheWholePictureUprightIntoThePowerOfTwoSurface) {
    // 36 x 36: left half red, right half blue; bottom quarter rows green.
    std::vector<uint32_t> rgb(36 * 36);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) rgb[static_cast<size_t>(y * 36 + x)] = y >= 27 ? 0x00ff00 : x < 18 ? 0xff0000 : 0x0000ff;
    TexturePixels pixels;
    ASSERT_TRUE(PrepareTexturePixels(Open(fake::EncodePicture(36, 36, rgb)), nullptr, 1024, &pixels));
    EXPECT_EQ(pixels.width, 32);
    EXPECT_EQ(pixels.height, 32);
    const BYTE* topLeft = PixelAt(pixels, 0, 31);
    const BYTE* topRight = PixelAt(pixels, 31, 31);
    const BYTE* bottom = PixelAt(pixels, 16, 0);
    EXPECT_EQ(std::vector<BYTE>(topLeft, topLeft + 4), (std::vector<BYTE>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<BYTE>(topRight, topRight + 4), (std::vector<BYTE>{0, 0, 255, 255}));
    EXPECT_EQ(std::vector<BYTE>(bottom, bottom + 4), (std::vector<BYTE>{0, 255, 0, 255}));
    ReleaseTexturePixels(&pixels);
}

TEST_F(TextureTest, SidesAreChosenIndependentlyAndCappedByTheLargestTexture) {
    const struct {
        int32_t width, height;
        GLint maxSize;
        GLsizei textureWidth, textureHeight;
    } cases[] = {{256, 32, 1024, 256, 32}, {16, 64, 1024, 16, 64}, {3, 5, 1024, 4, 4},
                 {2000, 6, 512, 512, 8},   {181, 182, 1024, 128, 256}};
    for (const auto& c : cases) {
        TexturePixels pixels;
        ASSERT_TRUE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(c.width, c.height, 0x808080)), nullptr,
                                         c.maxSize, &pixels));
        EXPECT_EQ(pixels.width, c.textureWidth) << c.width;
        EXPECT_EQ(pixels.height, c.textureHeight) << c.height;
        ReleaseTexturePixels(&pixels);
    }
}

TEST_F(TextureTest, MaskSuppliesAlphaDrawnOverTheColourPicturesExtent) {
    TexturePixels pixels;
    ASSERT_TRUE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(8, 8, 0x000000)),
                                     Open(fake::EncodeSolidPicture(8, 8, 0x404040)), 1024, &pixels));
    EXPECT_EQ(PixelAt(pixels, 3, 3)[3], 0x40);
    ReleaseTexturePixels(&pixels);
}

TEST_F(TextureTest, ColourFailuresReleaseEverythingAndMakeNoPixels) {
    const char* failures[] = {"CreatePictureCanvas", "GetPicturePixelSize", "CreateCanvasSurface"};
    for (const char* failure : failures) {
        fake::Reset();
        fake::FailCall(failure, 1);
        TexturePixels pixels;
        EXPECT_FALSE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(8, 8, 0xffffff)),
                                          Open(fake::EncodeSolidPicture(8, 8, 0x808080)), 1024, &pixels))
            << failure;
        EXPECT_EQ(pixels.pixels, nullptr);
        EXPECT_EQ(fake::LivePictures(), 0) << failure;
        EXPECT_EQ(fake::LiveCanvases(), 0) << failure;
    }
}

TEST_F(TextureTest, ZeroSizedOrMissingPicturesMakeNoPixels) {
    TexturePixels pixels;
    EXPECT_FALSE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(0, 8, 0xffffff)), nullptr, 1024, &pixels));
    EXPECT_FALSE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(8, 0, 0xffffff)), nullptr, 1024, &pixels));
    // No context: GL_MAX_TEXTURE_SIZE reads as 0.
    EXPECT_FALSE(PrepareTexturePixels(Open(fake::EncodeSolidPicture(8, 8, 0xffffff)), nullptr, 0, &pixels));
    EXPECT_FALSE(PrepareTexturePixels(nullptr, Open(fake::EncodeSolidPicture(8, 8, 0xffffff)), 1024, &pixels));
}

TEST_F(TextureTest, MaskFailuresDropTheMaskAndAlphaFollowsBlack) {
    // The colour picture's canvas or surface comes first; the mask's fails.
    for (const char* failure : {"CreatePictureCanvas", "CreateCanvasSurface"}) {
        fake::Reset();
        fake::QueueAnswer(failure, 1);
        fake::QueueAnswer(failure, 0);
        const std::vector<uint32_t> rgb = {0x000000, 0x010000, 0x000001, 0xffffff};
        TexturePixels pixels;
        ASSERT_TRUE(PrepareTexturePixels(Open(fake::EncodePicture(2, 2, rgb)),
                                         Open(fake::EncodeSolidPicture(2, 2, 0x808080)), 1024, &pixels))
            << failure;
        // Top row of the picture is the surface's last row.
        EXPECT_EQ(PixelAt(pixels, 0, 1)[3], 0) << failure;
        EXPECT_EQ(PixelAt(pixels, 1, 1)[3], 255) << failure;
        EXPECT_EQ(PixelAt(pixels, 0, 0)[3], 255) << failure;
        EXPECT_EQ(fake::LivePictures(), 0) << failure;
        ReleaseTexturePixels(&pixels);
        EXPECT_EQ(fake::LiveCanvases(), 0) << failure;
    }
}

TEST_F(TextureTest, FilePathsAreTheCurrentDirectorySeparatorAndName) {
    fake::SetCurrentDirectory("/home/show");
    EXPECT_EQ(LoadTextureFromFile("wall.bmp", "mask.bmp", true, true), 0u);
    EXPECT_EQ(LoadTextureFromFile("/abs/wall.gif", nullptr, false, false), 0u);
    EXPECT_EQ(fake::PictureFilesAsked(), (Paths{"/home/show/wall.bmp", "/home/show/mask.bmp", "/abs/wall.gif"}));
}

TEST_F(TextureTest, FileTypesOtherThanBmpJpegGifAndNullNamesOpenNothing) {
    for (const char* name : {"x.tga", "d.png", "notes.txt", "ab", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(LoadTextureFromFile(name, nullptr, false, true), 0u);
    }
    EXPECT_EQ(fake::PictureFilesAsked(), Paths{});
    // Null resource names give nothing either.
    EXPECT_EQ(LoadTextureFromResource("JPG", nullptr, "krvmask.jpg", true), 0u);
    EXPECT_EQ(LoadTextureFromResource(nullptr, "krv.jpg", nullptr, true), 0u);
}

TEST_F(TextureTest, PathsLongerThanTheBuffersOpenNothing) {
    // A directory of 259 characters fits its 260-byte buffer; 260 does not.
    const std::string directory = "/" + std::string(258, 'd');
    fake::SetCurrentDirectory(directory);
    const std::string fits(519 - 260, 'n');
    EXPECT_EQ(LoadTextureFromFile((fits.substr(4) + ".bmp").c_str(), nullptr, false, true), 0u);
    EXPECT_EQ(LoadTextureFromFile((fits + ".bmp").c_str(), nullptr, false, true), 0u);
    EXPECT_EQ(LoadTextureFromFile((std::string(5000, 'n') + ".jpg").c_str(), nullptr, false, true), 0u);
    fake::SetCurrentDirectory(directory + "d");
    EXPECT_EQ(LoadTextureFromFile("a.bmp", nullptr, false, true), 0u);
    fake::FailCall("GetCurrentDirectoryA");
    EXPECT_EQ(LoadTextureFromFile("a.bmp", nullptr, false, true), 0u);
    EXPECT_EQ(fake::PictureFilesAsked(), Paths{directory + "/" + fits.substr(4) + ".bmp"}) << "only the first fits";
}

TEST_F(TextureTest, MissingColourPictureReleasesTheMask) {
    fake::AddPictureFile("/corvane/mask.bmp", fake::EncodeSolidPicture(4, 4, 0x808080));
    EXPECT_EQ(LoadTextureFromFile("missing.bmp", "mask.bmp", true, true), 0u);
    EXPECT_EQ(fake::PictureFilesAsked(), (Paths{"/corvane/missing.bmp", "/corvane/mask.bmp"}));
}

}  // namespace
