// Vertices weighted over several joints by the vertex extras after the
// joints, checked against positions worked by hand, and extras that are bad
// in every way the format allows: dropped whole, the model read without them.
#include <gtest/gtest.h>

#include <vector>

#include "model/ms3d_model.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/ms3d_image.h"

namespace {

constexpr float kHalfPi = 1.57079632679f;

// Four root joints; at 1 s "a" (placed at (0, 0, 1)) has moved by
// (2, 0, 0), "b" (placed at (0, 1, 0)) has turned a quarter about z, "c"
// (placed at (1, 0, 0)) has moved by (0, 0, 3), "d" has no keys. Vertex 0 at (1, 1, 0) is half "a",
// half "b"; vertex 1 at (1, 0, 0) is 40 % "a", 30 % "b", 20 % "c" and the
// rest, 10 %, "d"; vertex 2 has weights of 0 and so follows "a" alone.
ms3d::Model Weighted(int subVersion) {
    ms3d::Model model;
    model.vertices = {{{1, 1, 0}, 0, {1, -1, -1}, {50, 50, 0}},
                      {{1, 0, 0}, 0, {1, 2, 3}, {40, 30, 20}},
                      {{0, 0, 0}, 0, {1, 2, 3}, {0, 0, 0}}};
    model.triangles = {ms3d::Triangle{{0, 1, 2}, {{1, 0, 0}, {0, 0, 1}, {0, 0, 1}}}};
    model.groups = {ms3d::Group{{0}}};
    model.framesPerSecond = 1.0f;
    model.totalFrames = 2;
    model.joints = {{"a"}, {"b"}, {"c"}, {"d"}};
    model.joints[0].position[2] = 1.0f;
    model.joints[0].translationKeys = {{0, {0, 0, 0}}, {1, {2, 0, 0}}};
    model.joints[1].position[1] = 1.0f;
    model.joints[1].rotationKeys = {{0, {0, 0, 0}}, {1, {0, 0, kHalfPi}}};
    model.joints[2].position[0] = 1.0f;
    model.joints[2].translationKeys = {{0, {0, 0, 0}}, {1, {0, 0, 3}}};
    model.vertexExtras = subVersion;
    model.groupComments = {{0, "body"}};
    model.modelComments = {"made elsewhere"};
    return model;
}

bool Parse(MS3DModel& model, const std::vector<unsigned char>& image) {
    char pathBuffer[MS3DModel::kTexturePathCapacity];
    return model.ParseData(image.data(), image.size(), 0, pathBuffer);
}

void ExpectAt(const Vector& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5);
    EXPECT_NEAR(v.y, y, 1e-5);
    EXPECT_NEAR(v.z, z, 1e-5);
}

TEST(MS3DWeights, AVertexFollowsItsJointsByWeight) {
    fake::Reset();
    for (int subVersion : {2, 3}) {
        ms3d::Model description = Weighted(subVersion);
        description.indexedModelComments = subVersion == 3;  // the layout some descriptions give
        MS3DModel model;
        ASSERT_TRUE(Parse(model, ms3d::Encode(description)));
        const MS3DExtras& e = model.extras;
        EXPECT_EQ(e.dropped, "");
        EXPECT_EQ(std::vector<int>({e.comments, e.vertexExtras, e.jointExtras, e.modelExtras, e.weightedVertices}),
                  std::vector<int>({1, subVersion, 2, 1, 2}));

        ExpectAt(model.PosedPosition(0), 1, 1, 0);  // the bind pose, as stored
        model.AnimateAt(1000.0);
        // (3, 1, 0) by "a" and (0, 2, 0) by "b", half each.
        ExpectAt(model.PosedPosition(0), 1.5f, 1.5f, 0);
        // (3, 0, 0), (1, 2, 0), (1, 0, 3) and (1, 0, 0) by 0.4, 0.3, 0.2, 0.1.
        ExpectAt(model.PosedPosition(1), 1.8f, 0.6f, 0.6f);
        ExpectAt(model.PosedPosition(2), 2, 0, 0);
        // The normal (1, 0, 0): kept by "a", turned to (0, 1, 0) by "b".
        ExpectAt(model.PosedNormal(model.triangles[0], 0), 0.70710678f, 0.70710678f, 0);
    }
    // Sub-version 1 weighs in 255ths: 51 and 51 leave 153 to "b" again.
    ms3d::Model description = Weighted(1);
    description.vertices[0].extraJoints[2] = 1;
    description.vertices[0].weights[0] = description.vertices[0].weights[1] = 51;
    description.vertices[0].weights[2] = 0;
    MS3DModel model;
    ASSERT_TRUE(Parse(model, ms3d::Encode(description)));
    model.AnimateAt(1000.0);
    ExpectAt(model.PosedPosition(0), 0.6f, 1.8f, 0);
}

TEST(MS3DWeights, BadExtrasAreDroppedAndTheModelReadWithoutThem) {
    fake::Reset();
    struct Case {
        const char* what;
        void (*spoil)(ms3d::Model&);
    };
    const Case cases[] = {
        {"weights over 100", [](ms3d::Model& m) { m.vertices[1].weights[2] = 31; }},
        {"joint past the joints", [](ms3d::Model& m) { m.vertices[2].extraJoints[0] = 4; }},
        {"joint below -1", [](ms3d::Model& m) { m.vertices[2].extraJoints[1] = -2; }},
        {"sub-version -1", [](ms3d::Model& m) { m.vertexExtras = -1; }},
        {"sub-version 4", [](ms3d::Model& m) { m.vertexExtras = 4; }},
        {"two model comments", [](ms3d::Model& m) { m.modelComments.push_back("again"); }},
    };
    for (const Case& c : cases) {
        ms3d::Model description = Weighted(3);
        c.spoil(description);
        MS3DModel model;
        ASSERT_TRUE(Parse(model, ms3d::Encode(description))) << c.what;
        EXPECT_NE(model.extras.dropped, "") << c.what;
        EXPECT_EQ(model.extras.weightedVertices, 0) << c.what;
        model.AnimateAt(1000.0);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(model.vertices[i].influenceCount, 0) << c.what;
        ExpectAt(model.PosedPosition(0), 3, 1, 0);  // on "a" alone, as without extras
    }

    // Cut anywhere after the joints: read whole up to a section's end, else
    // without extras; never weighted by half-read ones.
    const std::vector<unsigned char> whole = ms3d::Encode(Weighted(2));
    ms3d::Model bare = Weighted(2);
    bare.vertexExtras = 0;
    const size_t joints = ms3d::Encode(bare).size();
    int readWhole = 0;
    for (size_t length = joints; length <= whole.size(); ++length) {
        MS3DModel model;
        ASSERT_TRUE(Parse(model, std::vector<unsigned char>(whole.begin(), whole.begin() + length))) << length;
        if (model.extras.dropped.empty()) {
            ++readWhole;
        } else {
            EXPECT_EQ(model.extras.weightedVertices + model.extras.vertexExtras, 0) << length;
        }
    }
    EXPECT_EQ(readWhole, 5);  // no sections, then after each of the four
}

}  // namespace
