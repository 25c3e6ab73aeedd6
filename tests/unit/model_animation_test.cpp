#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/ms3d_model.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/ms3d_image.h"
#include "timing/timer.h"

namespace {

using namespace ms3d_test;

constexpr float kHalfPi = 1.57079632679f;

// The model clock reads whole milliseconds: a 1 kHz performance counter
// makes every tick exactly one millisecond.
class Animation : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::SetCounterFrequency(1000);
    }

    static void Load(MS3DModel& model, const ms3d::Model& description) {
        const std::vector<unsigned char> image = Encode(description);
        char pathBuffer[MS3DModel::kTexturePathCapacity];
        ASSERT_TRUE(model.ParseData(image.data(), image.size(), 0, pathBuffer));
    }

    // One triangle whose three vertices hang on the given joints.
    static ms3d::Model Rig(std::vector<ms3d::Joint> joints, std::vector<ms3d::Vertex> vertices) {
        ms3d::Model model;
        model.vertices = std::move(vertices);
        model.triangles = {ms3d::Triangle{{0, 1, 2}}};
        model.groups = {ms3d::Group{{0}, -1}};
        model.framesPerSecond = 1.0f;
        model.totalFrames = 2;  // 2000 ms
        model.joints = std::move(joints);
        return model;
    }

    static void ExpectAt(const Vector& v, float x, float y, float z) {
        EXPECT_NEAR(v.x, x, 1e-5);
        EXPECT_NEAR(v.y, y, 1e-5);
        EXPECT_NEAR(v.z, z, 1e-5);
    }
};

ms3d::Joint Joint(const char* name, const char* parent) { return ms3d::Joint{name, parent}; }

TEST_F(Animation, AJointWithoutKeysFollowsItsParent) {
    ms3d::Joint root = Joint("root", "");
    root.rotationKeys = {{0.0f, {0, 0, 0}}, {1.0f, {0, 0, kHalfPi}}};
    root.translationKeys = {{0.0f, {0, 0, 0}}, {1.0f, {0, 0, 5}}};
    ms3d::Joint child = Joint("child", "root");
    child.position[0] = 2.0f;
    MS3DModel model;
    Load(model, Rig({root, child}, {{3, 0, 0, 1}, {2, 0, 0, 1}, {0, 0, 0, 0}}));

    model.AnimateAt(1000.0);
    // The parent turned a quarter about z and rose by 5; the child's vertices
    // went with it.
    ExpectAt(model.PosedPosition(0), 0, 3, 5);
    ExpectAt(model.PosedPosition(1), 0, 2, 5);
    const Vector normal = model.PosedNormal(model.triangles[0], 0);
    ExpectAt(normal, 0, 0, 1);
}

TEST_F(Animation, KeysAreHitExactlyAndInterpolatedLinearlyBetween) {
    ms3d::Joint root = Joint("root", "");
    root.translationKeys = {{0.25f, {1, 0, 0}}, {0.5f, {3, 0, 0}}, {1.5f, {3, 0, 8}}};
    root.rotationKeys = {{0.25f, {0, 0, 0}}, {0.5f, {0, 0, 0}}, {1.5f, {0, 0, 0}}};
    MS3DModel model;
    Load(model, Rig({root}, {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}}));

    model.AnimateAt(0.0);  // before the first key: the first key
    ExpectAt(model.PosedPosition(0), 1, 0, 0);
    model.AnimateAt(250.0);
    EXPECT_EQ(model.PosedPosition(0).x, 1.0f);
    model.AnimateAt(375.0);
    EXPECT_EQ(model.PosedPosition(0).x, 2.0f);
    model.AnimateAt(500.0);
    EXPECT_EQ(model.PosedPosition(0).x, 3.0f);
    EXPECT_EQ(model.PosedPosition(0).z, 0.0f);
    model.AnimateAt(1000.0);
    EXPECT_EQ(model.PosedPosition(0).z, 4.0f);
    EXPECT_EQ(model.joints[0].currentTranslationKey, 2);
    model.AnimateAt(1900.0);  // after the last key: the last key
    EXPECT_EQ(model.PosedPosition(0).z, 8.0f);
    EXPECT_EQ(model.joints[0].currentTranslationKey, 3);
}

