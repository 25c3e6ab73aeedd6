#include "model/ms3d_model.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "formats/byte_cursor.h"
#include "formats/ms3d_layout.h"
#include "model/ms3d_extras.h"
#include "platform/win32.h"

namespace {

// Counts and indices are unsigned 16-bit numbers, joint and material
// indices signed 8-bit ones; both are widened to int.
bool ReadU16(ByteCursor& in, int& out) {
    uint16_t value = 0;
    if (!in.Read(value)) return false;
    out = value;
    return true;
}

bool ReadI8(ByteCursor& in, int& out) {
    int8_t value = 0;
    if (!in.Read(value)) return false;
    out = value;
    return true;
}

using ms3d::kNameSize;
using ms3d::kTextureFieldSize;
// Far beyond any model this program draws; a larger file is refused.
constexpr size_t kMaxFileSize = 256u << 20;

// Joint names are compared without regard to case, over at most 32 bytes.
bool SameJointName(const char* a, const char* b) {
    for (size_t i = 0; i < kNameSize; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return false;
        if (ca == 0) return true;
    }
    return true;
}

char* CopyString(const char* text, size_t length) {
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

// The body of the image after the header, in file order. Counts are set as
// soon as their arrays exist so that Clear() can release a partial parse.
class MS3DParser {
public:
    MS3DParser(Model& target, ByteCursor& reader, int directoryLength, char* buffer)
        : model(target), in(reader), prefixLength(directoryLength), pathBuffer(buffer) {}

    bool Parse() {
        return ReadBlock(ms3d::kVertexSize, model.vertices, model.vertexCount, &MS3DParser::ReadVertex) &&
               ReadBlock(ms3d::kTriangleSize, model.triangles, model.triangleCount, &MS3DParser::ReadTriangle) &&
               ReadBlock(ms3d::kGroupSize, model.meshes, model.meshCount, &MS3DParser::ReadMesh) &&
               ReadBlock(ms3d::kMaterialSize, model.materials, model.materialCount, &MS3DParser::ReadMaterial) &&
               ReadAnimation() &&
               ReadBlock(ms3d::kJointSize, model.joints, model.jointCount, &MS3DParser::ReadJoint) && CheckReferences();
    }

private:
    // A block: its count, then each record in turn through `read` (given the
    // record and its index). The array is allocated once the data holds
    // `recordSize` bytes for each record, and the count is set with it so
    // that Clear() can release a partial parse.
    template <typename Record>
    bool ReadBlock(size_t recordSize, Record*& records, int& recordCount, bool (MS3DParser::*read)(Record&, int)) {
        int count = 0;
        if (!ReadU16(in, count) || !in.Has(static_cast<size_t>(count) * recordSize)) return false;
        records = new Record[count];
        recordCount = count;
        for (int i = 0; i < count; ++i) {
            if (!(this->*read)(records[i], i)) return false;
        }
        return true;
    }

    bool ReadVertex(Vertex& vertex, int) {
        return in.Skip(1) && in.Floats(vertex.position, 3) && in.Read(vertex.boneId) && in.Skip(1);
    }

    bool ReadTriangle(Triangle& triangle, int) {
        float t[3];
        if (!in.Skip(2)) return false;
        for (int k = 0; k < 3; ++k) {
            if (!ReadU16(in, triangle.vertexIndices[k])) return false;
            if (triangle.vertexIndices[k] >= model.vertexCount) return false;
        }
        if (!in.Floats(&triangle.normals[0][0], 9) || !in.Floats(triangle.s, 3) || !in.Floats(t, 3) || !in.Skip(2))
            return false;
        for (int k = 0; k < 3; ++k) triangle.t[k] = 1.0f - t[k];
        return true;
    }

    bool ReadMesh(Mesh& mesh, int) {
        int triangles = 0;
        if (!in.Skip(1 + kNameSize) || !ReadU16(in, triangles) || !in.Has(static_cast<size_t>(triangles) * 2 + 1))
            return false;
        mesh.triangleIndices = new int[triangles];
        mesh.triangleCount = triangles;
        for (int j = 0; j < triangles; ++j) {
            if (!ReadU16(in, mesh.triangleIndices[j])) return false;
            if (mesh.triangleIndices[j] >= model.triangleCount) return false;
        }
        // Checked against the material count once the materials are read.
        return ReadI8(in, mesh.materialIndex) && mesh.materialIndex >= -1;
    }

    bool ReadMaterial(Material& material, int) {
        const unsigned char* textureField = nullptr;
        if (!in.Skip(kNameSize) || !in.Floats(material.ambient, 4) || !in.Floats(material.diffuse, 4) ||
            !in.Floats(material.specular, 4) || !in.Floats(material.emissive, 4) || !in.Read(material.shininess) ||
            !in.Skip(4 + 1) || !(textureField = in.Bytes(kTextureFieldSize)) || !in.Skip(kTextureFieldSize))
            return false;
        material.textureFile = TextureFile(reinterpret_cast<const char*>(textureField));
        return true;
    }

    // ".\name" is relative to the model's directory; anything else is kept
    // as it is. The field need not be terminated within its 128 bytes.
    char* TextureFile(const char* field) const {
        const void* end = std::memchr(field, '\0', kTextureFieldSize);
        const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - field) : kTextureFieldSize;
        if (length < 2 || field[0] != '.' || field[1] != '\\') return CopyString(field, length);

        const size_t nameLength = length - 2;
        const size_t prefix = static_cast<size_t>(prefixLength);
        if (prefix + nameLength + 1 > static_cast<size_t>(MS3DModel::kTexturePathCapacity)) return CopyString("", 0);
        std::memcpy(pathBuffer + prefix, field + 2, nameLength);
        pathBuffer[prefix + nameLength] = '\0';
        return CopyString(pathBuffer, prefix + nameLength);
    }

    bool ReadAnimation() {
        float framesPerSecond = 0.0f;
        int32_t frames = 0;
        if (!in.Read(framesPerSecond) || !in.Skip(4) || !in.Read(frames)) return false;
        // A frame rate that is not a positive number, or a negative frame
        // count, gives an animation of length 0: the model holds its pose at
        // time 0.
        model.totalTimeMs = 0.0;
        if (framesPerSecond > 0.0f && frames >= 0) {
            const double total = frames * 1000.0 / framesPerSecond;
            if (std::isfinite(total)) model.totalTimeMs = total;
        }
        return true;
    }

    bool ReadJoint(Joint& joint, int i) {
        const unsigned char* name = nullptr;
        const unsigned char* parentName = nullptr;
        if (!in.Skip(1) || !(name = in.Bytes(kNameSize)) || !(parentName = in.Bytes(kNameSize)) ||
            !in.Floats(joint.localRotation, 3) || !in.Floats(joint.localTranslation, 3))
            return false;
        std::memcpy(joint.name, name, kNameSize);
        if (!ResolveParent(i, reinterpret_cast<const char*>(parentName))) return false;

        int rotationKeys = 0;
        int translationKeys = 0;
        if (!ReadU16(in, rotationKeys) || !ReadU16(in, translationKeys) ||
            !in.Has(static_cast<size_t>(rotationKeys + translationKeys) * ms3d::kKeySize))
            return false;
        joint.rotationKeys = new Keyframe[rotationKeys];
        joint.rotationKeyCount = rotationKeys;
        joint.translationKeys = new Keyframe[translationKeys];
        joint.translationKeyCount = translationKeys;
        return ReadKeys(i, rotationKeys, true) && ReadKeys(i, translationKeys, false);
    }

    // A parent is found among the joints before this one; a parent that is
    // missing, or that comes later in the file, rejects the image.
    bool ResolveParent(int jointIndex, const char* parentName) {
        Joint& joint = model.joints[jointIndex];
        joint.parentIndex = -1;
        if (parentName[0] == '\0') return true;
        for (int j = 0; j < jointIndex; ++j) {
            if (SameJointName(model.joints[j].name, parentName)) {
                joint.parentIndex = j;
                return true;
            }
        }
        return false;
    }

    bool ReadKeys(int jointIndex, int count, bool isRotation) {
        for (int k = 0; k < count; ++k) {
            float key[4];
            if (!in.Floats(key, 4)) return false;
            model.StoreKeyframe(jointIndex, k, key[0] * 1000.0f, key + 1, isRotation);
        }
        return true;
    }

    // References into blocks that come later in the file.
    bool CheckReferences() const {
        for (int i = 0; i < model.meshCount; ++i)
            if (model.meshes[i].materialIndex >= model.materialCount) return false;
        for (int i = 0; i < model.vertexCount; ++i) {
            const int boneId = model.vertices[i].boneId;
            if (boneId < -1 || boneId >= model.jointCount) return false;
        }
        return true;
    }

    Model& model;
    ByteCursor& in;
    int prefixLength;
    char* pathBuffer;
};

}  // namespace

