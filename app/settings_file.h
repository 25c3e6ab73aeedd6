// The optional start-up settings file "corvane.cfg": five decimal integers
// separated by white space: width, height, bits, full screen (1 = yes) and
// sound (1 = yes). The program only reads it.
#pragma once

#include "app/settings.h"

// Reads the file over `settings`; false when it does not open. Reading stops
// at the first thing that is not a number, and every value not read keeps
// what it held. A number beyond the signed 32-bit range reads as the nearest
// end of that range.
bool ReadSettingsFile(const char* path, Settings& settings);
