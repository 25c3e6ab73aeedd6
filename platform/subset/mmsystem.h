// Multimedia services of the Win32 subset: playing the program's own WAVE
// resources and the 32-bit millisecond clock.
#pragma once

#include "platform/subset/windef.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_LOOP 0x0008
#define SND_PURGE 0x0040
#define SND_RESOURCE 0x00040004L

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);

// Milliseconds since an arbitrary origin; wraps around every 2^32 ms.
DWORD WINAPI timeGetTime(void);
