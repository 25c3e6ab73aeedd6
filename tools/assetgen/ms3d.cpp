#include "ms3d.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "formats/byte_cursor.h"

namespace assetgen {

namespace {

bool Check(bool condition, const std::string& message, std::string& error) {
    if (!condition && error.empty()) error = message;
    return condition;
}

bool Validate(const Ms3dModel& model, std::string& error) {
    const size_t limit = 65535;
    Check(model.vertices.size() <= limit && model.triangles.size() <= limit && model.groups.size() <= limit &&
              model.materials.size() <= limit && model.joints.size() <= 127,
          "too many elements for the format", error);
    for (const Ms3dVertex& v : model.vertices) {
        Check(v.joint >= -1 && v.joint < static_cast<int>(model.joints.size()), "vertex joint out of range", error);
    }
    for (const Ms3dTriangle& t : model.triangles) {
        for (int i = 0; i < 3; ++i) {
            Check(t.vertices[i] >= 0 && t.vertices[i] < static_cast<int>(model.vertices.size()),
                  "triangle vertex out of range", error);
        }
        Check(t.group >= 0 && t.group < static_cast<int>(model.groups.size()), "triangle group out of range", error);
    }
    for (const Ms3dGroup& g : model.groups) {
        Check(g.name.size() < 32, "group name too long: " + g.name, error);
        Check(!g.triangles.empty(), "empty group " + g.name, error);
        Check(g.material >= -1 && g.material < static_cast<int>(model.materials.size()) && g.material < 128,
              "group material out of range", error);
        for (int t : g.triangles) {
            Check(t >= 0 && t < static_cast<int>(model.triangles.size()), "group triangle out of range", error);
        }
    }
    for (const Ms3dMaterial& m : model.materials) {
        Check(m.name.size() < 32, "material name too long: " + m.name, error);
        Check(m.texture.size() < 128, "texture name too long: " + m.texture, error);
    }
    std::map<std::string, int> seen;
    for (size_t j = 0; j < model.joints.size(); ++j) {
        const Ms3dJoint& joint = model.joints[j];
        Check(joint.name.size() < 32 && !joint.name.empty(), "bad joint name: " + joint.name, error);
        Check(joint.parent.empty() || seen.count(joint.parent) != 0, "joint before its parent: " + joint.name, error);
        Check(seen.count(joint.name) == 0, "duplicate joint name: " + joint.name, error);
        seen[joint.name] = static_cast<int>(j);
        Check(joint.rotationKeys.size() == joint.translationKeys.size(), "key counts differ: " + joint.name, error);
        for (const auto* keys : {&joint.rotationKeys, &joint.translationKeys}) {
            for (size_t k = 1; k < keys->size(); ++k) {
                Check((*keys)[k - 1].time < (*keys)[k].time, "key times not rising: " + joint.name, error);
            }
        }
    }
    return error.empty();
}

}  // namespace

Bytes WriteMs3d(const Ms3dModel& model, std::string& error) {
    error.clear();
    if (!Validate(model, error)) return {};
    std::vector<int> references(model.vertices.size(), 0);
    for (const Ms3dTriangle& t : model.triangles) {
        for (int v : t.vertices) ++references[static_cast<size_t>(v)];
    }
    ByteWriter w;
    w.Chars("MS3D000000", 10);
    w.I32(4);
    w.U16(static_cast<uint32_t>(model.vertices.size()));
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        const Ms3dVertex& v = model.vertices[i];
        w.U8(0);
        for (float p : v.position) w.F32(p);
        w.U8(v.joint & 0xff);
        w.U8(std::min(references[i], 255));
    }
    w.U16(static_cast<uint32_t>(model.triangles.size()));
    for (const Ms3dTriangle& t : model.triangles) {
        w.U16(0);
        for (int v : t.vertices) w.U16(v);
        for (const auto& n : t.normals) {
            for (float c : n) w.F32(c);
        }
        for (float s : t.s) w.F32(s);
        for (float tc : t.t) w.F32(tc);
        w.U8(1);
        w.U8(t.group);
    }
    w.U16(static_cast<uint32_t>(model.groups.size()));
    for (const Ms3dGroup& g : model.groups) {
        w.U8(0);
        w.Chars(g.name, 32);
        w.U16(static_cast<uint32_t>(g.triangles.size()));
        for (int t : g.triangles) w.U16(t);
        w.U8(g.material & 0xff);
    }
    w.U16(static_cast<uint32_t>(model.materials.size()));
    for (const Ms3dMaterial& m : model.materials) {
        w.Chars(m.name, 32);
        for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive}) {
            for (int i = 0; i < 4; ++i) w.F32(colour[i]);
        }
        w.F32(m.shininess);
        w.F32(m.transparency);
        w.U8(0);
        w.Chars(m.texture, 128);
        w.Chars("", 128);
    }
    w.F32(model.framesPerSecond);
    w.F32(0.0f);
    w.I32(model.totalFrames);
    w.U16(static_cast<uint32_t>(model.joints.size()));
    for (const Ms3dJoint& j : model.joints) {
        w.U8(0);
        w.Chars(j.name, 32);
        w.Chars(j.parent, 32);
        for (float r : j.rotation) w.F32(r);
        for (float p : j.position) w.F32(p);
        w.U16(static_cast<uint32_t>(j.rotationKeys.size()));
        w.U16(static_cast<uint32_t>(j.translationKeys.size()));
        for (const auto* keys : {&j.rotationKeys, &j.translationKeys}) {
            for (const Ms3dKey& k : *keys) {
                w.F32(k.time);
                for (float v : k.value) w.F32(v);
            }
        }
    }
    return w.bytes;
}

