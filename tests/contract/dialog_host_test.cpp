// Modal dialogs: the settings dialog's template run with a test procedure
// that drives its controls and a timer and ends it itself, and a template
// that does not exist. A timer asked for 1 ms runs at the shortest period
// Windows allows, USER_TIMER_MINIMUM (10 ms).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "platform/win32.h"

namespace {

constexpr int kNoSuchControl = 4242;
constexpr UINT_PTR kTestTimer = 7;

struct Conversation {
    std::vector<UINT> messages;
    std::vector<std::string> problems;  // control answers that were not as expected
    int ticks = 0;
    DWORD timerSet = 0;  // when SetTimer was called, and the time to the fifth tick
    DWORD msToFifthTick = 0;
    bool painted = false;
    HWND dialog = nullptr;
};

Conversation conversation;

void Check(bool good, const char* what) {
    if (!good) conversation.problems.push_back(what);
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

INT_PTR CALLBACK TestProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        conversation.messages.push_back(message);
        conversation.dialog = dialog;
        Check(lParam == 1234, "the parameter reaches WM_INITDIALOG");
        conversation.timerSet = timeGetTime();
        Check(SetTimer(dialog, kTestTimer, 1, nullptr) != 0, "SetTimer");
        Check(Send(dialog, kResolutionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first")) == 0, "add 0");
        Check(Send(dialog, kResolutionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("second")) == 1, "add 1");
        Check(Send(dialog, kResolutionList, CB_SETCURSEL, 1) == 1, "select 1");
        Check(Send(dialog, kResolutionList, CB_GETCURSEL) == 1, "selection 1");
        // (Whether that also clears the selection differs: Windows says it
        // does, Wine keeps it.)
        Check(Send(dialog, kResolutionList, CB_SETCURSEL, 5) == CB_ERR, "select past the end");
        Check(Send(dialog, kResolutionList, CB_SETCURSEL, 0) == 0, "select 0");
        Check(Send(dialog, kFullscreenBox, BM_GETCHECK) == BST_UNCHECKED, "box starts unticked");
        Send(dialog, kFullscreenBox, BM_SETCHECK, BST_CHECKED);
        Check(Send(dialog, kFullscreenBox, BM_GETCHECK) == BST_CHECKED, "box ticked");
        Check(SetDlgItemTextA(dialog, kCountdownText, "30") != FALSE, "set the countdown's text");
        Check(Send(dialog, kNoSuchControl, CB_GETCURSEL) == 0, "no answer from a missing control");
        return 1;
    case WM_PAINT:
        conversation.painted = true;
        DefWindowProcA(dialog, message, wParam, lParam);
        return 1;
    case WM_TIMER:
        if (wParam != kTestTimer) return 0;
        if (++conversation.ticks == 5) conversation.msToFifthTick = timeGetTime() - conversation.timerSet;
        // A few ticks once shown, or give up after two seconds.
        if ((conversation.ticks >= 5 && conversation.painted) || conversation.ticks >= 200) EndDialog(dialog, 42);
        return 1;
    case WM_DESTROY:
        conversation.messages.push_back(message);
        // The controls are still there to read.
        Check(Send(dialog, kResolutionList, CB_GETCURSEL) == 0, "selection readable on WM_DESTROY");
        Check(Send(dialog, kFullscreenBox, BM_GETCHECK) == BST_CHECKED, "box readable on WM_DESTROY");
        Check(KillTimer(dialog, kTestTimer) != FALSE, "KillTimer");
        return 1;
    default:
        return 0;
    }
}

TEST(DialogHost, RunsTheProcedureOverLiveControlsUntilEndDialog) {
    conversation = Conversation();
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(225), nullptr, TestProcedure, 1234);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(conversation.messages, (std::vector<UINT>{WM_INITDIALOG, WM_DESTROY}));
    EXPECT_GE(conversation.ticks, 5);
    EXPECT_GE(conversation.msToFifthTick, 45u) << "five periods of at least 10 ms each";
    EXPECT_TRUE(conversation.painted);
    for (const std::string& problem : conversation.problems) ADD_FAILURE() << problem;
    // The dialog is gone: its handle no longer takes timers or an end.
    EXPECT_EQ(SetTimer(conversation.dialog, kTestTimer, 10, nullptr), 0u);
    EXPECT_EQ(EndDialog(conversation.dialog, 1), FALSE);
}

TEST(DialogHost, AMissingTemplateFailsWithoutCallingTheProcedure) {
    conversation = Conversation();
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr, TestProcedure, 0), -1);
    EXPECT_TRUE(conversation.messages.empty());
}

}  // namespace
