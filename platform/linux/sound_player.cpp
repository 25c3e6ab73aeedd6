#include "platform/linux/sound_player.h"
#include "platform/linux/failure_reason.h"

#include <dlfcn.h>

#include <chrono>
#include <cstring>

#include "platform/subset/mmsystem.h"

namespace {

const int deviceChannels = 2;
// How long past its own length a waited-for sound may take before the
// device is taken to have stopped.
const std::chrono::milliseconds waitMargin(2000);

// ALSA, which SDL loads when it looks for a device, reports a missing sound
// card on stderr; without a device the program is to go on silently, so its
// error reports are dropped.
void IgnoreAlsaReport(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(IgnoreAlsaReport);
    // Kept loaded: the handler stays installed for SDL's own use of ALSA.
}

}  // namespace

SoundPlayer& SoundPlayer::Instance() {
    // Never destroyed: the audio thread may still call back while the
    // process exits.
    static SoundPlayer* player = new SoundPlayer;
    return *player;
}

bool SoundPlayer::Open() {
    if (device != 0) return true;
    if (tried) return false;
    tried = true;
    QuietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        backend::ReportSdlFailure("SDL_InitSubSystem");
        return false;
    }

    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = deviceChannels;
    wanted.samples = 512;
    wanted.callback = Fill;
    wanted.userdata = this;
    // Only the rate may change: SoundCursor resamples, SDL converts nothing
    // but (if it must) sample format and channel layout.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        backend::ReportSdlFailure("SDL_OpenAudioDevice");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool SoundPlayer::DeviceFormat(SDL_AudioSpec& format) const {
    if (device == 0) return false;
    format = spec;
    return true;
}

void SoundPlayer::Close() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // The audio thread has stopped: drop the sound and wake any waiter.
    cursor.reset();
    {
        std::lock_guard<std::mutex> guard(waitLock);
        ++current;
    }
    ended.notify_all();
    tried = false;
}

std::unique_ptr<SoundCursor> SoundPlayer::Swap(std::unique_ptr<SoundCursor> next, uint64_t& number) {
    SDL_LockAudioDevice(device);
    cursor.swap(next);
    announced = false;
    {
        std::lock_guard<std::mutex> guard(waitLock);
        number = ++current;
    }
    SDL_UnlockAudioDevice(device);
    ended.notify_all();  // a caller waiting for the replaced sound goes on
    return next;
}

bool SoundPlayer::Play(const WaveSound& sound, bool loop, bool wait) {
    if (!Open()) return false;
    auto next = std::make_unique<SoundCursor>(sound, static_cast<uint32_t>(spec.freq), loop);
    const double seconds = next->Seconds() + 2.0 * spec.samples / spec.freq;
    uint64_t number = 0;
    Swap(std::move(next), number);
    if (!wait) return true;

    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long long>(seconds * 1000.0)) + waitMargin;
    std::unique_lock<std::mutex> guard(waitLock);
    if (ended.wait_until(guard, deadline, [&] { return finished >= number || current != number; })) return true;
    guard.unlock();
    Stop();
    return false;
}

void SoundPlayer::Stop() {
    if (device == 0) return;
    uint64_t number = 0;
    Swap(nullptr, number);
}

void SDLCALL SoundPlayer::Fill(void* player, Uint8* output, int length) {
    static_cast<SoundPlayer*>(player)->FillLocked(output, length);
}

// Runs on the audio thread with the device locked.
void SoundPlayer::FillLocked(Uint8* output, int length) {
    const size_t frameBytes = sizeof(int16_t) * deviceChannels;
    const size_t frames = static_cast<size_t>(length) / frameBytes;
    size_t written = 0;
    if (cursor != nullptr) written = cursor->Read(reinterpret_cast<int16_t*>(output), frames);
    std::memset(output + written * frameBytes, 0, static_cast<size_t>(length) - written * frameBytes);

    if (cursor != nullptr && cursor->Ended() && !announced) {
        announced = true;
        {
            std::lock_guard<std::mutex> guard(waitLock);
            finished = current;
        }
        ended.notify_all();
    }
}

BOOL PlayWaveData(const unsigned char* bytes, size_t size, DWORD flags) {
    SoundPlayer& player = SoundPlayer::Instance();
    if (!player.Open()) return FALSE;
    WaveSound sound;
    if (!ParseWave(bytes, size, sound)) return FALSE;
    const bool async = (flags & SND_ASYNC) != 0;
    const bool loop = (flags & SND_LOOP) != 0;
    // A synchronous loop would never return.
    if (loop && !async) return FALSE;
    return player.Play(sound, loop, !async) ? TRUE : FALSE;
}
