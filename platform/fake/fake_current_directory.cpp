// Fake GetCurrentDirectoryA for unit tests. See fake_current_directory.h.
#include "platform/fake/fake_current_directory.h"

#include <cstring>

#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

std::string& Directory() {
    static std::string directory = "/corvane";
    return directory;
}

const bool registered = (AddResetHook([] { Directory() = "/corvane"; }), true);

}  // namespace

void SetCurrentDirectory(const std::string& directory) { Directory() = directory; }

}  // namespace fake

// As Windows answers: the length without the terminator when the buffer
// holds the directory, else the size the buffer needs.
DWORD WINAPI GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    if (fake::ShouldFail("GetCurrentDirectoryA")) return 0;
    const std::string& directory = fake::Directory();
    if (buffer == nullptr || directory.size() + 1 > bufferLength) return static_cast<DWORD>(directory.size() + 1);
    std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    return static_cast<DWORD>(directory.size());
}
