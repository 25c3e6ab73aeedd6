#include "platform/common/sound_cursor.h"

#include <algorithm>
#include <cmath>

#include "formats/byte_cursor.h"

SoundCursor::SoundCursor(const WaveSound& sound, uint32_t rate, bool loop)
    : channels(sound.channels == 2 ? 2 : 1),
      frameCount(0),
      sourceRate(sound.frequency),
      deviceRate(rate),
      looping(loop),
      ended(false) {
    const size_t bytesPerSample = sound.bitsPerSample == 16 ? 2 : 1;
    const size_t count = sound.samples != nullptr ? sound.sampleBytes / bytesPerSample : 0;
    samples.resize(count);
    for (size_t i = 0; i < count; ++i) {
        if (bytesPerSample == 1) {
            samples[i] = (static_cast<float>(sound.samples[i]) - 128.0f) / 128.0f;
        } else {
            const auto value = static_cast<int16_t>(LoadU16LE(sound.samples + 2 * i));
            samples[i] = static_cast<float>(value) / 32768.0f;
        }
    }
    frameCount = count / channels;
    ended = frameCount == 0 || sourceRate == 0 || deviceRate == 0;
}

double SoundCursor::Seconds() const {
    return sourceRate == 0 ? 0.0 : static_cast<double>(frameCount) / sourceRate;
}

// Neighbours beyond the ends wrap round for a loop and repeat the edge
// sample otherwise.
float SoundCursor::Sample(size_t channel, long long at) const {
    const auto count = static_cast<long long>(frameCount);
    if (looping)
        at = ((at % count) + count) % count;
    else
        at = std::clamp(at, 0LL, count - 1);
    return samples[static_cast<size_t>(at) * channels + channel];
}

// Catmull-Rom through the four frames around the read position; exactly the
// sample itself when the position falls on one.
float SoundCursor::Interpolated(size_t channel) const {
    const auto at = static_cast<long long>(index);
    const float p1 = Sample(channel, at);
    if (phase == 0) return p1;
    const float p0 = Sample(channel, at - 1);
    const float p2 = Sample(channel, at + 1);
    const float p3 = Sample(channel, at + 2);
    const float t = static_cast<float>(static_cast<double>(phase) / deviceRate);
    const float value = 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                                (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
    return std::clamp(value, -1.0f, 1.0f);
}

size_t SoundCursor::Read(int16_t* stereo, size_t frames) {
    size_t written = 0;
    while (written < frames && !ended) {
        const float left = Interpolated(0);
        const float right = channels == 2 ? Interpolated(1) : left;
        stereo[2 * written] = static_cast<int16_t>(std::clamp(std::lround(left * 32768.0f), -32768L, 32767L));
        stereo[2 * written + 1] = static_cast<int16_t>(std::clamp(std::lround(right * 32768.0f), -32768L, 32767L));
        ++written;

        phase += sourceRate;
        while (phase >= deviceRate) {
            phase -= deviceRate;
            if (++index == frameCount) {
                if (looping) {
                    index = 0;
                } else {
                    ended = true;
                    break;
                }
            }
        }
    }
    return written;
}
