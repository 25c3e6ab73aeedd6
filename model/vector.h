// A point or direction (x, y, z) with a homogeneous w, transformed by a
// Matrix when a model's vertices and normals are skinned.
#pragma once

#include "model/matrix.h"

class Vector {
public:
    // x, y, z from the three floats; w = 1.
    explicit Vector(const float v[3]);

    // (x, y, z, w) = m * (x, y, z, 1), translation included.
    void TransformPoint(const Matrix& m);
    // (x, y, z) = rotation block of m * (x, y, z); w = 1. Not normalised.
    void TransformDirection(const Matrix& m);

    float x;
    float y;
    float z;
    float w;
};
