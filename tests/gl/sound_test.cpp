// Sound playback through SDL's disk audio driver, which writes whatever
// reaches the device to a file in real time: the file shows what was played,
// in what order and with what gaps.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/linux/sound_player.h"
#include "platform/win32.h"
#include "tests/unit/wave_bytes.h"

namespace {

using Clock = std::chrono::steady_clock;
using test_wave::MakeWave;
using test_wave::WaveLayout;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Wait(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// An 8-bit sample as it arrives at a 16-bit device.
int Expected16(unsigned char sample) { return (static_cast<int>(sample) - 128) * 256; }

// A clip that never holds the zero level, so that silence marks its edges.
std::vector<unsigned char> Ramp(size_t frames) {
    std::vector<unsigned char> samples(frames);
    for (size_t i = 0; i < frames; ++i) {
        unsigned char value = static_cast<unsigned char>(1 + (i * 7) % 254);
        samples[i] = value == 128 ? 129 : value;
    }
    return samples;
}

// A sine of 500 Hz at 8000 Hz: a whole number of periods, so it loops
// seamlessly and any gap or jump at the loop point comes from playback.
std::vector<unsigned char> Sine8000(size_t frames) {
    std::vector<unsigned char> samples(frames);
    for (size_t i = 0; i < frames; ++i)
        samples[i] = static_cast<unsigned char>(std::lround(128.0 + 100.0 * std::sin(2.0 * M_PI * 500.0 * static_cast<double>(i) / 8000.0)));
    return samples;
}

// The samples of one of the program's own sounds.
WaveSound ResourceSound(const char* name) {
    WaveSound sound;
    HRSRC resource = FindResourceA(nullptr, name, "WAVE");
    if (resource == nullptr) return sound;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    ParseWave(bytes, SizeofResource(nullptr, resource), sound);
    return sound;
}

class SoundPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        Remember("SDL_AUDIODRIVER", savedDriver);
        Remember("SDL_DISKAUDIOFILE", savedFile);
        recording = ::testing::TempDir() + "corvane-sound-" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
        SoundPlayer::Instance().Close();
    }

    void TearDown() override {
        SoundPlayer::Instance().Close();
        Restore("SDL_AUDIODRIVER", savedDriver);
        Restore("SDL_DISKAUDIOFILE", savedFile);
        std::remove(recording.c_str());
    }

    SDL_AudioSpec Device() {
        SDL_AudioSpec spec{};
        EXPECT_TRUE(SoundPlayer::Instance().Open());
        EXPECT_TRUE(SoundPlayer::Instance().DeviceFormat(spec));
        EXPECT_EQ(spec.format, AUDIO_S16SYS);
        return spec;
    }

    // Closes the device and returns the first channel of every frame it got;
    // every channel carries the same mono sound.
    std::vector<int> Recorded() {
        SDL_AudioSpec spec = Device();
        SoundPlayer::Instance().Close();
        std::ifstream file(recording, std::ios::binary);
        std::vector<char> raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<int> frames;
        const size_t frameBytes = 2u * spec.channels;
        for (size_t at = 0; at + frameBytes <= raw.size(); at += frameBytes) {
            int16_t left = 0;
            std::memcpy(&left, raw.data() + at, 2);
            for (size_t channel = 1; channel < spec.channels; ++channel) {
                int16_t other = 0;
                std::memcpy(&other, raw.data() + at + 2 * channel, 2);
                EXPECT_EQ(other, left);
            }
            frames.push_back(left);
        }
        return frames;
    }

    // What Recorded() got, with where its sound starts (the first frame that
    // is not silent) and ends (after the last one).
    struct Heard {
        std::vector<int> frames;
        size_t first, end;
    };
    Heard Listen() {
        Heard heard{Recorded(), 0, 0};
        const std::vector<int>& frames = heard.frames;
        while (heard.first < frames.size() && frames[heard.first] == 0) ++heard.first;
        for (heard.end = frames.size(); heard.end > 0 && frames[heard.end - 1] == 0;) --heard.end;
        return heard;
    }

    std::string recording;

private:
    struct Saved {
        bool set = false;
        std::string value;
    };
    static void Remember(const char* name, Saved& saved) {
        const char* value = std::getenv(name);
        saved.set = value != nullptr;
        saved.value = value ? value : "";
    }
    static void Restore(const char* name, const Saved& saved) {
        if (saved.set)
            setenv(name, saved.value.c_str(), 1);
        else
            unsetenv(name);
    }
    Saved savedDriver;
    Saved savedFile;
};

}  // namespace

