#include "ms3d.h"

#include "formats/byte_cursor.h"
#include "formats/ms3d_layout.h"

namespace assetgen {

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
    if (Text(r, ms3d::kMagicSize) != ms3d::kMagic || !r.Read(version)) return s;
    s.version = version;
    s.vertices = U16(r);
    r.Skip(static_cast<size_t>(s.vertices) * ms3d::kVertexSize);
    s.triangles = U16(r);
    r.Skip(static_cast<size_t>(s.triangles) * ms3d::kTriangleSize);
    s.groups = U16(r);
    for (int g = 0; g < s.groups && !r.Failed(); ++g) {
        int8_t material = 0;
        r.Skip(1 + ms3d::kNameSize);  // flags, name
        r.Skip(static_cast<size_t>(U16(r)) * 2);
        r.Read(material);
        s.groupMaterials.push_back(material);
    }
    s.materials = U16(r);
    for (int m = 0; m < s.materials && !r.Failed(); ++m) {
        r.Skip(ms3d::kMaterialSize - 2 * ms3d::kTextureFieldSize);  // name, colours, shininess, transparency, mode
        s.textures.push_back(Text(r, ms3d::kTextureFieldSize));
        r.Skip(ms3d::kTextureFieldSize);
    }
    r.Read(s.framesPerSecond);
    r.Skip(4);
    r.Read(totalFrames);
    s.totalFrames = totalFrames;
    s.joints = U16(r);
    bool firstKey = true;
    for (int j = 0; j < s.joints && !r.Failed(); ++j) {
        r.Skip(ms3d::kJointSize - 4);  // all but the key counts
        const int rotations = U16(r), translations = U16(r);
        s.rotationKeys.push_back(rotations);
        s.translationKeys.push_back(translations);
        for (int k = 0; k < rotations + translations && !r.Failed(); ++k) {
            float time = 0.0f;
            r.Read(time);
            r.Skip(ms3d::kKeySize - 4);
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
