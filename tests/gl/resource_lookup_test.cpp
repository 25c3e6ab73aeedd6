// The program's own resources through the real platform: the resource
// section on Windows, the embedded table on Linux. Lookups ignore case and
// a missing name finds nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32.h"

namespace {

TEST(PlatformResources, FindPicturesModelsAndSoundsWhateverTheCase) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC picture = FindResourceA(module, "s1.jpg", "JPG");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(FindResourceA(module, "S1.JPG", "jpg"), picture);
    const unsigned char* jpeg = static_cast<const unsigned char*>(LockResource(LoadResource(module, picture)));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg[0], 0xff);
    EXPECT_EQ(jpeg[1], 0xd8);

    const HRSRC room = FindResourceA(module, "room", "MDL");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(SizeofResource(module, room), 244376u);
    EXPECT_EQ(std::memcmp(LockResource(LoadResource(module, room)), "MS3D000000", 10), 0);

    const HRSRC alert = FindResourceA(module, "ALERT", "WAVE");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(std::memcmp(LockResource(LoadResource(module, alert)), "RIFF", 4), 0);
}

TEST(PlatformResources, MissingNamesAndWrongTypesFindNothing) {
    const HMODULE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(FindResourceA(module, "unnamed.jpg", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(module, "room", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(module, "s1", "JPG"), nullptr);
}

TEST(PlatformResources, TheDialogAndItsBitmapHaveNumbers) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC dialog = FindResourceA(module, MAKEINTRESOURCEA(225), RT_DIALOG);
    EXPECT_NE(dialog, nullptr);
    EXPECT_EQ(FindResourceA(module, "#225", RT_DIALOG), dialog);
    const HRSRC bitmap = FindResourceA(module, MAKEINTRESOURCEA(227), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr);
    uint32_t headerSize = 0;
    std::memcpy(&headerSize, LockResource(LoadResource(module, bitmap)), 4);
    EXPECT_EQ(headerSize, 40u);  // stored from the info header on, without the file header
}

}  // namespace
