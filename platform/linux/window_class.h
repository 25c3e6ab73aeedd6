// Linux backend: the table of registered window classes.
//
// Platform: Linux. Dependencies: none. Classes are keyed by name (compared
// without regard to case) and module instance, as on Windows; a null
// instance means the program's own module. Limitations: no atoms as names.
#pragma once

#include <string>

#include "platform/win32.h"

namespace backend {

struct WindowClass {
    std::string name;
    HINSTANCE instance = nullptr;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    WORD atom = 0;
};

// The class registered under this name for this instance, or null.
const WindowClass* FindWindowClass(const char* name, HINSTANCE instance);

// ASCII comparison without regard to case, as Windows compares class names.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace backend
