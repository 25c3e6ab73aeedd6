// Linux backend: the one sound channel behind PlaySoundA.
//
// Platform: Linux. Dependencies: SDL2 audio. The device is opened once, on
// first use, for 16-bit stereo at the rate the device prefers (22050 Hz
// asked), and then runs for the life of the process, playing silence when no
// sound plays; if it cannot be opened every later request fails at once.
// Sounds are brought to the device's rate by SoundCursor. Limitations: one
// sound at a time; a new sound cuts the one playing.
#pragma once

#include <SDL.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/common/sound_cursor.h"
#include "formats/wave.h"
#include "platform/win32.h"

class SoundPlayer {
public:
    static SoundPlayer& Instance();

    // Opens the audio device on the first call; false when there is none.
    bool Open();
    // Open was tried and found no device.
    bool OpenFailed() const { return tried && device == 0; }
    // Starts the sound in place of the one playing. With `wait`, returns
    // once it has ended (false if the device stopped taking samples). A
    // looping sound plays until Stop or the next sound.
    bool Play(const WaveSound& sound, bool loop, bool wait);
    void Stop();
    // The format samples reach the device in; false while no device is open.
    bool DeviceFormat(SDL_AudioSpec& spec) const;
    // Stops, closes the device and forgets any failure to open it, so that
    // the next Open starts afresh (for instance with another audio driver).
    void Close();

private:
    SoundPlayer() = default;
    static void SDLCALL Fill(void* player, Uint8* output, int length);
    void FillLocked(Uint8* output, int length);
    // Puts `next` in place of the current sound and returns the old one, to
    // be destroyed outside the audio lock; the new sound's number in `number`.
    std::unique_ptr<SoundCursor> Swap(std::unique_ptr<SoundCursor> next, uint64_t& number);

    bool tried = false;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec spec{};

    // Read by the audio thread; replaced only under SDL_LockAudioDevice.
    std::unique_ptr<SoundCursor> cursor;
    bool announced = false;  // the end of the current sound has been told

    // Sounds are numbered; a waiting caller sleeps until its sound has ended
    // or another has taken its place.
    std::mutex waitLock;
    std::condition_variable ended;
    uint64_t current = 0;
    uint64_t finished = 0;
};

// Plays a WAVE file held in memory as PlaySoundA plays a resource: flags
// SND_ASYNC and SND_LOOP as there (a loop must be asynchronous). FALSE when
// there is no device or the data is not a playable WAVE file.
BOOL PlayWaveData(const unsigned char* bytes, size_t size, DWORD flags);
