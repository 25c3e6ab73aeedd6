// Pictures for the two characters: faces wrapped around the head, hair,
// uniforms, lab coat, armour, hands, boots and the things they carry.
#include <cmath>
#include <string>

#include "font.h"
#include "geometry.h"
#include "paint.h"
#include "pictures.h"
#include "random.h"

namespace assetgen {

namespace {

uint32_t Seed(const std::string& name) { return static_cast<uint32_t>(Random(name).Next()); }

Color Skin(Color tone, double x, double y, int w, int h, uint32_t seed) {
    return tone * (0.95 + 0.1 * Fractal(x / w * 4, y / h * 4, seed, 3, 4));
}

// A face wrapped around a head: the face is centred horizontally (the front),
// hair covers the crown and the back. t runs from the crown to the chin.
Shader Face(int w, int h, Color skin, Color hair, double hairline, bool glasses, bool stubble, uint32_t seed) {
    return [=](double x, double y) {
        const double u = x / w, v = y / h;
        Color c = Skin(skin, x, y, w, h, seed);
        const double fx = (u - 0.5) * 2.0;  // -1 .. 1 across the face
        c = c * (1.0 - 0.25 * std::pow(std::fabs(fx), 2.0));
        // Eyes with whites, irises and brows.
        for (double side : {-1.0, 1.0}) {
            const double ex = 0.5 + side * 0.085, ey = 0.47;
            const double white = Ellipse(u * 100, v * 100, ex * 100, ey * 100, 4.2, 2.2);
            c = Mix(c, Hex(0xf0ece4), white);
            c = Mix(c, Hex(0x3a2a1a), Ellipse(u * 100, v * 100, ex * 100, ey * 100, 2.0, 2.0) * white);
            c = Mix(c, hair * 0.8, Line(u * 100, v * 100, (ex - 0.06) * 100, 41 + side * 0, (ex + 0.06) * 100, 40.5, 2.0) * 0.9);
            if (glasses) {
                const double rim = Clamp01(1.2 - std::fabs(std::hypot((u - ex) * 100 / 6.5, (v - ey) * 100 / 5.0) - 1.0) * 6.0);
                c = Mix(c, Hex(0x202020), rim);
            }
        }
        if (glasses) c = Mix(c, Hex(0x202020), Line(u * 100, v * 100, 46.5, 46, 53.5, 46, 1.2));
        // Nose shading and mouth.
        c = c * (1.0 - 0.18 * Ellipse(u * 100, v * 100, 52, 60, 2.5, 5));
        c = Mix(c, skin * 1.12, Ellipse(u * 100, v * 100, 49, 58, 2, 4) * 0.6);
        c = Mix(c, Hex(0x6a3028), Ellipse(u * 100, v * 100, 50, 72, 8, 2.6) * 0.9);
        if (stubble) c = Mix(c, hair * 0.9, SmoothStep(0.66, 0.8, v) * (1.0 - SmoothStep(0.2, 0.45, std::fabs(fx) - 0.3)) * 0.35);
        // Ears at the sides.
        for (double ex : {0.25, 0.75}) c = Mix(c, skin * 0.85, Ellipse(u * 100, v * 100, ex * 100, 50, 3, 7) * 0.7);
        // Hair: crown and back of the head.
        const double back = SmoothStep(0.18, 0.1, std::min(u, 1.0 - u));
        const double crown = SmoothStep(hairline + 0.04, hairline - 0.02, v + 0.04 * std::cos(fx * 3.0));
        const double hairCover = Clamp01(crown + back * SmoothStep(0.85, 0.7, v));
        const Color strands = hair * (0.85 + 0.3 * ValueNoise(x * 1.5, y * 0.3, seed + 3u));
        c = Mix(c, strands, hairCover);
        // The neck below the jaw is a little darker.
        c = c * (1.0 - 0.25 * SmoothStep(0.86, 0.98, v));
        return c;
    };
}

Shader Hair(Color hair, uint32_t seed) {
    return [=](double x, double y) {
        const double strands = ValueNoise(x * 2.5, y * 0.35, seed) * 0.6 + ValueNoise(x * 6.0, y * 0.6, seed + 1u) * 0.4;
        return hair * (0.7 + 0.6 * strands);
    };
}

Shader Cloth(int w, int h, Color base, uint32_t seed, double weave) {
    return [=](double x, double y) { return Fabric(base, x, y, w, h, seed, weave); };
}

// Trousers: cloth with a pressed crease down the front and side seams.
Shader Trousers(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Fabric(base, x, y, w, h, seed, 0.08);
        const double u = x / w;
        c = c * (1.0 + 0.18 * Clamp01(1.0 - std::fabs(u - 0.5) * w / 1.5));
        c = c * (1.0 - 0.2 * Clamp01(1.0 - std::fabs(u - 0.5) * w / 0.6 + 0.3));
        for (double seam : {0.25, 0.75}) c = c * (1.0 - 0.25 * Clamp01(1.0 - std::fabs(u - seam) * w));
        return c;
    };
}

// Woodland camouflage: three greens and a brown in soft-edged blotches.
Shader Camo(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        const double scale = 5.0 / 32.0;
        const double a = Fractal(x * scale, y * scale, seed, 3);
        const double b = Fractal(x * scale + 17.0, y * scale + 9.0, seed + 5u, 3);
        Color c = base;
        c = Mix(c, base * 0.62, SmoothStep(0.52, 0.56, a));
        c = Mix(c, Hex(0x5a4a34) * (Luma(base) / 0.35), SmoothStep(0.58, 0.62, b));
        c = Mix(c, base * 1.3, SmoothStep(0.62, 0.66, 1.0 - a));
        return Fabric(c, x, y, w, h, seed + 11u, 0.1);
    };
}

