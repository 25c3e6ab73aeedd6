// The embedded catalogue as the build embedded it: every name and type, each
// picture's frame, each model's structure, surfaces, animation loop and
// placement in the room, each sound's format and edges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ms3d_model.h"
#include "platform/common/resource_table.h"
#include "formats/wave.h"
#include "platform/win32.h"
#include "tests/unit/embedded_pictures.h"

namespace {

struct Blob {
    const unsigned char* data = nullptr;
    size_t size = 0;
};

Blob Resource(const char* name, const char* type) {
    const HRSRC resource = FindResourceA(nullptr, name, type);
    if (resource == nullptr) return {};
    return {static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource))),
            SizeofResource(nullptr, resource)};
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::set<std::string> PictureNames() {
    std::set<std::string> names;
    for (const std::string& name : EmbeddedPictureNames()) names.insert(Upper(name));
    return names;
}

TEST(Catalogue, EmbedsExactlyTheListedResources) {
    std::set<std::string> pictures, models, sounds, numbered;
    for (size_t i = 0; i < kResourceCount; ++i) {
        const ResourceEntry& e = kResourceTable[i];
        ASSERT_NE(e.data, nullptr);
        if (e.type == nullptr) {
            ASSERT_EQ(e.name, nullptr) << "numbered types carry numbered names";
            EXPECT_TRUE(numbered.insert(std::to_string(e.typeId) + "/" + std::to_string(e.nameId)).second);
            continue;
        }
        ASSERT_NE(e.name, nullptr);
        EXPECT_EQ(Upper(e.name), e.name) << "names are stored in upper case";
        const std::string type = e.type;
        auto& into = type == "JPG" ? pictures : type == "MDL" ? models : sounds;
        EXPECT_TRUE(type == "JPG" || type == "MDL" || type == "WAVE") << type;
        EXPECT_TRUE(into.insert(e.name).second) << "duplicate " << e.name;
    }
    EXPECT_EQ(pictures, PictureNames());
    EXPECT_EQ(models, (std::set<std::string>{"SCIENTIST", "WARDEN", "ROOM"}));
    EXPECT_EQ(sounds, (std::set<std::string>{"LAUNCH", "WELCOME", "ALERT"}));
    EXPECT_EQ(numbered, (std::set<std::string>{"5/225", "2/227"})) << "the dialog template and its bitmap";
    EXPECT_EQ(kResourceCount, 108u);
}

// The baseline frame (SOF0) of a JFIF file: 8-bit samples, size, components.
struct Frame {
    bool jfif = false, baseline = false;
    int precision = 0, width = 0, height = 0, components = 0;
};

Frame ReadFrame(Blob b) {
    Frame f;
    if (b.size < 4 || b.data[0] != 0xff || b.data[1] != 0xd8) return f;
    size_t at = 2;
    while (at + 4 <= b.size && b.data[at] == 0xff) {
        const int marker = b.data[at + 1];
        const size_t length = static_cast<size_t>(b.data[at + 2]) << 8 | b.data[at + 3];
        if (at + 2 + length > b.size) break;
        if (marker == 0xe0 && length >= 7 && std::memcmp(b.data + at + 4, "JFIF", 5) == 0) f.jfif = true;
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            f.baseline = marker == 0xc0;
            f.precision = b.data[at + 4];
            f.height = b.data[at + 5] << 8 | b.data[at + 6];
            f.width = b.data[at + 7] << 8 | b.data[at + 8];
            f.components = b.data[at + 9];
            break;
        }
        at += 2 + length;
    }
    return f;
}

bool PowerOfTwo(int v) { return v >= 4 && v <= 256 && (v & (v - 1)) == 0; }