TEST_F(Animation, TheEndRestartsOnlyWhenPassedAndResetsTheClock) {
    ms3d::Joint root = Joint("root", "");
    root.translationKeys = {{0.0f, {0, 0, 0}}, {2.0f, {10, 0, 0}}};
    root.rotationKeys = {{0.0f, {0, 0, 0}}, {2.0f, {0, 0, 0}}};
    MS3DModel model;
    Load(model, Rig({root}, {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}}));
    ASSERT_EQ(model.totalTimeMs, 2000.0);

    fake::AdvanceClocks(1000);
    model.Animate();
    EXPECT_EQ(model.PosedPosition(0).x, 5.0f);

    fake::AdvanceClocks(1000);  // exactly the end
    model.Animate();
    EXPECT_EQ(model.PosedPosition(0).x, 10.0f);
    EXPECT_EQ(model.timer->GetTime(), 2000.0);
    EXPECT_EQ(model.joints[0].currentTranslationKey, 1);

    fake::AdvanceClocks(1);  // past it: back to the start on a fresh clock
    model.Animate();
    EXPECT_EQ(model.PosedPosition(0).x, 0.0f);
    EXPECT_EQ(model.timer->GetTime(), 0.0);
    EXPECT_EQ(model.joints[0].currentTranslationKey, 0);

    fake::AdvanceClocks(500);
    model.Animate();
    EXPECT_EQ(model.PosedPosition(0).x, 2.5f);

    model.looping = false;
    fake::AdvanceClocks(5000);
    model.Animate();  // held at the end
    EXPECT_EQ(model.PosedPosition(0).x, 10.0f);
    EXPECT_EQ(model.timer->GetTime(), 5500.0);
}

TEST_F(Animation, AnglesAreInterpolatedAsPlainNumbers) {
    ms3d::Joint root = Joint("root", "");
    root.rotationKeys = {{0.0f, {0, 0, 3.1f}}, {1.0f, {0, 0, -3.1f}}, {2.0f, {0, 0, -3.1f}}};
    root.translationKeys = {{0.0f, {0, 0, 0}}};
    MS3DModel model;
    Load(model, Rig({root}, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}));

    // Halfway from 3.1 to -3.1 is 0, the long way round: not the half turn
    // that the short way would pass.
    model.AnimateAt(500.0);
    ExpectAt(model.PosedPosition(0), 1, 0, 0);
    // Equal neighbouring angles hold.
    model.AnimateAt(1500.0);
    EXPECT_NEAR(model.PosedPosition(0).x, std::cos(-3.1f), 1e-6);
    EXPECT_NEAR(model.PosedPosition(0).y, std::sin(-3.1f), 1e-6);
}

TEST_F(Animation, KeysOfOneKindLeaveTheOtherKindInTheBindPose) {
    ms3d::Joint turning = Joint("turning", "");
    turning.position[0] = 4.0f;
    turning.rotationKeys = {{0.0f, {0, 0, kHalfPi}}};
    ms3d::Joint moving = Joint("moving", "");
    moving.rotation[2] = kHalfPi;
    moving.translationKeys = {{0.0f, {0, 0, 1}}};
    MS3DModel model;
    Load(model, Rig({turning, moving}, {{5, 0, 0, 0}, {1, 0, 0, 1}, {0, 0, 0, 1}}));

    model.AnimateAt(100.0);
    // Turned a quarter about its bind position (4, 0, 0).
    ExpectAt(model.PosedPosition(0), 4, 1, 0);
    // Moved up by 1, its bind rotation kept.
    ExpectAt(model.PosedPosition(1), 1, 0, 1);
}

