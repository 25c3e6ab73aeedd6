// The program entry: launch sound, the application object, the start-up
// settings and the dialog, the GL window, the frame loop and the teardown.
// The exit code is 0 on every path.
#include <new>

#include "app/settings.h"
#include "app/settings_dialog.h"
#include "app/settings_file.h"
#include "platform/win32.h"
#include "scene/scene_application.h"

namespace {

const char kTitle[] = "DECK_NINE_by_Quillmark";
const char kSettingsFile[] = "corvane.cfg";
constexpr float kFieldOfView = 60.0f;
constexpr float kNear = 1.0f;
constexpr float kFar = 1000.0f;

void ShowStartError(const char* text) { MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION); }

// Frames while the window is active and the queue is empty; while it is
// inactive, waits for messages and produces none. Ends on WM_QUIT.
void RunFrameLoop(SceneApplication& application) {
    MSG msg{};
    for (;;) {
        if (application.IsActive()) {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (application.IsActive()) application.Tick();
                continue;
            }
        } else {
            GetMessageA(&msg, nullptr, 0, 0);
        }
        if (msg.message == WM_QUIT) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    PlaySoundA("LAUNCH", nullptr, SND_RESOURCE | SND_ASYNC);

    SceneApplication* application = new (std::nothrow) SceneApplication();
    if (!application) return 0;
    application->Register(instance, commandLine);

    Settings settings{800, 600, 32, true, true};
    ReadSettingsFile(kSettingsFile, settings);

    int32_t result = 0;
    RunSettingsDialog(instance, result, settings.width, settings.height, settings.bits, settings.fullscreen,
                      settings.sound);
    if (result == kDialogExit || result == 0) return 0;

    if (!application->CreateDisplay(kTitle, settings.width, settings.height, settings.bits, settings.fullscreen,
                                    kFieldOfView, kNear, kFar)) {
        ShowStartError("OpenGL Initialization Failed.");
        delete application;
        return 0;
    }
    application->SetSound(settings.sound);
    if (!application->Init()) {
        ShowStartError("Initialization Failed.");
        application->Shutdown();
        delete application;
        return 0;
    }

    RunFrameLoop(*application);

    // The scene lets go of its GL objects while the context still exists.
    application->Shutdown();
    delete application;
    return 0;
}
