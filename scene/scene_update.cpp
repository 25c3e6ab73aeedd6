// One step of the scene: scene time, the frame-rate count, the camera on its
// path, the field of view, the characters' animation and the panel's blink.
#include "scene/camera_path.h"
#include "scene/scene_application.h"

namespace {

constexpr double kFpsWindowMs = 1000.0;
constexpr double kBlinkOnMs = 1000.0;
constexpr double kBlinkCycleMs = 1500.0;
constexpr double kEaseRatePerSecond = 50.0;
constexpr const char* kBlinkingMaterial = "t31.jpg";

// c moves 1/divisor of the way towards its target.
void EaseTowards(float vector[3], const double target[3], double divisor) {
    for (int i = 0; i < 3; ++i) vector[i] = static_cast<float>(vector[i] + (target[i] - vector[i]) / divisor);
}

void SetTo(float vector[3], const double target[3]) {
    for (int i = 0; i < 3; ++i) vector[i] = static_cast<float>(target[i]);
}

}  // namespace

bool SceneApplication::Update() {
    const double t1 = timer.GetTime();
    frameSeconds = (t1 - lastTime) * 0.001;
    sceneTime += frameSeconds;
    const double t2 = timer.GetTime();
    lastTime = t2;

    // The update that closes a window is counted in neither window.
    if (t2 - fpsWindowStart >= kFpsWindowMs) {
        fps = frameCount;
        frameCount = 0;
        fpsWindowStart = t2;
    } else {
        ++frameCount;
    }

    MoveCamera();
    Resize(width, height);

    if (warden) warden->Animate();
    if (scientist) scientist->Animate();

    UpdateBlink(t2);

    if (easeDivisor > 1.0) {
        easeDivisor -= kEaseRatePerSecond * frameSeconds;
        if (easeDivisor < 1.0) easeDivisor = 1.0;
    }
    return true;
}

void SceneApplication::MoveCamera() {
    const CameraTargets targets = CameraPathAt(sceneTime);
    const double origin[3] = {0.0, 0.0, 0.0};
    if (easeDivisor > 1.0) {
        EaseTowards(eye, targets.eye, easeDivisor);
        EaseTowards(center, origin, easeDivisor);
        EaseTowards(up, targets.up, easeDivisor);
        fieldOfView = static_cast<float>(60.0 + targets.swing + (1000.0 - easeDivisor) * 0.001 * 10.0);
    } else {
        SetTo(eye, targets.eye);
        SetTo(center, origin);
        SetTo(up, targets.up);
        fieldOfView = static_cast<float>(70.0 + targets.swing);
    }
}

void SceneApplication::UpdateBlink(double now) {
    const double elapsed = now - blinkStart;
    const bool before = alarm;
    if (elapsed > kBlinkOnMs) alarm = true;
    if (elapsed > kBlinkCycleMs) {
        blinkStart = now;
        alarm = false;
    }
    if (alarm == before || !room) return;
    // Without a "t31.jpg" material nothing is exchanged and swapTexture keeps
    // its own picture, so Shutdown deletes a real texture.
    const unsigned int previous = room->ReplaceTexture(kBlinkingMaterial, swapTexture);
    if (previous != Model::kNoSuchMaterial) swapTexture = previous;
}
