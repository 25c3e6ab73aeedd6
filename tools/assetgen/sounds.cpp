#include "sounds.h"

#include <algorithm>
#include <cmath>

#include "geometry.h"
#include "random.h"
#include "formats/byte_cursor.h"

namespace assetgen {

namespace {

// A text chunk of exactly `width` bytes, NUL-terminated and NUL-padded
// (width is even).
void Text(ByteWriter& out, const char* id, const std::string& text, size_t width) {
    out.Chars(id, 4);
    out.U32(static_cast<uint32_t>(width));
    out.Chars(text.substr(0, width - 1), width);
}

uint8_t ToSample(double v) { return static_cast<uint8_t>(std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0))); }

// A short rising chirp with a soft attack and a fast decay.
std::vector<uint8_t> Launch(int count, double rate) {
    std::vector<uint8_t> out;
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = i / rate, total = count / rate, k = t / total;
        const double freq = 440.0 * std::pow(4.0, k);
        phase += 2.0 * kPi * freq / rate;
        const double envelope = std::min(1.0, t / 0.008) * std::pow(1.0 - k, 1.5);
        const double tone = std::sin(phase) * 0.75 + std::sin(2.0 * phase) * 0.18 + std::sin(3.0 * phase) * 0.07;
        out.push_back(ToSample(0.8 * envelope * tone));
    }
    return out;
}

// A bell-like voice: a few inharmonic partials with exponential decay.
double Bell(double t, double freq) {
    if (t < 0.0) return 0.0;
    const double attack = std::min(1.0, t / 0.01);
    return attack * (std::sin(2 * kPi * freq * t) * std::exp(-t * 2.2) + 0.4 * std::sin(2 * kPi * freq * 2.01 * t) * std::exp(-t * 3.5) +
                     0.2 * std::sin(2 * kPi * freq * 3.02 * t) * std::exp(-t * 5.0));
}

// The welcome jingle: an arpeggio over a warm pad, a final chord, an echo
// and a fade to silence.
std::vector<uint8_t> Welcome(int count, double rate) {
    struct Note {
        double start, freq;
    };
    const double semitone = std::pow(2.0, 1.0 / 12.0);
    auto pitch = [&](int n) { return 261.63 * std::pow(semitone, n); };  // n semitones above middle C
    const Note melody[] = {{0.00, pitch(0)},  {0.30, pitch(7)},  {0.60, pitch(12)}, {0.90, pitch(16)},
                           {1.50, pitch(14)}, {1.80, pitch(11)}, {2.10, pitch(7)},  {2.70, pitch(9)},
                           {3.00, pitch(12)}, {3.30, pitch(16)}, {3.60, pitch(19)}, {4.20, pitch(24)},
                           {4.20, pitch(16)}, {4.20, pitch(12)}};
    const int padChord[] = {-12, -5, 0, 4};
    std::vector<double> mix(static_cast<size_t>(count), 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = i / rate;
        double v = 0.0;
        for (const Note& n : melody) v += 0.28 * Bell(t - n.start, n.freq);
        const double padEnvelope = std::min(1.0, t / 1.2) * std::max(0.0, 1.0 - std::max(0.0, t - 4.6) / 2.0);
        for (int p : padChord) {
            const double f = pitch(p) * 0.5;
            v += 0.06 * padEnvelope * (std::sin(2 * kPi * f * t) + 0.5 * std::sin(2 * kPi * f * 1.003 * t + 0.4));
        }
        mix[static_cast<size_t>(i)] = v;
    }
    const int delay = static_cast<int>(0.23 * rate);
    for (int i = delay; i < count; ++i) mix[static_cast<size_t>(i)] += 0.35 * mix[static_cast<size_t>(i - delay)];
    std::vector<uint8_t> out;
    const double total = count / rate;
    for (int i = 0; i < count; ++i) {
        const double t = i / rate;
        const double fade = std::min(1.0, (total - t) / 0.8);
        out.push_back(ToSample(0.9 * std::tanh(mix[static_cast<size_t>(i)] * 1.2) * fade));
    }
    return out;
}

// A two-tone alarm. Each half holds a whole number of cycles and starts at
// phase zero, so the halves and the loop point join without a click.
std::vector<uint8_t> Alert(int count, double rate) {
    std::vector<uint8_t> out;
    const int half = count / 2;
    for (int i = 0; i < count; ++i) {
        const bool high = i < half;
        const double freq = high ? 880.0 : 660.0;
        const double t = (high ? i : i - half) / rate;
        const double x = 2.0 * kPi * freq * t;
        // A softened square wave: odd harmonics below the Nyquist limit.
        double v = std::sin(x) + std::sin(3 * x) / 3.0;
        if (!high) v += std::sin(5 * x) / 5.0;
        out.push_back(ToSample(0.62 * v));
    }
    return out;
}

}  // namespace

Bytes WaveFile(const std::vector<uint8_t>& samples, int sampleRate, const std::string& title) {
    const uint32_t data = static_cast<uint32_t>(samples.size());
    const uint32_t pad = data & 1u;
    const uint32_t listSize = 66;
    ByteWriter out;
    out.Chars("RIFF", 4);
    out.U32(4 + (8 + 16) + (8 + data + pad) + (8 + listSize));
    out.Chars("WAVEfmt ", 8);
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // mono
    out.U32(static_cast<uint32_t>(sampleRate));
    out.U32(static_cast<uint32_t>(sampleRate));  // bytes per second
    out.U16(1);                                  // block align
    out.U16(8);                                  // bits per sample
    out.Chars("data", 4);
    out.U32(data);
    out.Append(samples.data(), samples.size());
    out.Align(2);
    out.Chars("LIST", 4);
    out.U32(listSize);
    out.Chars("INFO", 4);
    Text(out, "INAM", title, 22);                // 8 + 22
    Text(out, "ISFT", "Corvane assetgen", 24);  // 8 + 24
    return out.bytes;
}

std::vector<SoundSpec> MakeSounds() {
    std::vector<SoundSpec> sounds;
    sounds.push_back({"LAUNCH", 22050, 4490, {}});
    sounds.push_back({"WELCOME", 22050, 147003, {}});
    sounds.push_back({"ALERT", 8000, 12000, {}});
    sounds[0].wave = WaveFile(Launch(4490, 22050), 22050, "Corvane launch");
    sounds[1].wave = WaveFile(Welcome(147003, 22050), 22050, "Corvane welcome");
    sounds[2].wave = WaveFile(Alert(12000, 8000), 8000, "Corvane alert");
    return sounds;
}

}  // namespace assetgen
