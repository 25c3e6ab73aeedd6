// Linux backend: the clocks and Sleep.
//
// Platform: Linux. Dependencies: SDL2 (its timer functions need no
// subsystem started). The performance counter is SDL's high-resolution
// counter; timeGetTime is milliseconds since SDL first read its clock, kept
// to 32 bits so it wraps like the Windows one. Limitations: timeGetTime
// counts from the process's first clock reading, not from system start
// (only differences mean anything, as in the timers); Sleep has SDL_Delay's
// granularity.
#include <SDL.h>

#include "platform/win32.h"
#include "platform/linux/failure_reason.h"

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr) {
        backend::ReportFailure("QueryPerformanceFrequency", "no place for the answer");
        return FALSE;
    }
    frequency->QuadPart = static_cast<LONGLONG>(SDL_GetPerformanceFrequency());
    if (frequency->QuadPart == 0) {
        backend::ReportFailure("QueryPerformanceFrequency", "SDL has no high-resolution counter");
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr) {
        backend::ReportFailure("QueryPerformanceCounter", "no place for the answer");
        return FALSE;
    }
    count->QuadPart = static_cast<LONGLONG>(SDL_GetPerformanceCounter());
    return TRUE;
}

DWORD WINAPI timeGetTime(void) { return static_cast<DWORD>(SDL_GetTicks64() & 0xFFFFFFFFu); }

void WINAPI Sleep(DWORD milliseconds) { SDL_Delay(milliseconds); }
