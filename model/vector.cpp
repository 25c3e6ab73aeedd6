#include "model/vector.h"

Vector::Vector(const float v[3]) : x(v[0]), y(v[1]), z(v[2]), w(1.0f) {}

void Vector::TransformPoint(const Matrix& m) {
    const float* e = m.elements;
    const float px = x, py = y, pz = z;
    x = e[0] * px + e[4] * py + e[8] * pz + e[12];
    y = e[1] * px + e[5] * py + e[9] * pz + e[13];
    z = e[2] * px + e[6] * py + e[10] * pz + e[14];
    w = e[3] * px + e[7] * py + e[11] * pz + e[15];
}

void Vector::TransformDirection(const Matrix& m) {
    const float* e = m.elements;
    const float dx = x, dy = y, dz = z;
    x = e[0] * dx + e[4] * dy + e[8] * dz;
    y = e[1] * dx + e[5] * dy + e[9] * dz;
    z = e[2] * dx + e[6] * dy + e[10] * dz;
    w = 1.0f;
}
