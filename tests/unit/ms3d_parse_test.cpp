#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/ms3d_model.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/ms3d_image.h"
#include "tests/unit/shared_models.h"

namespace {

using namespace ms3d_test;

// Parses a copy of exactly `length` bytes, so that any read past the end
// lands outside the allocation.
bool Parse(MS3DModel& model, const std::vector<unsigned char>& image, size_t length, const std::string& prefix = "") {
    std::unique_ptr<unsigned char[]> copy(new unsigned char[length == 0 ? 1 : length]);
    std::copy(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length), copy.get());
    char pathBuffer[MS3DModel::kTexturePathCapacity];
    prefix.copy(pathBuffer, prefix.size());
    return model.ParseData(copy.get(), length, static_cast<int>(prefix.size()), pathBuffer);
}

bool Parse(MS3DModel& model, const ms3d::Model& description, const std::string& prefix = "") {
    const std::vector<unsigned char> image = Encode(description);
    return Parse(model, image, image.size(), prefix);
}

void ExpectEmpty(const MS3DModel& model) {
    EXPECT_EQ(model.vertexCount, 0);
    EXPECT_EQ(model.triangleCount, 0);
    EXPECT_EQ(model.meshCount, 0);
    EXPECT_EQ(model.materialCount, 0);
    EXPECT_EQ(model.jointCount, 0);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.joints, nullptr);
}

// A small skinned model: two joints, a triangle on each, keys of both kinds.
ms3d::Model Skinned() {
    ms3d::Model model = Quad();
    model.vertices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    model.groups = {ms3d::Group{{0}, 0}, ms3d::Group{{1}, -1}};
    model.materials.push_back(ms3d::Material{"plain.bmp"});
    model.framesPerSecond = 24.0f;
    model.totalFrames = 185;
    ms3d::Joint root{"Root", ""};
    root.rotationKeys = {{0.125f, {0, 0, 0}}, {1.0f, {0, 0, 1}}};
    root.translationKeys = {{0.125f, {0, 0, 0}}, {1.0f, {1, 0, 0}}};
    ms3d::Joint arm{"arm", "ROOT"};
    arm.position[0] = 1.0f;
    model.joints = {root, arm};
    return model;
}

class MS3DParse : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(MS3DParse, FillsEveryRecordFromTheImage) {
    MS3DModel model;
    ms3d::Model description = Skinned();
    description.triangles[1].t[2] = 0.25f;
    description.materials[0].diffuse[1] = 0.5f;
    description.materials[0].shininess = 12.0f;
    ASSERT_TRUE(Parse(model, description));

    EXPECT_EQ(model.vertexCount, 4);
    EXPECT_EQ(model.vertices[2].boneId, 1);
    EXPECT_EQ(model.triangleCount, 2);
    EXPECT_EQ(model.triangles[1].vertexIndices[2], 3);
    EXPECT_EQ(model.triangles[1].s[1], 1.0f);
    EXPECT_EQ(model.triangles[1].t[2], 0.75f);  // stored flipped
    ASSERT_EQ(model.meshCount, 2);
    EXPECT_EQ(model.meshes[0].triangleCount, 1);
    EXPECT_EQ(model.meshes[1].triangleIndices[0], 1);
    EXPECT_EQ(model.meshes[1].materialIndex, -1);
    ASSERT_EQ(model.materialCount, 2);
    EXPECT_EQ(model.materials[0].diffuse[1], 0.5f);
    EXPECT_EQ(model.materials[0].shininess, 12.0f);
    EXPECT_EQ(model.materials[0].texture, 0u);
    EXPECT_NEAR(model.totalTimeMs, 7708.333, 1e-3);

    ASSERT_EQ(model.jointCount, 2);
    EXPECT_STREQ(model.joints[1].name, "arm");
    EXPECT_EQ(model.joints[0].parentIndex, -1);
    EXPECT_EQ(model.joints[1].parentIndex, 0);  // "ROOT" names "Root"
    ASSERT_EQ(model.joints[0].rotationKeyCount, 2);
    EXPECT_EQ(model.joints[0].rotationKeys[0].timeMs, 125.0f);
    EXPECT_EQ(model.joints[0].rotationKeys[1].value[2], 1.0f);
    EXPECT_EQ(model.joints[0].translationKeys[1].value[0], 1.0f);
    EXPECT_EQ(model.joints[0].translationKeys[1].jointIndex, 0);
    EXPECT_EQ(model.joints[1].rotationKeyCount, 0);

