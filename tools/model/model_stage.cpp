#include "tools/model/model_stage.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/ms3d_model.h"
#include "platform/win32.h"
#include "tools/model/texture_files.h"

ModelStage::ModelStage(MS3DModel& viewed, std::string modelPath) : model(viewed), path(std::move(modelPath)) {
    Measure();
}

namespace {

constexpr double kHalfHeight = ModelStage::kFieldOfView * 0.5 * 3.14159265358979 / 180.0;

// The camera's direction from the centre: around the vertical axis, a
// little from above.
void Direction(double angle, double out[3]) {
    const double length = std::sqrt(1.0 + 0.35 * 0.35);
    out[0] = std::sin(angle) / length;
    out[1] = 0.35 / length;
    out[2] = std::cos(angle) / length;
}

}  // namespace

void ModelStage::Measure() {
    if (model.vertexCount == 0) return;
    for (int i = 0; i < model.vertexCount; ++i) {
        const Vector p = model.PosedPosition(i);
        const float v[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = i == 0 ? v[k] : std::min(low[k], v[k]);
            high[k] = i == 0 ? v[k] : std::max(high[k], v[k]);
        }
    }
    double squared = 0.0;
    for (int k = 0; k < 3; ++k) {
        center[k] = 0.5 * (static_cast<double>(low[k]) + high[k]);
        squared += 0.25 * (static_cast<double>(high[k]) - low[k]) * (static_cast<double>(high[k]) - low[k]);
    }
    if (std::isfinite(squared) && squared > 0.0) radius = static_cast<float>(std::sqrt(squared));
}

void ModelStage::Setup() {
    glClearColor(0.12f, 0.14f, 0.18f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    // Back faces culled: a room seen from outside shows its inside.
    glEnable(GL_CULL_FACE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    const GLfloat ambient[] = {0.35f, 0.35f, 0.35f, 1.0f};
    const GLfloat diffuse[] = {0.9f, 0.9f, 0.9f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);

    LoadTextures(model, path);
}

void ModelStage::Release() { DeleteTextures(model); }

double ModelStage::Distance(double aspect) const {
    // The bounding sphere fits the narrower of the two fields of view, with
    // a margin.
    const double halfWidth = std::atan(std::tan(kHalfHeight) * aspect);
    return 1.1 * radius / std::sin(std::min(kHalfHeight, halfWidth));
}

double ModelStage::TightDistance(double angle, double aspect) const {
    // Each corner, relative to the centre, stands `along` towards the
    // camera and `across`, `up` in the picture's plane; it shows when
    // across / (distance - along) is within the half widths' tangents.
    double back[3];
    Direction(angle, back);
    const double right[3] = {std::cos(angle), 0.0, -std::sin(angle)};
    const double upward[3] = {back[1] * right[2] - back[2] * right[1], back[2] * right[0] - back[0] * right[2],
                              back[0] * right[1] - back[1] * right[0]};
    const double tanHeight = std::tan(kHalfHeight), tanWidth = tanHeight * aspect;
    double distance = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = (corner >> k & 1 ? high[k] : low[k]) - center[k];
        const double along = p[0] * back[0] + p[1] * back[1] + p[2] * back[2];
        const double across = std::fabs(p[0] * right[0] + p[2] * right[2]);
        const double up = std::fabs(p[0] * upward[0] + p[1] * upward[1] + p[2] * upward[2]);
        distance = std::max(distance, along + std::max(across / tanWidth, up / tanHeight));
    }
    return std::max(1.05 * distance, 0.01 * radius);
}

void ModelStage::Project(double aspect, double distance) const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, aspect, std::max(distance - 1.5 * radius, 0.01 * radius), distance + 1.5 * radius);
    glMatrixMode(GL_MODELVIEW);
}

void ModelStage::Draw(double angle, double distance) {
    double direction[3];
    Direction(angle, direction);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A light over the viewer's shoulder, fixed to the camera.
    const GLfloat lightDirection[] = {0.4f, 0.8f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightDirection);
    gluLookAt(center[0] + distance * direction[0], center[1] + distance * direction[1],
              center[2] + distance * direction[2], center[0], center[1], center[2], 0.0, 1.0, 0.0);
    model.Render();
}
