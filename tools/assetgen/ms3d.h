// The catalogue's check of a written MS3D image: what it holds, read back by
// walking it with the format's record sizes (formats/ms3d_layout.h). The
// models themselves are written by the one MS3D writer, formats/ms3d_writer.h.
#pragma once

#include <string>
#include <vector>

#include "encoders.h"

namespace assetgen {

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
