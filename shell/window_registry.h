// The window registry: maps a window handle to the GLWindow object that owns
// it, so that the class's window procedure can hand each message to its
// object. It has room for the program's one window object.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class GLWindow;

// Stores the object at the next free position and returns that position, or
// -1 when the table is full (the object then receives no messages).
int32_t EnterWindowRegistry(GLWindow* object);
// Empties a position handed out by EnterWindowRegistry; positions are not
// reused. Any other value is ignored.
void LeaveWindowRegistry(int32_t index);
// The registered object whose window is `window` (the one at the highest
// position if several match), or null.
GLWindow* FindWindowObject(HWND window);
// Forgets every entry and the count of positions handed out, as at program
// start.
void ClearWindowRegistry();

// The window procedure of the "OpenGL" window class.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
