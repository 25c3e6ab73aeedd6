// Pictures for the room: floor plates, wall panels, grilles, pipes, consoles,
// screens, signs, stripes and the blinking alarm panel.
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

// A metal plate with diamond tread, bevelled edges and corner bolts.
Shader FloorPlate(int w, int h, Color base, uint32_t seed, double period) {
    return [=](double x, double y) {
        const Field plate = RoundedBox(1, 1, w - 1, h - 1, 2);
        Color c = Metal(base, x, y, w, h, seed, 0.8);
        const double tread = Tread(x, y, period);
        c = Shade(c, tread * 0.9 - 0.15, 0.35);
        c = Shade(c, BevelLight(plate, x, y, 2.5), 0.5);
        if (plate(x, y) > 0.0) c = base * 0.25;
        const double inset = 5.0;
        for (double cx : {inset, w - inset}) {
            for (double cy : {inset, h - inset}) {
                double cover = 0.0;
                const Color r = Rivet(base * 1.1, x, y, cx, cy, 2.2, cover);
                c = Mix(c, r, cover);
            }
        }
        return c;
    };
}

// A bevelled wall panel with an inset, optional slots and rivets.
Shader WallPanel(int w, int h, Color base, Color inset, uint32_t seed, int style) {
    return [=](double x, double y) {
        const double m = std::max(2.0, w * 0.06);
        const Field outer = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 1.5);
        const Field inner = RoundedBox(m * 2, m * 2, w - m * 2, h - m * 2, m);
        Color c = Metal(base, x, y, w, h, seed, 0.6);
        c = Shade(c, BevelLight(outer, x, y, 2.0), 0.5);
        if (inner(x, y) < 0.0) c = Metal(inset, x, y, w, h, seed + 1u, 0.5);
        c = Shade(c, BevelLight(inner, x, y, 1.8, style != 1), 0.6);
        if (style == 2) {  // horizontal vent slots in the middle
            const double slotTop = h * 0.35, slotBottom = h * 0.65;
            if (y > slotTop && y < slotBottom && x > w * 0.25 && x < w * 0.75) {
                const double phase = std::fmod(y - slotTop, 4.0);
                if (phase < 2.0) c = c * 0.25;
                else if (phase < 2.8) c = c * 1.2;
            }
        }
        if (style == 3) {  // a horizontal ribbed band across the middle
            if (y > h * 0.42 && y < h * 0.58) c = Shade(c, std::sin(x * 1.6) * 0.8, 0.3);
        }
        const double rm = m;
        for (double cx : {rm, w - rm}) {
            for (double cy : {rm, h * 0.5, h - rm}) {
                double cover = 0.0;
                const Color r = Rivet(base, x, y, cx, cy, std::max(1.0, w / 48.0), cover);
                c = Mix(c, r, cover);
            }
        }
        return c;
    };
}

// Parallel slats in a frame: wall vents and floor drains.
Shader Grille(int w, int h, Color base, uint32_t seed, bool vertical, double pitch) {
    return [=](double x, double y) {
        const Field frame = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 2);
        const double b = std::max(3.0, w * 0.09);
        Color c = Metal(base, x, y, w, h, seed, 0.7);
        c = Shade(c, BevelLight(frame, x, y, 2.0), 0.5);
        if (x > b && x < w - b && y > b && y < h - b) {
            const double along = vertical ? x : y;
            const double phase = std::fmod(along - b, pitch) / pitch;
            const double depth = 0.12 + 0.25 * Grime(x, y, w, h, seed + 5u);
            c = phase < 0.55 ? Shade(base * 0.9, 1.0 - phase * 3.2, 0.6) : base * depth;
        }
        return c;
    };
}

// A pipe wrapped around a cylinder: shading across (y), bands and joints
// along (x).
Shader Pipe(int w, int h, Color base, uint32_t seed, double bandEvery) {
    return [=](double x, double y) {
        const double v = y / h;
        const double round = std::sin(v * kPi);
        Color c = Metal(base, x * 0.3, y * 3, w, h, seed, 0.5) * (0.55 + 0.5 * round);
        c = c + Color{1, 1, 1} * (0.18 * std::pow(Clamp01(1.0 - std::fabs(v - 0.35) * 7.0), 2.0));
        const double band = std::fmod(x, bandEvery);
        if (band < 4.0) c = Shade(c * 0.85, band < 1.2 ? 0.8 : (band > 3.0 ? -0.8 : 0.0), 0.4);
        return c;
    };
}

