#include "random.h"

#include <cmath>

namespace assetgen {

Random::Random(const std::string& name) : state(1469598103934665603ull) {
    for (unsigned char c : name) state = (state ^ c) * 1099511628211ull;
}

uint64_t Random::Next() {
    state += 0x9e3779b97f4a7c15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xffffffu) / 16777216.0;
}

namespace {

int Wrap(int value, int period) {
    if (period <= 0) return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed, int period) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    const int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    const double a = Hash(x0, y0, seed), b = Hash(x1, y0, seed);
    const double c = Hash(x0, y1, seed), d = Hash(x1, y1, seed);
    return (a + (b - a) * tx) * (1.0 - ty) + (c + (d - c) * tx) * ty;
}

double Fractal(double x, double y, uint32_t seed, int octaves, int period) {
    double sum = 0.0, amplitude = 0.5, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u, period);
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        if (period > 0) period *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

}  // namespace assetgen
