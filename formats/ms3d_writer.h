// The one MS3D writer: a model described field by field, and its bytes in
// the layout of formats/ms3d_layout.h. assetgen writes the embedded models
// with it, the tests their models and the fuzzer its seeds.
//
// Platform: any. Header only, so the tools, the tests of every build and the
// fuzz targets use it without linking anything.
//
// Contract: Encode writes the description as it is, whatever it holds (out
// of range indices, joints after their children, names too long, which are
// cut to their fields), so that tests can write the malformed files a reader
// must refuse. Write first checks that the format carries the model
// faithfully and writes nothing when it does not. After the joints Encode
// writes the comments, vertex extras, joint extras and model extras only
// when `vertexExtras` names a sub-version; the show's models carry none.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "formats/byte_cursor.h"
#include "formats/ms3d_layout.h"

namespace ms3d {

struct Vertex {
    float position[3] = {};
    int joint = -1;
    // Vertex extras: three more joints and the weights of the first three of
    // the four, as stored (see model/ms3d_model.h for their meaning), and the
    // extra values of sub-versions 2 and 3.
    int extraJoints[3] = {-1, -1, -1};
    int weights[3] = {0, 0, 0};
    uint32_t extra[2] = {0, 0};
};

struct Triangle {
    int vertices[3] = {};
    float normals[3][3] = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    float s[3] = {0, 1, 0};
    float t[3] = {0, 0, 1};  // 0 at the top of the picture, as the file stores it
    int group = 0;
};

struct Group {
    std::vector<int> triangles = {};
    int material = -1;
    std::string name = {};
};

struct Material {
    std::string texture = {};  // up to 128 bytes; exactly 128 leaves no terminator
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emissive[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    float transparency = 1.0f;
    std::string name = {};
};

struct Key {
    float time = 0.0f;  // seconds
    float value[3] = {};
};

struct Joint {
    std::string name = {};
    std::string parent = {};  // empty for a root
    float rotation[3] = {};
    float position[3] = {};
    std::vector<Key> rotationKeys = {};
    std::vector<Key> translationKeys = {};
    float colour[3] = {1.0f, 1.0f, 0.0f};  // joint extras
};

struct Comment {
    int index = 0;
    std::string text = {};
};

struct Model {
    int version = 4;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;
    float framesPerSecond = 24.0f;
    int32_t totalFrames = 30;
    std::vector<Joint> joints;

    // The sections after the joints, written when vertexExtras is not 0 (it
    // is written as it is, so a test may name a sub-version out of range;
    // the records then take sub-version 3's size).
    int vertexExtras = 0;
    std::vector<Comment> groupComments, materialComments, jointComments;
    std::vector<std::string> modelComments;  // each as (length, text)
    bool indexedModelComments = false;       // each as (0, length, text)
    int jointExtras = 2;  // 0: the file ends after the vertex extras
    int modelExtras = 1;  // 0: the file ends after the joint extras
};

inline std::vector<uint8_t> Encode(const Model& model) {
    std::vector<int> references(model.vertices.size(), 0);
    for (const Triangle& t : model.triangles) {
        for (int v : t.vertices) {
            if (v >= 0 && static_cast<size_t>(v) < references.size()) ++references[static_cast<size_t>(v)];
        }
    }
    ByteWriter w;
    w.Chars(kMagic, kMagicSize);
    w.I32(model.version);

    w.U16(static_cast<uint32_t>(model.vertices.size()));
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        const Vertex& v = model.vertices[i];
        w.U8(0);
        w.Floats(v.position, 3);
        w.U8(static_cast<uint32_t>(v.joint));
        w.U8(static_cast<uint32_t>(std::min(references[i], 255)));
    }
    w.U16(static_cast<uint32_t>(model.triangles.size()));
    for (const Triangle& t : model.triangles) {
        w.U16(0);
        for (int v : t.vertices) w.U16(static_cast<uint32_t>(v));
        w.Floats(&t.normals[0][0], 9);
        w.Floats(t.s, 3);
        w.Floats(t.t, 3);
        w.U8(1);  // smoothing group
        w.U8(static_cast<uint32_t>(t.group));
    }
    w.U16(static_cast<uint32_t>(model.groups.size()));
    for (const Group& g : model.groups) {
        w.U8(0);
        w.Chars(g.name, kNameSize);
        w.U16(static_cast<uint32_t>(g.triangles.size()));
        for (int t : g.triangles) w.U16(static_cast<uint32_t>(t));
        w.U8(static_cast<uint32_t>(g.material));
    }
    w.U16(static_cast<uint32_t>(model.materials.size()));
    for (const Material& m : model.materials) {
        w.Chars(m.name, kNameSize);
        for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive}) w.Floats(colour, 4);
        w.F32(m.shininess);
        w.F32(m.transparency);
        w.U8(0);  // mode
        w.Chars(m.texture, kTextureFieldSize);
        w.Chars("", kTextureFieldSize);  // alpha map
    }
    w.F32(model.framesPerSecond);
    w.F32(0.0f);  // current time
    w.I32(model.totalFrames);
    w.U16(static_cast<uint32_t>(model.joints.size()));
    for (const Joint& j : model.joints) {
        w.U8(0);
        w.Chars(j.name, kNameSize);
        w.Chars(j.parent, kNameSize);
        w.Floats(j.rotation, 3);
        w.Floats(j.position, 3);
        w.U16(static_cast<uint32_t>(j.rotationKeys.size()));
        w.U16(static_cast<uint32_t>(j.translationKeys.size()));
        for (const auto* keys : {&j.rotationKeys, &j.translationKeys}) {
            for (const Key& k : *keys) {
                w.F32(k.time);
                w.Floats(k.value, 3);
            }
        }
    }
    if (model.vertexExtras == 0) return w.bytes;

    w.I32(kCommentSubVersion);
    for (const auto* comments : {&model.groupComments, &model.materialComments, &model.jointComments}) {
        w.I32(static_cast<int32_t>(comments->size()));
        for (const Comment& c : *comments) {
            w.I32(c.index);
            w.I32(static_cast<int32_t>(c.text.size()));
            w.Append(c.text.data(), c.text.size());
        }
    }
    w.I32(static_cast<int32_t>(model.modelComments.size()));
    for (const std::string& text : model.modelComments) {
        if (model.indexedModelComments) w.I32(0);
        w.I32(static_cast<int32_t>(text.size()));
        w.Append(text.data(), text.size());
    }
    const int subVersion = model.vertexExtras;
    const int extras = subVersion >= kLowestVertexExtras && subVersion <= kHighestVertexExtras ? subVersion - 1 : 2;
    w.I32(subVersion);
    for (const Vertex& v : model.vertices) {
        for (int id : v.extraJoints) w.U8(static_cast<uint32_t>(id));
        for (int weight : v.weights) w.U8(static_cast<uint32_t>(weight));
        for (int i = 0; i < extras; ++i) w.U32(v.extra[i]);
    }
    if (model.jointExtras == 0) return w.bytes;
    w.I32(model.jointExtras);
    for (const Joint& j : model.joints) w.Floats(j.colour, 3);
    if (model.modelExtras == 0) return w.bytes;
    w.I32(model.modelExtras);
    w.F32(1.0f);  // joint size
    w.I32(0);     // transparency mode: simple
    w.F32(0.5f);  // alpha reference
    return w.bytes;
}