TEST_F(SoundPlayback, SamplesReachTheDeviceInOrderAndALoopRepeatsThemWithoutAGap) {
    const SDL_AudioSpec spec = Device();
    const size_t frames = static_cast<size_t>(spec.freq) / 10;
    const std::vector<unsigned char> clip = Ramp(frames);
    const std::vector<unsigned char> wave = MakeWave(clip, {1, 1, static_cast<uint32_t>(spec.freq), 8, true});

    ASSERT_EQ(PlayWaveData(wave.data(), wave.size(), SND_ASYNC | SND_LOOP), TRUE);
    Wait(450);
    EXPECT_EQ(PlaySoundA(nullptr, nullptr, SND_PURGE), TRUE);
    Wait(150);

    const auto [played, start, end] = Listen();
    ASSERT_GE(end - start, 3 * frames) << "at least three rounds in 450 ms";
    for (size_t i = start; i < end; ++i) {
        const unsigned char source = clip[(i - start) % frames];
        ASSERT_EQ(played[i], Expected16(source)) << "frame " << i - start;
    }
    // The stop request ended it: nothing after, and far less than the time waited after it.
    EXPECT_GE(played.size() - end, static_cast<size_t>(spec.freq) / 20);
}

TEST_F(SoundPlayback, AResampledLoopIsSeamless) {
    const SDL_AudioSpec spec = Device();
    ASSERT_EQ(spec.freq, 22050);
    // 0.2 s at 8000 Hz: exactly 4410 device frames a round.
    const std::vector<unsigned char> clip = Sine8000(1600);
    const size_t round = 4410;
    const std::vector<unsigned char> wave = MakeWave(clip, {1, 1, 8000, 8, true});

    ASSERT_EQ(PlayWaveData(wave.data(), wave.size(), SND_ASYNC | SND_LOOP), TRUE);
    Wait(900);
    PlaySoundA(nullptr, nullptr, SND_PURGE);
    const auto [played, start, end] = Listen();
    ASSERT_GE(end - start, 4 * round);

    // Every round after the first is the same as the one before: the
    // converter sees one unbroken signal.
    for (size_t i = start + round; i < start + 3 * round; ++i)
        ASSERT_NEAR(played[i + round], played[i], 2) << "frame " << i - start;
    // No jump larger than the sine's own steepest step, loop points included.
    const double steepest = 100.0 * 256.0 * 2.0 * M_PI * 500.0 / spec.freq;
    for (size_t i = start + 8; i < start + 4 * round; ++i)
        ASSERT_LE(std::abs(played[i] - played[i - 1]), 1.2 * steepest) << "frame " << i - start;
}

TEST_F(SoundPlayback, ASynchronousSoundReplacesTheLoopAndReturnsWhenItHasEnded) {
    const SDL_AudioSpec spec = Device();
    const std::vector<unsigned char> ramp = Ramp(1000);
    const std::vector<unsigned char> loop = MakeWave(ramp, {1, 1, static_cast<uint32_t>(spec.freq), 8, true});
    std::vector<unsigned char> clip(static_cast<size_t>(spec.freq) / 2, 200);  // half a second
    const std::vector<unsigned char> wave = MakeWave(clip, {1, 1, static_cast<uint32_t>(spec.freq), 8, true});

    ASSERT_EQ(PlayWaveData(loop.data(), loop.size(), SND_ASYNC | SND_LOOP), TRUE);
    Wait(100);
    const Clock::time_point called = Clock::now();
    ASSERT_EQ(PlayWaveData(wave.data(), wave.size(), SND_SYNC), TRUE);
    const double seconds = SecondsSince(called);
    EXPECT_GE(seconds, 0.45);
    EXPECT_LE(seconds, 1.2) << "returns when the half second has ended";
    Wait(100);

    // The loop plays up to the new sound, which follows it at once, plays
    // whole and once, and silence follows it.
    const auto [played, start, end] = Listen();
    ASSERT_GE(end - start, clip.size() + static_cast<size_t>(spec.freq) / 20);
    const size_t switched = end - clip.size();
    for (size_t i = start; i < switched; ++i)
        ASSERT_EQ(played[i], Expected16(ramp[(i - start) % ramp.size()])) << i - start;
    for (size_t i = switched; i < end; ++i) ASSERT_EQ(played[i], Expected16(200));
}

TEST_F(SoundPlayback, WelcomeReturnsWhenItHasEndedAndReachesTheDeviceUnchanged) {
    const SDL_AudioSpec spec = Device();
    const WaveSound welcome = ResourceSound("WELCOME");
    ASSERT_EQ(welcome.sampleBytes, 147003u);
    ASSERT_EQ(static_cast<uint32_t>(spec.freq), welcome.frequency);

    const Clock::time_point start = Clock::now();
    ASSERT_EQ(PlaySoundA("WELCOME", nullptr, SND_RESOURCE), TRUE);
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 6.5) << "6.67 s of sound";
    EXPECT_LE(seconds, 8.0) << "returns when it has ended";
    Wait(100);

    // Line the recording up on the first sample off the zero level.
    const auto [played, first, end] = Listen();
    size_t firstLoud = 0;
    while (welcome.samples[firstLoud] == 128) ++firstLoud;
    const size_t begin = first - firstLoud;
    ASSERT_GE(played.size(), begin + welcome.sampleBytes);
    for (size_t i = 0; i < welcome.sampleBytes; ++i) ASSERT_EQ(played[begin + i], Expected16(welcome.samples[i])) << i;
    EXPECT_LE(end, begin + welcome.sampleBytes) << "played once";
}

