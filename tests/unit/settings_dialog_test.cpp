// The settings dialog's procedure and RunSettingsDialog, driven through the
// fake dialog host: what the user sees, the countdown against the dialog
// clock, and the settings every way of ending the dialog leaves behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/settings_dialog.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_platform.h"

namespace {

struct Outcome {
    int32_t result;
    Settings settings;
};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }

    // Runs the dialog with `script` as the user, starting from `start`.
    static Outcome Run(std::function<void(HWND)> script, Settings start = Settings{800, 600, 32, true, true}) {
        fake::SetDialogScript(std::move(script));
        Outcome outcome{0, start};
        RunSettingsDialog(GetModuleHandleA(nullptr), outcome.result, outcome.settings.width,
                          outcome.settings.height, outcome.settings.bits, outcome.settings.fullscreen,
                          outcome.settings.sound);
        return outcome;
    }

    // Moves the clocks on to `ms` milliseconds after the dialog opened (the
    // fake clocks stand at 0 when it opens) and delivers one timer tick.
    static void TickAt(uint64_t ms) {
        fake::AdvanceClocks(ms - now);
        now = ms;
        fake::TickTimers();
    }

    static inline uint64_t now = 0;
};

void ExpectSettings(const Settings& actual, int32_t width, int32_t height, int32_t bits, bool fullscreen,
                    bool sound) {
    EXPECT_EQ(actual.width, width);
    EXPECT_EQ(actual.height, height);
    EXPECT_EQ(actual.bits, bits);
    EXPECT_EQ(actual.fullscreen, fullscreen);
    EXPECT_EQ(actual.sound, sound);
}

// The user's choices that differ from every initial one.
void ChooseSmallest(HWND) {
    fake::ChooseListEntry(kResolutionList, 3);
    fake::ChooseListEntry(kDepthList, 2);
    fake::ClickCheckBox(kFullscreenBox);
    fake::ClickCheckBox(kSoundBox);
}

// Whatever the settings file said, the dialog opens on its own first
// choices, so pressing Start gives the same start.
TEST_F(SettingsDialogTest, OpensWithTheChoiceListsTheFirstEntriesAndBothBoxesTicked) {
    bool looked = false;
    const Outcome outcome = Run([&](HWND) {
        looked = true;
        EXPECT_EQ(fake::ListEntries(kResolutionList),
                  (std::vector<std::string>{"1024x768", "800x600", "640x480", "320x200"}));
        EXPECT_EQ(fake::ListEntries(kDepthList), (std::vector<std::string>{"32", "16", "8"}));
        EXPECT_EQ(fake::ListSelection(kResolutionList), 0);
        EXPECT_EQ(fake::ListSelection(kDepthList), 0);
        EXPECT_EQ(fake::CheckState(kFullscreenBox), BST_CHECKED);
        EXPECT_EQ(fake::CheckState(kSoundBox), BST_CHECKED);
        EXPECT_EQ(fake::TimerPeriod(0), 100u);
        EXPECT_EQ(fake::ControlText(kCountdownText), "");
        fake::PressButton(IDOK);
    }, Settings{320, 200, 8, false, false});
    ASSERT_TRUE(looked);
    EXPECT_EQ(outcome.result, kDialogStart);
    ExpectSettings(outcome.settings, 1024, 768, 32, true, true);
}

TEST_F(SettingsDialogTest, CountdownShowsTheSecondsLeftAndStartsInTheTwentyNinthSecond) {
    struct Reading {
        uint64_t ms;
        const char* text;
        bool ended;
    };
    // The dialog clock's milliseconds per tick is a single-precision float,
    // so readings sit a millisecond off the whole seconds.
    const Reading readings[] = {{100, "30", false},   {999, "30", false},   {1001, "29", false},
                                {15500, "15", false}, {28999, "2", false},  {29001, "1", true},
                                {29999, "1", true}};
    now = 0;
    const Outcome outcome = Run([&](HWND) {
        for (const Reading& reading : readings) {
            TickAt(reading.ms);
            EXPECT_EQ(fake::ControlText(kCountdownText), reading.text) << "at " << reading.ms << " ms";
            EXPECT_EQ(fake::DialogEnded(), reading.ended) << "at " << reading.ms << " ms";
        }
    });
    EXPECT_EQ(outcome.result, kDialogStart);
    ExpectSettings(outcome.settings, 1024, 768, 32, true, true);

    // A tick after the thirtieth second leaves the text and still starts.
    fake::Reset();
    now = 0;
    EXPECT_EQ(Run([](HWND) {
                  TickAt(28500);
                  TickAt(30001);  // the thread was held up through the whole 29th second
                  EXPECT_EQ(fake::ControlText(kCountdownText), "2");
                  EXPECT_TRUE(fake::DialogEnded());
              }).result,
              kDialogStart);
}

