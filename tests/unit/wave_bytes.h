// Builds RIFF WAVE files in memory for the sound tests, with knobs to make
// them lie about their contents.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace test_wave {

struct WaveLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t frequency = 22050;
    uint16_t bitsPerSample = 8;
    bool trailingList = true;  // a LIST chunk after the data, as the program's sounds have
};

inline void Put32(std::vector<unsigned char>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline void Put16(std::vector<unsigned char>& out, uint16_t value) {
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

inline void Set32(std::vector<unsigned char>& wave, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) wave[offset + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

inline void PutTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

inline std::vector<unsigned char> MakeWave(const std::vector<unsigned char>& samples, const WaveLayout& layout = {}) {
    std::vector<unsigned char> out;
    PutTag(out, "RIFF");
    Put32(out, 0);  // patched below
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, layout.formatTag);
    Put16(out, layout.channels);
    Put32(out, layout.frequency);
    const uint16_t blockAlign = static_cast<uint16_t>(layout.channels * layout.bitsPerSample / 8);
    Put32(out, layout.frequency * blockAlign);
    Put16(out, blockAlign);
    Put16(out, layout.bitsPerSample);
    PutTag(out, "data");
    Put32(out, static_cast<uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    if (samples.size() % 2 != 0) out.push_back(0);
    if (layout.trailingList) {
        PutTag(out, "LIST");
        Put32(out, 10);
        const char info[] = "INFOISFT\0\0";
        out.insert(out.end(), info, info + 10);
    }
    Set32(out, 4, static_cast<uint32_t>(out.size() - 8));
    return out;
}

// Byte offset of a chunk's size field, for tests that make it lie.
inline size_t ChunkSizeOffset(const std::vector<unsigned char>& wave, const char* tag) {
    for (size_t i = 12; i + 8 <= wave.size(); ++i)
        if (std::memcmp(wave.data() + i, tag, 4) == 0) return i + 4;
    return 0;
}

}  // namespace test_wave
