// The scene's own pictures: the loading title card and the blood splash with
// its mask, plus the catalogue order of all pictures.
#include <cmath>
#include <string>

#include "font.h"
#include "geometry.h"
#include "paint.h"
#include "pictures.h"
#include "random.h"

namespace assetgen {

namespace {

// Coverage of the splash: a central blot, lobes and flung droplets.
double Splash(double x, double y) {
    const uint32_t seed = 9041u;
    const double cx = 32, cy = 32;
    const double dx = x - cx, dy = y - cy;
    const double r = std::hypot(dx, dy), a = std::atan2(dy, dx);
    const double edge = 13.0 + 5.0 * std::sin(a * 5.0 + 0.7) + 3.0 * std::sin(a * 9.0 + 2.0) +
                        4.0 * (Fractal(std::cos(a) * 2 + 5, std::sin(a) * 2 + 5, seed, 3) - 0.5);
    double cover = Clamp01(edge - r + 0.5);
    Random random(seed);
    for (int i = 0; i < 22; ++i) {
        const double angle = random.Range(0, 2 * kPi), dist = random.Range(14, 29), size = random.Range(0.8, 3.2);
        const double px = cx + std::cos(angle) * dist, py = cy + std::sin(angle) * dist;
        cover = std::max(cover, Disk(x, y, px, py, size * (1.0 - (dist - 14) / 30)));
        // A streak from the blot towards the droplet.
        if (i % 3 == 0) cover = std::max(cover, Line(x, y, cx + std::cos(angle) * 10, cy + std::sin(angle) * 10, px, py, size * 0.7));
    }
    return cover;
}

Shader Blood() {
    return [](double x, double y) {
        const double cover = Splash(x, y);
        const double thick = Fractal(x / 8, y / 8, 77u, 3);
        Color c = Mix(Hex(0x3a0204), Hex(0x8a0a0c), thick);
        c = c + Hex(0xff8080) * (0.15 * Clamp01(1.0 - std::hypot(x - 27, y - 27) / 6));
        return Mix(Hex(0x1a0000), c, cover);
    };
}

Shader BloodMask() {
    return [](double x, double y) {
        const double cover = Splash(x, y);
        return Color{1, 1, 1} * (cover * (0.8 + 0.2 * Fractal(x / 8, y / 8, 77u, 3)));
    };
}

// Title card: framed, with the show's name, a station emblem and the word
// LOADING over a progress bar.
Shader Loading() {
    return [](double x, double y) {
        const double u = x / 128, v = y / 128;
        Color c = Mix(Hex(0x0a1420), Hex(0x02050a), v);
        c = c + Hex(0x1a3a5a) * (0.5 * std::pow(Clamp01(1.0 - std::hypot(u - 0.5, v - 0.35) * 1.8), 2.0));
        const double star = Hash(static_cast<int>(x), static_cast<int>(y), 5u);
        if (star > 0.992) c = c + Color{1, 1, 1} * 0.6;
        // Frame with corner brackets.
        const double frame = Clamp01(1.0 - std::fabs(BoxDistance(x, y, 4, 4, 124, 124, 3)) * 1.2);
        c = Mix(c, Hex(0x4a7aa0), frame * 0.8);
        // Emblem: a ring with a 9 inside.
        const double ring = Clamp01(1.8 - std::fabs(std::hypot(x - 64, y - 30) - 14));
        c = Mix(c, Hex(0xe8b818), ring);
        c = Mix(c, Hex(0xe8b818), TextCoverage("9", 59.0, 23.0, 2.0, x, y));
        // Title and subtitle.
        const std::string title = "DECK NINE";
        const double tw = TextWidth(title, 2.0);
        const double shadow = TextCoverage(title, std::floor((128 - tw) / 2) + 1, 54, 2.0, x, y);
        c = Mix(c, Hex(0x000000), shadow * 0.8);
        c = Mix(c, Mix(Hex(0xffffff), Hex(0x9ad0ff), (y - 53) / 14), TextCoverage(title, std::floor((128 - tw) / 2), 53, 2.0, x, y));
        const std::string by = "BY QUILLMARK";
        c = Mix(c, Hex(0x7a9ab8), TextCoverage(by, std::floor((128 - TextWidth(by, 1.0)) / 2), 71, 1.0, x, y));
        const std::string loading = "LOADING...";
        c = Mix(c, Hex(0xf0f0f0), TextCoverage(loading, std::floor((128 - TextWidth(loading, 1.0)) / 2), 92, 1.0, x, y));
        // Progress bar with segmented fill.
        const double bar = Rect(x, y, 20, 104, 108, 112);
        c = Mix(c, Hex(0x1a2a3a), bar);
        const double fill = Rect(x, y, 22, 106, 74, 110) * (std::fmod(x - 22, 4.0) < 3.0 ? 1.0 : 0.4);
        c = Mix(c, Hex(0x40c0ff), fill);
        c = Mix(c, Hex(0x4a7aa0), Clamp01(1.0 - std::fabs(BoxDistance(x, y, 20, 104, 108, 112)) * 1.5));
        return c;
    };
}

}  // namespace

std::vector<PictureSpec> ScenePictures() {
    return {{"LOADING", 128, 128, false, Loading()}, {"KRV", 64, 64, false, Blood()}, {"KRVMASK", 64, 64, true, BloodMask()}};
}

std::vector<PictureSpec> AllPictures() {
    std::vector<PictureSpec> all = ScientistPictures();
    for (auto* part : {WardenPictures, RoomPictures, ScenePictures}) {
        for (PictureSpec& p : part()) all.push_back(std::move(p));
    }
    return all;
}

}  // namespace assetgen
