// The settings dialog's layout as a classic dialog template.
#pragma once

#include <cstdint>
#include <vector>

// The template bytes, as a resource compiler would store dialog 225.
std::vector<uint8_t> BuildSettingsDialogTemplate();
