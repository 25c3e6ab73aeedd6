// Linux backend: one line on standard error per failing library call.
//
// Platform: Linux. Dependencies: SDL2. Limitations: the reason is cut to one
// line of at most 300 characters; line breaks inside it become spaces.
#include "platform/linux/failure_reason.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace backend {

void ReportFailure(const char* call, const char* reason) {
    constexpr size_t kLongestReason = 300;
    std::string line = (reason != nullptr && reason[0] != '\0') ? reason : "unknown reason";
    if (line.size() > kLongestReason) line.resize(kLongestReason);
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(stderr, "%s: %s\n", call != nullptr ? call : "?", line.c_str());
}

void ReportSdlFailure(const char* call) { ReportFailure(call, SDL_GetError()); }

}  // namespace backend
