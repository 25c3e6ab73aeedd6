// The font's life cycle against the fake platform: what it creates, selects
// and destroys. Drawing is checked with a real GL context in tests/gl/.
#include <gtest/gtest.h>

#include "gfx/bitmap_font.h"
#include "platform/fake/fake_font.h"
#include "platform/fake/fake_platform.h"

namespace {

// A device context and a font of the test's own naming.
HDC FakeDc() { return reinterpret_cast<HDC>(static_cast<uintptr_t>(0x7001)); }

class BitmapFontLifeCycle : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    void TearDown() override { fake::Reset(); }
    int32_t width = 640;
    int32_t height = 480;
};

}  // namespace

// The font is selected into the device context while it lives; Release puts
// the previous font back and destroys its own, only once: a second Release
// leaves alone the newer font that took the freed handle.
TEST_F(BitmapFontLifeCycle, ReleaseRestoresThePreviousFontAndDestroysItsOwnOnce) {
    HDC dc = FakeDc();
    HGDIOBJ before = reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x7100));
    SelectObject(dc, before);

    auto* font = new BitmapFont(dc, width, height, "Arial", 127, 18);
    HGDIOBJ own = SelectObject(dc, nullptr);
    EXPECT_NE(own, nullptr);
    EXPECT_NE(own, before);
    SelectObject(dc, own);
    font->Release();
    EXPECT_EQ(fake::LiveFonts(), 0);
    const HFONT newer = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    font->Release();
    delete font;

    EXPECT_EQ(SelectObject(dc, nullptr), before);
    EXPECT_EQ(fake::LiveFonts(), 1);
    EXPECT_TRUE(DeleteObject(newer));
}
