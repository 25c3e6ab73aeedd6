// The program's own resources as Windows finds them: names and string types
// without regard to case, numbers only as numbers ("#258" is the number 258),
// and for a missing name nothing all the way down. The resource section on
// Windows, the embedded table elsewhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/win32.h"

namespace {

const unsigned char* Bytes(HRSRC resource) {
    return static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
}

TEST(PlatformResources, PicturesModelsAndSoundsAreFoundWhateverTheCase) {
    const HRSRC picture = FindResourceA(GetModuleHandleA(nullptr), "s1.jpg", "JPG");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "S1.JPG", "jpg"), picture);
    EXPECT_EQ(FindResourceA(nullptr, "S1.jpg", "Jpg"), picture);
    EXPECT_EQ(Bytes(picture)[0], 0xff);
    EXPECT_EQ(Bytes(picture)[1], 0xd8);

    const HRSRC room = FindResourceA(nullptr, "room", "MDL");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", "mdl"), room);
    EXPECT_EQ(SizeofResource(nullptr, room), 244376u);
    EXPECT_EQ(std::memcmp(Bytes(room), "MS3D000000", 10), 0);

    const HRSRC alert = FindResourceA(nullptr, "ALERT", "WAVE");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(std::memcmp(Bytes(alert), "RIFF", 4), 0);
}

TEST(PlatformResources, TypeAndNameMustBothMatchAndMissingOnesGiveNothingDownTheChain) {
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "S1", "JPG"), nullptr);  // the extension is part of the name
    EXPECT_EQ(FindResourceA(nullptr, "S1.JPG.", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ALERT", "WAV"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, nullptr, "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", nullptr), nullptr);

    const HRSRC missing = FindResourceA(nullptr, "unnamed.jpg", "JPG");
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(LoadResource(nullptr, missing), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, missing), 0u);
}

TEST(PlatformResources, NumberedTypesAndNamesMatchOnlyNumbers) {
    const HRSRC dialog = FindResourceA(nullptr, MAKEINTRESOURCEA(225), RT_DIALOG);
    ASSERT_NE(dialog, nullptr) << "dialog 225 is not embedded";
    const HRSRC bitmap = FindResourceA(nullptr, MAKEINTRESOURCEA(227), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr) << "bitmap 227 is not embedded";
    // Stored as the resource compiler stores a bitmap: from the info header on.
    uint32_t headerSize = 0;
    std::memcpy(&headerSize, Bytes(bitmap), 4);
    EXPECT_EQ(headerSize, 40u);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(227), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(225), RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "225", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(225), "5"), nullptr);
    // "#N" is the written form of the number N, for names and types alike.
    EXPECT_EQ(FindResourceA(nullptr, "#225", RT_DIALOG), dialog);
    EXPECT_EQ(FindResourceA(nullptr, "#227", "#2"), bitmap);
    EXPECT_EQ(FindResourceA(nullptr, "#0227", "#2"), bitmap);
    EXPECT_EQ(FindResourceA(nullptr, "#", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#22x", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#65761", RT_DIALOG), nullptr);  // 225 + 65536 is no number of 16 bits
}

}  // namespace