// Hazard stripes with worn paint over metal.
Shader Hazard(int w, int h, double period, uint32_t seed, bool edgeLines) {
    return [=](double x, double y) {
        const double s = Stripes(x, y, period, 1.0);
        const double wear = Grime(x, y, w, h, seed, 6.0);
        Color c = Mix(Hex(0x1c1c1a), Hex(0xe8b818), s);
        c = Mix(c, Metal(Hex(0x8a8a86), x, y, w, h, seed), SmoothStep(0.62, 0.72, wear) * 0.8);
        if (edgeLines && (y < 2 || y > h - 2)) c = Hex(0x4a4a46);
        return c * (0.9 + 0.2 * Hash(static_cast<int>(x), static_cast<int>(y), seed) * 0.5);
    };
}

// A screen with a bezel and one of several displays.
Shader Screen(int w, int h, uint32_t seed, int kind) {
    return [=](double x, double y) {
        const double b = std::max(2.0, w * 0.08);
        const Field bezel = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 2);
        Color c = Shade(Hex(0x34383c), BevelLight(bezel, x, y, 2.0), 0.6);
        if (x > b && x < w - b && y > b && y < h - b) {
            const double u = (x - b) / (w - 2 * b), v = (y - b) / (h - 2 * b);
            const double scan = 0.85 + 0.15 * std::sin(y * kPi);
            Color glass = Hex(0x03140c);
            if (kind == 0) {  // radar
                const double dx = u - 0.5, dy = v - 0.5, r = std::hypot(dx, dy);
                const double ring = std::fabs(std::fmod(r * 8.0, 1.0) - 0.5) > 0.44 ? 0.5 : 0.0;
                const double angle = std::atan2(dy, dx);
                const double sweep = std::pow(Clamp01(std::fmod(angle + kPi * 3.3, 2 * kPi) / (2 * kPi)), 6.0);
                const double blip = Disk(u * 40, v * 40, 26, 14, 1.4) + Disk(u * 40, v * 40, 12, 27, 1.1);
                glass = glass + Hex(0x30ff80) * ((ring + sweep * 0.8 + blip) * (r < 0.48 ? 1.0 : 0.0));
                if (std::fabs(dx) < 0.01 || std::fabs(dy) < 0.01) glass = glass + Hex(0x106030);
            } else if (kind == 1) {  // text lines
                const int row = static_cast<int>(v * 9);
                const double len = 0.3 + 0.6 * Hash(row, 1, seed);
                const double inRow = std::fmod(v * 9, 1.0);
                const double ch = Hash(static_cast<int>(u * 24), row, seed + 2u) > 0.25 ? 1.0 : 0.0;
                if (u < len && inRow > 0.25 && inRow < 0.75 && ch > 0) glass = glass + Hex(0x40e0a0) * 0.9;
                if (row == 0) glass = glass + Hex(0x40e0a0) * (inRow < 0.8 ? 0.25 : 0.0);
            } else {  // graph
                const double curve = 0.5 + 0.3 * std::sin(u * 11 + seed % 7) * std::cos(u * 3.1);
                glass = glass + Hex(0xffb030) * Clamp01(1.0 - std::fabs(v - curve) * 30);
                glass = glass + Hex(0x203828) * ((std::fmod(u * 8, 1.0) < 0.06 || std::fmod(v * 6, 1.0) < 0.08) ? 1.0 : 0.0);
                const double bar = Hash(static_cast<int>(u * 12), 3, seed);
                if (v > 1.0 - bar * 0.35) glass = glass + Hex(0x3080ff) * 0.5;
            }
            c = glass * scan + Hex(0x0a1a14) * 0.3;
            c = c + Color{1, 1, 1} * (0.06 * Clamp01(1.0 - (u + v)));
        }
        return c;
    };
}

