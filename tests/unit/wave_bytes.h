// Builds RIFF WAVE files in memory for the sound tests, with knobs to make
// them lie about their contents.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "formats/byte_cursor.h"

namespace test_wave {

struct WaveLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t frequency = 22050;
    uint16_t bitsPerSample = 8;
    bool trailingList = true;  // a LIST chunk after the data, as the program's sounds have
};

// Overwrites four bytes at `offset` with a little-endian number.
inline void Set32(std::vector<unsigned char>& wave, size_t offset, uint32_t value) {
    StoreU32LE(&wave.at(offset), value);
}

inline std::vector<unsigned char> MakeWave(const std::vector<unsigned char>& samples, const WaveLayout& layout = {}) {
    ByteWriter out;
    out.Chars("RIFF", 4);
    out.U32(0);  // patched below
    out.Chars("WAVEfmt ", 8);
    out.U32(16);
    out.U16(layout.formatTag);
    out.U16(layout.channels);
    out.U32(layout.frequency);
    const uint16_t blockAlign = static_cast<uint16_t>(layout.channels * layout.bitsPerSample / 8);
    out.U32(layout.frequency * blockAlign);
    out.U16(blockAlign);
    out.U16(layout.bitsPerSample);
    out.Chars("data", 4);
    out.U32(static_cast<uint32_t>(samples.size()));
    out.Append(samples.data(), samples.size());
    out.Align(2);
    if (layout.trailingList) {
        out.Chars("LIST", 4);
        out.U32(10);
        out.Chars("INFOISFT", 10);
    }
    Set32(out.bytes, 4, static_cast<uint32_t>(out.bytes.size() - 8));
    return out.bytes;
}

// Byte offset of a chunk's size field, for tests that make it lie.
inline size_t ChunkSizeOffset(const std::vector<unsigned char>& wave, const char* tag) {
    for (size_t i = 12; i + 8 <= wave.size(); ++i)
        if (std::memcmp(wave.data() + i, tag, 4) == 0) return i + 4;
    return 0;
}

}  // namespace test_wave
