// Drawing models with a real GL context: the texturing state, untextured
// meshes, exactly what reaches GL for each corner (read back in feedback
// mode), and material textures loaded from files beside a model.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "gl_context.h"
#include "model/ms3d_model.h"
#include "tests/unit/ms3d_image.h"
#include "tests/unit/shared_models.h"

namespace {

using namespace ms3d_test;

constexpr int kSize = 64;

struct Corner {
    float x, y, z;
    float s, t;
};

class ModelRender : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.Ok());
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glColor3f(1.0f, 1.0f, 1.0f);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }

    void TearDown() override {
        if (!textures.empty()) glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    }

    static void Load(MS3DModel& model, const ms3d::Model& description) {
        const std::vector<unsigned char> image = Encode(description);
        char pathBuffer[MS3DModel::kTexturePathCapacity];
        ASSERT_TRUE(model.ParseData(image.data(), image.size(), 0, pathBuffer));
    }

    // A 1 x 1 texture of one colour, deleted after the test.
    GLuint SolidTexture(GLubyte r, GLubyte g, GLubyte b) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        const GLubyte pixel[4] = {r, g, b, 255};
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        textures.push_back(texture);
        return texture;
    }

    // The colour drawn at a pixel of the window.
    static std::vector<int> PixelAt(int x, int y) {
        GLubyte rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // Every corner that Render sends, in order, as GL feedback reports it:
    // window coordinates (the current matrices and a kSize viewport) and the
    // texture coordinates.
    static std::vector<Corner> Feedback(const Model& model) {
        std::vector<GLfloat> buffer(static_cast<size_t>(model.triangleCount) * 3 * 11 * 2 + 64);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        model.Render();
        const GLint used = glRenderMode(GL_RENDER);
        std::vector<Corner> corners;
        for (GLint i = 0; i < used;) {
            EXPECT_EQ(buffer[static_cast<size_t>(i)], static_cast<GLfloat>(GL_POLYGON_TOKEN));
            const int count = static_cast<int>(buffer[static_cast<size_t>(i) + 1]);
            EXPECT_EQ(count, 3);  // nothing clipped
            i += 2;
            for (int k = 0; k < count; ++k, i += 11) {
                const GLfloat* v = &buffer[static_cast<size_t>(i)];
                corners.push_back(Corner{v[0], v[1], v[2], v[7], v[8]});
            }
        }
        return corners;
    }

    // What the feedback should hold for a model-space point under a
    // modelview that scales by 1 / extent.
    static void ExpectCorner(const Corner& corner, float x, float y, float s, float t, float extent) {
        EXPECT_NEAR(corner.x, (x / extent + 1.0f) * 0.5f * kSize, 2e-3f);
        EXPECT_NEAR(corner.y, (y / extent + 1.0f) * 0.5f * kSize, 2e-3f);
        EXPECT_NEAR(corner.s, s, 1e-6f);
        EXPECT_NEAR(corner.t, t, 1e-6f);
    }

    GLTestContext context{kSize, kSize};
    std::vector<GLuint> textures;
};