// The first reason the format cannot carry the model faithfully, or "":
// indices out of range, names that do not fit their fields, a joint before
// its parent or named twice, rotation and translation keys of different
// counts or with times that do not rise, weights over 100 percent.
inline std::string Problem(const Model& model) {
    auto inRange = [](int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; };
    const size_t limit = 65535;
    if (model.vertices.size() > limit || model.triangles.size() > limit || model.groups.size() > limit ||
        model.materials.size() > limit || model.joints.size() > 127)
        return "too many elements for the format";
    for (const Vertex& v : model.vertices) {
        if (v.joint != -1 && !inRange(v.joint, model.joints.size())) return "vertex joint out of range";
        for (int id : v.extraJoints) {
            if (id != -1 && !inRange(id, model.joints.size())) return "vertex extra joint out of range";
        }
        if (v.weights[0] < 0 || v.weights[1] < 0 || v.weights[2] < 0 || v.weights[0] + v.weights[1] + v.weights[2] > 100)
            return "vertex weights outside 0 to 100 percent";
    }
    for (const Triangle& t : model.triangles) {
        for (int v : t.vertices) {
            if (!inRange(v, model.vertices.size())) return "triangle vertex out of range";
        }
        if (!inRange(t.group, model.groups.size())) return "triangle group out of range";
    }
    for (const Group& g : model.groups) {
        if (g.name.size() >= kNameSize) return "group name too long: " + g.name;
        if (g.triangles.empty()) return "empty group " + g.name;
        if (g.material != -1 && !(inRange(g.material, model.materials.size()) && g.material < 128))
            return "group material out of range";
        for (int t : g.triangles) {
            if (!inRange(t, model.triangles.size())) return "group triangle out of range";
        }
    }
    for (const Material& m : model.materials) {
        if (m.name.size() >= kNameSize) return "material name too long: " + m.name;
        if (m.texture.size() >= kTextureFieldSize) return "texture name too long: " + m.texture;
    }
    std::map<std::string, size_t> seen;
    for (size_t j = 0; j < model.joints.size(); ++j) {
        const Joint& joint = model.joints[j];
        if (joint.name.empty() || joint.name.size() >= kNameSize) return "bad joint name: " + joint.name;
        if (!joint.parent.empty() && seen.count(joint.parent) == 0) return "joint before its parent: " + joint.name;
        if (!seen.emplace(joint.name, j).second) return "duplicate joint name: " + joint.name;
        if (joint.rotationKeys.size() != joint.translationKeys.size()) return "key counts differ: " + joint.name;
        for (const auto* keys : {&joint.rotationKeys, &joint.translationKeys}) {
            for (size_t k = 1; k < keys->size(); ++k) {
                if (!((*keys)[k - 1].time < (*keys)[k].time)) return "key times not rising: " + joint.name;
            }
        }
    }
    return "";
}

// The file image, or an empty one with `error` set when the format cannot
// carry the model faithfully.
inline std::vector<uint8_t> Write(const Model& model, std::string& error) {
    error = Problem(model);
    return error.empty() ? Encode(model) : std::vector<uint8_t>();
}

}  // namespace ms3d