// A console face: painted metal with rows of lit buttons, a few switches
// and a small readout.
Shader Console(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        const Field edge = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 2);
        Color c = Shade(Metal(base, x, y, w, h, seed, 0.4), BevelLight(edge, x, y, 2.0), 0.5);
        const double cell = w >= 128 ? 8.0 : 6.0;
        const int cols = static_cast<int>((w - 8) / cell), rows = static_cast<int>((h * 0.55) / cell);
        const int cx = static_cast<int>((x - 4) / cell), cy = static_cast<int>((y - 4) / cell);
        if (cx >= 0 && cx < cols && cy >= 0 && cy < rows) {
            const double fx = std::fmod(x - 4, cell), fy = std::fmod(y - 4, cell);
            const Field key = RoundedBox(1, 1, cell - 1, cell - 1, 1);
            if (key(fx, fy) < 0.0) {
                const double pick = Hash(cx, cy, seed);
                Color k = pick < 0.15 ? Hex(0xff4030) : pick < 0.3 ? Hex(0x40ff70) : pick < 0.4 ? Hex(0xffc040)
                                                                                    : Hex(0x5a6068);
                c = Shade(k, BevelLight(key, fx, fy, 1.2), 0.6);
            }
        }
        // Readout strip along the bottom.
        const double top = h * 0.68, bottom = h * 0.9;
        if (y > top && y < bottom && x > w * 0.08 && x < w * 0.55) {
            const double on = Hash(static_cast<int>(x / 2), 7, seed) > 0.4 ? 1.0 : 0.3;
            c = Hex(0x081008) + Hex(0xff9020) * (on * (std::fmod(y - top, 3) < 2 ? 0.9 : 0.2));
        }
        for (int k = 0; k < 4; ++k) {  // knobs
            double cover = 0.0;
            const Color r = Rivet(Hex(0x202428), x, y, w * (0.65 + k * 0.09), h * 0.79, std::max(1.5, h * 0.06), cover);
            c = Mix(c, r, cover);
        }
        return c;
    };
}

// Crate side: planks of painted metal with a stencilled mark.
Shader Crate(int w, int h, Color base, uint32_t seed, const std::string& mark) {
    return [=](double x, double y) {
        const Field frame = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 1);
        const Field panel = RoundedBox(6, 6, w - 6, h - 6, 1);
        Color c = Metal(base, x, y, w, h, seed, 0.9);
        c = Shade(c, BevelLight(frame, x, y, 2.0), 0.5);
        c = Shade(c, BevelLight(panel, x, y, 1.5, false), 0.5);
        if (panel(x, y) < 0) {
            const double dl = Line(x, y, 6, 6, w - 6, h - 6, 3) + Line(x, y, w - 6, 6, 6, h - 6, 3);
            c = Mix(c, Shade(base * 1.05, 0.4), Clamp01(dl) * 0.6);
        }
        const double tw = TextWidth(mark, 1.0);
        const double cover = TextCoverage(mark, (w - tw) * 0.5, h * 0.5 - 3.5, 1.0, x, y);
        c = Mix(c, Hex(0xf0f0e0) * (0.8 + 0.2 * Grime(x, y, w, h, seed + 4u, 8)), cover * 0.85);
        return c;
    };
}

// A sign: coloured plate, border and centred text.
Shader Sign(int w, int h, Color plate, Color ink, const std::string& text, double scale, uint32_t seed, bool stripes) {
    return [=](double x, double y) {
        const Field edge = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 2);
        Color c = Metal(plate, x, y, w, h, seed, 0.35);
        if (stripes && (x < h * 0.6 || x > w - h * 0.6)) c = Mix(Hex(0x141414), Hex(0xe8b818), Stripes(x, y, 8.0));
        const double border = Clamp01(1.0 - std::fabs(edge(x, y) + 2.5));
        c = Mix(c, ink, border * 0.8);
        c = Shade(c, BevelLight(edge, x, y, 1.5), 0.5);
        const double tw = TextWidth(text, scale);
        const double cover = TextCoverage(text, std::floor((w - tw) * 0.5), std::floor((h - 7 * scale) * 0.5), scale, x, y);
        return Mix(c, ink, cover);
    };
}

// The alarm panel: a round lamp in a wall plate, dark or glowing red.
Shader AlarmPanel(int w, int h, bool lit) {
    return [=](double x, double y) {
        const Field plate = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 2);
        Color c = Shade(Metal(Hex(0x7c8288), x, y, w, h, 311u, 0.4), BevelLight(plate, x, y, 1.5), 0.5);
        const double stripe = Stripes(x, y, 6.0) * ((y < 5 || y > h - 5) ? 1.0 : 0.0);
        c = Mix(c, Hex(0xe8b818), stripe);
        const double cx = w * 0.5, cy = h * 0.5, r = w * 0.32;
        const double d = std::hypot(x - cx, y - cy);
        if (lit) {
            c = c + Hex(0xff2010) * (0.9 * std::exp(-std::pow(std::max(0.0, d - r) / (w * 0.18), 2.0)));
            c = Mix(c, Hex(0xff1a0a), Clamp01(r - d + 0.5));
            c = c + Hex(0xffd0a0) * Clamp01(1.0 - std::hypot(x - cx + r * 0.3, y - cy + r * 0.3) / (r * 0.45));
        } else {
            c = Mix(c, Hex(0x4a0c08), Clamp01(r - d + 0.5));
            c = c + Hex(0xb08080) * (0.5 * Clamp01(1.0 - std::hypot(x - cx + r * 0.35, y - cy + r * 0.35) / (r * 0.3)));
        }
        c = Mix(c, Hex(0x202020), Clamp01(1.0 - std::fabs(d - r - 1.0)) * 0.8);
        return c;
    };
}