// Two quads side by side covering the window: the left in group 0, the right
// in group 1, each with the given material.
ms3d::Model TwoHalves(int leftMaterial, int rightMaterial, int materials) {
    ms3d::Model model;
    model.vertices = {{-1, -1, 0}, {0, -1, 0}, {0, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {1, 1, 0}};
    model.triangles = {ms3d::Triangle{{0, 1, 2}}, ms3d::Triangle{{0, 2, 3}}, ms3d::Triangle{{1, 4, 5}},
                       ms3d::Triangle{{1, 5, 2}}};
    model.groups = {ms3d::Group{{0, 1}, leftMaterial}, ms3d::Group{{2, 3}, rightMaterial}};
    for (int i = 0; i < materials; ++i) model.materials.push_back(ms3d::Material{""});
    return model;
}

TEST_F(ModelRender, TexturesOnlyMeshesWhoseMaterialHasATexture) {
    struct Case {
        int left, right;
        bool rightTextured;
    };
    // Right half: no material, a material with texture 0, a textured one.
    for (const Case& c : {Case{0, -1, false}, Case{0, 1, false}, Case{0, 2, true}}) {
        MS3DModel model;
        Load(model, TwoHalves(c.left, c.right, 3));
        model.materials[0].texture = SolidTexture(255, 0, 0);
        model.materials[2].texture = SolidTexture(0, 0, 255);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        model.Render();
        EXPECT_EQ(PixelAt(kSize / 4, kSize / 2), (std::vector<int>{255, 0, 0}));
        const std::vector<int> right = PixelAt(3 * kSize / 4, kSize / 2);
        EXPECT_EQ(right, c.rightTextured ? (std::vector<int>{0, 0, 255}) : (std::vector<int>{255, 255, 255}))
            << c.right;
    }
}

TEST_F(ModelRender, LeavesTexturingAsItFoundIt) {
    MS3DModel allTextured;
    Load(allTextured, TwoHalves(0, 0, 1));
    allTextured.materials[0].texture = SolidTexture(0, 255, 0);
    glDisable(GL_TEXTURE_2D);
    allTextured.Render();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    MS3DModel lastUntextured;
    Load(lastUntextured, TwoHalves(0, -1, 1));
    lastUntextured.materials[0].texture = SolidTexture(0, 255, 0);
    glEnable(GL_TEXTURE_2D);
    lastUntextured.Render();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // The last textured mesh's texture stays bound.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), lastUntextured.materials[0].texture);

    Model empty;
    glEnable(GL_TEXTURE_2D);
    empty.Render();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelRender, SendsAModelWithoutJointsAsLoaded) {
    SKIP_WITHOUT_SHARED_MODEL("jeep1.ms3d");
    MS3DModel jeep;
    ASSERT_TRUE(jeep.ParseFile(test_paths::SharedModel("jeep1.ms3d").c_str()));
    float extent = 0.0f;
    for (int i = 0; i < jeep.vertexCount; ++i)
        for (float c : jeep.vertices[i].position) extent = std::fmax(extent, std::fabs(c));
    extent *= 1.01f;
    glScalef(1.0f / extent, 1.0f / extent, 1.0f / extent);

    jeep.AnimateAt(500.0);
    const std::vector<Corner> corners = Feedback(jeep);
    ASSERT_EQ(corners.size(), static_cast<size_t>(jeep.triangleCount) * 3);
    size_t n = 0;
    for (int m = 0; m < jeep.meshCount; ++m) {
        for (int i = 0; i < jeep.meshes[m].triangleCount; ++i) {
            const Triangle& triangle = jeep.triangles[jeep.meshes[m].triangleIndices[i]];
            for (int k = 0; k < 3; ++k, ++n) {
                const float* p = jeep.vertices[triangle.vertexIndices[k]].position;
                ExpectCorner(corners[n], p[0], p[1], triangle.s[k], triangle.t[k], extent);
            }
        }
    }
}

TEST_F(ModelRender, SendsSkinnedCornersInTheCurrentPose) {
    ms3d::Model description = TwoHalves(-1, -1, 0);
    for (ms3d::Vertex& v : description.vertices) v.joint = v.position[0] < 0 ? 0 : 1;
    ms3d::Joint root{"root", ""};
    root.rotationKeys = {{0.0f, {0, 0, 0}}, {1.0f, {0, 0, 0.5f}}};
    root.translationKeys = {{0.0f, {0, 0, 0}}};
    ms3d::Joint tip{"tip", "root"};
    tip.position[0] = 0.5f;
    tip.rotationKeys = {{0.0f, {0, 0, -0.25f}}};
    tip.translationKeys = {{0.5f, {0, 0.1f, 0}}};
    description.joints = {root, tip};
    description.triangles[2].t[1] = 0.25f;
    MS3DModel model;
    Load(model, description);
    glScalef(0.5f, 0.5f, 0.5f);

    model.AnimateAt(700.0);
    const std::vector<Corner> corners = Feedback(model);
    ASSERT_EQ(corners.size(), 12u);
    size_t n = 0;
    for (int m = 0; m < model.meshCount; ++m) {
        for (int i = 0; i < model.meshes[m].triangleCount; ++i) {
            const Triangle& triangle = model.triangles[model.meshes[m].triangleIndices[i]];
            for (int k = 0; k < 3; ++k, ++n) {
                const Vector p = model.PosedPosition(triangle.vertexIndices[k]);
                ExpectCorner(corners[n], p.x, p.y, triangle.s[k], triangle.t[k], 2.0f);
            }
        }
    }
    // The pose moved the vertices away from where they were loaded.
    EXPECT_GT(std::fabs(model.PosedPosition(5).x - 1.0f), 0.05f);
    EXPECT_EQ(corners[7].t, 0.75f);
}

// A model read through an absolute path and through a path relative to the
// current directory finds its texture beside it either way.
TEST_F(ModelRender, LoadsMaterialTexturesFromBesideTheFile) {
    SKIP_WITHOUT_SHARED_MODEL("jeep1.ms3d");
    const std::filesystem::path jeepPath = std::filesystem::absolute(test_paths::SharedModel("jeep1.ms3d"));
    MS3DModel absolute;
    ASSERT_TRUE(absolute.LoadFromFile(jeepPath.string().c_str()));
    ASSERT_EQ(absolute.materialCount, 1);
    const GLuint texture = absolute.materials[0].texture;
    ASSERT_NE(texture, 0u);
    textures.push_back(texture);
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_GE(width, 256);

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(jeepPath.parent_path().parent_path());
    MS3DModel relative;
    const bool loaded = relative.LoadFromFile("models/jeep1.ms3d");
    std::filesystem::current_path(previous);
    ASSERT_TRUE(loaded);
    EXPECT_STREQ(relative.materials[0].textureFile, "models/jeep1.jpg");
    EXPECT_NE(relative.materials[0].texture, 0u);
    textures.push_back(relative.materials[0].texture);

    // The textures outlive the models that named them.
    {
        MS3DModel temporary;
        ASSERT_TRUE(temporary.LoadFromFile(jeepPath.string().c_str()));
        textures.push_back(temporary.materials[0].texture);
    }
    EXPECT_TRUE(glIsTexture(textures.back()));
}

TEST_F(ModelRender, TheRoomGetsATextureForEveryPictureItNames) {
    MS3DModel room;
    ASSERT_TRUE(room.LoadFromResource("room"));
    ASSERT_EQ(room.materialCount, 62);
    for (int i = 0; i < room.materialCount; ++i) {
        if (room.materials[i].texture != 0) textures.push_back(room.materials[i].texture);
        // Only the material naming a picture that does not exist has none.
        EXPECT_EQ(room.materials[i].texture == 0, i == 20) << room.materials[i].textureFile;
    }
    // Two materials naming one picture: two textures.
    EXPECT_NE(room.materials[21].texture, room.materials[26].texture);
    EXPECT_TRUE(glIsTexture(room.materials[26].texture));

    const GLuint blink = SolidTexture(255, 0, 0);
    const GLuint original = room.materials[37].texture;
    EXPECT_EQ(room.ReplaceTexture("t31.jpg", blink), original);
    EXPECT_EQ(room.ReplaceTexture("t31.jpg", original), blink);
    EXPECT_EQ(room.materials[37].texture, original);
    EXPECT_EQ(room.ReplaceTexture("T31.JPG", blink), 0xFFFFFFFFu);
    EXPECT_EQ(room.materials[37].texture, original);

    MS3DModel scientist;
    ASSERT_TRUE(scientist.LoadFromResource("scientist"));
    for (int i = 0; i < scientist.materialCount; ++i) {
        EXPECT_NE(scientist.materials[i].texture, 0u) << scientist.materials[i].textureFile;
        textures.push_back(scientist.materials[i].texture);
    }
}

}  // namespace
