// The asset generator: the catalogue check that stops a broken catalogue
// from being written, the MS3D writer's refusals, the exact-count padding,
// the rotation and leg helpers behind the animations, and the characters'
// feet staying on the floor through their loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "builder.h"
#include "catalogue.h"
#include "encoders.h"
#include "figure.h"
#include "geometry.h"
#include "models.h"
#include "pictures.h"
#include "ms3d.h"
#include "sounds.h"
#include "formats/byte_cursor.h"

using namespace assetgen;

namespace {

const Catalogue& Built() {
    static const Catalogue catalogue = BuildCatalogue();
    return catalogue;
}

CatalogueFile& FileOf(Catalogue& c, const std::string& resource) {
    for (CatalogueFile& f : c.files) {
        if (f.resource == resource) return f;
    }
    ADD_FAILURE() << "no " << resource;
    static CatalogueFile none;
    return none;
}

// True when some problem names `what` and mentions `about`.
bool Reported(const std::vector<std::string>& problems, const std::string& what, const std::string& about) {
    return std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
        return p.find(what) != std::string::npos && p.find(about) != std::string::npos;
    });
}

Bytes Jpeg(int w, int h, int channels) { return EncodeJpeg(Image(w, h, channels), 90); }

TEST(CatalogueCheck, PassesTheBuiltCatalogueAndItsManifest) {
    EXPECT_TRUE(CheckCatalogue(Built()).empty());
    EXPECT_EQ(Built().files.size(), 106u);
    EXPECT_NE(Built().manifest.find("JPG T31_BLIK.JPG t31_blik.jpg\n"), std::string::npos);
    EXPECT_NE(Built().manifest.find("#5 #225 dialog225.dlg optional\n"), std::string::npos);
}

TEST(CatalogueCheck, ReportsEveryWayAPictureBreaksTheTable) {
    Catalogue c = Built();
    FileOf(c, "S1.JPG").bytes = Jpeg(32, 32, 3);    // must stay 36 x 36
    FileOf(c, "T05.JPG").bytes = Jpeg(48, 64, 3);   // not a power of two
    FileOf(c, "W5.JPG").bytes = Jpeg(32, 32, 3);    // must be grey
    FileOf(c, "KRV.JPG").bytes = Jpeg(64, 64, 1);   // must be colour
    FileOf(c, "T10.JPG").bytes.resize(100);         // cut short before its frame
    FileOf(c, "T11.JPG").resource = "T99.JPG";
    const std::vector<std::string> problems = CheckCatalogue(c);
    EXPECT_TRUE(Reported(problems, "S1.JPG", "size"));
    EXPECT_TRUE(Reported(problems, "T05.JPG", "size"));
    EXPECT_TRUE(Reported(problems, "W5.JPG", "components"));
    EXPECT_TRUE(Reported(problems, "KRV.JPG", "components"));
    EXPECT_TRUE(Reported(problems, "T10.JPG", "JPEG"));
    EXPECT_TRUE(Reported(problems, "T99.JPG", "unexpected"));

    Catalogue fewer = Built();
    fewer.files.erase(fewer.files.begin());
    EXPECT_TRUE(Reported(CheckCatalogue(fewer), "99 pictures", "100"));
}

// A progressive JPEG of the right size: decodable, but not the baseline
// frame the catalogue asks for.
Bytes ProgressiveJpeg(int w, int h) { return EncodeJpeg(Image(w, h, 3), 90, JpegScans::Progressive); }

TEST(CatalogueCheck, AcceptsOnlyBaselineFrames) {
    int w = 0, h = 0, components = 0;
    EXPECT_TRUE(JpegFrame(Jpeg(32, 4, 1), w, h, components));
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 4);
    EXPECT_EQ(components, 1);
    EXPECT_FALSE(JpegFrame(ProgressiveJpeg(64, 64), w, h, components));
    EXPECT_FALSE(JpegFrame(Bytes{0xff, 0xd8, 0xff}, w, h, components));
    Catalogue c = Built();
    FileOf(c, "T36.JPG").bytes = ProgressiveJpeg(64, 64);
    EXPECT_TRUE(Reported(CheckCatalogue(c), "T36.JPG", "baseline"));
}