// The view through the big window: stars, a nebula and a ringed planet.
Shader SpaceView(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double neb = Fractal(u * 5, v * 2.5, seed, 5);
        Color c = Hex(0x02030a) + Hex(0x3a1060) * (std::pow(neb, 3.0) * 1.6) + Hex(0x104070) * (std::pow(1 - neb, 4.0) * 0.8);
        const double star = Hash(static_cast<int>(x * 1.0), static_cast<int>(y * 1.0), seed + 1u);
        if (star > 0.985) c = c + Color{1, 1, 1} * ((star - 0.985) * 60.0);
        const double px = w * 0.7, py = h * 0.62, pr = h * 0.38;
        const double d = std::hypot(x - px, y - py);
        if (d < pr) {
            const double nx = (x - px) / pr, ny = (y - py) / pr;
            const double nz = std::sqrt(Clamp01(1 - nx * nx - ny * ny));
            const double lit = Clamp01(-nx * 0.7 - ny * 0.3 + nz * 0.5);
            const double bands = Fractal(ny * 6 + nx * 0.5, nx * 0.3, seed + 2u, 4);
            const Color surface = Mix(Hex(0xc07848), Hex(0xe8c8a0), bands);
            c = Mix(c, surface * (0.08 + 0.95 * lit), Clamp01(pr - d + 0.5));
        }
        const double ry = (y - py) * 3.2, rx = (x - px);
        const double ring = std::hypot(rx, ry);
        if (ring > pr * 1.25 && ring < pr * 1.75 && (y > py || d > pr)) {
            c = Mix(c, Hex(0xb8a890) * (0.5 + 0.5 * std::sin(ring * 0.7)), 0.75);
        }
        // Window frame mullion and a faint reflection.
        c = c + Color{0.6, 0.7, 0.8} * (0.05 * Clamp01(1.0 - std::fabs((u - v * 0.6) - 0.15) * 12));
        if (x < 3 || x > w - 3 || y < 3 || y > h - 3 || std::fabs(x - w * 0.5) < 1.5) {
            c = Shade(Hex(0x50565c), x < 2 || y < 2 ? 0.6 : -0.3, 0.5);
        }
        return c;
    };
}

// A long label band: stencilled text between hazard stripes.
Shader LabelBand(int w, int h, const std::string& text, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Metal(Hex(0x2a3a4c), x, y, w, h, seed, 0.4);
        if (x < 24 || x > w - 24) c = Mix(Hex(0x161616), Hex(0xe8b818), Stripes(x, y, 10.0));
        if (y < 2 || y > h - 3) c = Hex(0x8c9298) * (y < 2 ? 1.2 : 0.6);
        const double scale = 2.0;
        const double tw = TextWidth(text, scale);
        const double cover = TextCoverage(text, std::floor((w - tw) * 0.5), std::floor((h - 14) * 0.5), scale, x, y);
        return Mix(c, Hex(0xf2f2ea), cover);
    };
}

// Fluorescent light fitting: bright diffuser in a metal housing.
Shader LightPanel(int w, int h, uint32_t seed, bool square) {
    return [=](double x, double y) {
        const double b = 3.0;
        Color c = Metal(Hex(0x9098a0), x, y, w, h, seed, 0.3);
        const Field lens = RoundedBox(b, b, w - b, h - b, 1.5);
        c = Shade(c, BevelLight(lens, x, y, 1.5, false), 0.5);
        if (lens(x, y) < 0) {
            const double ribs = square ? 0.92 + 0.08 * std::sin(x * 1.5) * std::sin(y * 1.5) : 0.93 + 0.07 * std::sin(x * 2.0);
            c = Hex(0xf4f8ff) * ribs;
        }
        return c;
    };
}

