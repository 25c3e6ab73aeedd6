// The settings dialog's resources as the program embeds them, and the
// readers of dialog templates and bitmaps against damaged input.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "formats/byte_cursor.h"
#include "formats/dialog_template.h"
#include "formats/dib_picture.h"
#include "platform/win32.h"

namespace {

using namespace template_style;

constexpr uint32_t kChildVisible = kChild | kVisible;

std::vector<unsigned char> Resource(LPCSTR name, LPCSTR type) {
    HRSRC resource = FindResourceA(nullptr, name, type);
    if (resource == nullptr) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    return std::vector<unsigned char>(data, data + SizeofResource(nullptr, resource));
}

bool Parse(const std::vector<unsigned char>& bytes, DialogTemplate& dialog) {
    return ParseDialogTemplate(bytes.data(), bytes.size(), dialog);
}

TEST(SettingsDialogResources, TemplateHasTheDialogsStyleFontSizeAndTwelveControls) {
    DialogTemplate dialog;
    ASSERT_TRUE(Parse(Resource(MAKEINTRESOURCEA(225), RT_DIALOG), dialog));
    EXPECT_EQ(dialog.style, kPopup | kBorder | kSetFont | kCenter);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    EXPECT_EQ(dialog.cx, 150);
    EXPECT_EQ(dialog.cy, 119);

    struct Expected {
        int id;
        uint16_t controlClass;
        uint32_t kind;  // the low bits of the style: the control's type
        const char* text;
        int16_t x, y, cx, cy;
    };
    const Expected expected[] = {
        {1, kButtonClass, 0x1, "Start", 7, 98, 32, 14},
        {2, kButtonClass, 0x0, "Exit", 109, 98, 34, 14},
        {-1, kStaticClass, 0x0, "Duskmarch screen saver", 45, 12, 67, 8},
        {-1, kStaticClass, 0xE, nullptr, 7, 7, 21, 20},
        {1000, kComboBoxClass, 0x3, "", 37, 33, 87, 47},
        {-1, kStaticClass, 0x0, "Res:", 11, 35, 16, 9},
        {-1, kStaticClass, 0x0, "Bpp:", 11, 51, 16, 9},
        {1001, kComboBoxClass, 0x3, "", 37, 50, 87, 41},
        {1002, kButtonClass, 0x3, "Fullscreen", 53, 66, 48, 10},
        {1003, kButtonClass, 0x3, "Sound", 53, 76, 37, 10},
        {1004, kButtonClass, 0x0, "About", 49, 98, 50, 14},
        {1005, kStaticClass, 0x0, "", 132, 7, 11, 8},
    };
    ASSERT_EQ(dialog.items.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItemTemplate& item = dialog.items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(static_cast<int16_t>(item.id), want.id);
        EXPECT_TRUE(item.controlClass.isNumber);
        EXPECT_EQ(item.controlClass.number, want.controlClass);
        EXPECT_EQ(item.style & 0x1F, want.kind);
        EXPECT_EQ(item.style & kChildVisible, kChildVisible);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        if (want.text) {
            EXPECT_FALSE(item.text.isNumber);
            EXPECT_EQ(item.text.text, want.text);
        } else {
            EXPECT_TRUE(item.text.isNumber);
            EXPECT_EQ(item.text.number, 227);
        }
        if (want.controlClass == kComboBoxClass) {
            // Positions map to values by the order of adding: never sorted.
            EXPECT_EQ(item.style & kSorted, 0u);
            EXPECT_EQ(item.style & kVerticalScroll, kVerticalScroll);
        }
    }
}

TEST(SettingsDialogResources, EmblemIsA32By32Picture) {
    DibPicture emblem;
    const std::vector<unsigned char> bytes = Resource(MAKEINTRESOURCEA(227), RT_BITMAP);
    ASSERT_TRUE(DecodeDib(bytes.data(), bytes.size(), emblem));
    EXPECT_EQ(emblem.width, 32);
    EXPECT_EQ(emblem.height, 32);
    EXPECT_EQ(bytes.size(), 40u + 32u * 32u * 3u);
}

TEST(DialogTemplateReader, RefusesEveryTruncationOfAGoodTemplate) {
    const std::vector<unsigned char> whole = Resource(MAKEINTRESOURCEA(225), RT_DIALOG);
    ASSERT_FALSE(whole.empty());
    for (size_t size = 0; size < whole.size(); ++size) {
        // An exact-size copy, so that a read past its end is caught.
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(size));
        DialogTemplate dialog;
        EXPECT_FALSE(ParseDialogTemplate(cut.empty() ? nullptr : cut.data(), size, dialog)) << "size " << size;
    }
}

TEST(DialogTemplateReader, RefusesLiesAboutCountsAndSizes) {
    const std::vector<unsigned char> whole = Resource(MAKEINTRESOURCEA(225), RT_DIALOG);
    ASSERT_FALSE(whole.empty());
    DialogTemplate dialog;

    std::vector<unsigned char> moreItems = whole;
    StoreU16LE(&moreItems.at(8), 13);
    EXPECT_FALSE(Parse(moreItems, dialog));
    StoreU16LE(&moreItems.at(8), 0xFFFF);
    EXPECT_FALSE(Parse(moreItems, dialog));

    // The extended layout: version 1, signature 0xFFFF.
    std::vector<unsigned char> extended = whole;
    StoreU32LE(&extended.at(0), 0xFFFF0001u);
    EXPECT_FALSE(Parse(extended, dialog));

    // The last control's creation data claims more bytes than there are.
    std::vector<unsigned char> creation = whole;
    StoreU16LE(&creation.at(creation.size() - 2), 40);
    EXPECT_FALSE(Parse(creation, dialog));

    // A caption without its terminator runs to the end of the data.
    std::vector<unsigned char> unterminated(18 + 4, 0);
    StoreU16LE(&unterminated.at(18 + 0), 0);  // no menu
    StoreU16LE(&unterminated.at(18 + 2), 0);  // no class
    unterminated.push_back('A');
    unterminated.push_back(0);
    EXPECT_FALSE(Parse(unterminated, dialog));
}

