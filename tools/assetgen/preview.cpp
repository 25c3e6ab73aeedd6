#include "preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "encoders.h"
#include "font.h"
#include "geometry.h"
#include "models.h"
#include "pictures.h"

namespace assetgen {

namespace {

// Column vectors, row-major storage.
struct Mat4 {
    double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
};

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = 0;
            for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
        }
    }
    return r;
}

Vec3 Point(const Mat4& a, Vec3 p) {
    return {a.m[0][0] * p.x + a.m[0][1] * p.y + a.m[0][2] * p.z + a.m[0][3],
            a.m[1][0] * p.x + a.m[1][1] * p.y + a.m[1][2] * p.z + a.m[1][3],
            a.m[2][0] * p.x + a.m[2][1] * p.y + a.m[2][2] * p.z + a.m[2][3]};
}

Vec3 Direction(const Mat4& a, Vec3 p) {
    return {a.m[0][0] * p.x + a.m[0][1] * p.y + a.m[0][2] * p.z, a.m[1][0] * p.x + a.m[1][1] * p.y + a.m[1][2] * p.z,
            a.m[2][0] * p.x + a.m[2][1] * p.y + a.m[2][2] * p.z};
}

Mat4 FromRotation(const Mat3& r, Vec3 t) {
    Mat4 out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) out.m[i][j] = r.m[i][j];
    }
    out.m[0][3] = t.x;
    out.m[1][3] = t.y;
    out.m[2][3] = t.z;
    return out;
}

Mat4 Translate(Vec3 t) { return FromRotation(Mat3{}, t); }

Mat4 Invert(const Mat4& a) {
    // Rigid transforms only: transpose the rotation, rotate the translation back.
    Mat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[j][i];
    }
    const Vec3 t = r * Vec3{-a.m[0][3], -a.m[1][3], -a.m[2][3]};
    return FromRotation(r, t);
}

Vec3 Key(const std::vector<ms3d::Key>& keys, double t) {
    if (keys.empty()) return {};
    size_t j = 0;
    while (j < keys.size() && keys[j].time < t) ++j;
    auto v = [](const ms3d::Key& k) { return Vec3{k.value[0], k.value[1], k.value[2]}; };
    if (j == 0) return v(keys[0]);
    if (j == keys.size()) return v(keys.back());
    const double f = (t - keys[j - 1].time) / (keys[j].time - keys[j - 1].time);
    return Lerp(v(keys[j - 1]), v(keys[j]), f);
}

// Model-space pose of each joint relative to its bind pose, applied to the
// bind-space vertices: pose * inverse(bind).
std::vector<Mat4> Skin(const ms3d::Model& model, double seconds) {
    const size_t n = model.joints.size();
    std::vector<Mat4> bind(n), pose(n), out(n);
    std::map<std::string, size_t> index;
    const double total = model.totalFrames / static_cast<double>(model.framesPerSecond);
    if (seconds > total) seconds = std::fmod(seconds, total);
    for (size_t j = 0; j < n; ++j) {
        const ms3d::Joint& joint = model.joints[j];
        const Mat4 local = FromRotation(FromEuler({joint.rotation[0], joint.rotation[1], joint.rotation[2]}),
                                        {joint.position[0], joint.position[1], joint.position[2]});
        const Mat4 key = FromRotation(FromEuler(Key(joint.rotationKeys, seconds)), Key(joint.translationKeys, seconds));
        const bool root = joint.parent.empty();
        const size_t parent = root ? 0 : index[joint.parent];
        bind[j] = root ? local : bind[parent] * local;
        pose[j] = root ? local * key : pose[parent] * local * key;
        out[j] = pose[j] * Invert(bind[j]);
        index[joint.name] = j;
    }
    return out;
}

struct Texture {
    Image image;
};

struct Camera {
    Vec3 eye, center, up;
    double fov;
    std::string label;
};

class Raster {
public:
    Raster(int w, int h) : image(w, h, 3), depth(static_cast<size_t>(w) * h, 1e30) {}