TEST(Catalogue, PicturesAreBaselineJfifOfTheirSizes) {
    const std::map<std::string, std::pair<int, int>> fixed = {
        {"S1.JPG", {36, 36}},    {"S15.JPG", {36, 64}},      {"S16.JPG", {36, 64}},      {"S6.JPG", {32, 4}},
        {"W13.JPG", {32, 4}},    {"T20.JPG", {256, 128}},    {"T27.JPG", {256, 32}},     {"T28.JPG", {256, 32}},
        {"KRV.JPG", {64, 64}},   {"KRVMASK.JPG", {64, 64}},  {"LOADING.JPG", {128, 128}}, {"T31.JPG", {32, 32}},
        {"T31_BLIK.JPG", {32, 32}}};
    for (const std::string& name : PictureNames()) {
        SCOPED_TRACE(name);
        const Frame f = ReadFrame(Resource(name.c_str(), "JPG"));
        EXPECT_TRUE(f.jfif);
        EXPECT_TRUE(f.baseline);
        EXPECT_EQ(f.precision, 8);
        const auto size = fixed.find(name);
        if (size != fixed.end()) {
            EXPECT_EQ(f.width, size->second.first);
            EXPECT_EQ(f.height, size->second.second);
        } else {
            EXPECT_TRUE(PowerOfTwo(f.width) && PowerOfTwo(f.height)) << f.width << "x" << f.height;
        }
        EXPECT_EQ(f.components, name == "W5.JPG" || name == "KRVMASK.JPG" ? 1 : 3);
    }
}

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec Of(const Vector& v) { return {v.x, v.y, v.z}; }

// A model parsed from its resource as the loader does, without textures,
// in its bind pose.
struct LoadedModel {
    MS3DModel model;
    bool ok = false;
    explicit LoadedModel(const char* name) {
        const Blob blob = Resource(name, "MDL");
        char pathBuffer[MS3DModel::kTexturePathCapacity];
        ok = blob.data != nullptr && model.ParseData(blob.data, blob.size, 0, pathBuffer);
        model.RestartAnimation();
    }
    Vec Corner(int triangle, int corner) const {
        return Of(model.PosedPosition(model.triangles[triangle].vertexIndices[corner]));
    }
};

