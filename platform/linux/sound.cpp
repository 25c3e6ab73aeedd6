// Linux backend: PlaySoundA for the program's own "WAVE" resources.
//
// Platform: Linux. Dependencies: SDL2 audio (through SoundPlayer), the
// embedded resource table (FindResourceA and its companions). Supported:
// SND_RESOURCE with or without SND_ASYNC, SND_LOOP with SND_ASYNC, and a null
// name or SND_PURGE to stop playback. Limitations: sound files, aliases and
// in-memory images without a resource are refused; SND_PURGE with a name
// stops whatever plays; there is no default sound for a name that is not
// found. Once the audio device has failed to open every call returns FALSE
// at once; a stop before any sound opens nothing.
#include "platform/linux/sound_player.h"
#include "platform/win32.h"

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    SoundPlayer& player = SoundPlayer::Instance();
    // Stopping never opens the device: a program that played nothing (the
    // silent screen saver) must not wake the sound card, nor report a missing
    // one, on its way out.
    if (sound == nullptr || (flags & SND_PURGE) != 0) {
        if (player.OpenFailed()) return FALSE;
        player.Stop();
        return TRUE;
    }
    if (!player.Open()) return FALSE;
    if ((flags & SND_RESOURCE) != SND_RESOURCE) return FALSE;

    HRSRC resource = FindResourceA(module, sound, "WAVE");
    if (resource == nullptr) return FALSE;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    const DWORD size = SizeofResource(module, resource);
    if (bytes == nullptr) return FALSE;
    return PlayWaveData(bytes, size, flags);
}
