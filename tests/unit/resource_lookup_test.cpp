// Finding the program's own resources by type and name, as Windows does:
// names and string types without regard to case, numbers only as numbers.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/common/resource_table.h"
#include "platform/win32.h"

namespace {

const unsigned char* Bytes(HRSRC resource) {
    return static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
}

TEST(ResourceLookup, NamesAndTypesIgnoreCase) {
    const HRSRC upper = FindResourceA(nullptr, "S1.JPG", "JPG");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "s1.jpg", "JPG"), upper);
    EXPECT_EQ(FindResourceA(nullptr, "S1.jpg", "jpg"), upper);
    const HRSRC room = FindResourceA(GetModuleHandleA(nullptr), "room", "MDL");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", "mdl"), room);
    EXPECT_EQ(std::memcmp(Bytes(room), "MS3D000000", 10), 0);
    EXPECT_GT(SizeofResource(nullptr, room), 14u);
}

TEST(ResourceLookup, TypeAndNameMustBothMatch) {
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "S1", "JPG"), nullptr);  // the extension is part of the name
    EXPECT_EQ(FindResourceA(nullptr, "S1.JPG.", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "nothing.jpg", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "", "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ALERT", "WAV"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, nullptr, "JPG"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "ROOM", nullptr), nullptr);
}

TEST(ResourceLookup, MissingResourcesGiveNothingDownTheChain) {
    const HRSRC missing = FindResourceA(nullptr, "unnamed.jpg", "JPG");
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(LoadResource(nullptr, missing), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, missing), 0u);
}

TEST(ResourceLookup, NumberedTypesAndNamesMatchOnlyNumbers) {
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

TEST(ResourceLookup, TheFirstMatchingEntryOfATableWins) {
    static const unsigned char a[] = {1}, b[] = {2, 2};
    const ResourceEntry table[] = {
        {"PIC", 0, "X.JPG", 0, a, 1}, {"PIC", 0, "X.JPG", 0, b, 2}, {nullptr, 7, nullptr, 9, b, 2}};
    const ResourceEntry* found = FindResourceEntry(table, 3, "x.jpg", "pic");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->data, a);
    EXPECT_EQ(FindResourceEntry(table, 3, MAKEINTRESOURCEA(9), MAKEINTRESOURCEA(7)), &table[2]);
    EXPECT_EQ(FindResourceEntry(table, 1, MAKEINTRESOURCEA(9), MAKEINTRESOURCEA(7)), nullptr);
    EXPECT_EQ(FindResourceEntry(table, 0, "X.JPG", "PIC"), nullptr);
}

}  // namespace
