#include "scene/camera_path.h"

#include <cmath>

namespace {
// Multiplications by the nearest doubles to 1/7, 1/3 and 1/13.
constexpr double kSeventh = 1.0 / 7.0;
constexpr double kThird = 1.0 / 3.0;
constexpr double kThirteenth = 1.0 / 13.0;
}  // namespace

CameraTargets CameraPathAt(double seconds) {
    const double t = seconds;
    CameraTargets targets;
    targets.eye[0] = std::sin(0.25 * t) + 20.0 * std::sin(t * kSeventh);
    targets.eye[1] = std::sin(t * kSeventh) + 15.0 * std::cos(t * kThird) + 10.0;
    targets.eye[2] = std::cos(t * kThirteenth) + 30.0 * std::cos(t * kSeventh);
    targets.up[0] = std::sin(t * kSeventh);
    targets.up[1] = 1.0 + std::cos(t * kThird);
    targets.up[2] = std::cos(0.125 * t);
    targets.swing = 30.0 * std::sin(t * kThird) * std::sin(t * kSeventh);
    return targets;
}
