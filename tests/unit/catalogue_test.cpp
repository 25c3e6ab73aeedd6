// The embedded catalogue, read byte by byte from the resources the build
// embedded: every name and type, each picture's frame, each model's
// structure and placement in the room, each sound's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/common/resource_table.h"
#include "platform/win32.h"

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

// Little-endian reads that never run past the end; `ok` turns false instead.
class Reader {
public:
    explicit Reader(Blob b) : blob(b) {}
    bool ok = true;
    size_t at = 0;
    const unsigned char* Take(size_t n) {
        if (!ok || n > blob.size - at) {
            ok = false;
            return nullptr;
        }
        const unsigned char* p = blob.data + at;
        at += n;
        return p;
    }
    uint32_t U(size_t n) {
        const unsigned char* p = Take(n);
        uint32_t v = 0;
        for (size_t i = 0; p != nullptr && i < n; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
        return v;
    }
    float F() {
        const uint32_t u = U(4);
        float f;
        std::memcpy(&f, &u, 4);
        return f;
    }
    std::string Text(size_t n) {
        const unsigned char* p = Take(n);
        if (p == nullptr) return {};
        std::string s(reinterpret_cast<const char*>(p), n);
        return s.substr(0, s.find('\0'));
    }

private:
    Blob blob;
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::set<std::string> PictureNames() {
    std::set<std::string> names;
    for (int i = 1; i <= 19; ++i) names.insert("S" + std::to_string(i) + ".JPG");
    for (int i = 1; i <= 20; ++i) names.insert("W" + std::to_string(i) + ".JPG");
    for (int i = 1; i <= 57; ++i) names.insert((i < 10 ? "T0" : "T") + std::to_string(i) + ".JPG");
    for (const char* n : {"T31_BLIK.JPG", "KRV.JPG", "KRVMASK.JPG", "LOADING.JPG"}) names.insert(n);
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

struct Model {
    bool ok = false;
    int version = 0;
    std::vector<Vec> vertices;
    std::vector<int> vertexJoints;
    std::vector<std::vector<int>> triangles;  // vertex indices
    std::vector<Vec> triangleNormals;         // first corner's normal
    std::vector<std::vector<Vec>> cornerNormals;
    std::vector<std::vector<float>> cornerUv;  // s0 s1 s2 t0 t1 t2
    std::vector<int> groupMaterials;
    std::vector<std::vector<int>> groupTriangles;
    std::vector<std::string> textures;
    float fps = 0;
    int frames = 0;
    std::vector<std::string> jointNames, parents;
    std::vector<std::vector<float>> rotationTimes, translationTimes;
    std::vector<std::vector<Vec>> rotationValues;
    size_t end = 0, size = 0;
};

Model ReadModel(const char* name) {
    const Blob blob = Resource(name, "MDL");
    Model m;
    m.size = blob.size;
    Reader r(blob);
    if (r.Text(10) != "MS3D000000") return m;
    m.version = static_cast<int>(r.U(4));
    for (uint32_t n = r.U(2), i = 0; i < n && r.ok; ++i) {
        r.U(1);
        m.vertices.push_back({r.F(), r.F(), r.F()});
        m.vertexJoints.push_back(static_cast<int8_t>(r.U(1)));
        r.U(1);
    }
    for (uint32_t n = r.U(2), i = 0; i < n && r.ok; ++i) {
        r.U(2);
        m.triangles.push_back({static_cast<int>(r.U(2)), static_cast<int>(r.U(2)), static_cast<int>(r.U(2))});
        std::vector<Vec> normals;
        for (int k = 0; k < 3; ++k) normals.push_back({r.F(), r.F(), r.F()});
        m.triangleNormals.push_back(normals[0]);
        m.cornerNormals.push_back(normals);
        std::vector<float> uv;
        for (int k = 0; k < 6; ++k) uv.push_back(r.F());
        m.cornerUv.push_back(uv);
        r.Take(2);
    }
    for (uint32_t n = r.U(2), i = 0; i < n && r.ok; ++i) {
        r.Take(33);
        std::vector<int> list;
        for (uint32_t k = 0, count = r.U(2); k < count && r.ok; ++k) list.push_back(static_cast<int>(r.U(2)));
        m.groupTriangles.push_back(list);
        m.groupMaterials.push_back(static_cast<int8_t>(r.U(1)));
    }
    for (uint32_t n = r.U(2), i = 0; i < n && r.ok; ++i) {
        r.Take(105);
        m.textures.push_back(r.Text(128));
        r.Take(128);
    }
    m.fps = r.F();
    r.F();
    m.frames = static_cast<int>(r.U(4));
    for (uint32_t n = r.U(2), i = 0; i < n && r.ok; ++i) {
        r.U(1);
        m.jointNames.push_back(r.Text(32));
        m.parents.push_back(r.Text(32));
        r.Take(24);
        const uint32_t rotations = r.U(2), translations = r.U(2);
        m.rotationTimes.emplace_back();
        m.rotationValues.emplace_back();
        m.translationTimes.emplace_back();
        for (uint32_t k = 0; k < rotations && r.ok; ++k) {
            m.rotationTimes.back().push_back(r.F());
            m.rotationValues.back().push_back({r.F(), r.F(), r.F()});
        }
        for (uint32_t k = 0; k < translations && r.ok; ++k) {
            m.translationTimes.back().push_back(r.F());
            r.Take(12);
        }
    }
    m.end = r.at;
    m.ok = r.ok;
    return m;
}

std::vector<std::string> RoomTextures() {
    const char* names[] = {"t45", "t28", "t53", "t06", "t46", "t26", "t02", "t24", "t13", "t09", "t56", "t36", "t54",
                           "t51", "t25", "t11", "t27", "t42", "t49", "t04", "unnamed", "t20", "t03", "t44", "t05", "t15",
                           "t20", "t01", "t37", "t08", "t23", "t10", "t22", "t50", "t34", "t55", "t30", "t31", "t43",
                           "t39", "t18", "t15", "t14", "t48", "t38", "t52", "t07", "t16", "t32", "t12", "t40", "t01",
                           "t29", "t47", "t17", "t33", "t35", "t41", "t19", "t21", "t21", "t57"};
    std::vector<std::string> out;
    for (const char* n : names) out.push_back(std::string(".\\") + n + ".jpg");
    return out;
}

TEST(Catalogue, ModelsHaveTheCataloguesStructure) {
    struct Expected {
        const char* name;
        size_t bytes, vertices, triangles, groups, joints, keys;
        int frames;
        char prefix;
    };
    const Expected all[] = {{"SCIENTIST", 193237, 380, 711, 19, 22, 180, 185, 's'},
                            {"WARDEN", 258986, 382, 709, 20, 24, 250, 281, 'w'},
                            {"ROOM", 244376, 3402, 2343, 62, 0, 0, 30, 't'}};
    for (const Expected& e : all) {
        SCOPED_TRACE(e.name);
        const Model m = ReadModel(e.name);
        ASSERT_TRUE(m.ok);
        EXPECT_EQ(m.version, 4);
        EXPECT_EQ(m.end, m.size) << "no trailing data";
        EXPECT_EQ(m.size, e.bytes);
        EXPECT_EQ(m.vertices.size(), e.vertices);
        EXPECT_EQ(m.triangles.size(), e.triangles);
        ASSERT_EQ(m.groupMaterials.size(), e.groups);
        ASSERT_EQ(m.textures.size(), e.groups);
        EXPECT_EQ(m.fps, 24.0f);
        EXPECT_EQ(m.frames, e.frames);
        ASSERT_EQ(m.jointNames.size(), e.joints);
        std::vector<int> owner(m.triangles.size(), -1);
        for (size_t g = 0; g < e.groups; ++g) {
            EXPECT_EQ(m.groupMaterials[g], static_cast<int>(g));
            EXPECT_FALSE(m.groupTriangles[g].empty());
            for (int t : m.groupTriangles[g]) {
                ASSERT_LT(static_cast<size_t>(t), m.triangles.size());
                EXPECT_EQ(owner[static_cast<size_t>(t)], -1) << "triangle in two groups";
                owner[static_cast<size_t>(t)] = static_cast<int>(g);
            }
            const std::string want = e.prefix == 't' ? RoomTextures()[g]
                                                     : std::string(".\\") + e.prefix + std::to_string(g + 1) + ".jpg";
            EXPECT_EQ(m.textures[g], want);
        }
        for (const auto& t : m.triangles) {
            for (int v : t) ASSERT_LT(static_cast<size_t>(v), m.vertices.size());
        }
        std::set<size_t> used;
        for (const auto& t : m.triangles) used.insert(t.begin(), t.end());
        EXPECT_EQ(used.size(), m.vertices.size()) << "every vertex belongs to a triangle";
        std::set<std::string> earlier;
        for (size_t j = 0; j < e.joints; ++j) {
            EXPECT_TRUE(m.parents[j].empty() || earlier.count(m.parents[j]) == 1) << m.jointNames[j];
            earlier.insert(m.jointNames[j]);
            ASSERT_EQ(m.rotationTimes[j].size(), e.keys);
            ASSERT_EQ(m.translationTimes[j].size(), e.keys);
            for (size_t k = 1; k < e.keys; ++k) EXPECT_LT(m.rotationTimes[j][k - 1], m.rotationTimes[j][k]);
            EXPECT_EQ(m.rotationTimes[j], m.translationTimes[j]);
        }
        for (int joint : m.vertexJoints) {
            if (e.joints == 0) EXPECT_EQ(joint, -1);
            else EXPECT_TRUE(joint >= 0 && static_cast<size_t>(joint) < e.joints) << "every vertex has one joint";
        }
    }
    const Model scientist = ReadModel("SCIENTIST"), warden = ReadModel("WARDEN");
    ASSERT_TRUE(scientist.ok && warden.ok);
    EXPECT_EQ(scientist.rotationTimes[0].front(), 0.125f);
    EXPECT_NEAR(scientist.rotationTimes[0].back(), 185 / 24.0, 1e-4);
    EXPECT_EQ(warden.rotationTimes[0].back(), 10.5f);
    // Each loop ends in the pose it starts with, so it repeats without a jump.
    for (const Model* m : {&scientist, &warden}) {
        for (const auto& values : m->rotationValues) {
            EXPECT_NEAR(values.front().x, values.back().x, 1e-4);
            EXPECT_NEAR(values.front().y, values.back().y, 1e-4);
            EXPECT_NEAR(values.front().z, values.back().z, 1e-4);
        }
    }
}

TEST(Catalogue, ModelSurfacesAreSoundForLightingAndCulling) {
    for (const char* name : {"ROOM", "WARDEN", "SCIENTIST"}) {
        SCOPED_TRACE(name);
        const Model m = ReadModel(name);
        ASSERT_TRUE(m.ok);
        int disagreeing = 0;
        for (size_t t = 0; t < m.triangles.size(); ++t) {
            const Vec& a = m.vertices[static_cast<size_t>(m.triangles[t][0])];
            const Vec& b = m.vertices[static_cast<size_t>(m.triangles[t][1])];
            const Vec& c = m.vertices[static_cast<size_t>(m.triangles[t][2])];
            const Vec u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
            const Vec face{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
            const double area = 0.5 * std::sqrt(face.x * face.x + face.y * face.y + face.z * face.z);
            EXPECT_GT(area, 1e-5) << "degenerate triangle " << t;
            double agreement = 0;
            for (const Vec& n : m.cornerNormals[t]) {
                // Unit normals: the drawing normalises skinned ones and uses
                // the room's as stored.
                EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-3) << "triangle " << t;
                agreement += n.x * face.x + n.y * face.y + n.z * face.z;
            }
            // Counter-clockwise seen from where the normals point, so the
            // lit side is the side that survives back-face culling.
            if (agreement <= 0) ++disagreeing;
            for (float st : m.cornerUv[t]) EXPECT_TRUE(std::isfinite(st));
        }
        EXPECT_EQ(disagreeing, 0);
    }
}

TEST(Catalogue, TheRoomsShellIsClosedAndFacesInwards) {
    // Back faces are culled, so from inside only inward faces show: each of
    // the six sides of the room must be covered by them, without holes.
    const Model room = ReadModel("ROOM");
    ASSERT_TRUE(room.ok);
    double low[3] = {1e9, 1e9, 1e9}, high[3] = {-1e9, -1e9, -1e9};
    auto axis = [](const Vec& v, int a) { return a == 0 ? v.x : a == 1 ? v.y : v.z; };
    for (const Vec& v : room.vertices) {
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], axis(v, a));
            high[a] = std::max(high[a], axis(v, a));
        }
    }
    for (int a = 0; a < 3; ++a) {
        for (int side = 0; side < 2; ++side) {
            const double plane = side == 0 ? low[a] : high[a];
            const double inwardSign = side == 0 ? 1.0 : -1.0;
            double covered = 0.0;
            for (size_t t = 0; t < room.triangles.size(); ++t) {
                const Vec& p = room.vertices[static_cast<size_t>(room.triangles[t][0])];
                const Vec& q = room.vertices[static_cast<size_t>(room.triangles[t][1])];
                const Vec& r = room.vertices[static_cast<size_t>(room.triangles[t][2])];
                bool on = true;
                for (const Vec* v : {&p, &q, &r}) on = on && std::fabs(axis(*v, a) - plane) < 1e-3;
                if (!on || axis(room.triangleNormals[t], a) * inwardSign < 0.99) continue;
                const Vec u{q.x - p.x, q.y - p.y, q.z - p.z}, w{r.x - p.x, r.y - p.y, r.z - p.z};
                const Vec c{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
                covered += 0.5 * std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z);
            }
            const int b = (a + 1) % 3, d = (a + 2) % 3;
            const double area = (high[b] - low[b]) * (high[d] - low[d]);
            EXPECT_NEAR(covered / area, 1.0, 0.01) << "side " << side << " of axis " << a;
        }
    }
}

