// The controls of the settings dialog (template 225) by id: the dialog
// generator (tools/dialoggen) lays them out under these ids, and the dialog
// procedure (settings_dialog.cpp) finds them by them.
#pragma once

// Ids 1000 to 1005, in the template's order.
enum SettingsControl : int {
    kResolutionList = 1000,
    kDepthList,
    kFullscreenBox,
    kSoundBox,
    kAboutButton,
    kCountdownText,
};
