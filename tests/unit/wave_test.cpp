#include <gtest/gtest.h>

#include "formats/wave.h"
#include "tests/unit/wave_bytes.h"

using test_wave::ChunkSizeOffset;
using test_wave::MakeWave;
using test_wave::Set32;
using test_wave::WaveLayout;

namespace {

bool Parse(const std::vector<unsigned char>& bytes, WaveSound& sound) {
    return ParseWave(bytes.data(), bytes.size(), sound);
}

}  // namespace

TEST(Wave, ReadsPcmFormatAndSamplesPastTheListChunk) {
    const std::vector<unsigned char> samples = {1, 2, 3, 250, 251};
    const std::vector<unsigned char> bytes = MakeWave(samples, {1, 1, 8000, 8, true});
    WaveSound sound;
    ASSERT_TRUE(Parse(bytes, sound));
    EXPECT_EQ(sound.frequency, 8000u);
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.bitsPerSample, 8);
    ASSERT_EQ(sound.sampleBytes, samples.size());
    EXPECT_EQ(sound.samples, bytes.data() + 44);
    EXPECT_EQ(std::vector<unsigned char>(sound.samples, sound.samples + sound.sampleBytes), samples);

    // A stereo 16-bit file drops a trailing partial frame.
    WaveSound stereo;
    ASSERT_TRUE(Parse(MakeWave(std::vector<unsigned char>(10, 0), {1, 2, 44100, 16, false}), stereo));
    EXPECT_EQ(stereo.sampleBytes, 8u);
}

TEST(Wave, SkipsUnknownChunksAndIgnoresBytesAfterTheRiffChunk) {
    std::vector<unsigned char> bytes = MakeWave({7, 8, 9}, {});
    // Put an odd-sized chunk (with its pad byte) between "fmt " and "data".
    const std::vector<unsigned char> extra = {'j', 'u', 'n', 'k', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 36, extra.begin(), extra.end());
    Set32(bytes, 4, static_cast<uint32_t>(bytes.size() - 8));
    bytes.push_back(0xEE);  // beyond the RIFF chunk
    WaveSound sound;
    ASSERT_TRUE(Parse(bytes, sound));
    EXPECT_EQ(std::vector<unsigned char>(sound.samples, sound.samples + sound.sampleBytes),
              (std::vector<unsigned char>{7, 8, 9}));
}

TEST(Wave, RefusesWhatIsNotPlainPcm) {
    WaveSound sound;
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {3, 1, 22050, 8, true}), sound)) << "IEEE float";
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {2, 1, 22050, 8, true}), sound)) << "ADPCM";
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {1, 0, 22050, 8, true}), sound)) << "no channels";
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {1, 6, 22050, 8, true}), sound)) << "six channels";
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {1, 1, 22050, 12, true}), sound)) << "12-bit samples";
    EXPECT_FALSE(Parse(MakeWave({1, 2}, {1, 1, 0, 8, true}), sound)) << "no sample rate";

    std::vector<unsigned char> notWave = MakeWave({1, 2});
    notWave[8] = 'A';
    EXPECT_FALSE(Parse(notWave, sound));
    EXPECT_FALSE(ParseWave(nullptr, 100, sound));
}

TEST(Wave, RefusesSizesThatLieAndNeverReadsPastTheEnd) {
    const std::vector<unsigned char> good = MakeWave(std::vector<unsigned char>(100, 42));
    WaveSound sound;

    // Every truncation is refused; each copy is exactly as long as the part
    // kept, so AddressSanitizer catches any read beyond it.
    for (size_t length = 0; length < 44 + 100; ++length) {
        std::vector<unsigned char> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Parse(cut, sound)) << "cut at " << length;
        // The same with a RIFF size that matches the cut: now the chunk
        // sizes are what lies.
        if (length >= 12) {
            Set32(cut, 4, static_cast<uint32_t>(length - 8));
            EXPECT_FALSE(Parse(cut, sound)) << "cut at " << length << " with a matching RIFF size";
        }
    }

    std::vector<unsigned char> riffTooLong = good;
    Set32(riffTooLong, 4, static_cast<uint32_t>(good.size()));
    EXPECT_FALSE(Parse(riffTooLong, sound));

    std::vector<unsigned char> dataTooLong = good;
    Set32(dataTooLong, ChunkSizeOffset(good, "data"), 0xFFFFFFF0u);
    EXPECT_FALSE(Parse(dataTooLong, sound));

    std::vector<unsigned char> formatTooLong = good;
    Set32(formatTooLong, ChunkSizeOffset(good, "fmt "), 0x7FFFFFFFu);
    EXPECT_FALSE(Parse(formatTooLong, sound));

    std::vector<unsigned char> formatTooShort = good;
    Set32(formatTooShort, ChunkSizeOffset(good, "fmt "), 12);
    EXPECT_FALSE(Parse(formatTooShort, sound));

    // Block alignment and byte rate must agree with the sample layout.
    std::vector<unsigned char> badAlign = good;
    badAlign[32] = 4;
    EXPECT_FALSE(Parse(badAlign, sound));
    std::vector<unsigned char> badRate = good;
    Set32(badRate, 28, 1);
    EXPECT_FALSE(Parse(badRate, sound));

    // Samples before any format cannot be played.
    std::vector<unsigned char> dataFirst = {'R', 'I', 'F', 'F', 16, 0, 0, 0, 'W', 'A', 'V', 'E',
                                            'd', 'a', 't', 'a', 4,  0, 0, 0, 1,   2,   3,   4};
    EXPECT_FALSE(Parse(dataFirst, sound));
}
