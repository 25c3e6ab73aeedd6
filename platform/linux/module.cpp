// Linux backend: the program's module handle.
//
// Platform: Linux. Dependencies: none. The program is one module; its handle
// is a fixed, non-null value that is never dereferenced. A module asked for
// by name is found when the name is the program's own file name (with or
// without a ".exe" ending, case ignored, as Windows matches module names).
// Limitations: shared libraries are not modules here.
#include <unistd.h>

#include <cctype>
#include <string>

#include "platform/linux/failure_reason.h"
#include "platform/win32.h"

namespace {

std::string ProgramFileName() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    const std::string full(path, static_cast<size_t>(length));
    const size_t slash = full.find_last_of('/');
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    static char moduleTag;  // its address is the handle: unique and stable
    const HMODULE self = reinterpret_cast<HMODULE>(&moduleTag);
    if (moduleName == nullptr) return self;
    std::string asked = Lowered(moduleName);
    const std::string own = Lowered(ProgramFileName());
    if (own.empty()) {
        backend::ReportFailure("GetModuleHandleA", "the program's own file name is unknown");
        return nullptr;
    }
    if (asked == own) return self;
    const std::string ending = ".exe";
    if (asked.size() > ending.size() && asked.compare(asked.size() - ending.size(), ending.size(), ending) == 0) {
        asked.resize(asked.size() - ending.size());
    }
    if (asked == own) return self;
    backend::ReportFailure("GetModuleHandleA", "only the program's own module is known");
    return nullptr;
}
