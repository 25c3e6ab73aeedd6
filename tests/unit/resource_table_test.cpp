// The embedded resource table's own rule: the first matching entry wins.
// Lookups through FindResourceA are contract cases (tests/contract/).
#include <gtest/gtest.h>

#include "platform/common/resource_table.h"

TEST(ResourceTable, TheFirstMatchingEntryWins) {
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