    // Loaded: in the bind pose, which draws every vertex where the file has it.
    for (int i = 0; i < model.vertexCount; ++i) {
        const Vector p = model.PosedPosition(i);
        EXPECT_NEAR(p.x, description.vertices[static_cast<size_t>(i)].position[0], 1e-6);
        EXPECT_NEAR(p.y, description.vertices[static_cast<size_t>(i)].position[1], 1e-6);
    }
}

TEST_F(MS3DParse, AcceptsVersionsThreeAndFourOnly) {
    for (int version : {2, 3, 4, 5, -1}) {
        MS3DModel model;
        ms3d::Model description = Quad();
        description.version = version;
        EXPECT_EQ(Parse(model, description), version == 3 || version == 4) << version;
    }
    MS3DModel model;
    std::vector<unsigned char> image = Encode(Quad());
    image[9] = '1';
    EXPECT_FALSE(Parse(model, image, image.size()));
    ExpectEmpty(model);
}

TEST_F(MS3DParse, ComposesTextureNamesBehindTheDirectory) {
    MS3DModel model;
    ms3d::Model description = Quad();
    description.materials = {{".\\s1.jpg"}, {"./s2.jpg"}, {"s3.jpg"}, {".\\"}, {""}, {std::string(128, 'u')}};
    ASSERT_TRUE(Parse(model, description, "models\\"));
    ASSERT_EQ(model.materialCount, 6);
    EXPECT_STREQ(model.materials[0].textureFile, "models\\s1.jpg");
    EXPECT_STREQ(model.materials[1].textureFile, "./s2.jpg");
    EXPECT_STREQ(model.materials[2].textureFile, "s3.jpg");
    EXPECT_STREQ(model.materials[3].textureFile, "models\\");
    EXPECT_STREQ(model.materials[4].textureFile, "");
    // A field without a terminator ends at its 128 bytes.
    EXPECT_EQ(std::string(model.materials[5].textureFile), std::string(128, 'u'));

    MS3DModel fromResource;
    ASSERT_TRUE(Parse(fromResource, Quad()));
    EXPECT_STREQ(fromResource.materials[0].textureFile, "quad.jpg");
}

TEST_F(MS3DParse, ATexturePathTooLongForThePathBufferIsLeftEmpty) {
    const std::string directory(200, 'd');
    const std::string fits(MS3DModel::kTexturePathCapacity - 1 - directory.size(), 'n');
    MS3DModel model;
    ms3d::Model description = Quad();
    description.materials = {{".\\" + fits}, {".\\" + fits + "x"}, {"kept.jpg"}};
    ASSERT_TRUE(Parse(model, description, directory));
    EXPECT_EQ(std::string(model.materials[0].textureFile), directory + fits);
    // One character more: no texture, rather than a cut or overflowing name.
    EXPECT_STREQ(model.materials[1].textureFile, "");
    EXPECT_STREQ(model.materials[2].textureFile, "kept.jpg");
}

TEST_F(MS3DParse, RejectsEveryTruncationAndLeavesTheModelEmpty) {
    const std::vector<unsigned char> image = Encode(Skinned());
    for (size_t length = 0; length < image.size(); ++length) {
        MS3DModel model;
        ASSERT_FALSE(Parse(model, image, length)) << length;
        ExpectEmpty(model);
        model.Animate();
    }
    // Bytes after the joints are not read.
    std::vector<unsigned char> longer = image;
    longer.resize(image.size() + 9, 0xEE);
    MS3DModel model;
    EXPECT_TRUE(Parse(model, longer, longer.size()));
}

TEST_F(MS3DParse, RejectsIndicesOutsideTheirArrays) {
    struct Case {
        const char* what;
        void (*spoil)(ms3d::Model&);
    };
    const Case cases[] = {
        {"vertex index", [](ms3d::Model& m) { m.triangles[1].vertices[2] = 4; }},
        {"triangle index", [](ms3d::Model& m) { m.groups[0].triangles.push_back(2); }},
        {"material index", [](ms3d::Model& m) { m.groups[1].material = 2; }},
        {"negative material", [](ms3d::Model& m) { m.groups[1].material = -2; }},
        {"joint index", [](ms3d::Model& m) { m.vertices[3].joint = 2; }},
        {"negative joint", [](ms3d::Model& m) { m.vertices[3].joint = -3; }},
        {"joint without joints", [](ms3d::Model& m) { m.joints.clear(); }},
        {"unknown parent", [](ms3d::Model& m) { m.joints[1].parent = "hand"; }},
        {"parent after child", [](ms3d::Model& m) { std::swap(m.joints[0], m.joints[1]); }},
        {"own parent", [](ms3d::Model& m) { m.joints[0].parent = "root"; }},
    };
    for (const Case& c : cases) {
        MS3DModel model;
        ms3d::Model description = Skinned();
        c.spoil(description);
        EXPECT_FALSE(Parse(model, description)) << c.what;
        ExpectEmpty(model);
    }
}

