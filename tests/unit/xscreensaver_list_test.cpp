// The hack's entry added to an xscreensaver programs list (corvane-saver-enable).
#include <gtest/gtest.h>

#include <string>

#include "saver/linux/xscreensaver_list.h"

namespace {

const std::string kEntryLine = "  GL: \t\t\t\tcorvane-saver --root\t\t\t    \\n\\\n";

ListEdit Add(const std::string& text, std::string& updated) {
    std::string reason;
    return AddCorvaneEntry(text, updated, reason);
}

}  // namespace

// As xscreensaver-settings writes the list: the entry goes in as one whole
// line after the last hack, and a second run finds it.
TEST(XScreenSaverList, AddsOneLineAfterTheLastHackOnce) {
    const std::string head = "# XScreenSaver Preferences File\nmode:\t\tone\nselected:\t1\n\nprograms:\t\t\\\n"
                             "\t\t\t\tmaze --root\t\t\\n\\\n- GL: \t\tsuperquadrics --root\t\\n\\\n";
    const std::string tail = "\n\npointerHysteresis:  10\n";
    std::string updated;
    ASSERT_EQ(Add(head + tail, updated), ListEdit::Added);
    EXPECT_EQ(updated, head + kEntryLine + tail);
    std::string again;
    EXPECT_EQ(Add(updated, again), ListEdit::AlreadyListed);
}

TEST(XScreenSaverList, ListsOnHandWrittenAndMissingLists) {
    std::string updated;
    ASSERT_EQ(Add("programs: maze -root", updated), ListEdit::Added);
    EXPECT_EQ(updated, "programs: maze -root\\n\\\n" + kEntryLine.substr(0, kEntryLine.size() - 2));
    ASSERT_EQ(Add("timeout: 0:10:00", updated), ListEdit::Added);
    EXPECT_EQ(updated, "timeout: 0:10:00\nprograms:\t\t\t\t\t\t\t\t      \\\n" + kEntryLine + "\n");
    ASSERT_EQ(Add("timeout: 0:10:00 \\\n", updated), ListEdit::Added);  // a line going on into the end
    EXPECT_EQ(updated, "timeout: 0:10:00 \\\n\nprograms:\t\t\t\t\t\t\t\t      \\\n" + kEntryLine + "\n");
    ASSERT_EQ(Add("", updated), ListEdit::Added);
    EXPECT_EQ(updated, "programs:\t\t\t\t\t\t\t\t      \\\n" + kEntryLine + "\n");
}

// Any form of an entry running it, enabled or not, by name or path, counts;
// a hack whose name merely contains it does not.
TEST(XScreenSaverList, FindsTheHackInAnyEntryForm) {
    std::string updated;
    EXPECT_EQ(Add("programs: GL: corvane-saver --root \\n", updated), ListEdit::AlreadyListed);
    EXPECT_EQ(Add("programs: maze \\n\\\n- GL: \"Corvane\" /opt/c/corvane-saver --root \\n\\\n\n", updated),
              ListEdit::AlreadyListed);
    EXPECT_EQ(Add("programs: GL: corvane-saver-old --root \\n", updated), ListEdit::Added);
}

TEST(XScreenSaverList, RefusesWhatIsNotAResourceFile) {
    std::string updated, reason;
    EXPECT_EQ(AddCorvaneEntry("timeout: 0:10:00\nthis is no setting\n", updated, reason), ListEdit::Refused);
    EXPECT_NE(reason.find("line 2"), std::string::npos) << reason;
    EXPECT_EQ(AddCorvaneEntry(std::string("timeout: 1\0\n", 12), updated, reason), ListEdit::Refused);
    EXPECT_EQ(AddCorvaneEntry(": no name\n", updated, reason), ListEdit::Refused);
}
