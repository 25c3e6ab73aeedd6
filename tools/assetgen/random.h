// Seeded randomness and smooth noise for the generated art and sound. Every
// generator derives its seed from a fixed name, so runs are reproducible.
#pragma once

#include <cstdint>
#include <string>

namespace assetgen {

// A small counter-based generator (splitmix64); identical on every machine.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}
    explicit Random(const std::string& name);
    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform();
    double Range(double low, double high) { return low + (high - low) * Uniform(); }
    int Below(int limit) { return static_cast<int>(Uniform() * limit); }

private:
    uint64_t state;
};

// Value noise in [0, 1] on an integer lattice, smoothly interpolated, and its
// fractal sum. `seed` selects an independent field. `period` > 0 makes the
// field tile with that many lattice cells, so textures repeat seamlessly.
double ValueNoise(double x, double y, uint32_t seed, int period = 0);
double Fractal(double x, double y, uint32_t seed, int octaves, int period = 0);

// A hash of a lattice point in [0, 1).
double Hash(int x, int y, uint32_t seed);

}  // namespace assetgen
