#include "geometry.h"

namespace assetgen {

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    return r;
}

Vec3 operator*(const Mat3& a, Vec3 v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z, a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

Mat3 AxisAngle(Vec3 axis, double angle) {
    const Vec3 u = Normalize(axis);
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    Mat3 r;
    r.m[0][0] = c + u.x * u.x * t;
    r.m[0][1] = u.x * u.y * t - u.z * s;
    r.m[0][2] = u.x * u.z * t + u.y * s;
    r.m[1][0] = u.y * u.x * t + u.z * s;
    r.m[1][1] = c + u.y * u.y * t;
    r.m[1][2] = u.y * u.z * t - u.x * s;
    r.m[2][0] = u.z * u.x * t - u.y * s;
    r.m[2][1] = u.z * u.y * t + u.x * s;
    r.m[2][2] = c + u.z * u.z * t;
    return r;
}

Mat3 RotateX(double angle) { return AxisAngle({1, 0, 0}, angle); }
Mat3 RotateY(double angle) { return AxisAngle({0, 1, 0}, angle); }
Mat3 RotateZ(double angle) { return AxisAngle({0, 0, 1}, angle); }
Mat3 FromEuler(Vec3 e) { return RotateZ(e.z) * RotateY(e.y) * RotateX(e.x); }

namespace {

double Nearest(double angle, double near) {
    while (angle - near > kPi) angle -= 2.0 * kPi;
    while (angle - near < -kPi) angle += 2.0 * kPi;
    return angle;
}

double Distance(Vec3 a, Vec3 b) { return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z); }

}  // namespace

Vec3 ToEuler(const Mat3& m, Vec3 near) {
    // m[2][0] = -sin(y); m[2][1] = sin(x)cos(y); m[2][2] = cos(x)cos(y);
    // m[1][0] = cos(y)sin(z); m[0][0] = cos(y)cos(z).
    const double sy = -m.m[2][0];
    const double y1 = std::asin(sy < -1.0 ? -1.0 : (sy > 1.0 ? 1.0 : sy));
    const double cy = std::cos(y1);
    Vec3 a, b;
    if (cy > 1e-6) {
        a = {std::atan2(m.m[2][1], m.m[2][2]), y1, std::atan2(m.m[1][0], m.m[0][0])};
        b = {a.x + kPi, kPi - y1, a.z + kPi};
    } else {
        a = {std::atan2(-m.m[1][2], m.m[1][1]), y1, 0.0};
        b = a;
    }
    a = {Nearest(a.x, near.x), Nearest(a.y, near.y), Nearest(a.z, near.z)};
    b = {Nearest(b.x, near.x), Nearest(b.y, near.y), Nearest(b.z, near.z)};
    return Distance(a, near) <= Distance(b, near) ? a : b;
}

}  // namespace assetgen