TEST(CatalogueCheck, ReportsModelsAndSoundsThatBreakTheTable) {
    Catalogue c = Built();
    ms3d::Model warden = BuildWarden();
    warden.triangles.pop_back();
    for (ms3d::Group& g : warden.groups) {
        g.triangles.erase(std::remove(g.triangles.begin(), g.triangles.end(), static_cast<int>(warden.triangles.size())),
                          g.triangles.end());
    }
    std::string error;
    FileOf(c, "WARDEN").bytes = ms3d::Write(warden, error);
    ASSERT_TRUE(error.empty()) << error;
    FileOf(c, "ROOM").bytes.push_back(0);  // trailing data
    ms3d::Model scientist = BuildScientist();
    scientist.totalFrames = 184;
    FileOf(c, "SCIENTIST").bytes = ms3d::Write(scientist, error);
    FileOf(c, "ALERT").bytes = WaveFile(std::vector<uint8_t>(11999, 128), 8000, "short");
    const std::vector<std::string> problems = CheckCatalogue(c);
    EXPECT_TRUE(Reported(problems, "WARDEN", "708 triangles"));
    EXPECT_TRUE(Reported(problems, "ROOM", "end"));
    EXPECT_TRUE(Reported(problems, "SCIENTIST", "frame"));
    EXPECT_TRUE(Reported(problems, "ALERT", "layout"));

    Catalogue refused = Built();
    refused.buildErrors.push_back("ROOM: joint before its parent: x");
    EXPECT_TRUE(Reported(CheckCatalogue(refused), "ROOM", "parent"));
}

// One joint, one triangle: the smallest model with every block.
ms3d::Model Tiny() {
    ms3d::Model m;
    for (int i = 0; i < 3; ++i) {
        ms3d::Vertex v;
        v.position[0] = static_cast<float>(i);
        v.joint = 0;
        m.vertices.push_back(v);
    }
    ms3d::Triangle t;
    t.vertices[0] = 0;
    t.vertices[1] = 1;
    t.vertices[2] = 2;
    m.triangles.push_back(t);
    m.groups.push_back({{0}, 0, "g"});
    ms3d::Material material;
    material.texture = ".\\a.jpg";
    m.materials.push_back(material);
    ms3d::Joint j;
    j.name = "root";
    ms3d::Key k0, k1;
    k1.time = 1.0f;
    j.rotationKeys = {k0, k1};
    j.translationKeys = {k0, k1};
    m.joints.push_back(j);
    return m;
}

TEST(Ms3dWriter, WritesTheWholeImageAndReadsItBack) {
    std::string error;
    const Bytes bytes = ms3d::Write(Tiny(), error);
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_EQ(bytes.size(), 14u + 2 + 3 * 15 + 2 + 70 + 2 + 36 + 2 + 2 + 361 + 12 + 2 + 93 + 16 * 4);
    const Ms3dSummary s = SummariseMs3d(bytes);
    EXPECT_TRUE(s.valid);
    EXPECT_EQ(s.parsedBytes, bytes.size());
    EXPECT_EQ(s.version, 4);
    EXPECT_EQ(s.vertices, 3);
    EXPECT_EQ(s.triangles, 1);
    EXPECT_EQ(s.textures, std::vector<std::string>{".\\a.jpg"});
    EXPECT_EQ(s.rotationKeys, std::vector<int>{2});
    EXPECT_EQ(s.lastKeyTime, 1.0f);
    Bytes cut = bytes;
    cut.pop_back();
    EXPECT_FALSE(SummariseMs3d(cut).valid);
}

TEST(Ms3dWriter, RefusesModelsTheFormatCannotCarry) {
    std::map<std::string, ms3d::Model> broken;
    broken["vertex index"] = Tiny();
    broken["vertex index"].triangles[0].vertices[2] = 3;
    broken["joint of a vertex"] = Tiny();
    broken["joint of a vertex"].vertices[1].joint = 1;
    broken["group material"] = Tiny();
    broken["group material"].groups[0].material = 1;
    broken["empty group"] = Tiny();
    broken["empty group"].groups.push_back({{}, 0, "h"});
    broken["texture too long"] = Tiny();
    broken["texture too long"].materials[0].texture = std::string(128, 'x');
    broken["key counts"] = Tiny();
    broken["key counts"].joints[0].translationKeys.pop_back();
    broken["key times"] = Tiny();
    broken["key times"].joints[0].rotationKeys[1].time = 0.0f;
    broken["parent order"] = Tiny();
    broken["parent order"].joints[0].parent = "later";
    ms3d::Joint later;
    later.name = "later";
    broken["parent order"].joints.push_back(later);
    broken["duplicate joint"] = Tiny();
    broken["duplicate joint"].joints.push_back(broken["duplicate joint"].joints[0]);
    for (const auto& [what, model] : broken) {
        std::string error;
        EXPECT_TRUE(ms3d::Write(model, error).empty()) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

TEST(Padding, ReachesExactCountsWithTheShapesItNames) {
    int found = 0;
    for (int dv = 0; dv <= 40; ++dv) {
        for (int dt = 0; dt <= 80; ++dt) {
            const Padding p = FindPadding(dv, dt);
            if (!p.found) continue;
            ++found;
            ms3d::Model model;
            MeshBuilder b(model);
            b.AddGroup("g", 0);
            for (int k = 0; k < p.quads; ++k) b.Quad(0, -1, {0, 0, 0}, {1, 0, 0}, {0, -1, 0});
            if (p.discSides > 0) b.Disc(0, -1, {0, 0, 0}, {0, 0, 1}, 1.0, p.discSides);
            for (int k = 0; k < p.cones; ++k) {
                ASSERT_GE(p.ConeSides(k), 3);
                b.Cone(0, -1, {0, 0, 0}, {0, 1, 0}, 1.0, p.ConeSides(k));
            }
            ASSERT_EQ(static_cast<int>(model.vertices.size()), dv) << dv << " " << dt;
            ASSERT_EQ(static_cast<int>(model.triangles.size()), dt) << dv << " " << dt;
        }
    }
    EXPECT_GT(found, 500);
    EXPECT_FALSE(FindPadding(1, 0).found);
    EXPECT_FALSE(FindPadding(3, 40).found);  // far too few vertices for the triangles
}

TEST(Euler, RoundTripsAndStaysNearThePreviousKey) {
    const Vec3 samples[] = {{0.3, -0.2, 0.1}, {1.2, 0.4, -2.0}, {-2.5, 1.0, 3.0}, {0.0, kPi / 2, 0.4}, {3.1, 0.0, 0.0}};
    for (const Vec3& e : samples) {
        const Mat3 m = FromEuler(e);
        const Mat3 back = FromEuler(ToEuler(m, {}));
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) EXPECT_NEAR(back.m[i][j], m.m[i][j], 1e-9);
        }
    }
    // Turning past pi keeps counting instead of jumping to -pi, since the
    // keys are interpolated as plain numbers.
    Vec3 previous{};
    for (double a = 2.8; a < 3.6; a += 0.1) {
        const Vec3 e = ToEuler(RotateX(a), previous);
        EXPECT_NEAR(e.x, a, 1e-9);
        previous = e;
    }
}

