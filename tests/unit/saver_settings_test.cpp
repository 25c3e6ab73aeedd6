// The Windows screen saver's stored settings: defaults for what is missing,
// out-of-range delays clamped, any non-zero flag on.
#include <gtest/gtest.h>

#include "saver/windows/saver_settings.h"

namespace {

StoredDword Absent() { return {}; }
StoredDword Dword(uint32_t value) { return {true, value}; }

TEST(SaverSettingsTest, MissingValuesGiveASilentSaverWithoutFrameRateAtTheDefaultDelay) {
    SaverSettings settings = SaverSettingsFromStored(Absent(), Absent(), Absent());
    EXPECT_FALSE(settings.sound);
    EXPECT_FALSE(settings.showFps);
    EXPECT_EQ(settings.delayMicroseconds, 20000);
}

TEST(SaverSettingsTest, StoredValuesInRangeAreTakenAndAnyNonZeroFlagIsOn) {
    SaverSettings settings = SaverSettingsFromStored(Dword(1), Dword(7), Dword(0));
    EXPECT_TRUE(settings.sound);
    EXPECT_TRUE(settings.showFps);
    EXPECT_EQ(settings.delayMicroseconds, 0);
    EXPECT_EQ(SaverSettingsFromStored(Dword(0), Dword(0), Dword(10000000)).delayMicroseconds, 10000000);
    EXPECT_FALSE(SaverSettingsFromStored(Dword(0), Dword(0), Dword(5)).sound);
}

TEST(SaverSettingsTest, DelaysOutOfRangeAreClampedToTheNearestEnd) {
    auto delayOf = [](uint32_t stored) { return SaverSettingsFromStored(Absent(), Absent(), Dword(stored)); };
    EXPECT_EQ(delayOf(10000001).delayMicroseconds, kMaxSaverDelayMicroseconds);
    EXPECT_EQ(delayOf(0x7FFFFFFFu).delayMicroseconds, kMaxSaverDelayMicroseconds);
    EXPECT_EQ(delayOf(0xFFFFFFFFu).delayMicroseconds, 0);  // written as -1
    EXPECT_EQ(delayOf(0x80000000u).delayMicroseconds, 0);
    EXPECT_EQ(ClampDelayMicroseconds(-1), 0);
    EXPECT_EQ(ClampDelayMicroseconds(int64_t{1} << 40), kMaxSaverDelayMicroseconds);
}

}  // namespace