TEST_F(MS3DParse, ARejectedImageEmptiesALoadedModelWhichStaysSafeToUse) {
    MS3DModel model;
    ASSERT_TRUE(Parse(model, Skinned()));
    ms3d::Model broken = Skinned();
    broken.vertices[0].joint = 9;
    EXPECT_FALSE(Parse(model, broken));
    ExpectEmpty(model);
    EXPECT_EQ(model.totalTimeMs, 0.0);
    model.Animate();
    EXPECT_EQ(model.ReplaceTexture("quad.jpg", 5), 0xFFFFFFFFu);
}

TEST_F(MS3DParse, AFrameRateOfZeroGivesAnAnimationOfLengthZero) {
    for (float fps : {0.0f, -24.0f, std::nanf("")}) {
        MS3DModel model;
        ms3d::Model description = Skinned();
        description.framesPerSecond = fps;
        ASSERT_TRUE(Parse(model, description));
        EXPECT_EQ(model.totalTimeMs, 0.0) << fps;
    }
    MS3DModel model;
    ms3d::Model description = Skinned();
    description.totalFrames = -5;
    ASSERT_TRUE(Parse(model, description));
    EXPECT_EQ(model.totalTimeMs, 0.0);
}

class MS3DFiles : public MS3DParse {
protected:
    std::string Write(const std::string& directory, const std::vector<unsigned char>& bytes) {
        const std::string path = directory + "/model.ms3d";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
        written_.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::string& path : written_) std::remove(path.c_str());
    }
    std::vector<std::string> written_;
};

TEST_F(MS3DFiles, LoadFromFileReportsRejectedAndMissingFiles) {
    MS3DModel missing;
    EXPECT_FALSE(missing.LoadFromFile("/nonexistent/model.ms3d"));
    ExpectEmpty(missing);

    ms3d::Model description = Quad();
    description.materials[0].texture = "";  // nothing to load without a GL context
    std::vector<unsigned char> image = Encode(description);
    const std::string path = Write(::testing::TempDir(), image);
    MS3DModel good;
    EXPECT_TRUE(good.LoadFromFile(path.c_str()));
    EXPECT_EQ(good.triangleCount, 2);

    image.pop_back();
    Write(::testing::TempDir(), image);
    MS3DModel truncated;
    EXPECT_FALSE(truncated.LoadFromFile(path.c_str()));
    ExpectEmpty(truncated);
}

TEST_F(MS3DFiles, ADirectoryTooLongForThePathBufferLeavesTexturesUnnamed) {
    const std::filesystem::path top = std::filesystem::path(::testing::TempDir()) / "corvane-long-directory";
    std::filesystem::path directory = top;
    while (directory.string().size() <= static_cast<size_t>(MS3DModel::kTexturePathCapacity))
        directory /= std::string(60, 'd');
    std::filesystem::create_directories(directory);
    const std::string path = Write(directory.string(), Encode(Quad()));
    MS3DModel model;
    const bool loaded = model.LoadFromFile(path.c_str());
    std::filesystem::remove_all(top);
    ASSERT_TRUE(loaded);
    EXPECT_STREQ(model.materials[0].textureFile, "");
    EXPECT_EQ(model.materials[0].texture, 0u);
}

TEST_F(MS3DParse, LoadFromResourceFailsForAMissingModel) {
    MS3DModel model;
    EXPECT_FALSE(model.LoadFromResource("no such model"));
    ExpectEmpty(model);
}

// A model made in a real modelling tool, outside this project.
TEST_F(MS3DParse, ReadsTheSharedJeep) {
    SKIP_WITHOUT_SHARED_MODEL("jeep1.ms3d");
    std::ifstream file(test_paths::SharedModel("jeep1.ms3d"), std::ios::binary);
    ASSERT_TRUE(file) << test_paths::SharedModel("jeep1.ms3d");
    const std::vector<unsigned char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    MS3DModel model;
    ASSERT_TRUE(Parse(model, image, image.size(), "cars/"));
    EXPECT_EQ(model.vertexCount, 1190);
    EXPECT_EQ(model.triangleCount, 2032);
    EXPECT_EQ(model.meshCount, 7);
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_STREQ(model.materials[0].textureFile, "cars/jeep1.jpg");
    EXPECT_EQ(model.jointCount, 0);
}

}  // namespace
