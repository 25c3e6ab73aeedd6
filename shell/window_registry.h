// The window registry: the program-wide table of window objects, by
// position, through which a class's window procedure finds the object that
// owns a window (FindWindowObject and WindowProc, shell/gl_window.h). It has
// room for the program's one window object.
//
// The table only keeps the objects; it never looks inside them, so it sits
// below the window classes that enter themselves into it.
#pragma once

#include <cstdint>

class GLWindow;

// Stores the object at the next free position and returns that position, or
// -1 when the table is full (the object then receives no messages).
int32_t EnterWindowRegistry(GLWindow* object);
// Empties a position handed out by EnterWindowRegistry; positions are not
// reused. Any other value is ignored.
void LeaveWindowRegistry(int32_t index);
// The positions handed out so far (at most the table's room), and the object
// at one of them, or null for an emptied or unknown position.
int32_t WindowRegistryCount();
GLWindow* WindowRegistryEntry(int32_t index);
// Forgets every entry and the count of positions handed out, as at program
// start.
void ClearWindowRegistry();