Vec3 Apply(const Mat3& m, Vec3 v) { return m * v; }

TEST(Legs, PlaceLegReachesTheAnkleAndKeepsTheFootLevel) {
    const double thigh = 3.0, shin = 2.9;
    const Vec3 targets[] = {{0, -5.899, 0}, {0, -5.5, 0}, {0.25, -5.6, 0}, {-0.3, -5.2, 0.2}, {0.1, -4.8, -0.15}};
    for (const Vec3& ankle : targets) {
        JointPose t, s, f;
        PlaceLeg({0, 0, 0}, ankle, thigh, shin, t, s, f);
        const Vec3 knee = Apply(t.rotation, {0, -thigh, 0});
        const Vec3 reached = knee + Apply(t.rotation * s.rotation, {0, -shin, 0});
        EXPECT_NEAR(reached.x, ankle.x, 1e-6);
        EXPECT_NEAR(reached.y, ankle.y, 1e-6);
        EXPECT_NEAR(reached.z, ankle.z, 1e-6);
        EXPECT_GE(knee.z, -1e-9) << "the knee bends forwards";
        const Mat3 foot = t.rotation * s.rotation * f.rotation;
        EXPECT_NEAR(foot.m[1][1], 1.0, 1e-9) << "the foot stays level";
    }
}

// Positions of a character's vertices at `seconds`, keys interpolated as the
// program interpolates them, in the model's own space.
std::vector<Vec3> Posed(const ms3d::Model& model, double seconds) {
    const size_t n = model.joints.size();
    std::vector<Mat3> bindRotation(n), poseRotation(n);
    std::vector<Vec3> bindOrigin(n), poseOrigin(n);
    std::map<std::string, size_t> index;
    auto key = [&](const std::vector<ms3d::Key>& keys) {
        size_t j = 0;
        while (j < keys.size() && keys[j].time < seconds) ++j;
        auto v = [](const ms3d::Key& k) { return Vec3{k.value[0], k.value[1], k.value[2]}; };
        if (j == 0) return v(keys[0]);
        if (j == keys.size()) return v(keys.back());
        return Lerp(v(keys[j - 1]), v(keys[j]), (seconds - keys[j - 1].time) / (keys[j].time - keys[j - 1].time));
    };
    for (size_t j = 0; j < n; ++j) {
        const ms3d::Joint& joint = model.joints[j];
        const Mat3 local = FromEuler({joint.rotation[0], joint.rotation[1], joint.rotation[2]});
        const Vec3 offset{joint.position[0], joint.position[1], joint.position[2]};
        const Mat3 keyRotation = FromEuler(key(joint.rotationKeys));
        const Vec3 keyOffset = key(joint.translationKeys);
        if (joint.parent.empty()) {
            bindRotation[j] = local;
            bindOrigin[j] = offset;
            poseRotation[j] = local * keyRotation;
            poseOrigin[j] = offset + local * keyOffset;
        } else {
            const size_t p = index.at(joint.parent);
            bindRotation[j] = bindRotation[p] * local;
            bindOrigin[j] = bindOrigin[p] + bindRotation[p] * offset;
            poseRotation[j] = poseRotation[p] * local * keyRotation;
            poseOrigin[j] = poseOrigin[p] + poseRotation[p] * (offset + local * keyOffset);
        }
        index[joint.name] = j;
    }
    std::vector<Vec3> out;
    for (const ms3d::Vertex& v : model.vertices) {
        const size_t j = static_cast<size_t>(v.joint);
        const Vec3 p{v.position[0], v.position[1], v.position[2]};
        Mat3 inverse;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) inverse.m[r][c] = bindRotation[j].m[c][r];
        }
        out.push_back(poseOrigin[j] + poseRotation[j] * (inverse * (p - bindOrigin[j])));
    }
    return out;
}

