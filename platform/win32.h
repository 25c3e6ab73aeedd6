// The one include through which the core reaches the operating system.
//
// Built for Windows this is the real Win32 API. Elsewhere it is the small
// subset the core uses, declared with the same names and signatures in
// platform/subset/ and implemented either by the Linux backend
// (platform/linux/) or by the scriptable fake used in unit tests
// (platform/fake/). OpenGL and GLU come from the system on both.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#else
#include "platform/subset/windef.h"
#include "platform/subset/winbase.h"
#include "platform/subset/winuser.h"
#include "platform/subset/wingdi.h"
#include "platform/subset/mmsystem.h"
#endif

#include <GL/gl.h>
#include <GL/glu.h>
