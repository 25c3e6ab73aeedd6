// The font's life cycle against the fake platform: what it creates, selects
// and destroys. Drawing is checked with a real GL context in tests/gl/.
#include <gtest/gtest.h>

#include "gfx/bitmap_font.h"
#include "platform/fake/fake_platform.h"

namespace {

HDC FakeDc() { return reinterpret_cast<HDC>(static_cast<uintptr_t>(0x2001)); }

class BitmapFontLifeCycle : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override { fake::Reset(); }
    int32_t width = 640;
    int32_t height = 480;
};

}  // namespace

TEST_F(BitmapFontLifeCycle, BuildAsksForABoldAnsiFontAndGlyphsForAllButTheLastList) {
    BitmapFont font(FakeDc(), width, height, "Arial", 127, 18);
    const int create = fake::FindCall("CreateFontA");
    ASSERT_GE(create, 0);
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(create)].args,
              (std::vector<std::string>{"18", "0", "0", "0", "700", "0", "0", "0", "0", "4", "0", "4", "0", "Arial"}));
    const int select = fake::FindCall("SelectObject", create);
    const int glyphs = fake::FindCall("wglUseFontBitmapsA", select);
    ASSERT_GE(select, 0);
    ASSERT_GE(glyphs, 0);
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(glyphs)].args[1], "0");
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(glyphs)].args[2], "126");
    font.Release();
}

TEST_F(BitmapFontLifeCycle, ReleaseRestoresThePreviousFontBeforeDestroyingItsOwnAndOnlyOnce) {
    HDC dc = FakeDc();
    HGDIOBJ before = reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x5100));
    SelectObject(dc, before);

    auto* font = new BitmapFont(dc, width, height, "Arial", 127, 18);
    const std::string made = fake::Calls()[static_cast<size_t>(fake::FindCall("SelectObject", 1))].args[1];
    font->Release();
    font->Release();
    delete font;

    ASSERT_EQ(fake::CountCalls("DeleteObject"), 1);
    const int restore = fake::FindCall("SelectObject", fake::FindCall("wglUseFontBitmapsA"));
    const int destroy = fake::FindCall("DeleteObject");
    ASSERT_GE(restore, 0);
    EXPECT_LT(restore, destroy);
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(restore)].args[1], fake::Hex(0x5100));
    EXPECT_EQ(fake::Calls()[static_cast<size_t>(destroy)].args[0], made);
    // The device context holds the font it had before.
    EXPECT_EQ(SelectObject(dc, nullptr), before);
}