TEST(Characters, FeetStayOnTheFloorThroughTheLoop) {
    struct Character {
        ms3d::Model model;
        double floor;  // model space
    };
    const Character all[] = {{BuildWarden(), 0.0}, {BuildScientist(), 8.0}};
    for (const Character& c : all) {
        const double length = c.model.totalFrames / static_cast<double>(c.model.framesPerSecond);
        const std::vector<Vec3> start = Posed(c.model, 0.0);
        for (double t = 0.0; t <= length; t += 0.25) {
            const std::vector<Vec3> posed = Posed(c.model, t);
            double low = 1e9, slide = 0.0;
            for (size_t i = 0; i < posed.size(); ++i) {
                low = std::min(low, posed[i].y);
                // Vertices at the soles should not slide over the floor.
                if (start[i].y < c.floor + 0.05) {
                    slide = std::max(slide, std::hypot(posed[i].x - start[i].x, posed[i].z - start[i].z));
                }
            }
            EXPECT_NEAR(low, c.floor, 0.12) << "at " << t << " s";
            EXPECT_LT(slide, 0.3) << "at " << t << " s";
        }
    }
}

TEST(Sounds, OddDataGetsItsPadByteAndTheRiffSizeCountsIt) {
    const Bytes even = WaveFile(std::vector<uint8_t>(10, 128), 8000, "e");
    const Bytes odd = WaveFile(std::vector<uint8_t>(11, 128), 8000, "o");
    EXPECT_EQ(even.size(), 12u + 24 + 8 + 10 + 8 + 66);
    EXPECT_EQ(odd.size(), 12u + 24 + 8 + 11 + 1 + 8 + 66);
    EXPECT_EQ(odd[44 + 11], 0) << "the pad byte";
    EXPECT_EQ(std::string(odd.begin() + 56, odd.begin() + 60), "LIST");
    EXPECT_EQ(LoadU32LE(&odd[4]), odd.size() - 8);
    EXPECT_EQ(std::string(odd.begin() + 60, odd.begin() + 64), std::string("\x42\0\0\0", 4));
}

Image Picture(const std::string& name) {
    for (const PictureSpec& p : AllPictures()) {
        if (p.name == name) return Render(p.width, p.height, p.grey ? 1 : 3, p.paint, 2);
    }
    ADD_FAILURE() << "no picture " << name;
    return {};
}

TEST(Pictures, TheBloodMaskCoversTheSplashAndNothingElse) {
    const Image blood = Picture("KRV"), mask = Picture("KRVMASK");
    ASSERT_EQ(mask.channels, 1);
    int covered = 0, clear = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const uint8_t* c = blood.At(x, y);
            const int alpha = mask.At(x, y)[0];
            if (alpha > 150) {
                ++covered;
                EXPECT_GT(c[0], c[1] + 20) << "red where the mask is opaque at " << x << "," << y;
            } else if (alpha < 20) {
                ++clear;
            }
        }
    }
    EXPECT_GT(covered, 400);
    EXPECT_GT(clear, 1000);
    EXPECT_LT(mask.At(0, 0)[0], 20) << "the corners stay transparent";
}

TEST(Pictures, TheBlinkPictureIsUnmistakablyARedAlarm) {
    const Image normal = Picture("T31"), blink = Picture("T31_BLIK");
    auto redness = [](const Image& image) {
        double sum = 0;
        for (int y = 8; y < 24; ++y) {
            for (int x = 8; x < 24; ++x) sum += image.At(x, y)[0] - 0.5 * (image.At(x, y)[1] + image.At(x, y)[2]);
        }
        return sum / 256.0;
    };
    auto brightness = [](const Image& image) {
        double sum = 0;
        for (uint8_t v : image.pixels) sum += v;
        return sum / static_cast<double>(image.pixels.size());
    };
    EXPECT_GT(redness(blink), 120.0);
    EXPECT_GT(redness(blink), redness(normal) + 60.0);
    EXPECT_GT(brightness(blink), brightness(normal) * 1.3);
}

}  // namespace