double Lowest(const Model& m) {
    double low = 1e9;
    for (const Vec& v : m.vertices) low = std::min(low, v.y);
    return low;
}

// True when an upward-facing floor triangle of the room at height `y`
// lies under the point (x, z).
bool FloorUnder(const Model& room, double x, double z, double y) {
    for (size_t t = 0; t < room.triangles.size(); ++t) {
        const Vec& a = room.vertices[static_cast<size_t>(room.triangles[t][0])];
        const Vec& b = room.vertices[static_cast<size_t>(room.triangles[t][1])];
        const Vec& c = room.vertices[static_cast<size_t>(room.triangles[t][2])];
        if (std::fabs(a.y - y) > 0.05 || std::fabs(b.y - y) > 0.05 || std::fabs(c.y - y) > 0.05) continue;
        if (room.triangleNormals[t].y < 0.99) continue;
        auto side = [&](const Vec& p, const Vec& q) { return (q.x - p.x) * (z - p.z) - (q.z - p.z) * (x - p.x); };
        const double s0 = side(a, b), s1 = side(b, c), s2 = side(c, a);
        if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) return true;
    }
    return false;
}

TEST(Catalogue, CharactersStandOnTheRoomFloorWhereTheDrawingPlacesThem) {
    const Model room = ReadModel("ROOM"), warden = ReadModel("WARDEN"), scientist = ReadModel("SCIENTIST");
    ASSERT_TRUE(room.ok && warden.ok && scientist.ok);
    // The warden is drawn 12 below the origin; the scientist a further 8
    // below, so its feet are 8 up in its own space.
    EXPECT_NEAR(Lowest(warden) - 12.0, -12.0, 0.05);
    EXPECT_NEAR(Lowest(scientist) - 20.0, -12.0, 0.05);
    EXPECT_TRUE(FloorUnder(room, -7.0, 0.0, -12.0)) << "under the warden";
    EXPECT_TRUE(FloorUnder(room, -4.0, 8.0, -12.0)) << "under the scientist";
}

