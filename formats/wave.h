// Reading a RIFF WAVE file held in memory, as the program's WAVE resources
// are: uncompressed PCM, 8 or 16 bits, one or two channels.
//
// Everything is checked against the size given: a file that is truncated,
// not PCM, or whose chunk sizes reach past its end is refused, and nothing
// past `size` is ever read.
#pragma once

#include <cstddef>
#include <cstdint>

struct WaveSound {
    uint32_t frequency = 0;       // sample frames per second
    uint16_t channels = 0;        // 1 or 2
    uint16_t bitsPerSample = 0;   // 8 (unsigned) or 16 (signed, little-endian)
    const unsigned char* samples = nullptr;  // into the parsed bytes
    size_t sampleBytes = 0;       // a whole number of frames
};

// Fills `sound` and returns true when `bytes` holds a playable PCM WAVE file.
bool ParseWave(const unsigned char* bytes, size_t size, WaveSound& sound);
