// The entry of corvane.scr, the show as a Windows screen saver.
//
// Windows starts a screen saver with one switch: /s to run it over the whole
// screen, /p HWND to draw it in the small preview window of the Screen Saver
// settings, /c (or /c:HWND, or nothing at all) for its settings. The
// settings live per user in the registry and are read, clamped, by /s and
// /p; the preview is always silent. Only one full-screen saver runs at a
// time: a second /s while one runs ends at once.
//
// A command line it cannot use, or a preview window that does not exist,
// is reported in a message box. As Windows' own savers do, the exit status
// is 0 on every path.
#include <windows.h>

#include <string>

#include "platform/window_id.h"
#include "saver/saver.h"
#include "saver/saver_options.h"
#include "saver/windows/saver_settings_dialog.h"
#include "saver/windows/settings_registry.h"

namespace {

const char kCaption[] = "Corvane";
// Named per session: Windows starts /s in the session of the user it covers.
const char kRunningMutex[] = "CorvaneScreenSaverRunning";

void ShowProblem(const char* text) { MessageBoxA(nullptr, text, kCaption, MB_OK | MB_ICONEXCLAMATION); }

// Runs the saver; what kept it from starting is shown in a message box.
void Run(HINSTANCE instance, const SaverOptions& options) {
    std::string error;
    if (RunSaver(instance, options, error) == 0) return;
    std::string text = "The screen saver could not start";
    text += error.empty() ? "." : ":\n" + error + ".";
    ShowProblem(text.c_str());
}

void ApplyStoredSettings(SaverOptions& options) {
    SaverSettings settings = ReadSaverSettings();
    options.sound = settings.sound;
    options.showFps = settings.showFps;
    options.delayMicroseconds = settings.delayMicroseconds;
}

int RunCoverScreen(HINSTANCE instance, SaverOptions& options) {
    HANDLE running = CreateMutexA(nullptr, FALSE, kRunningMutex);
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(running);
        return 0;  // one is already showing
    }
    ApplyStoredSettings(options);
    Run(instance, options);
    if (running) CloseHandle(running);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    SaverOptions options;
    std::string error;
    if (!ParseScrCommandLine(commandLine, options, error)) {
        std::string text = error + "\n\nUse /s to run the screen saver, /p HWND for a preview, /c for its settings.";
        ShowProblem(text.c_str());
        return 0;
    }
    switch (options.target) {
    case SaverTarget::Settings:
        RunSaverSettingsDialog(instance, WindowFromId(options.windowId));
        return 0;
    case SaverTarget::Preview:
        ApplyStoredSettings(options);
        options.sound = false;  // previews are silent
        Run(instance, options);
        return 0;
    case SaverTarget::CoverScreen:
        return RunCoverScreen(instance, options);
    default:
        // The Windows command line names no other target.
        ShowProblem("This screen saver runs with /s, /p HWND or /c.");
        return 0;
    }
}