// Lab coat body: white cotton with a centre opening, buttons and a pocket.
Shader LabCoat(int w, int h, uint32_t seed, bool torso) {
    return [=](double x, double y) {
        Color c = Fabric(Hex(0xeeeeea), x, y, w, h, seed, 0.05);
        const double mid = w * 0.5;
        if (torso) {
            // Front is the middle of the picture (the loft wraps front at s = 0.5).
            c = Mix(c, c * 0.7, Clamp01(1.0 - std::fabs(x - mid) * 1.2));
            for (int k = 0; k < 3; ++k) c = Mix(c, Hex(0xd8d8d0) * 0.8, Disk(x, y, mid + 2.5, h * (0.35 + k * 0.2), 1.3));
            const double pocket = Rect(x, y, mid + w * 0.08, h * 0.22, mid + w * 0.2, h * 0.36);
            c = Mix(c, c * 0.88, Clamp01(pocket - Rect(x, y, mid + w * 0.09, h * 0.23, mid + w * 0.19, h * 0.35)) + 0.0);
            c = Mix(c, Hex(0x2050c0), Rect(x, y, mid + w * 0.1, h * 0.18, mid + w * 0.115, h * 0.26));
            c = Mix(c, Hex(0xc02020), Rect(x, y, mid + w * 0.13, h * 0.19, mid + w * 0.145, h * 0.26));
            // Name badge on the other side.
            c = Mix(c, Hex(0x2a6ac0), Rect(x, y, mid - w * 0.2, h * 0.22, mid - w * 0.08, h * 0.3));
            c = Mix(c, Hex(0xf0f0f0), Rect(x, y, mid - w * 0.19, h * 0.26, mid - w * 0.09, h * 0.29));
        } else {
            c = Mix(c, c * 0.75, Clamp01(1.0 - std::fabs(x - mid) * 1.0));
        }
        return c;
    };
}

// Shirt and tie seen in the opening of the coat.
Shader ShirtTie(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Fabric(Hex(0x9ab8d8), x, y, w, h, seed, 0.08);
        c = Mix(c, c * 0.85, Clamp01(std::sin(x * 0.9) * 0.3));
        const double mid = w * 0.5;
        const double tieHalf = 2.0 + y * 0.06;
        const double tie = y > 6 ? Clamp01(tieHalf - std::fabs(x - mid) + 0.5) : 0.0;
        const Color tieColour = Mix(Hex(0x6a1a24), Hex(0x9a2a34), Stripes(x, y, 6.0));
        c = Mix(c, tieColour, tie);
        c = Mix(c, Hex(0x7a1a24), Ellipse(x, y, mid, 5, 3, 2.5));
        // Collar points.
        c = Mix(c, Hex(0xe8eef4), Clamp01(Line(x, y, mid - 2, 1, mid - 9, 9, 3) + Line(x, y, mid + 2, 1, mid + 9, 9, 3)));
        return c;
    };
}

