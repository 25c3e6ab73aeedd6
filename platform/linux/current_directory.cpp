// The process's current directory, as GetCurrentDirectoryA reports it.
//
// Platform: Linux. Dependencies: POSIX getcwd. Limitations: the path is the
// file system's bytes, not converted to any code page.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/linux/failure_reason.h"
#include "platform/win32.h"

// Returns the length without the terminator when the directory fits in the
// buffer, otherwise the size needed including the terminator; 0 on failure.
DWORD WINAPI GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    char directory[PATH_MAX];
    if (getcwd(directory, sizeof directory) == nullptr) {
        backend::ReportFailure("GetCurrentDirectoryA", std::strerror(errno));
        return 0;
    }
    const size_t length = std::strlen(directory);
    if (buffer == nullptr || length + 1 > bufferLength) return static_cast<DWORD>(length + 1);
    std::memcpy(buffer, directory, length + 1);
    return static_cast<DWORD>(length);
}