TEST_F(SettingsDialogTest, EveryWayOfEndingStoresTheChoicesMadeSoFar) {
    struct Ending {
        const char* name;
        std::function<void()> end;
        int32_t result;
    };
    const Ending endings[] = {
        {"Start", [] { fake::PressButton(IDOK); }, kDialogStart},
        // Escape, Alt+F4 and the close button all reach the procedure as Exit.
        {"Exit", [] { fake::PressButton(IDCANCEL); }, kDialogExit},
        {"countdown", [] { TickAt(29500); }, kDialogStart},
    };
    for (const Ending& ending : endings) {
        fake::Reset();
        now = 0;
        const Outcome outcome = Run([&](HWND dialog) {
            ChooseSmallest(dialog);
            EXPECT_FALSE(fake::DialogEnded()) << "choosing must not end the dialog";
            ending.end();
        });
        EXPECT_EQ(outcome.result, ending.result) << ending.name;
        ExpectSettings(outcome.settings, 320, 200, 8, false, false);
        EXPECT_EQ(fake::TimerPeriod(0), 0u) << ending.name << ": the countdown stopped";
    }
}

TEST_F(SettingsDialogTest, AboutShowsItsBoxOverTheDialogAndChangesNoChoice) {
    HWND shownOver = nullptr;
    const Outcome outcome = Run([&](HWND dialog) {
        shownOver = dialog;
        fake::ChooseListEntry(kResolutionList, 2);
        fake::ClickCheckBox(kSoundBox);
        EXPECT_EQ(fake::PressButton(kAboutButton), 1);
        // A notification other than a click shows nothing.
        fake::SendToDialog(WM_COMMAND, MAKEWPARAM(kAboutButton, 1), 0);
        EXPECT_FALSE(fake::DialogEnded());
        fake::PressButton(IDOK);
    });
    EXPECT_EQ(fake::MessageBoxesShown(),
              std::vector<std::string>{"    -=> Duskmarch screensaver <=-\n" + std::string(35, ' ') +
                                       "|About Corvane|0x40|" + fake::Hex(reinterpret_cast<uintptr_t>(shownOver))});
    EXPECT_EQ(outcome.result, kDialogStart);
    ExpectSettings(outcome.settings, 640, 480, 32, true, false);
}

TEST_F(SettingsDialogTest, NoSelectionInAListLeavesItsValuesAsTheyWere) {
    const Outcome outcome = Run([](HWND dialog) {
        // A position outside a list clears its selection.
        SendDlgItemMessageA(dialog, kResolutionList, CB_SETCURSEL, 9, 0);
        SendDlgItemMessageA(dialog, kDepthList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        fake::PressButton(IDOK);
    }, Settings{640, 480, 16, false, false});
    EXPECT_EQ(outcome.result, kDialogStart);
    ExpectSettings(outcome.settings, 640, 480, 16, true, true);
}

TEST_F(SettingsDialogTest, PaintGoesToTheDefaultProcedureAndOtherMessagesAreLeftToIt) {
    Run([](HWND) {
        EXPECT_TRUE(fake::DialogNeedsPaint());
        EXPECT_EQ(fake::SendToDialog(WM_PAINT), 1);
        EXPECT_FALSE(fake::DialogNeedsPaint()) << "painted by the default procedure";
        EXPECT_EQ(fake::SendToDialog(WM_SIZE), 0);
        EXPECT_EQ(fake::SendToDialog(WM_KEYDOWN, VK_RETURN), 0);
        EXPECT_FALSE(fake::DialogEnded());
        fake::PressButton(IDCANCEL);
    });
}

// Run in a fresh process: the program-start state is what a failed dialog
// falls back to, and earlier tests in this process have overwritten it.
TEST_F(SettingsDialogTest, ADialogThatCannotOpenGivesWindowed1024x768WithoutSound) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            fake::Reset();
            fake::FailCall("DialogBoxParamA");
            Outcome outcome = Run([](HWND) {});
            const bool procedureRan = fake::ListEntries(kResolutionList).size() > 0;
            const Settings& s = outcome.settings;
            const bool expected = outcome.result == -1 && s.width == 1024 && s.height == 768 && s.bits == 32 &&
                                  !s.fullscreen && !s.sound && !procedureRan;
            std::exit(expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