    void Draw(const ms3d::Model& model, const Mat4& place, const std::vector<Mat4>& skin, const Camera& cam,
              const std::map<std::string, Texture>& textures, bool alarm) {
        const Vec3 f = Normalize(cam.center - cam.eye);
        const Vec3 s = Normalize(Cross(f, cam.up));
        const Vec3 u = Cross(s, f);
        const double focal = 1.0 / std::tan(cam.fov * kPi / 360.0);
        const double aspect = static_cast<double>(image.width) / image.height;
        const Vec3 lightPos{-0.5, -2.0, -15.0};
        const Vec3 spotDir = Normalize({-1, -2, 5});
        const Vec3 spotColour = alarm ? Vec3{3.995, 0.995, 0.995} : Vec3{0.995, 0.995, 1.995};
        for (const ms3d::Group& g : model.groups) {
            const ms3d::Material& m = model.materials[static_cast<size_t>(g.material)];
            std::string name = m.texture.size() > 2 ? m.texture.substr(2) : m.texture;
            if (alarm && name == "t31.jpg") name = "t31_blik.jpg";
            const auto tex = textures.find(name);
            for (int ti : g.triangles) {
                const ms3d::Triangle& t = model.triangles[static_cast<size_t>(ti)];
                Vec3 world[3], colour[3], screen[3];
                double st[3][2];
                bool behind = false;
                for (int k = 0; k < 3; ++k) {
                    const ms3d::Vertex& v = model.vertices[static_cast<size_t>(t.vertices[k])];
                    Vec3 p{v.position[0], v.position[1], v.position[2]};
                    Vec3 n{t.normals[k][0], t.normals[k][1], t.normals[k][2]};
                    if (v.joint >= 0) {
                        p = Point(skin[static_cast<size_t>(v.joint)], p);
                        n = Direction(skin[static_cast<size_t>(v.joint)], n);
                    }
                    world[k] = Point(place, p);
                    n = Normalize(Direction(place, n));
                    // Fixed-function lighting with the default material.
                    const Vec3 l = Normalize(lightPos - world[k]);
                    const double diffuse = std::max(0.0, Dot(n, l));
                    const double spotCos = Dot(-l, spotDir);
                    const double spot = spotCos >= std::cos(15.0 * kPi / 180) ? std::pow(spotCos, 64.0) : 0.0;
                    const double amb = 0.2 * 0.2 + 0.2 * 1.15 + 0.2 * 0.395;
                    const double d0 = 0.8 * 0.2 * diffuse;
                    colour[k] = Vec3{amb + d0, amb + d0, amb + d0} + spotColour * (0.8 * diffuse * spot);
                    const Vec3 d = world[k] - cam.eye;
                    const double zc = Dot(d, f);
                    if (zc < 1.0) behind = true;
                    screen[k] = {(Dot(d, s) * focal / aspect / zc + 1) * 0.5 * image.width,
                                 (1 - Dot(d, u) * focal / zc) * 0.5 * image.height, zc};
                    st[k][0] = t.s[k];
                    st[k][1] = t.t[k];
                }
                if (behind) continue;
                const double area = (screen[1].x - screen[0].x) * (screen[2].y - screen[0].y) -
                                    (screen[2].x - screen[0].x) * (screen[1].y - screen[0].y);
                if (area >= 0) continue;  // clockwise on screen (y down) is the back
                Fill(screen, colour, st, tex == textures.end() ? nullptr : &tex->second.image);
            }
        }
    }

    void Fill(const Vec3 p[3], const Vec3 c[3], const double st[3][2], const Image* tex) {
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].x, p[1].x, p[2].x}))));
        const int x1 = std::min(image.width - 1, static_cast<int>(std::ceil(std::max({p[0].x, p[1].x, p[2].x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].y, p[1].y, p[2].y}))));
        const int y1 = std::min(image.height - 1, static_cast<int>(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
        const double area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                double w[3];
                w[0] = ((p[1].x - px) * (p[2].y - py) - (p[2].x - px) * (p[1].y - py)) / area;
                w[1] = ((p[2].x - px) * (p[0].y - py) - (p[0].x - px) * (p[2].y - py)) / area;
                w[2] = 1 - w[0] - w[1];
                if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
                // Perspective-correct interpolation through 1 / z.
                const double iz = w[0] / p[0].z + w[1] / p[1].z + w[2] / p[2].z;
                const double z = 1 / iz;
                double& d = depth[static_cast<size_t>(y) * image.width + x];
                if (z >= d) continue;
                d = z;
                Vec3 light{};
                double s = 0, t = 0;
                for (int k = 0; k < 3; ++k) {
                    const double q = w[k] / p[k].z * z;
                    light = light + c[k] * q;
                    s += st[k][0] * q;
                    t += st[k][1] * q;
                }
                Vec3 texel{0.8, 0.8, 0.8};
                if (tex != nullptr) {
                    const double fs = s - std::floor(s), ft = t - std::floor(t);
                    const int tx = std::min(tex->width - 1, static_cast<int>(fs * tex->width));
                    const int ty = std::min(tex->height - 1, static_cast<int>(ft * tex->height));
                    const uint8_t* q = tex->At(tx, ty);
                    const int c1 = tex->channels == 1 ? 0 : 1, c2 = tex->channels == 1 ? 0 : 2;
                    texel = {q[0] / 255.0, q[c1] / 255.0, q[c2] / 255.0};
                }
                uint8_t* out = image.At(x, y);
                out[0] = static_cast<uint8_t>(std::min(255.0, texel.x * std::min(1.0, light.x) * 255));
                out[1] = static_cast<uint8_t>(std::min(255.0, texel.y * std::min(1.0, light.y) * 255));
                out[2] = static_cast<uint8_t>(std::min(255.0, texel.z * std::min(1.0, light.z) * 255));
            }
        }
    }

    Image image;
    std::vector<double> depth;
};

