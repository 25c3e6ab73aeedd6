#include "model/matrix.h"

#include <cmath>

Matrix::Matrix() : elements{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

void Matrix::MultiplyBy(const Matrix& m) {
    const float* a = elements;
    const float* b = m.elements;
    float c[16];
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            c[column * 4 + row] =
                a[row] * b[column * 4] + a[4 + row] * b[column * 4 + 1] + a[8 + row] * b[column * 4 + 2];
    for (int row = 0; row < 3; ++row)
        c[12 + row] = a[row] * b[12] + a[4 + row] * b[13] + a[8 + row] * b[14] + a[12 + row];
    c[3] = c[7] = c[11] = 0.0f;
    c[15] = 1.0f;
    // Built in a temporary so that m may alias this matrix.
    for (int i = 0; i < 16; ++i) elements[i] = c[i];
}

void IntoJointSpace(const Matrix& joint, float v[3], bool isPoint) {
    const float* b = joint.elements;
    float x = v[0], y = v[1], z = v[2];
    if (isPoint) {
        x -= b[12];
        y -= b[13];
        z -= b[14];
    }
    v[0] = b[0] * x + b[1] * y + b[2] * z;
    v[1] = b[4] * x + b[5] * y + b[6] * z;
    v[2] = b[8] * x + b[9] * y + b[10] * z;
}

void Matrix::SetTranslationPart(const float translation[3]) {
    elements[12] = translation[0];
    elements[13] = translation[1];
    elements[14] = translation[2];
}

void Matrix::SetRotationFromEuler(const float angles[3]) {
    const double cx = std::cos(static_cast<double>(angles[0]));
    const double sx = std::sin(static_cast<double>(angles[0]));
    const double cy = std::cos(static_cast<double>(angles[1]));
    const double sy = std::sin(static_cast<double>(angles[1]));
    const double cz = std::cos(static_cast<double>(angles[2]));
    const double sz = std::sin(static_cast<double>(angles[2]));

    elements[0] = static_cast<float>(cy * cz);
    elements[1] = static_cast<float>(cy * sz);
    elements[2] = static_cast<float>(-sy);
    elements[4] = static_cast<float>(sx * sy * cz - cx * sz);
    elements[5] = static_cast<float>(sx * sy * sz + cx * cz);
    elements[6] = static_cast<float>(sx * cy);
    elements[8] = static_cast<float>(cx * sy * cz + sx * sz);
    elements[9] = static_cast<float>(cx * sy * sz - sx * cz);
    elements[10] = static_cast<float>(cx * cy);
}
