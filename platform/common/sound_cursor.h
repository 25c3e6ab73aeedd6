// A sound on its way to the audio device: its samples read out at the
// device's rate as 16-bit stereo frames.
//
// The rate is changed here rather than by SDL's audio stream, whose
// resampler drops or repeats a frame now and then at the edges of the chunks
// it is fed: audible as a tick. The read position is kept as an exact
// fraction (source frame plus phase in device-rate steps), so it never
// drifts, and a looping sound is read round and round, interpolating across
// its end into its start: the loop point has neither a gap nor a jump.
// Where the rates are equal every sample passes unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/wave.h"

class SoundCursor {
public:
    SoundCursor(const WaveSound& sound, uint32_t deviceRate, bool loop);

    // Writes up to `frames` stereo frames (left, right) and returns how many
    // it wrote; fewer only once a sound that does not loop has ended.
    size_t Read(int16_t* stereo, size_t frames);
    bool Ended() const { return ended; }
    // The sound's length in seconds, once through.
    double Seconds() const;

private:
    float Sample(size_t channel, long long index) const;
    float Interpolated(size_t channel) const;

    std::vector<float> samples;  // interleaved, -1 to 1
    size_t channels;
    size_t frameCount;
    uint32_t sourceRate;
    uint32_t deviceRate;
    bool looping;
    bool ended;
    size_t index = 0;    // source frame at or before the read position
    uint64_t phase = 0;  // distance past it, in 1/deviceRate of a frame
};
