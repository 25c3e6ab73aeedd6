// Drawing one frame: the lights after the camera transform, the room, the two
// characters at their fixed places, and the frame-rate line top left. The
// scene and the line are separate steps, so that a host showing the scene in
// several views draws the scene in each and the line once.
#include "scene/scene_application.h"

namespace {

constexpr GLfloat kLightPosition[4] = {-0.5f, -2.0f, -15.0f, 1.0f};
constexpr GLfloat kSpotDirection[3] = {-1.0f, -2.0f, 5.0f};
constexpr GLfloat kSpotCalm[4] = {0.995f, 0.995f, 1.995f, 1.0f};
constexpr GLfloat kSpotAlarm[4] = {3.995f, 0.995f, 0.995f, 1.0f};
// The frame-rate line starts this many pixels right of the view's corner.
constexpr int32_t kFpsInset = 5;

}  // namespace

bool SceneApplication::Draw() {
    DrawScene();
    DrawFrameRate(0, 0);
    glFlush();
    return true;
}

void SceneApplication::DrawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(eye[0], eye[1], eye[2], center[0], center[1], center[2], up[0], up[1], up[2]);

    // Given after the camera transform, so the lights stay fixed in the room.
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, alarm ? kSpotAlarm : kSpotCalm);
    glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, kSpotDirection);

    if (room) room->Render();
    glTranslatef(-7.0f, -12.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    if (warden) warden->Render();
    // Composed with the warden's placement: no matrix is pushed between them.
    glTranslatef(-8.0f, -8.0f, 3.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    if (scientist) scientist->Render();
}

void SceneApplication::DrawFrameRate(int32_t viewLeft, int32_t viewTop) {
    glEnable(GL_TEXTURE_2D);
    if (font && showFps) font->Print(viewLeft + kFpsInset, viewTop, "%d fps", fps);
}
