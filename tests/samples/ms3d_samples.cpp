// Writes the small MS3D models the end-to-end checks and the fuzzer's seeds
// use, with the one MS3D writer:
//   slide.ms3d          one joint sliding 2 units along x in its first second
//   weighted_vN.ms3d    a bending joint pair, vertices weighted over both by
//                       vertex extras of sub-version N (1, 2, 3)
//   textured.ms3d       two quads facing +z, textured ".\Red.Png" (left) and
//                       "green.TGA" (right), and a third below naming
//                       "gone.png", which nobody makes
// Usage: ms3d_samples DIR
#include <cstdio>
#include <string>

#include "formats/ms3d_writer.h"

namespace {

bool Save(const std::string& path, const ms3d::Model& model) {
    const std::vector<uint8_t> bytes = ms3d::Encode(model);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file && std::fclose(file) == 0 && written;
}

ms3d::Model Quads(int count) {
    ms3d::Model model;
    for (int q = 0; q < count; ++q) {
        const float x = static_cast<float>(q % 2) - 1.0f, y = q < 2 ? -1.0f : -3.0f;
        const int v = static_cast<int>(model.vertices.size());
        model.vertices.insert(model.vertices.end(), {{{x, y, 0}}, {{x + 1, y, 0}}, {{x + 1, y + 2, 0}}, {{x, y + 2, 0}}});
        model.triangles.push_back({{v, v + 1, v + 2}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}, {0, 1, 1}, {1, 1, 0}, q});
        model.triangles.push_back({{v, v + 2, v + 3}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}, {0, 1, 0}, {1, 0, 0}, q});
        model.groups.push_back({{2 * q, 2 * q + 1}, q});
    }
    return model;
}

// "hip" at the origin and its child "knee" at (0, 1, 0), which turns a
// quarter about z in the first second. Vertex 0 (0, 2, 0) is on the knee
// alone; vertex 1 (0, 2, 0) half hip, half knee; vertex 2 (1, 1, 0) a
// quarter hip, three quarters knee. At 1000 ms they stand at (-1, 1, 0),
// (-0.5, 1.5, 0) and (0.25, 1.75, 0) (with sub-versions 2 and 3).
ms3d::Model Weighted(int subVersion) {
    ms3d::Model model;
    model.vertices = {{{0, 2, 0}, 1}, {{0, 2, 0}, 0, {1, -1, -1}, {50, 50, 0}}, {{1, 1, 0}, 0, {1, -1, -1}, {25, 75, 0}}};
    model.triangles = {ms3d::Triangle{{0, 1, 2}}};
    model.groups = {ms3d::Group{{0}}};
    model.framesPerSecond = 1.0f;
    model.totalFrames = 2;
    model.joints = {{"hip"}, {"knee", "hip", {0, 0, 0}, {0, 1, 0}}};
    model.joints[1].rotationKeys = {{0, {0, 0, 0}}, {1, {0, 0, 1.57079632679f}}};
    model.joints[1].translationKeys = {{0, {0, 0, 0}}, {1, {0, 0, 0}}};
    model.vertexExtras = subVersion;
    model.groupComments = {{0, "legs"}};
    model.modelComments = {"weighted over two joints"};
    return model;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: ms3d_samples DIR\n", stderr);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;

    ms3d::Model slide = Quads(1);
    for (ms3d::Vertex& v : slide.vertices) v.joint = 0;
    slide.groups[0].material = -1;
    slide.framesPerSecond = 1.0f;
    slide.totalFrames = 2;
    slide.joints = {{"root"}};
    slide.joints[0].rotationKeys = {{0, {0, 0, 0}}};
    slide.joints[0].translationKeys = {{0, {0, 0, 0}}, {1, {2, 0, 0}}};
    ok &= Save(dir + "slide.ms3d", slide);

    for (int subVersion = 1; subVersion <= 3; ++subVersion)
        ok &= Save(dir + "weighted_v" + std::to_string(subVersion) + ".ms3d", Weighted(subVersion));

    ms3d::Model textured = Quads(3);
    textured.materials = {{".\\Red.Png"}, {"green.TGA"}, {".\\gone.png"}};
    ok &= Save(dir + "textured.ms3d", textured);

    if (!ok) std::fprintf(stderr, "ms3d_samples: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