namespace {

// Reads past a fixed-width text field, keeping what stands before its NUL.
std::string Text(ByteCursor& r, size_t width) {
    const unsigned char* at = r.Bytes(width);
    if (at == nullptr) return {};
    const std::string text(reinterpret_cast<const char*>(at), width);
    return text.substr(0, text.find('\0'));
}

int U16(ByteCursor& r) {
    uint16_t value = 0;
    r.Read(value);
    return value;
}

}  // namespace

Ms3dSummary SummariseMs3d(const Bytes& bytes) {
    Ms3dSummary s;
    ByteCursor r(bytes.data(), bytes.size());
    int32_t version = 0, totalFrames = 0;
    if (Text(r, 10) != "MS3D000000" || !r.Read(version)) return s;
    s.version = version;
    s.vertices = U16(r);
    r.Skip(static_cast<size_t>(s.vertices) * 15);
    s.triangles = U16(r);
    r.Skip(static_cast<size_t>(s.triangles) * 70);
    s.groups = U16(r);
    for (int g = 0; g < s.groups && !r.Failed(); ++g) {
        int8_t material = 0;
        r.Skip(33);
        r.Skip(static_cast<size_t>(U16(r)) * 2);
        r.Read(material);
        s.groupMaterials.push_back(material);
    }
    s.materials = U16(r);
    for (int m = 0; m < s.materials && !r.Failed(); ++m) {
        r.Skip(105);
        s.textures.push_back(Text(r, 128));
        r.Skip(128);
    }
    r.Read(s.framesPerSecond);
    r.Skip(4);
    r.Read(totalFrames);
    s.totalFrames = totalFrames;
    s.joints = U16(r);
    bool firstKey = true;
    for (int j = 0; j < s.joints && !r.Failed(); ++j) {
        r.Skip(89);
        const int rotations = U16(r), translations = U16(r);
        s.rotationKeys.push_back(rotations);
        s.translationKeys.push_back(translations);
        for (int k = 0; k < rotations + translations && !r.Failed(); ++k) {
            float time = 0.0f;
            r.Read(time);
            r.Skip(12);
            if (firstKey || time < s.firstKeyTime) s.firstKeyTime = time;
            if (firstKey || time > s.lastKeyTime) s.lastKeyTime = time;
            firstKey = false;
        }
    }
    s.parsedBytes = r.Position();
    s.valid = !r.Failed();
    return s;
}

}  // namespace assetgen
