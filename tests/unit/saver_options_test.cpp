// The saver's options as xscreensaver and Windows pass them: what is accepted
// and what it means, and what is refused with a reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/saver_options.h"

namespace {

bool ParseHack(std::vector<const char*> arguments, SaverOptions& options, std::string& error) {
    return ParseHackArguments(static_cast<int>(arguments.size()), arguments.data(), options, error);
}

TEST(SaverOptions, HackArgumentsWithOneOrTwoDashes) {
    SaverOptions options;
    std::string error;
    ASSERT_TRUE(ParseHack({}, options, error));
    EXPECT_EQ(options.target, SaverTarget::OwnWindow);
    EXPECT_FALSE(options.showFps);
    EXPECT_FALSE(options.sound);
    EXPECT_EQ(options.delayMicroseconds, 20000);

    ASSERT_TRUE(ParseHack({"--root", "-fps", "--sound", "-delay", "0"}, options, error)) << error;
    EXPECT_EQ(options.target, SaverTarget::Root);
    EXPECT_TRUE(options.showFps);
    EXPECT_TRUE(options.sound);
    EXPECT_EQ(options.delayMicroseconds, 0);

    // A window id wins over --root, whichever comes first; hex or decimal.
    ASSERT_TRUE(ParseHack({"--window-id", "0x2A00007", "-root"}, options, error)) << error;
    EXPECT_EQ(options.target, SaverTarget::GivenWindow);
    EXPECT_EQ(options.windowId, 0x2A00007u);
    ASSERT_TRUE(ParseHack({"-root", "-window-id", "44040199"}, options, error)) << error;
    EXPECT_EQ(options.target, SaverTarget::GivenWindow);
    EXPECT_EQ(options.windowId, 44040199u);

    ASSERT_TRUE(ParseHack({"--root", "--window"}, options, error));
    EXPECT_EQ(options.target, SaverTarget::OwnWindow);
    ASSERT_TRUE(ParseHack({"--delay", "10000000", "--version"}, options, error));
    EXPECT_EQ(options.delayMicroseconds, 10000000);
    EXPECT_TRUE(options.showVersion);
}

TEST(SaverOptions, BadHackArgumentsAreRefusedWithAReason) {
    const std::vector<std::vector<const char*>> cases = {
        {"--bogus"},           {"root"},         {"-"},
        {"--delay"},           {"--delay", "-5"}, {"--delay", "fast"},
        {"--delay", "10000001"}, {"--delay", "99999999999999999999"},
        {"--window-id"},       {"--window-id", "0"}, {"--window-id", "0x"},
        {"--window-id", "12ab"}, {"--window-id", "0x1FFFFFFFFFFFFFFFF"}, {"--fps", "--window-id", "-3"},
    };
    for (const auto& arguments : cases) {
        SaverOptions options;
        options.delayMicroseconds = 777;
        std::string error;
        std::string shown;
        for (const char* argument : arguments) shown += std::string(argument) + " ";
        EXPECT_FALSE(ParseHack(arguments, options, error)) << shown;
        EXPECT_FALSE(error.empty()) << shown;
        EXPECT_EQ(options.delayMicroseconds, 777) << shown << "changed the options";
    }
}

TEST(SaverOptions, ScrCommandLinesAsWindowsWritesThem) {
    struct Case {
        const char* line;
        SaverTarget target;
        uint64_t window;
    };
    const Case cases[] = {
        {"/s", SaverTarget::CoverScreen, 0},   {"-s", SaverTarget::CoverScreen, 0},
        {"/S", SaverTarget::CoverScreen, 0},   {"  /s  ", SaverTarget::CoverScreen, 0},
        {"/p 1234", SaverTarget::Preview, 1234}, {"/p:1234", SaverTarget::Preview, 1234},
        {"/P   987654", SaverTarget::Preview, 987654}, {"/c", SaverTarget::Settings, 0},
        {"/c:4567", SaverTarget::Settings, 4567}, {"", SaverTarget::Settings, 0},
        {nullptr, SaverTarget::Settings, 0},
    };
    for (const Case& c : cases) {
        SaverOptions options;
        std::string error;
        ASSERT_TRUE(ParseScrCommandLine(c.line, options, error)) << (c.line ? c.line : "(null)") << ": " << error;
        EXPECT_EQ(options.target, c.target) << (c.line ? c.line : "(null)");
        EXPECT_EQ(options.windowId, c.window) << (c.line ? c.line : "(null)");
    }
    for (const char* bad : {"/p", "/p:", "/p abc", "/p 0", "/x", "s", "/sx", "/c:zz", "/"}) {
        SaverOptions options;
        std::string error;
        EXPECT_FALSE(ParseScrCommandLine(bad, options, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

}  // namespace
