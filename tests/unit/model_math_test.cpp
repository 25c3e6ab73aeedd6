#include <gtest/gtest.h>

#include <cmath>

#include "model/matrix.h"
#include "model/vector.h"

namespace {

constexpr float kHalfPi = 1.57079632679f;

Matrix Filled(float first) {
    Matrix m;
    for (int i = 0; i < 16; ++i) m.elements[i] = first + static_cast<float>(i);
    return m;
}

TEST(Matrix, MultiplyByIdentityKeepsTheAffinePartAndSetsTheBottomRow) {
    Matrix m = Filled(1.0f);
    m.MultiplyBy(Matrix());
    const float expected[16] = {1, 2, 3, 0, 5, 6, 7, 0, 9, 10, 11, 0, 13, 14, 15, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m.elements[i], expected[i]) << i;
}

TEST(Matrix, ComposesParentTimesChildAndSquaresInPlace) {
    const float quarterTurnZ[3] = {0, 0, kHalfPi};
    const float shift[3] = {1, 2, 3};
    Matrix parent;
    parent.SetRotationFromEuler(quarterTurnZ);
    parent.SetTranslationPart(shift);
    Matrix child;
    const float childShift[3] = {1, 0, 0};
    child.SetTranslationPart(childShift);

    Matrix product = parent;
    product.MultiplyBy(child);
    // The child's origin, carried by the parent: x turns into y, then shifts.
    EXPECT_NEAR(product.elements[12], 1.0f, 1e-6);
    EXPECT_NEAR(product.elements[13], 3.0f, 1e-6);
    EXPECT_NEAR(product.elements[14], 3.0f, 1e-6);

    Matrix squared = parent;
    squared.MultiplyBy(squared);
    // Two quarter turns: a half turn; translation t + R t = (1,2,3) + (-2,1,0).
    EXPECT_NEAR(squared.elements[0], -1.0f, 1e-6);
    EXPECT_NEAR(squared.elements[5], -1.0f, 1e-6);
    EXPECT_NEAR(squared.elements[12], -1.0f, 1e-6);
    EXPECT_NEAR(squared.elements[13], 3.0f, 1e-6);
    EXPECT_NEAR(squared.elements[14], 6.0f, 1e-6);
}

TEST(Matrix, EulerRotationAppliesXThenYThenZAndLeavesTranslation) {
    Matrix m;
    const float shift[3] = {4, 5, 6};
    m.SetTranslationPart(shift);
    const float zero[3] = {0, 0, 0};
    m.SetRotationFromEuler(zero);
    for (int i : {0, 5, 10, 15}) EXPECT_EQ(m.elements[i], 1.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 11}) EXPECT_EQ(m.elements[i], 0.0f);
    EXPECT_EQ(m.elements[12], 4.0f);

    const float aboutX[3] = {kHalfPi, 0, 0};
    m.SetRotationFromEuler(aboutX);
    EXPECT_NEAR(m.elements[6], 1.0f, 1e-6);
    EXPECT_NEAR(m.elements[9], -1.0f, 1e-6);
    EXPECT_EQ(m.elements[14], 6.0f);

    // x first, then y: the y axis goes to z (about x), z stays z (about y)...
    const float xThenY[3] = {kHalfPi, kHalfPi, 0};
    Matrix r;
    r.SetRotationFromEuler(xThenY);
    const float yAxis[3] = {0, 1, 0};
    Vector v(yAxis);
    v.TransformDirection(r);
    // ...and a quarter turn about y carries z to x.
    EXPECT_NEAR(v.x, 1.0f, 1e-6);
    EXPECT_NEAR(v.y, 0.0f, 1e-6);
    EXPECT_NEAR(v.z, 0.0f, 1e-6);
}

TEST(Vector, PointsTakeTheTranslationAndDirectionsDoNot) {
    Matrix m = Filled(1.0f);
    m.elements[3] = m.elements[7] = m.elements[11] = 0.0f;
    m.elements[15] = 1.0f;
    const float p[3] = {1, 2, 3};

    Vector point(p);
    EXPECT_EQ(point.w, 1.0f);
    point.TransformPoint(m);
    EXPECT_EQ(point.x, 1 * 1 + 5 * 2 + 9 * 3 + 13.0f);
    EXPECT_EQ(point.y, 2 * 1 + 6 * 2 + 10 * 3 + 14.0f);
    EXPECT_EQ(point.z, 3 * 1 + 7 * 2 + 11 * 3 + 15.0f);
    EXPECT_EQ(point.w, 1.0f);

    Vector direction(p);
    direction.w = 7.0f;
    direction.TransformDirection(m);
    EXPECT_EQ(direction.x, 1 * 1 + 5 * 2 + 9 * 3.0f);
    EXPECT_EQ(direction.y, 2 * 1 + 6 * 2 + 10 * 3.0f);
    EXPECT_EQ(direction.z, 3 * 1 + 7 * 2 + 11 * 3.0f);
    EXPECT_EQ(direction.w, 1.0f);
}

}  // namespace
