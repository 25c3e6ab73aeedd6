#include "ms3d.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace assetgen {

namespace {

class Writer {
public:
    Bytes bytes;
    void U8(int v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(int v) {
        U8(v & 0xff);
        U8((v >> 8) & 0xff);
    }
    void I32(int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) U8(static_cast<int>((u >> (8 * i)) & 0xff));
    }
    void F32(float v) {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        I32(static_cast<int32_t>(u));
    }
    void Text(const std::string& text, size_t width) {
        for (size_t i = 0; i < width; ++i) U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    }
};

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
    Writer w;
    w.Text("MS3D000000", 10);
    w.I32(4);
    w.U16(static_cast<int>(model.vertices.size()));
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        const Ms3dVertex& v = model.vertices[i];
        w.U8(0);
        for (float p : v.position) w.F32(p);
        w.U8(v.joint & 0xff);
        w.U8(std::min(references[i], 255));
    }
    w.U16(static_cast<int>(model.triangles.size()));
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
    w.U16(static_cast<int>(model.groups.size()));
    for (const Ms3dGroup& g : model.groups) {
        w.U8(0);
        w.Text(g.name, 32);
        w.U16(static_cast<int>(g.triangles.size()));
        for (int t : g.triangles) w.U16(t);
        w.U8(g.material & 0xff);
    }
    w.U16(static_cast<int>(model.materials.size()));
    for (const Ms3dMaterial& m : model.materials) {
        w.Text(m.name, 32);
        for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive}) {
            for (int i = 0; i < 4; ++i) w.F32(colour[i]);
        }
        w.F32(m.shininess);
        w.F32(m.transparency);
        w.U8(0);
        w.Text(m.texture, 128);
        w.Text("", 128);
    }
    w.F32(model.framesPerSecond);
    w.F32(0.0f);
    w.I32(model.totalFrames);
    w.U16(static_cast<int>(model.joints.size()));
    for (const Ms3dJoint& j : model.joints) {
        w.U8(0);
        w.Text(j.name, 32);
        w.Text(j.parent, 32);
        for (float r : j.rotation) w.F32(r);
        for (float p : j.position) w.F32(p);
        w.U16(static_cast<int>(j.rotationKeys.size()));
        w.U16(static_cast<int>(j.translationKeys.size()));
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

class Reader {
public:
    explicit Reader(const Bytes& b) : bytes(b) {}
    bool ok = true;
    size_t at = 0;
    bool Need(size_t n) {
        if (at + n > bytes.size()) ok = false;
        return ok;
    }
    int U8() { return Need(1) ? bytes[at++] : 0; }
    int U16() {
        if (!Need(2)) return 0;
        const int v = bytes[at] | (bytes[at + 1] << 8);
        at += 2;
        return v;
    }
    int32_t I32() {
        if (!Need(4)) return 0;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
        at += 4;
        return static_cast<int32_t>(v);
    }
    float F32() {
        const uint32_t u = static_cast<uint32_t>(I32());
        float f;
        std::memcpy(&f, &u, 4);
        return f;
    }
    std::string Text(size_t width) {
        if (!Need(width)) return {};
        std::string s(reinterpret_cast<const char*>(&bytes[at]), width);
        at += width;
        return s.substr(0, s.find('\0'));
    }
    void Skip(size_t n) {
        if (Need(n)) at += n;
    }

private:
    const Bytes& bytes;
};

}  // namespace

Ms3dSummary SummariseMs3d(const Bytes& bytes) {
    Ms3dSummary s;
    Reader r(bytes);
    if (r.Text(10) != "MS3D000000") return s;
    s.version = r.I32();
    s.vertices = r.U16();
    r.Skip(static_cast<size_t>(s.vertices) * 15);
    s.triangles = r.U16();
    r.Skip(static_cast<size_t>(s.triangles) * 70);
    s.groups = r.U16();
    for (int g = 0; g < s.groups && r.ok; ++g) {
        r.Skip(33);
        r.Skip(static_cast<size_t>(r.U16()) * 2);
        s.groupMaterials.push_back(static_cast<int8_t>(r.U8()));
    }
    s.materials = r.U16();
    for (int m = 0; m < s.materials && r.ok; ++m) {
        r.Skip(105);
        s.textures.push_back(r.Text(128));
        r.Skip(128);
    }
    s.framesPerSecond = r.F32();
    r.F32();
    s.totalFrames = r.I32();
    s.joints = r.U16();
    bool firstKey = true;
    for (int j = 0; j < s.joints && r.ok; ++j) {
        r.Skip(89);
        const int rotations = r.U16(), translations = r.U16();
        s.rotationKeys.push_back(rotations);
        s.translationKeys.push_back(translations);
        for (int k = 0; k < rotations + translations && r.ok; ++k) {
            const float time = r.F32();
            r.Skip(12);
            if (firstKey || time < s.firstKeyTime) s.firstKeyTime = time;
            if (firstKey || time > s.lastKeyTime) s.lastKeyTime = time;
            firstKey = false;
        }
    }
    s.parsedBytes = r.at;
    s.valid = r.ok;
    return s;
}

}  // namespace assetgen