TEST(Catalogue, TheRoomEnclosesTheCameraPathAndShowsItsAlarmPanel) {
    const Model room = ReadModel("ROOM");
    ASSERT_TRUE(room.ok);
    Vec low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (const Vec& v : room.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    EXPECT_LE(low.x, -23.0);
    EXPECT_GE(high.x, 23.0);
    EXPECT_LE(low.y, -8.0);
    EXPECT_GE(high.y, 28.0);
    EXPECT_LE(low.z, -33.0);
    EXPECT_GE(high.z, 33.0);
    // Material 38 (t31.jpg) faces the camera inside its view at nearly
    // every moment of the path.
    int seen = 0, samples = 0;
    for (double T = 0; T < 300; T += 0.5, ++samples) {
        const Vec eye{std::sin(0.25 * T) + 20 * std::sin(T / 7), std::sin(T / 7) + 15 * std::cos(T / 3) + 10,
                      std::cos(T / 13) + 30 * std::cos(T / 7)};
        const double length = std::sqrt(eye.x * eye.x + eye.y * eye.y + eye.z * eye.z);
        const Vec forward{-eye.x / length, -eye.y / length, -eye.z / length};
        bool visible = false;
        for (int t : room.groupTriangles[37]) {
            const Vec& a = room.vertices[static_cast<size_t>(room.triangles[static_cast<size_t>(t)][0])];
            const Vec d{a.x - eye.x, a.y - eye.y, a.z - eye.z};
            const double distance = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
            const Vec& n = room.triangleNormals[static_cast<size_t>(t)];
            const double facing = -(d.x * n.x + d.y * n.y + d.z * n.z);
            const double ahead = (d.x * forward.x + d.y * forward.y + d.z * forward.z) / distance;
            if (facing > 0 && ahead > std::cos(25.0 * 3.14159265 / 180)) visible = true;
        }
        seen += visible ? 1 : 0;
    }
    EXPECT_GE(seen * 10, samples * 8) << seen << " of " << samples;
}

TEST(Catalogue, SoundsAreMono8BitPcmWithTheirChunks) {
    struct Expected {
        const char* name;
        uint32_t rate, data;
    };
    for (const Expected& e : {Expected{"LAUNCH", 22050, 4490}, Expected{"WELCOME", 22050, 147003},
                              Expected{"ALERT", 8000, 12000}}) {
        SCOPED_TRACE(e.name);
        const Blob blob = Resource(e.name, "WAVE");
        Reader r(blob);
        EXPECT_EQ(r.Text(4), "RIFF");
        EXPECT_EQ(r.U(4), blob.size - 8);
        EXPECT_EQ(r.Text(4), "WAVE");
        EXPECT_EQ(r.Text(4), "fmt ");
        EXPECT_EQ(r.U(4), 16u);
        EXPECT_EQ(r.U(2), 1u);  // PCM
        EXPECT_EQ(r.U(2), 1u);  // mono
        EXPECT_EQ(r.U(4), e.rate);
        EXPECT_EQ(r.U(4), e.rate);  // bytes per second
        EXPECT_EQ(r.U(2), 1u);      // block align
        EXPECT_EQ(r.U(2), 8u);
        EXPECT_EQ(r.Text(4), "data");
        EXPECT_EQ(r.U(4), e.data);
        const unsigned char* samples = r.Take(e.data + (e.data & 1u));
        EXPECT_EQ(r.Text(4), "LIST");
        EXPECT_EQ(r.U(4), 66u);
        EXPECT_EQ(r.Text(4), "INFO");
        r.Take(62);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.at, blob.size) << "nothing after the LIST chunk";
        ASSERT_NE(samples, nullptr);
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
