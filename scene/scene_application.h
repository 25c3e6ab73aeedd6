// The program's one application: the scene shown in the GL window.
//
// Init shows a loading picture and loads what the scene shows and plays: three
// models from the embedded resources (a room, a warden and a scientist), the
// blink and blood pictures, a bitmap font and the looping alarm. Update moves
// the camera along its path, animates the characters and drives the blink of
// the room's "t31.jpg" panel; Draw lights and draws it all with a frame-rate
// line. Shutdown releases everything Init made and may run twice in a row.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/gl_application.h"
#include "gfx/bitmap_font.h"
#include "model/ms3d_model.h"
#include "timing/timer.h"

// The fixed GL state the scene runs with: smooth shading, best-quality hints,
// back-face culling, texturing, lighting with the two fixed lights, clearing
// to black and the depth test. Always true.
bool InitGLState();

class SceneApplication : public GLApplication {
public:
    SceneApplication() = default;
    ~SceneApplication() override = default;

    bool Init() override;
    bool Shutdown() override;
    bool Update() override;
    bool Draw() override;

    // Called after CreateDisplay and before Init; the scene reads the flag
    // when it starts its sounds.
    void SetSound(bool enabled);

    // Switches for other hosts of the scene; each is on by default, which is
    // the program's own behaviour. Set them before Init.
    // The "%d fps" line top left.
    void SetShowFps(bool enabled) { showFps = enabled; }
    // The half-second pause on the loading picture when sound is off.
    void SetLoadingPause(bool enabled) { loadingPause = enabled; }
    // The welcome sound played to its end on the loading picture when sound
    // is on; without it only the alarm loop plays.
    void SetWelcomeSound(bool enabled) { welcomeSound = enabled; }

protected:
    // Clears and draws the scene in the current viewport and projection.
    void DrawScene();
    // The frame-rate line (when shown) at the top left of the view whose
    // top-left corner is at this client position (y counts down).
    void DrawFrameRate(int32_t viewLeft, int32_t viewTop);
    // Shows the loading picture over the whole window, then waits for the
    // welcome sound to end (or half a second without sound).
    void ShowLoadingScreen();

    GLuint bloodTexture = 0;    // "krv.jpg" with its mask; held, never drawn
    GLuint swapTexture = 0;     // the t31 picture that is not on the room right now
    GLuint loadingTexture = 0;  // "loading.jpg"
    std::unique_ptr<BitmapFont> font;
    PerformanceTimer timer;      // scene clock, counting since construction
    double fpsWindowStart = 0.0; // ms: start of the current frame-counting window
    double lastTime = 0.0;       // ms: end of the previous Update
    double frameSeconds = 0.0;
    double sceneTime = 0.0;      // seconds since Init
    int32_t frameCount = 0;
    int32_t fps = 0;
    float eye[3] = {30.0f, 0.0f, -45.0f};
    float center[3] = {30.0f, 0.0f, -100.0f};
    float up[3] = {0.0f, 1.0f, 0.0f};
    double blinkStart = 0.0;     // ms: start of the current blink cycle
    double easeDivisor = 1000.0; // above 1 the camera eases towards its path
    bool alarm = false;          // blink picture on, spot light red
    bool soundEnabled = false;
    bool showFps = true;
    bool loadingPause = true;
    bool welcomeSound = true;
    std::unique_ptr<MS3DModel> room;
    std::unique_ptr<MS3DModel> warden;
    std::unique_ptr<MS3DModel> scientist;

private:
    void MoveCamera();
    void UpdateBlink(double now);
};