TEST_F(Animation, RestartAnimationReturnsEveryJointToItsBindPose) {
    ms3d::Joint root = Joint("root", "");
    root.rotation[1] = 0.3f;
    root.position[2] = 1.0f;
    root.rotationKeys = {{0.0f, {0.5f, 0, 0}}, {2.0f, {0, 1.0f, 0}}};
    root.translationKeys = {{0.0f, {1, 2, 3}}};
    ms3d::Joint child = Joint("child", "root");
    child.rotation[0] = 0.7f;
    child.position[0] = 2.0f;
    child.rotationKeys = {{1.0f, {0, 0, 2.0f}}};
    child.translationKeys = {{1.0f, {0, 1, 0}}};
    const std::vector<ms3d::Vertex> vertices = {{0.5f, 1, 2, 0}, {3, 1, -1, 1}, {-2, 0.25f, 1, -1}};
    MS3DModel model;
    Load(model, Rig({root, child}, vertices));

    model.AnimateAt(1200.0);
    EXPECT_GT(std::fabs(model.PosedPosition(1).x - vertices[1].position[0]), 0.1f);
    model.RestartAnimation();
    for (int j = 0; j < model.jointCount; ++j) {
        for (int e = 0; e < 16; ++e) EXPECT_EQ(model.joints[j].poseMatrix.elements[e], model.joints[j].bindMatrix.elements[e]);
        EXPECT_EQ(model.joints[j].currentRotationKey, 0);
    }
    for (int i = 0; i < 3; ++i) ExpectAt(model.PosedPosition(i), vertices[i].position[0], vertices[i].position[1], vertices[i].position[2]);

    // Keys of zero angle and zero translation are the bind pose too.
    ms3d::Joint still = Joint("still", "");
    still.rotation[1] = 0.3f;
    still.position[2] = 1.0f;
    still.rotationKeys = {{0.0f, {0, 0, 0}}};
    still.translationKeys = {{0.0f, {0, 0, 0}}};
    MS3DModel keyed;
    Load(keyed, Rig({still}, {{0.5f, 1, 2, 0}, {3, 1, -1, 0}, {-2, 0.25f, 1, -1}}));
    keyed.AnimateAt(700.0);
    ExpectAt(keyed.PosedPosition(1), 3, 1, -1);
}

TEST_F(Animation, AZeroLengthNormalStaysZero) {
    ms3d::Joint root = Joint("root", "");
    root.rotation[0] = 0.4f;
    ms3d::Model description = Rig({root}, {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}});
    float (&normals)[3][3] = description.triangles[0].normals;
    normals[0][0] = normals[0][1] = normals[0][2] = 0.0f;
    normals[1][0] = 3.0f;
    normals[1][2] = 0.0f;
    MS3DModel model;
    Load(model, description);

    ExpectAt(model.PosedNormal(model.triangles[0], 0), 0, 0, 0);
    ExpectAt(model.PosedNormal(model.triangles[0], 1), 1, 0, 0);  // renormalised
}

TEST_F(Animation, AModelWithoutJointsOnlyKeepsItsClock) {
    MS3DModel model;
    Load(model, Quad());
    ASSERT_EQ(model.totalTimeMs, 1250.0);
    fake::AdvanceClocks(1250);
    model.Animate();
    EXPECT_EQ(model.timer->GetTime(), 1250.0);
    fake::AdvanceClocks(1);
    model.Animate();
    EXPECT_EQ(model.timer->GetTime(), 0.0);

    // A zero frame rate: every frame restarts and holds the first keys.
    ms3d::Joint root = Joint("root", "");
    root.translationKeys = {{0.5f, {1, 0, 0}}, {1.0f, {2, 0, 0}}};
    ms3d::Model description = Rig({root}, {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}});
    description.framesPerSecond = 0.0f;
    MS3DModel still;
    Load(still, description);
    fake::AdvanceClocks(800);
    still.Animate();
    EXPECT_EQ(still.PosedPosition(0).x, 1.0f);
}

}  // namespace
