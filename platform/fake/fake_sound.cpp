// Fake sound playback for unit tests: every request is kept as the user
// would hear it (sound name, or "#id" for a numbered resource, and flags)
// and succeeds; nothing is played.
#include <string>

#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

std::vector<std::string>& Requests() {
    static std::vector<std::string> requests;
    return requests;
}

const bool registered = (AddResetHook([] { Requests().clear(); }), true);

}  // namespace

std::vector<std::string> SoundsPlayed() { return Requests(); }

}  // namespace fake

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
    const std::string name = sound && IS_INTRESOURCE(sound)
                                 ? "#" + std::to_string(reinterpret_cast<uintptr_t>(sound))
                                 : fake::Text(sound);
    fake::Requests().push_back(name + "|" + fake::Hex(flags));
    return fake::ShouldFail("PlaySoundA") ? FALSE : TRUE;
}