Mat4 Place(const Placement& p) {
    Mat4 m;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) m.m[i][j] = p.m[i][j];
    }
    return m;
}

Camera OnPath(double T) {
    const Vec3 eye{std::sin(0.25 * T) + 20 * std::sin(T / 7), std::sin(T / 7) + 15 * std::cos(T / 3) + 10,
                   std::cos(T / 13) + 30 * std::cos(T / 7)};
    const Vec3 up{std::sin(T / 7), 1 + std::cos(T / 3), std::cos(0.125 * T)};
    char label[32];
    std::snprintf(label, sizeof label, "PATH T=%.0f", T);
    return {eye, {0, 0, 0}, up, 70 + 30 * std::sin(T / 3) * std::sin(T / 7), label};
}

}  // namespace

Placement WardenPlacement() {
    const Mat4 m = Translate({-7, -12, 0}) * FromRotation(RotateY(kPi / 2), {});
    Placement p;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) p.m[i][j] = m.m[i][j];
    }
    return p;
}

Placement ScientistPlacement() {
    const Mat4 m = Place(WardenPlacement()) * Translate({-8, -8, 3}) * FromRotation(RotateY(kPi / 2), {});
    Placement p;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) p.m[i][j] = m.m[i][j];
    }
    return p;
}

bool WritePreview(const std::string& path, double seconds) {
    std::map<std::string, Texture> textures;
    for (const PictureSpec& p : AllPictures()) {
        std::string name = p.name + ".jpg";
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        textures[name].image = Render(p.width, p.height, p.grey ? 1 : 3, p.paint, 1);
    }
    const ms3d::Model room = BuildRoom(), warden = BuildWarden(), scientist = BuildScientist();
    const std::vector<Mat4> wardenSkin = Skin(warden, seconds), scientistSkin = Skin(scientist, seconds);
    const Mat4 identity;
    const Vec3 wardenAt = Point(Place(WardenPlacement()), {0, 6.5, 0});
    const Vec3 scientistAt = Point(Place(ScientistPlacement()), {0, 14.2, 0});
    std::vector<Camera> cameras = {OnPath(24), OnPath(33), OnPath(47), OnPath(60), OnPath(75), OnPath(90)};
    cameras.push_back({wardenAt + Vec3{13, 2, 3}, wardenAt, {0, 1, 0}, 60, "WARDEN FRONT"});
    cameras.push_back({wardenAt + Vec3{-12, 3, -5}, wardenAt, {0, 1, 0}, 60, "WARDEN BACK"});
    cameras.push_back({wardenAt + Vec3{2, 2, -13}, wardenAt, {0, 1, 0}, 60, "WARDEN SIDE"});
    cameras.push_back({scientistAt + Vec3{2, 2, -12}, scientistAt, {0, 1, 0}, 60, "SCIENTIST FRONT"});
    cameras.push_back({scientistAt + Vec3{-12, 3, 4}, scientistAt, {0, 1, 0}, 60, "SCIENTIST SIDE"});
    cameras.push_back({wardenAt + Vec3{-2, 4, 16}, wardenAt + Vec3{1.5, 0, 4}, {0, 1, 0}, 60, "BOTH"});
    const Vec3 wardenHead = wardenAt + Vec3{0, 5.3, 0}, scientistHead = scientistAt + Vec3{0, 4.8, 0};
    cameras.push_back({wardenHead + Vec3{3.2, 0.3, 1.2}, wardenHead, {0, 1, 0}, 50, "WARDEN HEAD"});
    cameras.push_back({scientistHead + Vec3{0.8, 0.3, -3.2}, scientistHead, {0, 1, 0}, 50, "SCIENTIST HEAD"});
    const int w = 400, h = 300, columns = 3;
    Image sheet(w * columns, h * static_cast<int>((cameras.size() + columns - 1) / columns), 3);
    for (size_t i = 0; i < cameras.size(); ++i) {
        // Every other view shows the blink phase: the alarm picture and the
        // red spot light.
        const bool alarm = i % 2 == 1;
        Raster r(w, h);
        r.Draw(room, identity, {}, cameras[i], textures, alarm);
        r.Draw(warden, Place(WardenPlacement()), wardenSkin, cameras[i], textures, alarm);
        r.Draw(scientist, Place(ScientistPlacement()), scientistSkin, cameras[i], textures, alarm);
        DrawText(r.image, cameras[i].label, 4, 4, Color{1, 1, 0.3});
        const int left = static_cast<int>(i % columns) * w, top = static_cast<int>(i / columns) * h;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                for (int c = 0; c < 3; ++c) sheet.At(left + x, top + y)[c] = r.image.At(x, y)[c];
            }
        }
    }
    return WritePng(path, sheet);
}

}  // namespace assetgen
