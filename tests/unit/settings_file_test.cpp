// Reading the start-up settings file: well-formed files, flags other than 1,
// and files that are short, garbled or hold numbers out of range.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/settings_file.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(path.c_str()); }

    Settings Read(const std::string& content) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        EXPECT_NE(file, nullptr);
        std::fputs(content.c_str(), file);
        std::fclose(file);
        Settings settings{800, 600, 32, true, true};
        EXPECT_TRUE(ReadSettingsFile(path.c_str(), settings));
        return settings;
    }

    const std::string path = ::testing::TempDir() + "corvane_settings_test.cfg";
};

void ExpectSettings(const Settings& settings, int32_t width, int32_t height, int32_t bits, bool fullscreen,
                    bool sound) {
    EXPECT_EQ(settings.width, width);
    EXPECT_EQ(settings.height, height);
    EXPECT_EQ(settings.bits, bits);
    EXPECT_EQ(settings.fullscreen, fullscreen);
    EXPECT_EQ(settings.sound, sound);
}

TEST_F(SettingsFileTest, FiveNumbersSeparatedByAnyWhiteSpace) {
    ExpectSettings(Read("1024 768 32 1 1"), 1024, 768, 32, true, true);
    ExpectSettings(Read("320\t200\n8\r\n0 \n\n 0\n"), 320, 200, 8, false, false);
    ExpectSettings(Read("+640 480 16 1 0 and anything after"), 640, 480, 16, true, false);
}

TEST_F(SettingsFileTest, FlagsAreTrueOnlyForExactlyOne) {
    ExpectSettings(Read("800 600 32 2 -1"), 800, 600, 32, false, false);
    ExpectSettings(Read("800 600 32 11 01"), 800, 600, 32, false, true);
}

TEST_F(SettingsFileTest, ValuesAreTakenAsReadWithoutValidation) {
    ExpectSettings(Read("-5 0 7 1 1"), -5, 0, 7, true, true);
}

TEST_F(SettingsFileTest, AShortFileKeepsTheValuesNotRead) {
    ExpectSettings(Read("1280 1024"), 1280, 1024, 32, true, true);
    ExpectSettings(Read("1280 1024 16 0"), 1280, 1024, 16, false, true);
    ExpectSettings(Read(""), 800, 600, 32, true, true);
}

TEST_F(SettingsFileTest, ReadingStopsAtTheFirstThingThatIsNotANumber) {
    ExpectSettings(Read("garbage 1 2 3 4"), 800, 600, 32, true, true);
    ExpectSettings(Read("1024x768 16 0 0"), 1024, 600, 32, true, true);
    ExpectSettings(Read("640 - 480"), 640, 600, 32, true, true);
    ExpectSettings(Read(std::string("1\0 2 3 4 5", 10)), 1, 600, 32, true, true);
}

TEST_F(SettingsFileTest, NumbersOutOfRangeSaturate) {
    ExpectSettings(Read("99999999999999999999999999 -2147483649 2147483647 4294967297 1"), INT32_MAX, INT32_MIN,
                   INT32_MAX, false, true);
    ExpectSettings(Read("-2147483648 0 0 0 0"), INT32_MIN, 0, 0, false, false);
}

TEST_F(SettingsFileTest, AMissingFileChangesNothing) {
    Settings settings{800, 600, 32, true, true};
    EXPECT_FALSE(ReadSettingsFile((::testing::TempDir() + "no_such_corvane.cfg").c_str(), settings));
    ExpectSettings(settings, 800, 600, 32, true, true);
}

}  // namespace
