#include "formats/wave.h"

#include <cstring>

#include "formats/byte_cursor.h"

namespace {

const uint16_t formatPcm = 1;
const uint32_t highestFrequency = 384000;

// The "fmt " chunk's body: PCM only, with sizes that agree with each other.
bool ReadFormat(const unsigned char* body, size_t size, WaveSound& found) {
    ByteCursor format(body, size);
    uint16_t tag = 0, blockAlign = 0;
    uint32_t bytesPerSecond = 0;
    if (!format.Read(tag) || !format.Read(found.channels) || !format.Read(found.frequency) ||
        !format.Read(bytesPerSecond) || !format.Read(blockAlign) || !format.Read(found.bitsPerSample)) {
        return false;
    }
    if (tag != formatPcm) return false;
    if (found.channels != 1 && found.channels != 2) return false;
    if (found.bitsPerSample != 8 && found.bitsPerSample != 16) return false;
    if (found.frequency == 0 || found.frequency > highestFrequency) return false;
    if (blockAlign != found.channels * found.bitsPerSample / 8) return false;
    return bytesPerSecond == found.frequency * blockAlign;
}

}  // namespace

bool ParseWave(const unsigned char* bytes, size_t size, WaveSound& sound) {
    ByteCursor file(bytes, size);
    const unsigned char* riff = file.Bytes(4);
    uint32_t riffSize = 0;
    if (!riff || !file.Read(riffSize) || !file.Has(4)) return false;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
    // The RIFF size counts everything after its own field; a file shorter
    // than it claims is truncated. Bytes after the RIFF chunk are ignored.
    if (riffSize < 4 || riffSize > file.Remaining()) return false;
    ByteCursor chunks(bytes + 12, riffSize - 4);

    WaveSound found;
    bool haveFormat = false;
    while (chunks.Remaining() >= 8) {
        const unsigned char* id = chunks.Bytes(4);
        uint32_t chunkSize = 0;
        chunks.Read(chunkSize);
        if (chunkSize > chunks.Remaining()) return false;
        const unsigned char* body = bytes + 12 + chunks.Position();

        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (haveFormat || chunkSize < 16 || !ReadFormat(body, chunkSize, found)) return false;
            haveFormat = true;
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!haveFormat) return false;
            const size_t frameBytes = found.channels * found.bitsPerSample / 8u;
            found.samples = body;
            found.sampleBytes = chunkSize - chunkSize % frameBytes;
            sound = found;
            return true;
        }
        // Chunks are padded to an even length; a missing last pad byte is
        // tolerated.
        if (!chunks.Skip(static_cast<size_t>(chunkSize) + (chunkSize & 1u))) break;
    }
    return false;
}
