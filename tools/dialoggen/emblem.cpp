#include "emblem.h"

#include <algorithm>
#include <cmath>

#include "formats/byte_cursor.h"

namespace {

constexpr int kSide = 32;
constexpr int kSamples = 4;  // per axis: 16 samples a pixel smooth the edges

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Distance(double x0, double y0, double x1, double y1) { return std::hypot(x1 - x0, y1 - y0); }

// Bright points of the sky, in pixel coordinates, with their brightness.
struct Star {
    double x, y, brightness;
};
const Star kStars[] = {{5.5, 6.5, 1.0},  {24.5, 4.5, 0.8}, {12.5, 3.5, 0.6}, {27.5, 12.5, 0.7},
                       {3.5, 15.5, 0.5}, {19.5, 8.5, 0.5}, {9.5, 11.5, 0.4}, {29.5, 19.5, 0.4}};

const Colour kFrame{0.30, 0.34, 0.40};
const Colour kFrameLight{0.62, 0.68, 0.76};
const Colour kSkyTop{0.02, 0.02, 0.10};
const Colour kSkyLow{0.30, 0.10, 0.28};
const Colour kPlanetRim{1.00, 0.62, 0.20};
const Colour kPlanetDeep{0.28, 0.07, 0.04};
const Colour kBeacon{0.35, 0.90, 1.00};

// The colour at a point of the 32 x 32 square (y grows downwards).
Colour SampleAt(double x, double y) {
    // A bevelled deck-window frame two pixels wide.
    if (x < 2.0 || y < 2.0 || x >= kSide - 2.0 || y >= kSide - 2.0) {
        return (x < 1.0 || y < 1.0) ? kFrameLight : kFrame;
    }
    // The dusky planet: a large disc rising from below, lit along its rim.
    const double planetDistance = Distance(x, y, 16.0, 48.0);
    const double planetRadius = 26.0;
    if (planetDistance < planetRadius) {
        const double depth = (planetRadius - planetDistance) / 8.0;
        return Mix(kPlanetRim, kPlanetDeep, depth);
    }
    Colour sky = Mix(kSkyTop, kSkyLow, (y - 2.0) / 22.0);
    // Atmosphere glow just above the rim.
    sky = Mix(sky, kPlanetRim, 0.5 * std::exp(-(planetDistance - planetRadius) / 1.5));
    // A chevron beacon, the deck's marker, pointing right.
    const double cx = 16.0, cy = 13.0;
    const double along = x - cx + std::fabs(y - cy);
    if (std::fabs(along) < 1.0 && std::fabs(y - cy) < 4.5 && x > cx - 4.5) return kBeacon;
    for (const Star& star : kStars) {
        if (Distance(x, y, star.x, star.y) < 0.6) return Mix(sky, Colour{1.0, 1.0, 0.95}, star.brightness);
    }
    return sky;
}

uint8_t ToByte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); }

}  // namespace

std::vector<uint8_t> BuildEmblemBitmap() {
    const uint32_t stride = kSide * 3;  // 96: already a multiple of four
    const uint32_t pixelBytes = stride * kSide;
    const uint32_t pixelOffset = 14 + 40;
    ByteWriter out;
    out.Chars("BM", 2);
    out.U32(pixelOffset + pixelBytes);
    out.U32(0);
    out.U32(pixelOffset);
    out.U32(40);     // BITMAPINFOHEADER
    out.U32(kSide);  // width
    out.U32(kSide);  // height: positive, so rows run bottom-up
    out.U16(1);      // planes
    out.U16(24);     // bits per pixel
    out.U32(0);      // uncompressed
    out.U32(pixelBytes);
    out.U32(2835);  // 72 dpi
    out.U32(2835);
    out.U32(0);
    out.U32(0);
    for (int row = kSide - 1; row >= 0; --row) {
        for (int column = 0; column < kSide; ++column) {
            Colour sum{0.0, 0.0, 0.0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Colour c = SampleAt(column + (sx + 0.5) / kSamples, row + (sy + 0.5) / kSamples);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            const double n = kSamples * kSamples;
            out.U8(ToByte(sum.b / n));
            out.U8(ToByte(sum.g / n));
            out.U8(ToByte(sum.r / n));
        }
    }
    return out.bytes;
}