// A valve wheel: red spokes and rim on a dark back.
Shader Valve(int w, int h) {
    return [=](double x, double y) {
        const double cx = w * 0.5, cy = h * 0.5, r = w * 0.42;
        const double d = std::hypot(x - cx, y - cy);
        Color c = Hex(0x2a2c2e);
        const double rim = Clamp01(1.6 - std::fabs(d - r));
        double spokes = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double a = k * kPi / 3.0;
            spokes += Line(x, y, cx - std::cos(a) * r, cy - std::sin(a) * r, cx + std::cos(a) * r, cy + std::sin(a) * r, 2.2);
        }
        const Color red = Hex(0xc42a1c) * (1.0 + 0.3 * ((cx - x) + (cy - y)) / w);
        c = Mix(c, red, Clamp01(rim + spokes));
        return Mix(c, Hex(0x909090), Disk(x, y, cx, cy, 3.0));
    };
}

// Liquid in the specimen tank: green, with bubbles and a dark silhouette.
Shader Tank(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double glow = 0.6 + 0.4 * std::sin(u * kPi);
        Color c = Mix(Hex(0x0a3a20), Hex(0x40e090), glow * (0.7 + 0.3 * Fractal(u * 4, v * 8, seed, 4, 4)));
        for (int i = 0; i < 14; ++i) {
            const double bx = Hash(i, 1, seed) * w, by = Hash(i, 2, seed) * h, br = 0.8 + Hash(i, 3, seed) * 1.6;
            const double ring = Clamp01(1.0 - std::fabs(std::hypot(x - bx, y - by) - br) * 1.2);
            c = c + Hex(0xc0ffe0) * (ring * 0.6);
        }
        // A curled silhouette of the specimen.
        const double body = Ellipse(x, y, w * 0.5, h * 0.5, w * 0.16, h * 0.2) + Ellipse(x, y, w * 0.52, h * 0.3, w * 0.1, h * 0.07);
        c = Mix(c, Hex(0x08241a), Clamp01(body) * 0.75);
        c = c + Color{1, 1, 1} * (0.25 * Clamp01(1.0 - std::fabs(u - 0.22) * 14));
        return c;
    };
}

// A server rack: rows of units with blinking LEDs.
Shader Rack(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Metal(Hex(0x30343a), x, y, w, h, seed, 0.4);
        const double unit = 8.0;
        const int row = static_cast<int>(y / unit);
        const double fy = std::fmod(y, unit);
        if (x > 4 && x < w - 4) {
            c = Shade(Hex(0x23262a), fy < 1 ? 0.8 : (fy > unit - 1 ? -0.8 : 0.0), 0.5);
            for (int k = 0; k < 6; ++k) {
                const double on = Hash(row, k, seed);
                const Color led = on < 0.3 ? Hex(0x30ff60) : on < 0.4 ? Hex(0xffa020) : on < 0.45 ? Hex(0xff3020) : Hex(0x203020);
                c = Mix(c, led, Disk(x, y, 8 + k * 4, row * unit + unit * 0.5, 1.2));
            }
            if (x > w * 0.55 && x < w - 8 && fy > 2.5 && fy < unit - 2.5) c = Hex(0x101214);
        }
        return c;
    };
}

// Perforated ceiling tile.
Shader CeilingTile(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        const Field edge = RoundedBox(0.5, 0.5, w - 0.5, h - 0.5, 1);
        Color c = Shade(Metal(base, x, y, w, h, seed, 0.5), BevelLight(edge, x, y, 2.0), 0.5);
        const double hx = std::fmod(x, 4.0) - 2.0, hy = std::fmod(y, 4.0) - 2.0;
        if (x > 5 && x < w - 5 && y > 5 && y < h - 5 && hx * hx + hy * hy < 0.8) c = c * 0.3;
        return c;
    };
}

// A round fan behind a grille.
Shader Fan(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const double cx = w * 0.5, cy = h * 0.5, r = w * 0.44;
        const double d = std::hypot(x - cx, y - cy), a = std::atan2(y - cy, x - cx);
        Color c = Metal(Hex(0x6a7076), x, y, w, h, seed, 0.5);
        if (d < r) {
            const double blade = std::fmod(a + d * 0.05 + kPi * 4, kPi * 2 / 5) < 0.7 ? 1.0 : 0.0;
            c = Mix(Hex(0x0e1012), Hex(0x40464c) * (0.5 + 0.5 * d / r), blade * (d > r * 0.2 ? 1.0 : 0.0));
            if (std::fmod(d, 4.0) < 1.0) c = Hex(0x9aa0a6);
            c = Mix(c, Hex(0x50565c), Disk(x, y, cx, cy, r * 0.18));
        }
        c = Mix(c, Hex(0x2a2e32), Clamp01(1.5 - std::fabs(d - r)));
        return c;
    };
}

