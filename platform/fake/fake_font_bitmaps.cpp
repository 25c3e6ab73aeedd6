// Fake wglUseFontBitmapsA for unit tests: succeeds (or fails on FailCall)
// and makes no display lists; the GL tests draw real glyphs.
#include "platform/fake/fake_platform.h"

BOOL WINAPI wglUseFontBitmapsA(HDC, DWORD, DWORD, DWORD) {
    return fake::ShouldFail("wglUseFontBitmapsA") ? FALSE : TRUE;
}
