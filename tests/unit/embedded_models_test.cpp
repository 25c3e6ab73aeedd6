// The three embedded models: what they hold and how the characters move.
#include <gtest/gtest.h>

#include <string>

#include "model/ms3d_model.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_platform.h"
#include "platform/win32.h"
#include "timing/timer.h"

namespace {

class EmbeddedModel : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::SetCounterFrequency(1000);
    }

    // Parsed from the resource as the loader does, without textures.
    static void Load(MS3DModel& model, const char* name) {
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC resource = FindResourceA(module, name, "MDL");
        ASSERT_NE(resource, nullptr) << name;
        const void* bytes = LockResource(LoadResource(module, resource));
        ASSERT_NE(bytes, nullptr);
        char pathBuffer[MS3DModel::kTexturePathCapacity];
        ASSERT_TRUE(model.ParseData(static_cast<const unsigned char*>(bytes), SizeofResource(module, resource), 0,
                                    pathBuffer));
    }

    static void ExpectSamePose(const Model& a, const Model& b) {
        for (int j = 0; j < a.jointCount; ++j)
            for (int e = 0; e < 16; ++e)
                ASSERT_NEAR(a.joints[j].poseMatrix.elements[e], b.joints[j].poseMatrix.elements[e], 1e-6) << j;
    }
};

TEST_F(EmbeddedModel, HoldTheCataloguesCounts) {
    struct Expected {
        const char* name;
        int vertices, triangles, groups, joints, keys;
        double totalTimeMs;
        char texturePrefix;
    };
    const Expected all[] = {{"room", 3402, 2343, 62, 0, 0, 1250.0, 't'},
                            {"scientist", 380, 711, 19, 22, 180, 185 * 1000.0 / 24, 's'},
                            {"warden", 382, 709, 20, 24, 250, 281 * 1000.0 / 24, 'w'}};
    for (const Expected& e : all) {
        MS3DModel model;
        Load(model, e.name);
        EXPECT_EQ(model.vertexCount, e.vertices) << e.name;
        EXPECT_EQ(model.triangleCount, e.triangles) << e.name;
        EXPECT_EQ(model.meshCount, e.groups) << e.name;
        EXPECT_EQ(model.materialCount, e.groups) << e.name;
        EXPECT_EQ(model.jointCount, e.joints) << e.name;
        EXPECT_NEAR(model.totalTimeMs, e.totalTimeMs, 1e-9) << e.name;
        for (int i = 0; i < model.meshCount; ++i) EXPECT_EQ(model.meshes[i].materialIndex, i) << e.name;
        for (int i = 0; i < model.materialCount; ++i) {
            const std::string file = model.materials[i].textureFile;
            EXPECT_TRUE(file == "unnamed.jpg" || (file[0] == e.texturePrefix && file.size() > 4 &&
                                                 file.compare(file.size() - 4, 4, ".jpg") == 0))
                << e.name << " " << file;
        }
        for (int j = 0; j < model.jointCount; ++j) {
            EXPECT_EQ(model.joints[j].rotationKeyCount, e.keys) << e.name;
            EXPECT_EQ(model.joints[j].translationKeyCount, e.keys) << e.name;
        }
    }

    MS3DModel room;
    Load(room, "room");
    for (int i = 0; i < room.vertexCount; ++i) ASSERT_EQ(room.vertices[i].boneId, -1);
    EXPECT_STREQ(room.materials[20].textureFile, "unnamed.jpg");
    EXPECT_STREQ(room.materials[37].textureFile, "t31.jpg");
    EXPECT_STREQ(room.materials[21].textureFile, "t20.jpg");
    EXPECT_STREQ(room.materials[26].textureFile, "t20.jpg");
}

TEST_F(EmbeddedModel, TheScientistStartsOnItsFirstKeysAndRestartsAfterItsEnd) {
    MS3DModel scientist;
    Load(scientist, "scientist");
    for (int j = 0; j < scientist.jointCount; ++j) {
        EXPECT_EQ(scientist.joints[j].rotationKeys[0].timeMs, 125.0f);
        EXPECT_EQ(scientist.joints[j].translationKeys[0].timeMs, 125.0f);
    }

    // At 0 and at the first key's time the pose is the first keys'.
    scientist.Animate();
    MS3DModel atFirstKey;
    Load(atFirstKey, "scientist");
    atFirstKey.AnimateAt(125.0);
    ExpectSamePose(scientist, atFirstKey);

    fake::AdvanceClocks(7708);
    scientist.Animate();
    // The last key, at about 7708.33 ms, is still ahead.
    EXPECT_EQ(scientist.joints[0].currentRotationKey, 179);
    fake::AdvanceClocks(1);  // 7709 ms: past the end
    scientist.Animate();
    EXPECT_EQ(scientist.timer->GetTime(), 0.0);
    for (int j = 0; j < scientist.jointCount; ++j) {
        EXPECT_EQ(scientist.joints[j].currentRotationKey, 0);
        EXPECT_EQ(scientist.joints[j].currentTranslationKey, 0);
    }
    ExpectSamePose(scientist, atFirstKey);

    // And RestartAnimation puts every joint back into its bind pose.
    fake::AdvanceClocks(3000);
    scientist.Animate();
    scientist.RestartAnimation();
    for (int j = 0; j < scientist.jointCount; ++j)
        for (int e = 0; e < 16; ++e)
            EXPECT_EQ(scientist.joints[j].poseMatrix.elements[e], scientist.joints[j].bindMatrix.elements[e]);
}

TEST_F(EmbeddedModel, TheWardenHoldsItsLastKeysUntilItsEnd) {
    MS3DModel warden;
    Load(warden, "warden");
    for (int j = 0; j < warden.jointCount; ++j) {
        EXPECT_EQ(warden.joints[j].rotationKeys[249].timeMs, 10500.0f);
        EXPECT_EQ(warden.joints[j].translationKeys[249].timeMs, 10500.0f);
    }
    MS3DModel held;
    Load(held, "warden");
    held.AnimateAt(10500.0);
    for (double time : {10500.0, 11000.0, warden.totalTimeMs}) {
        warden.AnimateAt(time);
        ExpectSamePose(warden, held);
    }
    warden.AnimateAt(warden.totalTimeMs + 1.0);
    MS3DModel start;
    Load(start, "warden");
    start.AnimateAt(0.0);
    ExpectSamePose(warden, start);
}

}  // namespace