Shader Leather(int w, int h, Color base, uint32_t seed, bool sole) {
    return [=](double x, double y) {
        Color c = base * (0.85 + 0.3 * Fractal(x / w * 6, y / h * 6, seed, 3, 6));
        c = c + Color{1, 1, 1} * (0.12 * Clamp01(1.0 - std::fabs(y / h - 0.3) * 6.0));
        if (sole && y > h * 0.8) c = Hex(0x141414) * (std::fmod(x, 3.0) < 1.5 ? 1.0 : 0.7);
        if (std::fabs(y - h * 0.45) < 0.6 && std::fmod(x, 4.0) < 2.0) c = c * 1.5;  // stitching
        return c;
    };
}

Shader Hands(int w, int h, Color skin, uint32_t seed, bool gloved) {
    return [=](double x, double y) {
        if (gloved) {
            Color c = Hex(0x262422) * (0.85 + 0.3 * Fractal(x / w * 5, y / h * 5, seed, 3, 5));
            if (std::fmod(y, 8.0) < 1.0) c = c * 1.5;
            return c;
        }
        Color c = Skin(skin, x, y, w, h, seed);
        c = c * (1.0 - 0.15 * std::sin(x / w * kPi * 4) * 0.5);
        c = Mix(c, skin * 0.8, Clamp01(1.0 - std::fabs(y - h * 0.5) * 0.8) * 0.3);  // knuckle crease
        return c;
    };
}

// Tactical armour: padded plates with straps, seams and a rank patch.
Shader Armour(int w, int h, Color base, uint32_t seed, bool patch) {
    return [=](double x, double y) {
        Color c = Fabric(base, x, y, w, h, seed, 0.1);
        c = Shade(c, RowOfBoxesLight(x, y, w / 4.0, h, 2, 3, 2.5), 0.6);
        if (std::fabs(y - h * 0.3) < 1.5 || std::fabs(y - h * 0.7) < 1.5) c = Hex(0x1a1c1a);  // straps
        if (patch) {
            const double mid = w * 0.5;
            c = Mix(c, Hex(0xe8e8e0), TextCoverage("SEC", mid - 8, h * 0.42, 1.0, x, y));
            c = Mix(c, Hex(0xc8a030), Rect(x, y, mid + w * 0.12, h * 0.12, mid + w * 0.22, h * 0.2));
        }
        return c;
    };
}

Shader GreyPlate(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const Field plate = RoundedBox(1, 1, w - 1, h - 1, 4);
        Color c = Metal(Hex(0x80848a), x, y, w, h, seed, 0.6);
        c = Shade(c, BevelLight(plate, x, y, 3.0), 0.6);
        c = c + Color{1, 1, 1} * (0.2 * Clamp01(1.0 - std::fabs(y / h - 0.3) * 5));
        double cover = 0.0;
        for (double cx : {4.0, w - 4.0}) {
            const Color r = Rivet(Hex(0x9a9ea4), x, y, cx, h * 0.5, 1.5, cover);
            c = Mix(c, r, cover);
        }
        return c;
    };
}

Shader Helmet(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        Color c = base * (0.9 + 0.2 * Fractal(x / w * 5, y / h * 5, seed, 3, 5));
        c = c + Color{1, 1, 1} * (0.18 * Clamp01(1.0 - std::fabs(y / h - 0.25) * 5));
        if (std::fabs(x - w * 0.5) < 1.5) c = c * 0.7;  // centre ridge
        if (y > h - 4) c = Hex(0x1a1a1a);
        c = Mix(c, Hex(0xe8e8e0), TextCoverage("SEC", w * 0.5 - 8, h * 0.4, 1.0, x, y) * 0.9);
        return c;
    };
}

