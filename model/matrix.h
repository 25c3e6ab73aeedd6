// A 4x4 affine transform in the column-major order OpenGL uses: element
// index = column * 4 + row. The 3x3 block (0-2, 4-6, 8-10) holds rotation,
// elements 12-14 the translation. A new Matrix is the identity.
#pragma once

class Matrix {
public:
    Matrix();

    // this = this * m, both read as affine (bottom row taken as 0, 0, 0, 1).
    // m may be this matrix itself.
    void MultiplyBy(const Matrix& m);
    // Writes elements 12, 13, 14; nothing else changes.
    void SetTranslationPart(const float translation[3]);
    // Writes the rotation block Rz(a[2]) * Ry(a[1]) * Rx(a[0]) from angles in
    // radians; nothing else changes.
    void SetRotationFromEuler(const float angles[3]);

    float elements[16];
};

// Moves a point (translation included) or a direction (without) from model
// space into the space of a rigid joint matrix, whose inverse rotation is
// its transpose.
void IntoJointSpace(const Matrix& joint, float v[3], bool isPoint);
