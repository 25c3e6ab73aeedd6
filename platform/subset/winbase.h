// Kernel services of the Win32 subset: module handle, performance counter,
// sleeping, the program's own resources and the current directory.
#pragma once

#include "platform/subset/windef.h"

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
void WINAPI Sleep(DWORD milliseconds);

// Resources embedded in the executable, found by type and name. Names and
// string types are compared without regard to case; numeric ones are made
// with MAKEINTRESOURCEA.
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_DIALOG MAKEINTRESOURCEA(5)
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL data);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

DWORD WINAPI GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