// Lockers: tall doors with vents and handles.
Shader Lockers(int w, int h, Color base, uint32_t seed) {
    return [=](double x, double y) {
        const double door = w / 2.0;
        const double fx = std::fmod(x, door);
        Color c = Shade(Metal(base, x, y, w, h, seed, 0.5), RowOfBoxesLight(x, y, door, h, 1, 1.5, 1.5), 0.5);
        if (y > 8 && y < 20 && fx > 6 && fx < door - 6 && std::fmod(y, 3.0) < 1.2) c = c * 0.3;
        c = Mix(c, Hex(0x1a1a1a), Rect(fx, y, door - 7, h * 0.45, door - 4, h * 0.6));
        const std::string number = std::to_string(static_cast<int>(x / door) + 7);
        c = Mix(c, Hex(0xf0f0f0), TextCoverage(number, 6, 26, 1.0, fx, y));
        return c;
    };
}

// Lab table top: scuffed white laminate with a metal edge.
Shader TableTop(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Hex(0xd8dcd8) * (0.92 + 0.12 * Grime(x, y, w, h, seed, 3));
        if (x < 3 || y < 3 || x > w - 3 || y > h - 3) c = Metal(Hex(0x9ca4aa), x, y, w, h, seed);
        c = Mix(c, Hex(0x4a6a8a), Ellipse(x, y, w * 0.3, h * 0.6, 6, 6) * 0.35);
        return c;
    };
}

// Shelves with specimen jars.
Shader Shelves(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        Color c = Hex(0x202428);
        const double shelf = h / 3.0;
        const double fy = std::fmod(y, shelf);
        const int row = static_cast<int>(y / shelf);
        if (fy > shelf - 3) return Metal(Hex(0xa0a6ac), x, y, w, h, seed) * (fy > shelf - 1 ? 0.6 : 1.0);
        const double jar = w / 4.0;
        const int col = static_cast<int>(x / jar);
        const double fx = std::fmod(x, jar);
        const double pick = Hash(col, row, seed);
        const Color liquid = pick < 0.33 ? Hex(0x58d070) : pick < 0.66 ? Hex(0xd0a040) : Hex(0x70a0e0);
        const double body = Rect(fx, fy, 2, shelf * 0.3, jar - 2, shelf - 3);
        c = Mix(c, liquid * (0.6 + 0.5 * std::sin(fx / jar * kPi)), body);
        c = Mix(c, Hex(0x505860), Rect(fx, fy, 3, shelf * 0.2, jar - 3, shelf * 0.3));
        return c;
    };
}

// Floor walkway marking: a painted arrow on plate.
Shader FloorArrow(int w, int h, uint32_t seed) {
    const Shader plate = FloorPlate(w, h, Hex(0x7a8088), seed, 8.0);
    return [=](double x, double y) {
        const Color c = plate(x, y);
        const double shaft = Rect(x, y, w * 0.42, h * 0.4, w * 0.58, h * 0.85);
        const double head = (y > h * 0.15 && y < h * 0.42 && std::fabs(x - w * 0.5) < (y - h * 0.15) * 0.9) ? 1.0 : 0.0;
        const double paint = Clamp01(shaft + head) * (0.75 + 0.25 * Grime(x, y, w, h, seed + 3u, 8));
        return Mix(c, Hex(0xe8c020), paint * 0.9);
    };
}

// Structural rib: an I-beam seen from the front.
Shader Beam(int w, int h, Color base, uint32_t seed, bool alongX) {
    return [=](double x, double y) {
        const double across = alongX ? y / h : x / w;
        Color c = Metal(base, x, y, w, h, seed, 0.6);
        const double flange = across < 0.18 || across > 0.82 ? 1.0 : 0.0;
        c = Shade(c, flange > 0 ? 0.4 : -0.35, 0.5);
        if (std::fabs(across - 0.18) < 0.03 || std::fabs(across - 0.82) < 0.03) c = c * 0.6;
        const double along = alongX ? x : y;
        if (std::fmod(along, 24.0) < 6.0 && flange > 0) {
            double cover = 0.0;
            const double cx = alongX ? std::floor(x / 24.0) * 24 + 3 : (across < 0.5 ? w * 0.09 : w * 0.91);
            const double cy = alongX ? (across < 0.5 ? h * 0.09 : h * 0.91) : std::floor(y / 24.0) * 24 + 3;
            c = Mix(c, Rivet(base, x, y, cx, cy, 1.4, cover), cover);
        }
        return c;
    };
}

