// Fuzzes the MS3D parser (with the extras after the joints and the weights
// they give) and everything that walks a parsed model: the skeleton set-up,
// animation across the whole animation and the skinning of every corner
// that drawing visits (drawing itself needs a GL context, so its traversal
// is repeated here without the GL calls).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "model/ms3d_model.h"
#include "platform/fake/fake_platform.h"

namespace {

volatile float sink;

void VisitCorners(const Model& model) {
    float sum = 0.0f;
    for (int m = 0; m < model.meshCount; ++m) {
        const Mesh& mesh = model.meshes[m];
        if (mesh.materialIndex >= 0) sum += static_cast<float>(model.materials[mesh.materialIndex].texture);
        for (int i = 0; i < mesh.triangleCount; ++i) {
            const Triangle& triangle = model.triangles[mesh.triangleIndices[i]];
            for (int k = 0; k < 3; ++k) {
                sum += model.PosedNormal(triangle, k).x + triangle.s[k] + triangle.t[k];
                sum += model.PosedPosition(triangle.vertexIndices[k]).z;
            }
        }
    }
    sink = sum;
}

void FuzzOne(const uint8_t* data, size_t size) {
    MS3DModel model;
    char pathBuffer[MS3DModel::kTexturePathCapacity];
    std::memcpy(pathBuffer, "models/", 7);
    if (!model.ParseData(data, size, 7, pathBuffer)) {
        VisitCorners(model);
        return;
    }
    VisitCorners(model);
    const double end = model.totalTimeMs;
    for (double time : {0.0, end * 0.25, end * 0.5, end, end + 1.0, 50.0}) {
        model.AnimateAt(time);
        VisitCorners(model);
    }
    model.RestartAnimation();
    if (model.materialCount > 0) model.ReplaceTexture(model.materials[0].textureFile, 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzOne(data, size);
    // The fake platform under the model's timer logs every call it gets;
    // forget them, so that nothing carries over from one input to the next
    // and memory stays flat however long a campaign runs.
    fake::Reset();
    return 0;
}
