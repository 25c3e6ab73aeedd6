#include "model/model.h"

#include "timing/timer.h"

Model::Model() : timer(CreateTimer()) { RestartAnimation(); }

Model::~Model() {
    Clear();
    delete timer;
}

void Model::Clear() {
    for (int i = 0; i < meshCount; ++i) delete[] meshes[i].triangleIndices;
    for (int i = 0; i < materialCount; ++i) delete[] materials[i].textureFile;
    meshCount = materialCount = triangleCount = vertexCount = 0;
    delete[] meshes;
    delete[] materials;
    delete[] triangles;
    delete[] vertices;
    meshes = nullptr;
    materials = nullptr;
    triangles = nullptr;
    vertices = nullptr;

    for (int i = 0; i < jointCount; ++i) {
        delete[] joints[i].rotationKeys;
        delete[] joints[i].translationKeys;
    }
    jointCount = 0;
    delete[] joints;
    joints = nullptr;
    totalTimeMs = 0.0;
}

void Model::StoreKeyframe(int jointIndex, int keyIndex, float timeMs, const float value[3], bool isRotation) {
    Joint& joint = joints[jointIndex];
    Keyframe& key = isRotation ? joint.rotationKeys[keyIndex] : joint.translationKeys[keyIndex];
    key.jointIndex = jointIndex;
    key.timeMs = timeMs;
    key.value[0] = value[0];
    key.value[1] = value[1];
    key.value[2] = value[2];
}
