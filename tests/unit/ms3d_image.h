// Builds MS3D images byte by byte for the loader and animation tests: a
// small model description and its encoding in the file layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/byte_cursor.h"

namespace ms3d_test {

struct ImageVertex {
    float x, y, z;
    int bone = -1;
};

struct ImageTriangle {
    int v[3];
    float normals[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    float s[3] = {0, 1, 0};
    float t[3] = {0, 0, 1};
};

struct ImageGroup {
    std::vector<int> triangles;
    int material = -1;
};

struct ImageMaterial {
    std::string texture;  // up to 128 bytes; exactly 128 leaves no terminator
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float shininess = 0.0f;
};

struct ImageKey {
    float seconds;
    float value[3];
};

struct ImageJoint {
    std::string name;
    std::string parent;
    float rotation[3] = {0, 0, 0};
    float position[3] = {0, 0, 0};
    std::vector<ImageKey> rotationKeys = {};
    std::vector<ImageKey> translationKeys = {};
};

struct ImageModel {
    int version = 4;
    std::vector<ImageVertex> vertices;
    std::vector<ImageTriangle> triangles;
    std::vector<ImageGroup> groups;
    std::vector<ImageMaterial> materials;
    float framesPerSecond = 24.0f;
    int32_t frames = 30;
    std::vector<ImageJoint> joints;
};

inline std::vector<unsigned char> Encode(const ImageModel& model) {
    ByteWriter out;
    out.Chars("MS3D000000", 10);
    out.I32(model.version);

    out.U16(static_cast<uint32_t>(model.vertices.size()));
    for (const ImageVertex& v : model.vertices) {
        out.U8(0);
        out.F32(v.x);
        out.F32(v.y);
        out.F32(v.z);
        out.U8(v.bone & 0xff);
        out.U8(1);
    }

    out.U16(static_cast<uint32_t>(model.triangles.size()));
    for (const ImageTriangle& t : model.triangles) {
        out.U16(0);
        for (int k = 0; k < 3; ++k) out.U16(t.v[k]);
        out.Floats(t.normals, 9);
        out.Floats(t.s, 3);
        out.Floats(t.t, 3);
        out.U8(1);
        out.U8(0);
    }

    out.U16(static_cast<uint32_t>(model.groups.size()));
    for (size_t g = 0; g < model.groups.size(); ++g) {
        out.U8(0);
        out.Chars("group" + std::to_string(g), 32);
        out.U16(static_cast<uint32_t>(model.groups[g].triangles.size()));
        for (int index : model.groups[g].triangles) out.U16(index);
        out.U8(model.groups[g].material & 0xff);
    }

    out.U16(static_cast<uint32_t>(model.materials.size()));
    for (const ImageMaterial& m : model.materials) {
        const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
        const float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        const float emissive[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        out.Chars("material", 32);
        out.Floats(ambient, 4);
        out.Floats(m.diffuse, 4);
        out.Floats(specular, 4);
        out.Floats(emissive, 4);
        out.F32(m.shininess);
        out.F32(1.0f);
        out.U8(0);
        out.Chars(m.texture, 128);
        out.Chars("", 128);
    }

    out.F32(model.framesPerSecond);
    out.F32(0.0f);
    out.I32(model.frames);

    out.U16(static_cast<uint32_t>(model.joints.size()));
    for (const ImageJoint& j : model.joints) {
        out.U8(0);
        out.Chars(j.name, 32);
        out.Chars(j.parent, 32);
        out.Floats(j.rotation, 3);
        out.Floats(j.position, 3);
        out.U16(static_cast<uint32_t>(j.rotationKeys.size()));
        out.U16(static_cast<uint32_t>(j.translationKeys.size()));
        for (const ImageKey& k : j.rotationKeys) {
            out.F32(k.seconds);
            out.Floats(k.value, 3);
        }
        for (const ImageKey& k : j.translationKeys) {
            out.F32(k.seconds);
            out.Floats(k.value, 3);
        }
    }
    return out.bytes;
}

// One textured quad (two triangles, one group, one material), no joints.
inline ImageModel Quad() {
    ImageModel model;
    model.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    model.triangles = {ImageTriangle{{0, 1, 2}}, ImageTriangle{{0, 2, 3}}};
    model.groups = {ImageGroup{{0, 1}, 0}};
    model.materials = {ImageMaterial{".\\quad.jpg"}};
    return model;
}

}  // namespace ms3d_test
