// Base types, handles and macros of the Win32 subset, for non-Windows builds.
// Sizes follow 32-bit Windows where the core depends on them (LONG and DWORD
// are 32 bits); pointer-sized types follow the host.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef int64_t LONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef char CHAR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define DECLARE_SUBSET_HANDLE(name) \
    struct name##__;                \
    typedef struct name##__* name

typedef void* HANDLE;
DECLARE_SUBSET_HANDLE(HWND);
DECLARE_SUBSET_HANDLE(HDC);
DECLARE_SUBSET_HANDLE(HGLRC);
DECLARE_SUBSET_HANDLE(HINSTANCE);
DECLARE_SUBSET_HANDLE(HICON);
DECLARE_SUBSET_HANDLE(HCURSOR);
DECLARE_SUBSET_HANDLE(HBRUSH);
DECLARE_SUBSET_HANDLE(HMENU);
DECLARE_SUBSET_HANDLE(HFONT);
DECLARE_SUBSET_HANDLE(HRSRC);
typedef HINSTANCE HMODULE;
DECLARE_SUBSET_HANDLE(HMONITOR);
typedef void* HGDIOBJ;
typedef void* HGLOBAL;

typedef union _LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)((UINT_PTR)(a) & 0xffff)) | ((DWORD)((WORD)((UINT_PTR)(b) & 0xffff))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))

#define IS_INTRESOURCE(r) ((((UINT_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((UINT_PTR)((WORD)(i))))

// A globally unique identifier, as Windows lays it out.
typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
typedef const GUID* LPCGUID;
