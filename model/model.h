// The in-memory model: meshes, materials, triangles, vertices and a joint
// hierarchy with keyframes, animated on the model's own clock and drawn in
// immediate mode, skinned on the CPU: rigidly, each vertex on its one joint,
// or, where the file weights a vertex over several joints, as the weighted
// sum of where each of them carries it.
//
// The model owns every array, key list and texture file name, and its timer;
// it never deletes the OpenGL textures its materials name. Index fields are
// trusted here: the loader checks every one before it fills a model.
#pragma once

#include "model/matrix.h"
#include "model/vector.h"

class Timer;

struct Keyframe {
    int jointIndex = 0;
    float timeMs = 0.0f;
    float value[3] = {0.0f, 0.0f, 0.0f};  // Euler angles (radians) or a translation
};

struct Joint {
    float localRotation[3] = {0.0f, 0.0f, 0.0f};
    float localTranslation[3] = {0.0f, 0.0f, 0.0f};
    Matrix bindMatrix;   // bind pose in model space
    Matrix localMatrix;  // bind pose relative to the parent
    int rotationKeyCount = 0;
    int translationKeyCount = 0;
    Keyframe* translationKeys = nullptr;
    Keyframe* rotationKeys = nullptr;
    int currentTranslationKey = 0;  // first key not earlier than the last animated time
    int currentRotationKey = 0;
    Matrix poseMatrix;  // current pose in model space, used for skinning
    int parentIndex = -1;
    char name[32] = {};
};

// The most joints that move one vertex.
constexpr int kMaxInfluences = 4;

struct Vertex {
    signed char boneId = -1;  // joint index, -1 for none
    float position[3] = {0.0f, 0.0f, 0.0f};
    // A vertex weighted over joints: their indices and weights (which sum to
    // 1). Its position, and the normals of the corners that use it, stay in
    // model space. With influenceCount 0 the vertex follows boneId alone and
    // is stored in that joint's space.
    int influenceCount = 0;
    signed char influenceBones[kMaxInfluences] = {-1, -1, -1, -1};
    float influenceWeights[kMaxInfluences] = {0.0f, 0.0f, 0.0f, 0.0f};
};

struct Triangle {
    float normals[3][3] = {};  // per corner x, y, z
    float s[3] = {};
    float t[3] = {};  // already flipped: 1 - the file's value
    int vertexIndices[3] = {};
};

struct Material {
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float emissive[4] = {};
    float shininess = 0.0f;
    unsigned int texture = 0;      // OpenGL texture name, 0 = none
    char* textureFile = nullptr;  // owned; may be empty
};

struct Mesh {
    int materialIndex = -1;  // -1 = no material
    int triangleCount = 0;
    int* triangleIndices = nullptr;
};

class Model {
public:
    // Empty, looping, with its own timer just reset.
    Model();
    virtual ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Writes a key into a joint's rotation or translation key list.
    void StoreKeyframe(int jointIndex, int keyIndex, float timeMs, const float value[3], bool isRotation);

    // Builds the joints' local and bind matrices and moves skinned vertices
    // and normals into their joint's space. Once per load.
    void BindSkeleton();
    // Every joint back to its bind pose, cursors to 0, timer reset.
    void RestartAnimation();
    // Poses every joint for the time on the model's timer.
    void Animate();
    // Poses every joint as Animate does when the timer reads timeMs: past the
    // end a looping animation restarts (timer reset) and is posed at 0.
    void AnimateAt(double timeMs);

    // One texture per material, from the embedded pictures or from files.
    void LoadMaterialTextures(bool fromResources);
    // Draws every mesh into the current GL matrices, skinned with the current
    // pose. Leaves GL_TEXTURE_2D enabled or disabled as it found it.
    void Render() const;
    // Gives the first material whose textureFile equals `textureFile` (case
    // significant) the new texture; returns the one it had, or all bits set
    // when no material matches.
    unsigned int ReplaceTexture(const char* textureFile, unsigned int newTexture);
    // What ReplaceTexture returns when no material matches.
    static constexpr unsigned int kNoSuchMaterial = 0xFFFFFFFFu;

    // What Render sends for a corner: the vertex's position carried by its
    // joint's pose (as loaded when it has no joint), or the weighted sum of
    // where its joints carry it, and the corner's normal likewise,
    // renormalised.
    Vector PosedPosition(int vertexIndex) const;
    Vector PosedNormal(const Triangle& triangle, int corner) const;

    int meshCount = 0;
    Mesh* meshes = nullptr;
    int materialCount = 0;
    Material* materials = nullptr;
    int triangleCount = 0;
    Triangle* triangles = nullptr;
    int vertexCount = 0;
    Vertex* vertices = nullptr;
    int jointCount = 0;
    Joint* joints = nullptr;
    Timer* timer = nullptr;     // null only when it could not be allocated
    double totalTimeMs = 0.0;  // 0 until a load sets it
    bool looping = true;

protected:
    // Releases everything loaded and returns the model to its constructed
    // state; the timer is kept.
    void Clear();
};
