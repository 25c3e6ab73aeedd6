#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/common/sound_cursor.h"

namespace {

WaveSound Sound(const std::vector<unsigned char>& bytes, uint32_t rate, uint16_t channels, uint16_t bits) {
    WaveSound sound;
    sound.frequency = rate;
    sound.channels = channels;
    sound.bitsPerSample = bits;
    sound.samples = bytes.data();
    sound.sampleBytes = bytes.size();
    return sound;
}

std::vector<int16_t> ReadAll(SoundCursor& cursor, size_t most, size_t chunk) {
    std::vector<int16_t> out;
    std::vector<int16_t> buffer(2 * chunk);
    while (out.size() < 2 * most) {
        const size_t got = cursor.Read(buffer.data(), chunk);
        out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(2 * got));
        if (got < chunk) break;
    }
    return out;
}

}  // namespace

TEST(SoundCursor, AtTheDeviceRateSamplesPassUnchangedAndTheSoundEndsOnItsLastFrame) {
    const std::vector<unsigned char> mono = {0, 1, 127, 128, 129, 255};
    SoundCursor cursor(Sound(mono, 22050, 1, 8), 22050, false);
    const std::vector<int16_t> out = ReadAll(cursor, 100, 4);
    EXPECT_EQ(out, (std::vector<int16_t>{-32768, -32768, -32512, -32512, -256, -256, 0, 0, 256, 256, 32512, 32512}));
    EXPECT_TRUE(cursor.Ended());
    int16_t frame[2] = {7, 7};
    EXPECT_EQ(cursor.Read(frame, 1), 0u);

    // 16-bit stereo keeps its channels apart; a trailing partial frame is dropped.
    const std::vector<unsigned char> stereo = {0x01, 0x80, 0xFF, 0x7F, 0x34, 0x12, 0xCC, 0xED, 0x99};
    SoundCursor both(Sound(stereo, 44100, 2, 16), 44100, false);
    EXPECT_EQ(ReadAll(both, 100, 3), (std::vector<int16_t>{-32767, 32767, 0x1234, -0x1234}));

    SoundCursor empty(Sound({}, 8000, 1, 8), 22050, true);
    EXPECT_TRUE(empty.Ended());
    EXPECT_EQ(empty.Read(frame, 1), 0u);
}

TEST(SoundCursor, ChangingTheRateKeepsTheLengthWithoutDrift) {
    const struct {
        uint32_t from, to;
    } rates[] = {{8000, 22050}, {8000, 48000}, {22050, 48000}, {22050, 44100}, {44100, 22050}};
    for (const auto& rate : rates) {
        const std::vector<unsigned char> bytes(rate.from * 3 / 2, 100);
        SoundCursor cursor(Sound(bytes, rate.from, 1, 8), rate.to, false);
        const size_t frames = ReadAll(cursor, 1000000, 512).size() / 2;
        EXPECT_NEAR(static_cast<double>(frames), 1.5 * rate.to, 1.0) << rate.from << " to " << rate.to;
    }
}

TEST(SoundCursor, ALoopRepeatsExactlyAndRunsSmoothlyThroughItsEnd) {
    // Two whole periods of a sine in 32 samples: seamless when looped.
    std::vector<unsigned char> sine(32);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = static_cast<unsigned char>(std::lround(128.0 + 100.0 * std::sin(4.0 * M_PI * static_cast<double>(i) / 32.0)));
    // 32 frames at 8000 Hz are 88.2 frames at 22050 Hz: the pattern repeats
    // every 5 rounds (441 device frames).
    SoundCursor cursor(Sound(sine, 8000, 1, 8), 22050, true);
    const std::vector<int16_t> out = ReadAll(cursor, 441 * 4, 100);
    ASSERT_EQ(out.size(), 2u * 441 * 4 + 2 * 36);  // whole chunks of 100 frames
    for (size_t i = 0; i + 2 * 441 < out.size(); ++i) ASSERT_EQ(out[i], out[i + 2 * 441]) << i;
    EXPECT_FALSE(cursor.Ended());

    // No step between neighbours beyond the sine's steepest, loop points included.
    const double steepest = 100.0 * 256.0 * 2.0 * M_PI * 500.0 / 22050.0;
    for (size_t i = 2; i < out.size(); i += 2) ASSERT_LE(std::abs(out[i] - out[i - 2]), 1.1 * steepest) << i / 2;
}