Shader Visor(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const double u = x / w, v = y / h;
        Color c = Mix(Hex(0x081018), Hex(0x2a4a6a), Clamp01(1.0 - v));
        c = c + Hex(0xa0d0ff) * (0.5 * Clamp01(1.0 - std::fabs((u - v * 0.4) - 0.35) * 10));
        c = c + Hex(0xffa040) * (0.2 * Ellipse(x, y, w * 0.7, h * 0.5, 2, 1.5));
        return c * (0.9 + 0.1 * Hash(static_cast<int>(x), static_cast<int>(y), seed));
    };
}

// Weapon: dark gunmetal with panel lines, vents and a coloured light.
Shader Rifle(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Metal(Hex(0x3a3e44), x, y, w, h, seed, 0.5);
        c = c + Color{1, 1, 1} * (0.12 * Clamp01(1.0 - std::fabs(y / h - 0.25) * 5));
        if (std::fmod(x, 32.0) < 1.0) c = c * 0.5;
        if (x > w * 0.6 && x < w * 0.85 && y > h * 0.35 && y < h * 0.65 && std::fmod(x, 4.0) < 2.0) c = c * 0.3;
        c = Mix(c, Hex(0x30c0ff), Disk(x, y, w * 0.2, h * 0.5, 2.0));
        c = Mix(c, Hex(0xe8b818), Rect(x, y, w * 0.4, h * 0.15, w * 0.5, h * 0.3));
        return c;
    };
}

Shader Pouches(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        const double pw = w / 4.0;
        const double fx = std::fmod(x, pw);
        Color c = Fabric(base, x, y, w, h, seed, 0.1);
        c = Shade(c, RowOfBoxesLight(x, y, pw, h, 1, 2, 1.5), 0.6);
        if (y < h * 0.35) c = c * 0.8;
        c = Mix(c, Hex(0x9a9a90), Rect(fx, y, pw * 0.4, h * 0.25, pw * 0.6, h * 0.45));
        return c;
    };
}

Shader Tablet(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Hex(0x1a1c20);
        if (x > 2 && x < w - 2 && y > 4 && y < h - 6) {
            const double u = (x - 2) / (w - 4), v = (y - 4) / (h - 10);
            c = Hex(0x0a2030);
            const double curve = 0.5 + 0.25 * std::sin(u * 9.0 + 1.0);
            if (v < 0.45) c = c + Hex(0x40d0ff) * Clamp01(1.0 - std::fabs(v / 0.45 - curve) * 12);
            if (v > 0.5 && std::fmod(v * 12, 1.0) < 0.5 && u < 0.3 + 0.6 * Hash(static_cast<int>(v * 12), 0, seed))
                c = c + Hex(0x80ffc0) * 0.7;
            if (v < 0.06) c = Hex(0xff4030) * 0.9;  // alert banner
        }
        c = Mix(c, Hex(0x505458), Disk(x, y, w * 0.5, h - 3, 1.3));
        return c;
    };
}

Shader Strip(int h, Color a, Color b) {
    return [=](double x, double y) {
        return Mix(a, b, std::fmod(x, 8.0) < 4.0 ? 0.0 : 0.3) * (1.0 - 0.2 * std::fabs(y / h - 0.5));
    };
}

PictureSpec P(const std::string& name, int w, int h, Shader s, bool grey = false) {
    return {name, w, h, grey, std::move(s)};
}

}  // namespace

