// Scene set-up and teardown: the fixed GL state, the loading screen, loading
// the scene's pictures, models and font, and releasing them again.
#include "gfx/texture.h"
#include "scene/scene_application.h"

namespace {

// Both lights sit at the same point; light 1 is a narrow spot.
constexpr GLfloat kLightPosition[4] = {-0.5f, -2.0f, -15.0f, 1.0f};
constexpr GLfloat kLight0Ambient[4] = {1.15f, 1.15f, 1.15f, 1.0f};
constexpr GLfloat kLight0Diffuse[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr GLfloat kLight1Ambient[4] = {0.395f, 0.395f, 0.395f, 1.0f};
constexpr GLfloat kLight1Diffuse[4] = {0.995f, 0.995f, 1.995f, 1.0f};
constexpr GLfloat kLight1SpotDirection[3] = {1.0f, 0.0f, 0.0f};

std::unique_ptr<MS3DModel> LoadModel(const char* name) {
    auto model = std::make_unique<MS3DModel>();
    // A model whose resource is missing or broken stays empty and draws nothing.
    model->LoadFromResource(name);
    return model;
}

void SetVector(float vector[3], float x, float y, float z) {
    vector[0] = x;
    vector[1] = y;
    vector[2] = z;
}

void DeleteTexture(GLuint& texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
    texture = 0;
}

}  // namespace

bool InitGLState() {
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLight0Ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLight0Diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT1, GL_AMBIENT, kLight1Ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, kLight1Diffuse);
    glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, kLight1SpotDirection);
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 15.0f);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 64.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    return true;
}

void SceneApplication::ShowLoadingScreen() {
    // Left bound by the loader, so the quad below is drawn with it.
    loadingTexture = LoadTextureFromResource("JPG", "loading.jpg", nullptr, false);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 128.0, 0.0, 128.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);

    // Counter-clockwise, so front-facing: the picture fills the viewport.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(128.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(128.0f, 128.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 128.0f, 0.0f);
    glEnd();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_LIGHTING);
    glFlush();
    SwapBuffers(deviceContext);

    if (soundEnabled && welcomeSound)
        PlaySoundA("WELCOME", nullptr, SND_RESOURCE);
    else if (loadingPause)
        Sleep(500);
}

bool SceneApplication::Init() {
    InitGLState();
    font = std::make_unique<BitmapFont>(deviceContext, width, height, "Arial", 127, 18);
    ShowLoadingScreen();

    bloodTexture = LoadTextureFromResource("JPG", "krv.jpg", "krvmask.jpg", true);
    swapTexture = LoadTextureFromResource("JPG", "t31_blik.jpg", nullptr, false);
    room = LoadModel("room");
    warden = LoadModel("warden");
    scientist = LoadModel("scientist");

    fpsWindowStart = timer.GetTime();
    lastTime = timer.GetTime();
    sceneTime = 0.0;
    frameCount = 0;
    fps = 0;
    SetVector(eye, 30.0f, 0.0f, -45.0f);
    SetVector(center, 30.0f, 0.0f, -100.0f);
    SetVector(up, 0.0f, 1.0f, 0.0f);
    blinkStart = 0.0;
    easeDivisor = 1000.0;
    alarm = false;

    if (soundEnabled) PlaySoundA("ALERT", nullptr, SND_RESOURCE | SND_ASYNC | SND_LOOP);
    return true;
}

bool SceneApplication::Shutdown() {
    PlaySoundA(nullptr, nullptr, SND_PURGE);
    if (font) {
        font->Release();
        font.reset();
    }
    room.reset();
    warden.reset();
    scientist.reset();
    DeleteTexture(bloodTexture);
    DeleteTexture(swapTexture);
    DeleteTexture(loadingTexture);
    return true;
}
