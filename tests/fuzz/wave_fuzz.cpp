// Fuzzes the WAVE reader and the resampling read-out of whatever it accepts:
// once through at the device rate and, looped, at two other rates.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/common/sound_cursor.h"
#include "formats/wave.h"

namespace {

volatile int sink;

void ReadOut(const WaveSound& sound, uint32_t rate, bool loop) {
    SoundCursor cursor(sound, rate, loop);
    std::vector<int16_t> frames(2 * 1024);
    int sum = 0;
    // A loop never ends, and a long sound need not be read to its end.
    for (int chunk = 0; chunk < 4 && !cursor.Ended(); ++chunk) {
        const size_t got = cursor.Read(frames.data(), 1024);
        for (size_t i = 0; i < 2 * got; ++i) sum += frames[i];
    }
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveSound sound;
    if (!ParseWave(data, size, sound)) return 0;
    ReadOut(sound, 22050, false);
    ReadOut(sound, 48000, true);
    ReadOut(sound, 8000, true);
    return 0;
}
