// The settings dialog: resolution, colour depth, full screen and sound, an
// About box, and a countdown that starts the show by itself 29 seconds after
// the dialog opened.
//
// The controls are read back when the dialog is destroyed, so every way of
// ending it stores the user's current choices; RunSettingsDialog then turns
// them into the settings, and the entry decides from the result alone
// whether to use them.
#include "app/settings_dialog.h"

#include <cstdio>

#include "timing/timer.h"

namespace {

// The countdown's clock: constructed before the entry runs, alive until the
// process ends.
PerformanceTimer dialogClock;

constexpr UINT_PTR kCountdownTimer = 0;
constexpr UINT kCountdownPeriodMs = 100;
constexpr int kCountdownSeconds = 30;
constexpr int kAutoStartSecond = 29;

struct ResolutionChoice {
    const char* text;
    int32_t width;
    int32_t height;
};

struct DepthChoice {
    const char* text;
    int32_t bits;
};

// List positions map to these by the order in which the entries are added,
// which is why the lists must stay unsorted.
constexpr ResolutionChoice kResolutions[] = {
    {"1024x768", 1024, 768}, {"800x600", 800, 600}, {"640x480", 640, 480}, {"320x200", 320, 200}};
constexpr DepthChoice kDepths[] = {{"32", 32}, {"16", 16}, {"8", 8}};

constexpr int32_t kResolutionCount = static_cast<int32_t>(sizeof kResolutions / sizeof kResolutions[0]);
constexpr int32_t kDepthCount = static_cast<int32_t>(sizeof kDepths / sizeof kDepths[0]);

const char kAboutCaption[] = "About Corvane";
const char kAboutText[] =
    "    -=> Duskmarch screensaver <=-\n"
    "                                   ";

// What the controls held when the dialog was destroyed; at program start the
// first entries and both boxes unticked.
int32_t storedResolution = 0;
int32_t storedDepth = 0;
bool storedFullscreen = false;
bool storedSound = false;

HWND dialogWindow = nullptr;
double countdownStart = 0.0;

void InitialiseControls(HWND dialog) {
    SetTimer(dialog, kCountdownTimer, kCountdownPeriodMs, nullptr);
    for (const ResolutionChoice& choice : kResolutions) {
        SendDlgItemMessageA(dialog, kResolutionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text));
    }
    for (const DepthChoice& choice : kDepths) {
        SendDlgItemMessageA(dialog, kDepthList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text));
    }
    SendDlgItemMessageA(dialog, kResolutionList, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(dialog, kDepthList, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(dialog, kFullscreenBox, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(dialog, kSoundBox, BM_SETCHECK, BST_CHECKED, 0);
    dialogWindow = dialog;
    countdownStart = dialogClock.GetTime();
}

void UpdateCountdown(HWND dialog) {
    // Whole seconds since the dialog opened, truncated toward zero.
    const int seconds = static_cast<int>((dialogClock.GetTime() - countdownStart) * 0.001);
    if (seconds < kCountdownSeconds) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", kCountdownSeconds - seconds);
        SetDlgItemTextA(dialog, kCountdownText, text);
    }
    // From the 29th second on, not only in it: a tick that arrives late, after
    // the thread was held up past the 30th second, must still start the show
    // rather than leave the dialog waiting for ever.
    if (seconds >= kAutoStartSecond) EndDialog(dialog, kDialogStart);
}

void HandleCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id == IDOK) EndDialog(dialog, kDialogStart);
    if (id == IDCANCEL) EndDialog(dialog, kDialogExit);
    if (notification == 0 && id == kAboutButton) {
        MessageBoxA(dialog, kAboutText, kAboutCaption, MB_ICONINFORMATION);
    }
}

void StoreControls(HWND dialog) {
    storedResolution = static_cast<int32_t>(SendDlgItemMessageA(dialog, kResolutionList, CB_GETCURSEL, 0, 0));
    storedDepth = static_cast<int32_t>(SendDlgItemMessageA(dialog, kDepthList, CB_GETCURSEL, 0, 0));
    storedFullscreen = SendDlgItemMessageA(dialog, kFullscreenBox, BM_GETCHECK, 0, 0) != 0;
    storedSound = SendDlgItemMessageA(dialog, kSoundBox, BM_GETCHECK, 0, 0) != 0;
    KillTimer(dialog, kCountdownTimer);
}

}  // namespace

void RunSettingsDialog(HINSTANCE instance, int32_t& result, int32_t& width, int32_t& height, int32_t& bits,
                       bool& fullscreen, bool& sound) {
    result = static_cast<int32_t>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(225), nullptr, SettingsDialogProc, 0));
    if (storedResolution >= 0 && storedResolution < kResolutionCount) {
        width = kResolutions[storedResolution].width;
        height = kResolutions[storedResolution].height;
    }
    if (storedDepth >= 0 && storedDepth < kDepthCount) bits = kDepths[storedDepth].bits;
    fullscreen = storedFullscreen;
    sound = storedSound;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitialiseControls(dialog);
        return 1;
    case WM_TIMER:
        UpdateCountdown(dialog);
        return 1;
    case WM_COMMAND:
        HandleCommand(dialog, wParam);
        return 1;
    case WM_PAINT:
        DefWindowProcA(dialog, message, wParam, lParam);
        return 1;
    case WM_DESTROY:
        StoreControls(dialog);
        return 1;
    default:
        return 0;
    }
}
