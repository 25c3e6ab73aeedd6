// Linux backend: the GL framebuffer formats windows are created with.
//
// Platform: Linux. Dependencies: SDL2. Under X11 a window's visual is fixed
// when the window is made, so CreateWindowExA picks the format (the first of
// these attribute sets the display accepts) and the pixel-format calls then
// report and select that one format. Limitations: one format per window.
#pragma once

namespace backend {

int GLFormatCount();
// Sets SDL's GL attributes for format `index` (0 is the best).
void ApplyGLFormat(int index);

}  // namespace backend
