// The window of `corvane-model view`: the model animating on its own clock,
// lit and textured, with the camera turning around it.
#pragma once

class MS3DModel;

// Opens the window for a parsed model (textures are loaded here, from files
// beside the model) and runs until Escape or the window is closed. Returns
// the process exit status.
int RunViewer(MS3DModel& model, const char* path);