TEST(DialogTemplateReader, ReadsNamedClassesAndTextsBeyondTheBasicCharacters) {
    // One control of a named class whose text holds an accented letter and a
    // character outside the basic plane (a surrogate pair).
    ByteWriter out;
    out.U32(kPopup);
    out.U32(0);
    out.U16(1);
    for (int i = 0; i < 4; ++i) out.U16(10);
    out.U16(0);
    out.U16(0);
    for (uint16_t c : std::initializer_list<uint16_t>{'T', 'i', 't', 0}) out.U16(c);
    out.Align(4);
    out.U32(kChildVisible);
    out.U32(0);
    for (int i = 0; i < 4; ++i) out.U16(5);
    out.U16(42);
    for (uint16_t c : std::initializer_list<uint16_t>{'M', 'y', 0}) out.U16(c);
    for (uint16_t c : std::initializer_list<uint16_t>{0x00E9, 0xD83D, 0xDE80, 0xDC00, 0}) out.U16(c);
    out.U16(4);  // creation data: its size word and two bytes
    out.U16(0xABCD);

    DialogTemplate dialog;
    ASSERT_TRUE(Parse(out.bytes, dialog));
    EXPECT_EQ(dialog.caption, "Tit");
    EXPECT_EQ(dialog.pointSize, 0);
    ASSERT_EQ(dialog.items.size(), 1u);
    EXPECT_EQ(dialog.items[0].id, 42);
    EXPECT_FALSE(dialog.items[0].controlClass.isNumber);
    EXPECT_EQ(dialog.items[0].controlClass.text, "My");
    // A lone low surrogate becomes the replacement character.
    EXPECT_EQ(dialog.items[0].text.text, "\xC3\xA9\xF0\x9F\x9A\x80\xEF\xBF\xBD");
}

// A BITMAPINFOHEADER followed by the pixels of a width x height picture.
std::vector<unsigned char> MakeDib(int32_t width, int32_t height, uint16_t bits, size_t pixelBytes) {
    std::vector<unsigned char> bytes(40 + pixelBytes, 0);
    StoreU32LE(&bytes.at(0), 40);
    StoreU32LE(&bytes.at(4), static_cast<uint32_t>(width));
    StoreU32LE(&bytes.at(8), static_cast<uint32_t>(height));
    StoreU16LE(&bytes.at(12), 1);
    StoreU16LE(&bytes.at(14), bits);
    return bytes;
}

TEST(DibReader, ReadsRowsInEitherOrderAndSkipsTheirPadding) {
    // 3 x 2 pixels, 24 bits: 9 bytes a row padded to 12.
    std::vector<unsigned char> bottomUp = MakeDib(3, 2, 24, 24);
    const unsigned char bottomRow[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const unsigned char topRow[] = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    std::memcpy(&bottomUp[40], bottomRow, 9);
    std::memcpy(&bottomUp[52], topRow, 9);
    DibPicture picture;
    ASSERT_TRUE(DecodeDib(bottomUp.data(), bottomUp.size(), picture));
    ASSERT_EQ(picture.rgb.size(), 18u);
    // Top row first, blue and red swapped into RGB.
    EXPECT_EQ(picture.rgb[0], 13);
    EXPECT_EQ(picture.rgb[2], 11);
    EXPECT_EQ(picture.rgb[9], 3);
    EXPECT_EQ(picture.rgb[17], 7);

    std::vector<unsigned char> topDown = bottomUp;
    StoreU32LE(&topDown.at(8), static_cast<uint32_t>(-2));
    ASSERT_TRUE(DecodeDib(topDown.data(), topDown.size(), picture));
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.rgb[0], 3);
}

TEST(DibReader, RefusesWhatItCannotReadSafely) {
    DibPicture picture;
    const std::vector<unsigned char> good = MakeDib(2, 2, 32, 16);
    ASSERT_TRUE(DecodeDib(good.data(), good.size(), picture));

    const std::vector<unsigned char> short_ = MakeDib(2, 2, 32, 15);
    EXPECT_FALSE(DecodeDib(short_.data(), short_.size(), picture));
    std::vector<unsigned char> compressed = good;
    StoreU32LE(&compressed.at(16), 1);
    EXPECT_FALSE(DecodeDib(compressed.data(), compressed.size(), picture));
    const std::vector<unsigned char> palette = MakeDib(2, 2, 8, 64);
    EXPECT_FALSE(DecodeDib(palette.data(), palette.size(), picture));
    std::vector<unsigned char> colourTable = good;
    StoreU32LE(&colourTable.at(32), 0x40000000u);
    EXPECT_FALSE(DecodeDib(colourTable.data(), colourTable.size(), picture));
    std::vector<unsigned char> headerTooLong = good;
    StoreU32LE(&headerTooLong.at(0), 0x7FFFFFFFu);
    EXPECT_FALSE(DecodeDib(headerTooLong.data(), headerTooLong.size(), picture));
    const std::vector<unsigned char> huge = MakeDib(100000, 1, 24, 16);
    EXPECT_FALSE(DecodeDib(huge.data(), huge.size(), picture));
    const std::vector<unsigned char> lowest = MakeDib(1, INT32_MIN, 24, 16);
    EXPECT_FALSE(DecodeDib(lowest.data(), lowest.size(), picture));
    EXPECT_FALSE(DecodeDib(good.data(), 39, picture));
}

}  // namespace