// Heavy sliding door: two leaves with hazard chevrons and a window.
Shader Door(int w, int h, uint32_t seed) {
    return [=](double x, double y) {
        const double half = w * 0.5;
        const double fx = x < half ? x : w - x;
        const Field leaf = RoundedBox(2, 2, half - 1, h - 2, 2);
        Color c = Shade(Metal(Hex(0x8a949c), x, y, w, h, seed, 0.7), BevelLight(leaf, fx, y, 2.0), 0.5);
        if (y > h * 0.72 && y < h * 0.86) c = Mix(Hex(0x161616), Hex(0xe8b818), Stripes(x < half ? x : -x, y, 12.0));
        const Field window = RoundedBox(half * 0.3, h * 0.16, half * 0.8, h * 0.42, 3);
        c = Shade(c, BevelLight(window, fx, y, 2.0, false), 0.6);
        if (window(fx, y) < -2) c = Hex(0x0c1a24) + Hex(0x406080) * (0.4 * Clamp01(1.0 - std::fabs((fx - y * 0.4) - 4) / 6));
        if (std::fabs(x - half) < 1.0) c = Hex(0x101010);
        c = Mix(c, Hex(0xf0f0f0), TextCoverage("09", half * 0.42, h * 0.52, 2.0, fx, y) * (x < half ? 1.0 : 0.0));
        return c;
    };
}

PictureSpec P(const std::string& name, int w, int h, Shader s) { return {name, w, h, false, std::move(s)}; }

}  // namespace