std::vector<PictureSpec> ScientistPictures() {
    auto s = [](const char* name) { return Seed(name); };
    const Color skin = Hex(0xe0b090), hair = Hex(0x8a8680);
    std::vector<PictureSpec> p;
    p.push_back(P("S1", 36, 36, Face(36, 36, skin, hair, 0.2, true, false, s("S1"))));
    p.push_back(P("S2", 32, 32, Hair(hair, s("S2"))));
    p.push_back(P("S3", 64, 64, LabCoat(64, 64, s("S3"), true)));
    p.push_back(P("S4", 32, 32, LabCoat(32, 32, s("S4"), false)));
    p.push_back(P("S5", 32, 32, LabCoat(32, 32, s("S5"), false)));
    p.push_back(P("S6", 32, 4, Strip(4, Hex(0xf4f4f0), Hex(0xc8c8c0))));
    p.push_back(P("S7", 32, 32, Hands(32, 32, skin, s("S7"), false)));
    p.push_back(P("S8", 16, 16, Hands(16, 16, skin * 0.95, s("S8"), false)));
    p.push_back(P("S9", 64, 64, Trousers(64, 64, Hex(0x4a4a58), s("S9"))));
    p.push_back(P("S10", 32, 32, Trousers(32, 32, Hex(0x484856), s("S10"))));
    p.push_back(P("S11", 32, 32, Leather(32, 32, Hex(0x4a2e1c), s("S11"), true)));
    p.push_back(P("S12", 16, 16, Hands(16, 16, skin * 0.92, s("S12"), false)));
    p.push_back(P("S13", 32, 8, Hair(hair * 0.9, s("S13"))));
    p.push_back(P("S14", 16, 16, Hands(16, 16, skin * 0.9, s("S14"), false)));
    p.push_back(P("S15", 36, 64, LabCoat(36, 64, s("S15"), false)));
    p.push_back(P("S16", 36, 64, ShirtTie(36, 64, s("S16"))));
    p.push_back(P("S17", 32, 64, Tablet(32, 64, s("S17"))));
    p.push_back(P("S18", 16, 16, Strip(16, Hex(0x2a2c30), Hex(0x3a3c40))));
    p.push_back(P("S19", 32, 32, Cloth(32, 32, Hex(0x3e3e4a), s("S19"), 0.08)));
    return p;
}

std::vector<PictureSpec> WardenPictures() {
    auto s = [](const char* name) { return Seed(name); };
    const Color skin = Hex(0xc8906a), hair = Hex(0x2a2018), uniform = Hex(0x56684f);
    std::vector<PictureSpec> p;
    p.push_back(P("W1", 32, 32, Face(32, 32, skin, hair, 0.14, false, true, s("W1"))));
    p.push_back(P("W2", 64, 32, Helmet(64, 32, Hex(0x4c5a48), s("W2"))));
    p.push_back(P("W3", 32, 16, Visor(32, 16, s("W3"))));
    p.push_back(P("W4", 64, 64, Armour(64, 64, Hex(0x43523f), s("W4"), true)));
    p.push_back(P("W5", 32, 32, GreyPlate(32, 32, s("W5")), true));
    p.push_back(P("W6", 32, 32, Camo(32, 32, uniform, s("W6"))));
    p.push_back(P("W7", 32, 32, Hands(32, 32, skin, s("W7"), true)));
    p.push_back(P("W8", 16, 16, Hands(16, 16, skin, s("W8"), true)));
    p.push_back(P("W9", 64, 64, Camo(64, 64, uniform * 0.95, s("W9"))));
    p.push_back(P("W10", 32, 32, Leather(32, 32, Hex(0x1e1c1a), s("W10"), true)));
    p.push_back(P("W11", 64, 16, Pouches(64, 16, Hex(0x2a302a), s("W11"))));
    p.push_back(P("W12", 16, 16, GreyPlate(16, 16, s("W12"))));
    p.push_back(P("W13", 32, 4, Strip(4, Hex(0xd8a020), Hex(0x1a1a1a))));
    p.push_back(P("W14", 32, 16, Cloth(32, 16, uniform * 0.8, s("W14"), 0.12)));
    p.push_back(P("W15", 128, 32, Rifle(128, 32, s("W15"))));
    p.push_back(P("W16", 32, 32, Leather(32, 32, Hex(0x2a2a2c), s("W16"), false)));
    p.push_back(P("W17", 32, 32, Pouches(32, 32, Hex(0x303830), s("W17"))));
    p.push_back(P("W18", 32, 32, Camo(32, 32, uniform * 0.9, s("W18"))));
    p.push_back(P("W19", 32, 32, GreyPlate(32, 32, s("W19"))));
    p.push_back(P("W20", 32, 64, Camo(32, 64, uniform * 0.95, s("W20"))));
    return p;
}

}  // namespace assetgen
