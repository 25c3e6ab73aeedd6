#include "platform/common/wave.h"

#include <cstring>

namespace {

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

const uint16_t formatPcm = 1;
const uint32_t highestFrequency = 384000;

}  // namespace

bool ParseWave(const unsigned char* bytes, size_t size, WaveSound& sound) {
    if (bytes == nullptr || size < 12) return false;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
    // The RIFF size counts everything after its own field; a file shorter
    // than it claims is truncated. Bytes after the RIFF chunk are ignored.
    const uint32_t riffSize = Read32(bytes + 4);
    if (riffSize < 4 || riffSize > size - 8) return false;
    const size_t end = static_cast<size_t>(riffSize) + 8;

    WaveSound found;
    bool haveFormat = false;
    size_t offset = 12;
    while (end - offset >= 8) {
        const unsigned char* chunk = bytes + offset;
        const uint32_t chunkSize = Read32(chunk + 4);
        const size_t body = offset + 8;
        if (chunkSize > end - body) return false;

        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (haveFormat || chunkSize < 16) return false;
            const unsigned char* format = bytes + body;
            const uint16_t tag = Read16(format);
            found.channels = Read16(format + 2);
            found.frequency = Read32(format + 4);
            const uint32_t bytesPerSecond = Read32(format + 8);
            const uint16_t blockAlign = Read16(format + 12);
            found.bitsPerSample = Read16(format + 14);
            if (tag != formatPcm) return false;
            if (found.channels != 1 && found.channels != 2) return false;
            if (found.bitsPerSample != 8 && found.bitsPerSample != 16) return false;
            if (found.frequency == 0 || found.frequency > highestFrequency) return false;
            if (blockAlign != found.channels * found.bitsPerSample / 8) return false;
            if (bytesPerSecond != found.frequency * blockAlign) return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            const size_t frameBytes = found.channels * found.bitsPerSample / 8u;
            found.samples = bytes + body;
            found.sampleBytes = chunkSize - chunkSize % frameBytes;
            sound = found;
            return true;
        }
        // Chunks are padded to an even length; a missing last pad byte is
        // tolerated.
        const size_t next = body + chunkSize + (chunkSize & 1u);
        if (next > end) break;
        offset = next;
    }
    return false;
}
