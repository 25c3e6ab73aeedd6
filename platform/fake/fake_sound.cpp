// Fake sound playback for unit tests: every request is recorded (sound name,
// or "#id" for a numbered resource, module and flags) and succeeds; nothing
// is played.
#include <string>

#include "platform/fake/fake_platform.h"
#include "platform/win32.h"

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    const std::string name = sound && IS_INTRESOURCE(sound)
                                 ? "#" + std::to_string(reinterpret_cast<uintptr_t>(sound))
                                 : fake::Text(sound);
    fake::Record("PlaySoundA", {name, fake::Hex(reinterpret_cast<uintptr_t>(module)), fake::Hex(flags)});
    return fake::ShouldFail("PlaySoundA") ? FALSE : TRUE;
}
