// Small vector and rotation helpers for building and posing the models.
#pragma once

#include <cmath>

namespace assetgen {

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a) {
    const double length = Length(a);
    return length > 0.0 ? a * (1.0 / length) : Vec3{0.0, 1.0, 0.0};
}
inline Vec3 Lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }

// Row-major 3 x 3 rotation acting on column vectors.
struct Mat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

Mat3 operator*(const Mat3& a, const Mat3& b);
Vec3 operator*(const Mat3& a, Vec3 v);
Mat3 AxisAngle(Vec3 axis, double angle);
Mat3 RotateX(double angle);
Mat3 RotateY(double angle);
Mat3 RotateZ(double angle);
// Rz(e.z) * Ry(e.y) * Rx(e.x): the order in which the model's joints apply
// their Euler angles.
Mat3 FromEuler(Vec3 e);
// Euler angles (x, y, z) with FromEuler(result) == m; among the equivalent
// answers the one nearest to `near` component by component, so keyframes
// interpolate without jumps.
Vec3 ToEuler(const Mat3& m, Vec3 near);

constexpr double kPi = 3.14159265358979323846;

}  // namespace assetgen
