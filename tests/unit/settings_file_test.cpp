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

    // The settings the file gives over the built-in ones, as "W H BITS FULL SOUND".
    std::string Read(const std::string& content) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        EXPECT_NE(file, nullptr);
        std::fputs(content.c_str(), file);
        std::fclose(file);
        Settings settings{800, 600, 32, true, true};
        EXPECT_TRUE(ReadSettingsFile(path.c_str(), settings));
        return Shown(settings);
    }

    static std::string Shown(const Settings& s) {
        return std::to_string(s.width) + " " + std::to_string(s.height) + " " + std::to_string(s.bits) + " " +
               (s.fullscreen ? "1" : "0") + " " + (s.sound ? "1" : "0");
    }

    const std::string path = ::testing::TempDir() + "corvane_settings_test.cfg";
};

TEST_F(SettingsFileTest, EachFileGivesWhatItsLeadingNumbersSay) {
    // What the file holds, and the settings it gives: flags are true only for
    // exactly 1, values are not validated, numbers out of range saturate, and
    // reading stops at the first thing that is not a number, keeping the
    // built-in values of what it did not read.
    const char* const cases[][2] = {
        {"1024 768 32 1 1", "1024 768 32 1 1"},
        {"320\t200\n8\r\n0 \n\n 0\n", "320 200 8 0 0"},
        {"+640 480 16 1 0 and anything after", "640 480 16 1 0"},
        {"800 600 32 2 -1", "800 600 32 0 0"},
        {"800 600 32 11 01", "800 600 32 0 1"},
        {"-5 0 7 1 1", "-5 0 7 1 1"},
        {"99999999999999999999999999 -2147483649 2147483647 4294967297 1", "2147483647 -2147483648 2147483647 0 1"},
        {"-2147483648 0 0 0 0", "-2147483648 0 0 0 0"},
        {"1280 1024", "1280 1024 32 1 1"},
        {"1280 1024 16 0", "1280 1024 16 0 1"},
        {"", "800 600 32 1 1"},
        {"garbage 1 2 3 4", "800 600 32 1 1"},
        {"1024x768 16 0 0", "1024 600 32 1 1"},
        {"640 - 480", "640 600 32 1 1"},
    };
    for (const auto& [content, expected] : cases) EXPECT_EQ(Read(content), expected) << '"' << content << '"';
    EXPECT_EQ(Read(std::string("1\0 2 3 4 5", 10)), "1 600 32 1 1") << "a NUL byte ends the numbers";
}

TEST_F(SettingsFileTest, AMissingFileChangesNothing) {
    Settings settings{800, 600, 32, true, true};
    EXPECT_FALSE(ReadSettingsFile((::testing::TempDir() + "no_such_corvane.cfg").c_str(), settings));
    EXPECT_EQ(Shown(settings), "800 600 32 1 1");
}

}  // namespace