TEST_F(SoundPlayback, AlertLoopsWithoutAGapUntilTheStopRequest) {
    const SDL_AudioSpec spec = Device();
    ASSERT_EQ(spec.freq, 22050);
    const size_t round = 33075;  // 1.5 s at 22050 Hz

    const Clock::time_point start = Clock::now();
    ASSERT_EQ(PlaySoundA("ALERT", nullptr, SND_RESOURCE | SND_ASYNC | SND_LOOP), TRUE);
    EXPECT_LT(SecondsSince(start), 0.5) << "returns at once, long before a 1.5 s round";
    Wait(3600);
    ASSERT_EQ(PlaySoundA(nullptr, nullptr, SND_PURGE), TRUE);
    Wait(200);

    // Each round is the one before, frame for frame: nothing lost or
    // inserted where the sound starts again.
    const auto [played, first, end] = Listen();
    ASSERT_GE(end - first, 2 * round + round / 4);
    for (size_t i = first; i + round < end; ++i) ASSERT_EQ(played[i + round], played[i]) << i - first;
    EXPECT_GE(played.size() - end, static_cast<size_t>(spec.freq) / 10) << "silent after the stop request";
}

TEST_F(SoundPlayback, BadDataAndMissingNamesAreRefusedAtOnce) {
    Device();
    const std::vector<unsigned char> good = MakeWave(std::vector<unsigned char>(22050, 90));
    std::vector<unsigned char> truncated(good.begin(), good.begin() + 1000);
    std::vector<unsigned char> notPcm = MakeWave(std::vector<unsigned char>(22050, 90), {3, 1, 22050, 8, true});
    std::vector<unsigned char> lying = good;
    test_wave::Set32(lying, test_wave::ChunkSizeOffset(good, "data"), 1000000);

    const Clock::time_point start = Clock::now();
    EXPECT_EQ(PlayWaveData(truncated.data(), truncated.size(), SND_SYNC), FALSE);
    EXPECT_EQ(PlayWaveData(notPcm.data(), notPcm.size(), SND_SYNC), FALSE);
    EXPECT_EQ(PlayWaveData(lying.data(), lying.size(), SND_SYNC), FALSE);
    EXPECT_EQ(PlayWaveData(good.data(), good.size(), SND_SYNC | SND_LOOP), FALSE) << "a loop that never returns";
    EXPECT_EQ(PlaySoundA("NO_SUCH_SOUND", nullptr, SND_RESOURCE), FALSE);
    EXPECT_EQ(PlaySoundA("NO_SUCH_SOUND", nullptr, SND_RESOURCE | SND_ASYNC), FALSE);
    EXPECT_EQ(PlaySoundA("corvane.cfg", nullptr, 0x00020000 /* a file name */), FALSE);
    EXPECT_LT(SecondsSince(start), 0.5) << "refused without playing a second of sound";
    EXPECT_EQ(Listen().end, 0u) << "nothing was played";
}

TEST_F(SoundPlayback, WithoutAnAudioDeviceEveryCallFailsAtOnce) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundPlayer::Instance().Close();
    const std::vector<unsigned char> good = MakeWave(std::vector<unsigned char>(22050, 90));

    const Clock::time_point start = Clock::now();
    EXPECT_EQ(PlaySoundA("WELCOME", nullptr, SND_RESOURCE), FALSE);
    EXPECT_EQ(PlaySoundA("ALERT", nullptr, SND_RESOURCE | SND_ASYNC | SND_LOOP), FALSE);
    EXPECT_EQ(PlayWaveData(good.data(), good.size(), SND_SYNC), FALSE);
    EXPECT_EQ(PlaySoundA(nullptr, nullptr, SND_PURGE), FALSE);
    EXPECT_LT(SecondsSince(start), 0.5) << "refused without playing";
}

#else  // Windows: the platform's own PlaySoundA

#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32.h"

// The program's calls in the order it makes them; with or without an audio
// device each returns, the synchronous one when its sound has ended.
TEST(SoundPlayback, TheProgramsSoundCallsAllReturn) {
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point since) {
        return std::chrono::duration<double>(Clock::now() - since).count();
    };
    Clock::time_point start = Clock::now();
    PlaySoundA("LAUNCH", nullptr, SND_RESOURCE | SND_ASYNC);
    EXPECT_LT(seconds(start), 1.0);

    start = Clock::now();
    PlaySoundA("WELCOME", nullptr, SND_RESOURCE);
    EXPECT_LT(seconds(start), 8.0);

    start = Clock::now();
    PlaySoundA("ALERT", nullptr, SND_RESOURCE | SND_ASYNC | SND_LOOP);
    EXPECT_LT(seconds(start), 1.0);
    EXPECT_EQ(PlaySoundA(nullptr, nullptr, SND_PURGE), TRUE);
    EXPECT_LT(seconds(start), 2.0);
}

#endif