Vec Cross(const Vec& a, const Vec& b, const Vec& c) {
    const Vec u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
double Length(const Vec& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
double Axis(const Vec& v, int a) { return a == 0 ? v.x : a == 1 ? v.y : v.z; }

std::vector<std::string> RoomTextures() {
    const char* names[] = {"t45", "t28", "t53", "t06", "t46", "t26", "t02", "t24", "t13", "t09", "t56", "t36", "t54",
                           "t51", "t25", "t11", "t27", "t42", "t49", "t04", "unnamed", "t20", "t03", "t44", "t05", "t15",
                           "t20", "t01", "t37", "t08", "t23", "t10", "t22", "t50", "t34", "t55", "t30", "t31", "t43",
                           "t39", "t18", "t15", "t14", "t48", "t38", "t52", "t07", "t16", "t32", "t12", "t40", "t01",
                           "t29", "t47", "t17", "t33", "t35", "t41", "t19", "t21", "t21", "t57"};
    return std::vector<std::string>(std::begin(names), std::end(names));
}

TEST(Catalogue, ModelsHaveTheCataloguesStructure) {
    struct Expected {
        const char* name;
        int vertices, triangles, groups, joints, keys;
        double totalTimeMs;
        float firstKeyMs, lastKeyMs;
        char prefix;
    };
    const Expected all[] = {{"scientist", 380, 711, 19, 22, 180, 185 * 1000.0 / 24, 125.0f, 185 * 1000.0f / 24, 's'},
                            {"warden", 382, 709, 20, 24, 250, 281 * 1000.0 / 24, 125.0f, 10500.0f, 'w'},
                            {"room", 3402, 2343, 62, 0, 0, 1250.0, 0.0f, 0.0f, 't'}};
    for (const Expected& e : all) {
        SCOPED_TRACE(e.name);
        const LoadedModel loaded(e.name);
        ASSERT_TRUE(loaded.ok);
        const MS3DModel& m = loaded.model;
        EXPECT_EQ(m.vertexCount, e.vertices);
        EXPECT_EQ(m.triangleCount, e.triangles);
        ASSERT_EQ(m.meshCount, e.groups);
        ASSERT_EQ(m.materialCount, e.groups);
        ASSERT_EQ(m.jointCount, e.joints);
        EXPECT_NEAR(m.totalTimeMs, e.totalTimeMs, 1e-9);
        std::vector<int> owner(static_cast<size_t>(m.triangleCount), -1);
        for (int g = 0; g < e.groups; ++g) {
            EXPECT_EQ(m.meshes[g].materialIndex, g);
            EXPECT_GT(m.meshes[g].triangleCount, 0);
            for (int i = 0; i < m.meshes[g].triangleCount; ++i) {
                int& slot = owner[static_cast<size_t>(m.meshes[g].triangleIndices[i])];
                EXPECT_EQ(slot, -1) << "triangle in two groups";
                slot = g;
            }
            const std::string want = e.prefix == 't' ? RoomTextures()[static_cast<size_t>(g)]
                                                     : e.prefix + std::to_string(g + 1);
            EXPECT_EQ(m.materials[g].textureFile, want + ".jpg");
        }
        std::set<int> used;
        for (int t = 0; t < m.triangleCount; ++t) used.insert(m.triangles[t].vertexIndices, m.triangles[t].vertexIndices + 3);
        EXPECT_EQ(used.size(), static_cast<size_t>(m.vertexCount)) << "every vertex belongs to a triangle";
        for (int v = 0; v < m.vertexCount; ++v)
            EXPECT_EQ(m.vertices[v].boneId >= 0, e.joints > 0) << "characters hang every vertex on a joint";
        for (int j = 0; j < e.joints; ++j) {
            const Joint& joint = m.joints[j];
            ASSERT_EQ(joint.rotationKeyCount, e.keys);
            ASSERT_EQ(joint.translationKeyCount, e.keys);
            EXPECT_EQ(joint.rotationKeys[0].timeMs, e.firstKeyMs);
            EXPECT_NEAR(joint.rotationKeys[e.keys - 1].timeMs, e.lastKeyMs, 0.01);
            for (int k = 0; k < e.keys; ++k) {
                EXPECT_EQ(joint.rotationKeys[k].timeMs, joint.translationKeys[k].timeMs);
                EXPECT_TRUE(k == 0 || joint.rotationKeys[k - 1].timeMs < joint.rotationKeys[k].timeMs);
            }
            // Each loop ends in the pose it starts with, so it repeats without a jump.
            for (int a = 0; a < 3; ++a)
                EXPECT_NEAR(joint.rotationKeys[0].value[a], joint.rotationKeys[e.keys - 1].value[a], 1e-4);
        }
    }
    EXPECT_EQ(LoadedModel("room").model.materials[37].textureFile, std::string("t31.jpg")) << "the blinking panel";
}

TEST(Catalogue, ModelSurfacesAreSoundForLightingAndCulling) {
    for (const char* name : {"ROOM", "WARDEN", "SCIENTIST"}) {
        SCOPED_TRACE(name);
        const LoadedModel loaded(name);
        ASSERT_TRUE(loaded.ok);
        const MS3DModel& m = loaded.model;
        int disagreeing = 0;
        for (int t = 0; t < m.triangleCount; ++t) {
            const Vec face = Cross(loaded.Corner(t, 0), loaded.Corner(t, 1), loaded.Corner(t, 2));
            EXPECT_GT(0.5 * Length(face), 1e-5) << "degenerate triangle " << t;
            double agreement = 0;
            for (int k = 0; k < 3; ++k) {
                // Unit normals: the drawing normalises skinned ones and uses
                // the room's as stored.
                EXPECT_NEAR(Length(Of(Vector(m.triangles[t].normals[k]))), 1.0, 1e-3) << "triangle " << t;
                const Vec n = Of(m.PosedNormal(m.triangles[t], k));
                agreement += n.x * face.x + n.y * face.y + n.z * face.z;
                EXPECT_TRUE(std::isfinite(m.triangles[t].s[k]) && std::isfinite(m.triangles[t].t[k]));
            }
            // Counter-clockwise seen from where the normals point, so the
            // lit side is the side that survives back-face culling.
            if (agreement <= 0) ++disagreeing;
        }
        EXPECT_EQ(disagreeing, 0);
    }
}

// The room's extent along each axis (it has no joints: positions as stored).
struct Extent {
    double low[3] = {1e9, 1e9, 1e9}, high[3] = {-1e9, -1e9, -1e9};
    explicit Extent(const MS3DModel& room) {
        for (int v = 0; v < room.vertexCount; ++v) {
            for (int a = 0; a < 3; ++a) {
                low[a] = std::min(low[a], static_cast<double>(room.vertices[v].position[a]));
                high[a] = std::max(high[a], static_cast<double>(room.vertices[v].position[a]));
            }
        }
    }
};

TEST(Catalogue, TheRoomsShellIsClosedAndFacesInwards) {
    // Back faces are culled, so from inside only inward faces show: each of
    // the six sides of the room must be covered by them, without holes.
    const LoadedModel loaded("ROOM");
    ASSERT_TRUE(loaded.ok);
    const MS3DModel& room = loaded.model;
    const Extent box(room);
    for (int a = 0; a < 3; ++a) {
        for (int side = 0; side < 2; ++side) {
            const double plane = side == 0 ? box.low[a] : box.high[a];
            const double inwardSign = side == 0 ? 1.0 : -1.0;
            double covered = 0.0;
            for (int t = 0; t < room.triangleCount; ++t) {
                bool on = true;
                for (int k = 0; k < 3; ++k) on = on && std::fabs(Axis(loaded.Corner(t, k), a) - plane) < 1e-3;
                if (!on || room.triangles[t].normals[0][a] * inwardSign < 0.99) continue;
                covered += 0.5 * Length(Cross(loaded.Corner(t, 0), loaded.Corner(t, 1), loaded.Corner(t, 2)));
            }
            const int b = (a + 1) % 3, d = (a + 2) % 3;
            const double area = (box.high[b] - box.low[b]) * (box.high[d] - box.low[d]);
            EXPECT_NEAR(covered / area, 1.0, 0.01) << "side " << side << " of axis " << a;
        }
    }
}

double Lowest(const LoadedModel& loaded) {
    double low = 1e9;
    for (int v = 0; v < loaded.model.vertexCount; ++v) low = std::min(low, Of(loaded.model.PosedPosition(v)).y);
    return low;
}

// True when an upward-facing floor triangle of the room at height `y`
// lies under the point (x, z).
bool FloorUnder(const LoadedModel& room, double x, double z, double y) {
    for (int t = 0; t < room.model.triangleCount; ++t) {
        const Vec a = room.Corner(t, 0), b = room.Corner(t, 1), c = room.Corner(t, 2);
        if (std::fabs(a.y - y) > 0.05 || std::fabs(b.y - y) > 0.05 || std::fabs(c.y - y) > 0.05) continue;
        if (room.model.triangles[t].normals[0][1] < 0.99) continue;
        auto side = [&](const Vec& p, const Vec& q) { return (q.x - p.x) * (z - p.z) - (q.z - p.z) * (x - p.x); };
        const double s0 = side(a, b), s1 = side(b, c), s2 = side(c, a);
        if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) return true;
    }
    return false;
}

TEST(Catalogue, CharactersStandOnTheRoomFloorWhereTheDrawingPlacesThem) {
    const LoadedModel room("ROOM"), warden("WARDEN"), scientist("SCIENTIST");
    ASSERT_TRUE(room.ok && warden.ok && scientist.ok);
    // The warden is drawn 12 below the origin; the scientist a further 8
    // below, so its feet are 8 up in its own space.
    EXPECT_NEAR(Lowest(warden) - 12.0, -12.0, 0.05);
    EXPECT_NEAR(Lowest(scientist) - 20.0, -12.0, 0.05);
    EXPECT_TRUE(FloorUnder(room, -7.0, 0.0, -12.0)) << "under the warden";
    EXPECT_TRUE(FloorUnder(room, -4.0, 8.0, -12.0)) << "under the scientist";
}

TEST(Catalogue, TheRoomEnclosesTheCameraPathAndShowsItsAlarmPanel) {
    const LoadedModel loaded("ROOM");
    ASSERT_TRUE(loaded.ok);
    const MS3DModel& room = loaded.model;
    const Extent box(room);
    const double reach[3] = {23.0, 0.0, 33.0};
    for (int a : {0, 2}) {
        EXPECT_LE(box.low[a], -reach[a]);
        EXPECT_GE(box.high[a], reach[a]);
    }
    EXPECT_LE(box.low[1], -8.0);
    EXPECT_GE(box.high[1], 28.0);
    // Material 38 (t31.jpg) faces the camera inside its view at nearly
    // every moment of the path.
    int seen = 0, samples = 0;
    const Mesh& panel = room.meshes[37];
    for (double T = 0; T < 300; T += 0.5, ++samples) {
        const Vec eye{std::sin(0.25 * T) + 20 * std::sin(T / 7), std::sin(T / 7) + 15 * std::cos(T / 3) + 10,
                      std::cos(T / 13) + 30 * std::cos(T / 7)};
        const double length = Length(eye);
        bool visible = false;
        for (int i = 0; i < panel.triangleCount; ++i) {
            const int t = panel.triangleIndices[i];
            const Vec a = loaded.Corner(t, 0);
            const Vec d{a.x - eye.x, a.y - eye.y, a.z - eye.z};
            const float* n = room.triangles[t].normals[0];
            const double facing = -(d.x * n[0] + d.y * n[1] + d.z * n[2]);
            const double ahead = -(d.x * eye.x + d.y * eye.y + d.z * eye.z) / (length * Length(d));
            if (facing > 0 && ahead > std::cos(25.0 * 3.14159265 / 180)) visible = true;
        }
        seen += visible ? 1 : 0;
    }
    EXPECT_GE(seen * 10, samples * 8) << seen << " of " << samples;
}

TEST(Catalogue, SoundsAreMono8BitPcmAndJoinOrEndCleanly) {
    struct Expected {
        const char* name;
        uint32_t rate, data;
    };
    for (const Expected& e : {Expected{"LAUNCH", 22050, 4490}, Expected{"WELCOME", 22050, 147003},
                              Expected{"ALERT", 8000, 12000}}) {
        SCOPED_TRACE(e.name);
        const Blob blob = Resource(e.name, "WAVE");
        WaveSound sound;
        ASSERT_TRUE(ParseWave(blob.data, blob.size, sound));
        EXPECT_EQ(sound.frequency, e.rate);
        EXPECT_EQ(sound.channels, 1);
        EXPECT_EQ(sound.bitsPerSample, 8);
        ASSERT_EQ(sound.sampleBytes, e.data);
        const unsigned char* samples = sound.samples;
        // Audible, and silent at the edges so it starts and stops cleanly.
        int peak = 0;
        for (uint32_t i = 0; i < e.data; ++i) peak = std::max(peak, std::abs(samples[i] - 128));
        EXPECT_GT(peak, 40);
        if (std::string(e.name) == "ALERT") {
            // The loop joins without a click: the wrap is no bigger a step
            // than the steps inside the sound.
            int step = 0;
            for (uint32_t i = 1; i < e.data; ++i) step = std::max(step, std::abs(samples[i] - samples[i - 1]));
            EXPECT_LE(std::abs(samples[0] - samples[e.data - 1]), step);
        } else {
            EXPECT_LE(std::abs(samples[e.data - 1] - 128), 2);
        }
    }
}

}  // namespace
