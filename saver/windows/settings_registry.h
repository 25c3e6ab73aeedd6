// Reading and writing the screen saver's settings in the registry, under
// HKEY_CURRENT_USER\Software\Corvane (Windows only).
//
// Reading never fails: what is missing or of the wrong type takes its
// default and what is out of range is clamped (saver_settings.h). Writing
// reports whether all three values were stored.
#pragma once

#include "saver/windows/saver_settings.h"

SaverSettings ReadSaverSettings();
bool WriteSaverSettings(const SaverSettings& settings);
