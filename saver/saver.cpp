// The saver's entry and frame loop; see saver.h.
#include "saver/saver.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "platform/window_id.h"
#include "saver/saver_application.h"

namespace {

const char kTitle[] = "Corvane";
constexpr int32_t kBits = 32;
constexpr float kFieldOfView = 60.0f;
constexpr float kNear = 1.0f;
constexpr float kFar = 1000.0f;
// Long pauses are slept in slices, so that a stop request or a message is
// seen promptly.
constexpr DWORD kSleepSliceMs = 10;

volatile std::sig_atomic_t stopRequested = 0;

std::string WindowIdText(uint64_t id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
    return text;
}

void Pause(int32_t delayMicroseconds) {
    DWORD remaining = static_cast<DWORD>(delayMicroseconds / 1000);
    if (remaining == 0) {
        Sleep(0);  // still give the processor away between frames
        return;
    }
    MSG waiting{};
    // A message cuts the pause short: the key or pointer move that ends a
    // screen saver must not wait out a long delay.
    while (remaining > 0 && !stopRequested && !PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) {
        const DWORD slice = remaining < kSleepSliceMs ? remaining : kSleepSliceMs;
        Sleep(slice);
        remaining -= slice;
    }
}

// Handles every queued message; false once WM_QUIT was among them.
bool HandleQueuedMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool CreateSaverDisplay(SaverApplication& saver, const SaverOptions& options, HWND parent) {
    switch (options.target) {
    case SaverTarget::OwnWindow:
        return saver.CreateDisplay(kTitle, kSaverWindowWidth, kSaverWindowHeight, kBits, false, kFieldOfView,
                                   kNear, kFar);
    case SaverTarget::CoverScreen:
        if (!saver.CreateCoverDisplay(kTitle, kBits, kFieldOfView, kNear, kFar)) return false;
        saver.ViewEachMonitor();
        return true;
    default:
        return saver.CreateChildDisplay(kTitle, parent, kBits, kFieldOfView, kNear, kFar);
    }
}

void RunFrames(SaverApplication& saver, HWND parent, int32_t delayMicroseconds) {
    while (!stopRequested && HandleQueuedMessages()) {
        if (parent != nullptr && !saver.FollowParent(parent)) return;
        if (saver.DisplayOff()) {
            // No frames and no processor time until a message comes: the
            // display coming back on, or whatever ends the saver.
            if (!WaitMessage()) Sleep(kSleepSliceMs);
            continue;
        }
        saver.Tick();
        Pause(delayMicroseconds);
    }
}

int RunUntilEnd(HINSTANCE instance, const SaverOptions& options, std::string& error) {
    if (options.target == SaverTarget::Settings) {
        error = "the settings are not shown by the saver itself";
        return 1;
    }
    if (options.delayMicroseconds < 0 || options.delayMicroseconds > kMaxSaverDelayMicroseconds) {
        error = "the delay must be from 0 to " + std::to_string(kMaxSaverDelayMicroseconds) + " microseconds";
        return 1;
    }
    const bool drawsInGivenWindow = options.target == SaverTarget::GivenWindow ||
                                    options.target == SaverTarget::Root || options.target == SaverTarget::Preview;
    HWND parent = nullptr;
    if (drawsInGivenWindow) {
        parent = WindowFromId(options.windowId);
        if (parent == nullptr) {
            error = "no window with id " + WindowIdText(options.windowId);
            return 1;
        }
    }

    std::unique_ptr<SaverApplication> saver(new (std::nothrow) SaverApplication(options.target));
    if (!saver) {
        error = "out of memory";
        return 1;
    }
    saver->Register(instance, nullptr);
    saver->SetQuiet(true);
    saver->SetShowFps(options.showFps);
    saver->SetLoadingPause(false);
    saver->SetWelcomeSound(false);
    saver->SetSound(options.sound && options.target != SaverTarget::Preview);

    if (!CreateSaverDisplay(*saver, options, parent)) {
        error = std::string("OpenGL initialization failed: ") + saver->DisplayError();
        return 1;
    }
    saver->ListenToDisplay();
    if (!saver->Init()) {
        saver->Shutdown();
        error = "the scene could not be initialized";
        return 1;
    }
    RunFrames(*saver, parent, options.delayMicroseconds);
    // The scene lets go of its GL objects while the context still exists.
    saver->Shutdown();
    return 0;
}

}  // namespace

void RequestSaverStop() { stopRequested = 1; }

int RunSaver(HINSTANCE instance, const SaverOptions& options, std::string& error) {
    // A stop asked for before the run (a signal during start-up) still counts;
    // it is forgotten once the run has ended.
    const int status = RunUntilEnd(instance, options, error);
    stopRequested = 0;
    return status;
}