bool MS3DModel::ParseData(const unsigned char* data, size_t length, int prefixLength, char* pathBuffer) {
    Clear();
    extras = MS3DExtras();
    if (!data || !pathBuffer || prefixLength < 0 || prefixLength > kTexturePathCapacity) return false;

    ByteCursor in(data, length);
    const unsigned char* magic = in.Bytes(ms3d::kMagicSize);
    int32_t version = 0;
    if (!magic || std::memcmp(magic, ms3d::kMagic, ms3d::kMagicSize) != 0 || !in.Read(version)) return false;
    if (version < 3 || version > 4) return false;

    MS3DParser parser(*this, in, prefixLength, pathBuffer);
    if (!parser.Parse()) {
        Clear();
        return false;
    }
    const size_t end = in.Position();
    ReadMS3DExtras(data + end, length - end, *this, extras);
    BindSkeleton();
    RestartAnimation();
    return true;
}

bool MS3DModel::LoadFromResource(const char* name) {
    Clear();
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, "MDL");
    if (!resource) return false;
    HGLOBAL handle = LoadResource(module, resource);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) return false;
    const DWORD size = SizeofResource(module, resource);

    char pathBuffer[kTexturePathCapacity + 4];
    if (!ParseData(static_cast<const unsigned char*>(bytes), size, 0, pathBuffer)) return false;
    LoadMaterialTextures(true);
    return true;
}

bool MS3DModel::LoadFromFile(const char* path) {
    if (!ParseFile(path)) return false;
    LoadMaterialTextures(false);
    return true;
}

bool MS3DModel::ParseFile(const char* path) {
    Clear();
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;

    // Read to the end rather than trusting the reported size, which a
    // directory or a device does not have.
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kMaxFileSize)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool readAll = !std::ferror(file) && std::feof(file) && bytes.size() <= kMaxFileSize;
    std::fclose(file);
    if (!readAll) return false;

    // The directory, separator included. One too long for the path buffer
    // leaves no room for any texture name behind it.
    size_t directoryLength = std::strlen(path);
    while (directoryLength > 0 && path[directoryLength - 1] != '/' && path[directoryLength - 1] != '\\')
        --directoryLength;
    if (directoryLength > static_cast<size_t>(kTexturePathCapacity)) directoryLength = kTexturePathCapacity;
    char pathBuffer[kTexturePathCapacity];
    std::memcpy(pathBuffer, path, directoryLength);

    return ParseData(bytes.data(), bytes.size(), static_cast<int>(directoryLength), pathBuffer);
}
