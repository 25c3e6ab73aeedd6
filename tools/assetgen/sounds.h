// The three sounds: synthesis and the RIFF WAVE container (PCM, mono, 8-bit,
// a 16-byte "fmt " chunk, "data", then a 66-byte "LIST" chunk of text).
#pragma once

#include <string>
#include <vector>

#include "encoders.h"

namespace assetgen {

struct SoundSpec {
    std::string name;  // resource name, e.g. "LAUNCH"
    int sampleRate = 0;
    int dataBytes = 0;
    Bytes wave;  // the complete file
};

std::vector<SoundSpec> MakeSounds();

// Wraps unsigned 8-bit mono samples into a WAVE file with the given title in
// its metadata.
Bytes WaveFile(const std::vector<uint8_t>& samples, int sampleRate, const std::string& title);

}  // namespace assetgen
