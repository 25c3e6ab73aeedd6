#include "paint.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace assetgen {

double Grime(double x, double y, int w, int h, uint32_t seed, double cells) {
    const int period = static_cast<int>(cells);
    return Fractal(x / w * cells, y / h * cells, seed, 4, period);
}

Color Metal(Color base, double x, double y, int w, int h, uint32_t seed, double wear) {
    const double streak = ValueNoise(x * 0.08, y * 1.7, seed + 7u, 0) - 0.5;
    const double speckle = Hash(static_cast<int>(x * 2.0), static_cast<int>(y * 2.0), seed + 3u) - 0.5;
    const double grime = Grime(x, y, w, h, seed, 4.0) - 0.5;
    const double k = 1.0 + 0.10 * streak + 0.05 * speckle + wear * 0.45 * grime;
    return base * k;
}

Field RoundedBox(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) { return BoxDistance(x, y, x0, y0, x1, y1, radius); };
}

double BevelLight(const Field& shape, double x, double y, double width, bool raised) {
    const double d = shape(x, y);
    if (d > 0.0 || d < -width) return 0.0;
    const double e = 0.35;
    const double gx = shape(x + e, y) - shape(x - e, y), gy = shape(x, y + e) - shape(x, y - e);
    const double length = std::hypot(gx, gy);
    if (length < 1e-9) return 0.0;
    // The outward gradient points away from the shape; the bevel faces it.
    const double facing = (-gx - gy) / (length * std::sqrt(2.0));
    return (raised ? 1.0 : -1.0) * facing;
}

double RowOfBoxesLight(double x, double y, double cell, int h, double inset, double radius, double width) {
    const Field box = RoundedBox(1, inset, cell - 1, h - inset, radius);
    return BevelLight(box, std::fmod(x, cell), y, width);
}

Color Shade(Color c, double light, double k) { return c * (1.0 + k * light); }

Color Rivet(Color base, double x, double y, double cx, double cy, double radius, double& cover) {
    const double dx = (x - cx) / radius, dy = (y - cy) / radius;
    const double r2 = dx * dx + dy * dy;
    cover = Clamp01((1.0 - std::sqrt(r2)) * radius);
    if (r2 >= 1.0) return base;
    const double nz = std::sqrt(1.0 - r2);
    const double light = (-dx - dy) * 0.55 + nz * 0.6;
    const double highlight = std::pow(Clamp01(1.0 - std::hypot(dx + 0.35, dy + 0.35) * 2.2), 2.0);
    return base * (0.55 + 0.6 * light) + Color{1, 1, 1} * (0.35 * highlight);
}

double Stripes(double x, double y, double period, double slant) {
    const double p = std::fmod((x + y * slant) / period + 1000.0, 1.0);
    const double wave = 0.5 - std::fabs(p - 0.5);  // 0 .. 0.5 .. 0 across one period
    const double edge = 0.5 / period;
    return SmoothStep(0.25 - edge, 0.25 + edge, wave);
}

Color Fabric(Color base, double x, double y, int w, int h, uint32_t seed, double weave) {
    const double twill = std::sin((x + y) * 2.2) * std::sin((x - y) * 0.9);
    const double folds = Fractal(x / w * 3.0, y / h * 3.0, seed, 3, 3) - 0.5;
    const double fibre = Hash(static_cast<int>(x * 1.5), static_cast<int>(y * 1.5), seed + 9u) - 0.5;
    return base * (1.0 + weave * twill + 0.35 * folds + 0.06 * fibre);
}

double Tread(double x, double y, double period) {
    const double cx = std::floor(x / period), cy = std::floor(y / period);
    const double fx = x / period - cx - 0.5, fy = y / period - cy - 0.5;
    const bool flip = (static_cast<int>(cx + cy) & 1) != 0;
    const double u = flip ? fx + fy : fx - fy, v = flip ? fx - fy : fx + fy;
    const double d = std::max(std::fabs(u) * 2.6, std::fabs(v) * 0.75);
    return 1.0 - SmoothStep(0.42, 0.52, d);
}

double Disk(double x, double y, double cx, double cy, double radius) {
    return Clamp01(radius - std::hypot(x - cx, y - cy) + 0.5);
}

double Ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    const double d = (std::sqrt(dx * dx + dy * dy) - 1.0) * std::min(rx, ry);
    return Clamp01(0.5 - d);
}

double Rect(double x, double y, double x0, double y0, double x1, double y1) {
    return Clamp01(0.5 - BoxDistance(x, y, x0, y0, x1, y1));
}

double Line(double x, double y, double x0, double y0, double x1, double y1, double width) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double d = std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
    return Clamp01(width * 0.5 - d + 0.5);
}

}  // namespace assetgen
