// The full-screen saver's frame over two monitors side by side: one view per
// monitor (the scene drawn twice, each at a monitor's size and aspect)
// against the one view over the whole window it used to draw, in the same
// window over the whole screen, frames of the two kinds taken in turns so
// that both see the same machine. The two monitors are the two halves of
// the screen. Needs a display; prints a report.
//
//   xvfb-run -a -s "-screen 0 3840x1080x24" build/bin/saver_views_bench [measure-seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "saver/saver_application.h"

namespace {

using Clock = std::chrono::steady_clock;

class BenchSaver : public SaverApplication {
public:
    BenchSaver() : SaverApplication(SaverTarget::CoverScreen) {}
    using SceneApplication::easeDivisor;
    HDC DeviceContext() const { return deviceContext; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    // The picture of one monitor: the scene once over the whole window.
    bool DrawOneView() { return SceneApplication::Draw(); }
};

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// One whole frame as the saver makes it, the GL driver's work included.
double FrameMilliseconds(BenchSaver& saver, bool twoViews) {
    const auto start = Clock::now();
    PumpMessages();
    saver.Update();
    if (twoViews) {
        saver.Draw();
    } else {
        saver.DrawOneView();
    }
    glFinish();
    SwapBuffers(saver.DeviceContext());
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const double measureSeconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    auto* saver = new BenchSaver;
    saver->Register(GetModuleHandleA(nullptr), nullptr);
    saver->SetQuiet(true);
    saver->SetShowFps(false);
    saver->SetLoadingPause(false);
    saver->SetWelcomeSound(false);
    saver->SetSound(false);
    if (!saver->CreateCoverDisplay("Corvane", 32, 60.0f, 1.0f, 1000.0f)) {
        std::fprintf(stderr, "saver_views_bench: no GL window: %s\n", saver->DisplayError());
        return 1;
    }
    const int32_t half = saver->Width() / 2;
    MONITORINFO left{};
    left.rcMonitor = RECT{0, 0, half, saver->Height()};
    left.dwFlags = MONITORINFOF_PRIMARY;
    MONITORINFO right{};
    right.rcMonitor = RECT{half, 0, 2 * half, saver->Height()};
    saver->ViewMonitors({left, right}, POINT{0, 0});
    saver->Init();
    // Onto the camera path first: the easing lasts 19.98 s of scene time.
    while (saver->easeDivisor > 1.0) {
        PumpMessages();
        saver->Tick();
    }

    constexpr int kTurn = 10;  // frames of one kind before the other's turn
    double totalMs[2] = {0.0, 0.0};
    int frames[2] = {0, 0};
    const auto measureStart = Clock::now();
    for (int turn = 0;
         std::chrono::duration<double>(Clock::now() - measureStart).count() < measureSeconds; ++turn) {
        const int kind = turn % 2;
        for (int i = 0; i < kTurn; ++i) totalMs[kind] += FrameMilliseconds(*saver, kind == 1);
        frames[kind] += kTurn;
    }
    const double oneMs = totalMs[0] / frames[0];
    const double twoMs = totalMs[1] / frames[1];
    std::printf("Saver frames over two monitors, window %d x %d, %d + %d frames in %.0f s:\n", saver->Width(),
                saver->Height(), frames[0], frames[1], measureSeconds);
    std::printf("  one view over the window       %7.2f ms  %6.1f fps\n", oneMs, 1000.0 / oneMs);
    std::printf("  one view per monitor (two)     %7.2f ms  %6.1f fps\n", twoMs, 1000.0 / twoMs);
    std::printf("  two views cost %.2f times one\n", twoMs / oneMs);

    saver->Shutdown();
    delete saver;
    return 0;
}
