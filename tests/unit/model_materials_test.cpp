#include <gtest/gtest.h>

#include <vector>

#include "model/ms3d_model.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/ms3d_image.h"

namespace {

using namespace ms3d_test;

class ModelMaterials : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ms3d::Model description = Quad();
        description.materials = {{".\\t20.jpg"}, {".\\t31.jpg"}, {".\\t20.jpg"}, {""}};
        const std::vector<unsigned char> image = Encode(description);
        char pathBuffer[MS3DModel::kTexturePathCapacity];
        ASSERT_TRUE(model.ParseData(image.data(), image.size(), 0, pathBuffer));
        for (int i = 0; i < model.materialCount; ++i) model.materials[i].texture = 10u + static_cast<unsigned>(i);
    }

    MS3DModel model;
};

TEST_F(ModelMaterials, ReplaceTextureSwapsTheFirstExactMatchAndBack) {
    EXPECT_EQ(model.ReplaceTexture("t31.jpg", 99), 11u);
    EXPECT_EQ(model.materials[1].texture, 99u);
    EXPECT_EQ(model.ReplaceTexture("t31.jpg", 11), 99u);
    EXPECT_EQ(model.materials[1].texture, 11u);

    // Only the first of two materials with the same picture.
    EXPECT_EQ(model.ReplaceTexture("t20.jpg", 50), 10u);
    EXPECT_EQ(model.materials[2].texture, 12u);
}

TEST_F(ModelMaterials, ReplaceTextureWithoutAMatchChangesNothing) {
    for (const char* name : {"T31.JPG", "t31", ".\\t31.jpg", "t31.jpg "}) {
        EXPECT_EQ(model.ReplaceTexture(name, 77), 0xFFFFFFFFu) << name;
    }
    for (int i = 0; i < model.materialCount; ++i) EXPECT_EQ(model.materials[i].texture, 10u + static_cast<unsigned>(i));
}

TEST_F(ModelMaterials, AnEmptyTextureNameLoadsNothing) {
    // Only the last material names no picture; give the others none either.
    for (int i = 0; i < 3; ++i) model.materials[i].textureFile[0] = '\0';
    fake::Reset();
    model.LoadMaterialTextures(true);
    model.LoadMaterialTextures(false);
    for (int i = 0; i < model.materialCount; ++i) EXPECT_EQ(model.materials[i].texture, 0u);
}

}  // namespace
