// The MS3D (version 4) model as the generator builds it, and its writer.
// The writer checks the model before producing bytes: every index in range,
// names that fit their fields, parents before children, as many rotation as
// translation keys with rising times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoders.h"

namespace assetgen {

struct Ms3dVertex {
    float position[3] = {};
    int joint = -1;
};

struct Ms3dTriangle {
    int vertices[3] = {};
    float normals[3][3] = {};
    float s[3] = {};
    float t[3] = {};  // 0 at the top of the picture, as the file stores it
    int group = 0;
};

struct Ms3dGroup {
    std::string name;
    std::vector<int> triangles;
    int material = -1;
};

struct Ms3dMaterial {
    std::string name;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emissive[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    float transparency = 1.0f;
    std::string texture;
};

struct Ms3dKey {
    float time = 0.0f;  // seconds
    float value[3] = {};
};

struct Ms3dJoint {
    std::string name;
    std::string parent;  // empty for a root
    float rotation[3] = {};
    float position[3] = {};
    std::vector<Ms3dKey> rotationKeys;
    std::vector<Ms3dKey> translationKeys;
};

struct Ms3dModel {
    std::vector<Ms3dVertex> vertices;
    std::vector<Ms3dTriangle> triangles;
    std::vector<Ms3dGroup> groups;
    std::vector<Ms3dMaterial> materials;
    float framesPerSecond = 24.0f;  // the rate of every model in the catalogue
    int totalFrames = 30;
    std::vector<Ms3dJoint> joints;
};

// The file image, or an empty vector with `error` set when the model is not
// one the format can carry faithfully.
Bytes WriteMs3d(const Ms3dModel& model, std::string& error);

// What a written image holds, read back by walking it; used to check the
// catalogue before anything is written to disk.
struct Ms3dSummary {
    bool valid = false;
    int version = 0;
    int vertices = 0, triangles = 0, groups = 0, materials = 0, joints = 0;
    float framesPerSecond = 0.0f;
    int totalFrames = 0;
    std::vector<int> groupMaterials;
    std::vector<std::string> textures;
    std::vector<int> rotationKeys, translationKeys;
    float firstKeyTime = 0.0f, lastKeyTime = 0.0f;
    size_t parsedBytes = 0;
};

Ms3dSummary SummariseMs3d(const Bytes& bytes);

}  // namespace assetgen