std::vector<PictureSpec> RoomPictures() {
    auto s = [](const char* name) { return Seed(name); };
    std::vector<PictureSpec> p;
    p.push_back(P("T01", 128, 128, FloorPlate(128, 128, Hex(0x8c949a), s("T01"), 10.0)));
    p.push_back(P("T02", 128, 32, Beam(128, 32, Hex(0x5a646c), s("T02"), true)));
    p.push_back(P("T03", 32, 32, WallPanel(32, 32, Hex(0x5c646c), Hex(0x4a5258), s("T03"), 0)));
    p.push_back(P("T04", 32, 64, Pipe(32, 64, Hex(0x6a8a6a), s("T04"), 32)));
    p.push_back(P("T05", 64, 64, WallPanel(64, 64, Hex(0x3a3f46), Hex(0x2e3238), s("T05"), 2)));
    p.push_back(P("T06", 64, 64, WallPanel(64, 64, Hex(0x5a6066), Hex(0x4c5258), s("T06"), 3)));
    p.push_back(P("T07", 64, 16, Console(64, 16, Hex(0x3c4046), s("T07"))));
    p.push_back(P("T08", 64, 32, Sign(64, 32, Hex(0xe8c020), Hex(0x141414), "DANGER", 1.0, s("T08"), false)));
    p.push_back(P("T09", 128, 128, Door(128, 128, s("T09"))));
    p.push_back(P("T10", 32, 32, Valve(32, 32)));
    p.push_back(P("T11", 64, 64, Grille(64, 64, Hex(0x7c848a), s("T11"), true, 5.0)));
    p.push_back(P("T12", 32, 128, Beam(32, 128, Hex(0x68727a), s("T12"), false)));
    p.push_back(P("T13", 32, 128, WallPanel(32, 128, Hex(0x6e767e), Hex(0x5e666e), s("T13"), 0)));
    p.push_back(P("T14", 64, 64, WallPanel(64, 64, Hex(0x8a9096), Hex(0x7a8288), s("T14"), 3)));
    p.push_back(P("T15", 64, 128, WallPanel(64, 128, Hex(0xa4acb2), Hex(0x949ea6), s("T15"), 1)));
    p.push_back(P("T16", 64, 64, Fan(64, 64, s("T16"))));
    p.push_back(P("T17", 64, 64, TableTop(64, 64, s("T17"))));
    p.push_back(P("T18", 64, 128, Lockers(64, 128, Hex(0x4a6a8a), s("T18"))));
    p.push_back(P("T19", 64, 16, Pipe(64, 16, Hex(0xb03428), s("T19"), 40)));
    p.push_back(P("T20", 256, 128, SpaceView(256, 128, s("T20"))));
    p.push_back(P("T21", 64, 64, CeilingTile(64, 64, Hex(0xb4bac0), s("T21"))));
    p.push_back(P("T22", 32, 64, Pipe(32, 64, Hex(0xc03020), s("T22"), 64)));
    p.push_back(P("T23", 64, 32, Sign(64, 32, Hex(0x1a8a3a), Hex(0xf0f0f0), "EXIT", 2.0, s("T23"), false)));
    p.push_back(P("T24", 64, 64, Grille(64, 64, Hex(0x8a9298), s("T24"), false, 6.0)));
    p.push_back(P("T25", 64, 64, WallPanel(64, 64, Hex(0x74808a), Hex(0x66727c), s("T25"), 2)));
    p.push_back(P("T26", 64, 64, Screen(64, 64, s("T26"), 0)));
    p.push_back(P("T27", 256, 32, LabelBand(256, 32, "CONTAINMENT 09", s("T27"))));
    p.push_back(P("T28", 256, 32, Hazard(256, 32, 24.0, s("T28"), true)));
    p.push_back(P("T29", 128, 64, WallPanel(128, 64, Hex(0x8e969c), Hex(0x858d94), s("T29"), 3)));
    p.push_back(P("T30", 32, 32, WallPanel(32, 32, Hex(0x2a2d31), Hex(0x222528), s("T30"), 0)));
    p.push_back(P("T31", 32, 32, AlarmPanel(32, 32, false)));
    p.push_back(P("T32", 64, 64, LightPanel(64, 64, s("T32"), true)));
    p.push_back(P("T33", 64, 64, Console(64, 64, Hex(0xc8ccc8), s("T33"))));
    p.push_back(P("T34", 128, 128, CeilingTile(128, 128, Hex(0x8e969c), s("T34"))));
    p.push_back(P("T35", 64, 64, Shelves(64, 64, s("T35"))));
    p.push_back(P("T36", 64, 64, Crate(64, 64, Hex(0x5a7040), s("T36"), "C-09")));
    p.push_back(P("T37", 64, 32, Hazard(64, 32, 16.0, s("T37"), false)));
    p.push_back(P("T38", 64, 64, FloorPlate(64, 64, Hex(0x40464c), s("T38"), 6.0)));
    p.push_back(P("T39", 64, 64, Screen(64, 64, s("T39"), 1)));
    p.push_back(P("T40", 64, 64, Hazard(64, 64, 16.0, s("T40"), false)));
    p.push_back(P("T41", 32, 64, Rack(32, 64, s("T41"))));
    p.push_back(P("T42", 64, 128, Tank(64, 128, s("T42"))));
    p.push_back(P("T43", 64, 64, Grille(64, 64, Hex(0x9aa2a8), s("T43"), false, 8.0)));
    p.push_back(P("T44", 64, 128, Rack(64, 128, s("T44"))));
    p.push_back(P("T45", 64, 64, Console(64, 64, Hex(0x54606c), s("T45"))));
    p.push_back(P("T46", 128, 64, Console(128, 64, Hex(0x4a525a), s("T46"))));
    p.push_back(P("T47", 32, 32, WallPanel(32, 32, Hex(0x7a828a), Hex(0x6c747c), s("T47"), 0)));
    p.push_back(P("T48", 64, 64, FloorArrow(64, 64, s("T48"))));
    p.push_back(P("T49", 128, 32, Pipe(128, 32, Hex(0x7c848c), s("T49"), 32)));
    p.push_back(P("T50", 32, 32, Console(32, 32, Hex(0x8a6a30), s("T50"))));
    p.push_back(P("T51", 64, 32, LightPanel(64, 32, s("T51"), false)));
    p.push_back(P("T52", 64, 64, WallPanel(64, 64, Hex(0x3e5872), Hex(0x34495e), s("T52"), 0)));
    p.push_back(P("T53", 64, 32, Pipe(64, 32, Hex(0xa87848), s("T53"), 32)));
    p.push_back(P("T54", 64, 64, Crate(64, 64, Hex(0x6a7a48), s("T54"), "")));
    p.push_back(P("T55", 32, 32, Grille(32, 32, Hex(0x5c6268), s("T55"), true, 4.0)));
    p.push_back(P("T56", 32, 128, Hazard(32, 128, 16.0, s("T56"), false)));
    p.push_back(P("T57", 64, 64, Grille(64, 64, Hex(0x8c9298), s("T57"), false, 5.0)));
    p.push_back(P("T31_BLIK", 32, 32, AlarmPanel(32, 32, true)));
    return p;
}

}  // namespace assetgen
