// Linux backend: the X side of holding off screen savers.
//
// Platform: Linux, X11. Dependencies: XCB with its MIT-SCREEN-SAVER
// extension. Keeps its own X connection, opened on first use: the X server's
// saver and DPMS are suspended for that connection while held (the server
// ends the suspension by itself if the process dies), and xscreensaver, when
// it runs on the display, is sent its "deactivate" request the way
// xscreensaver-command sends it: a SCREENSAVER client message carrying the
// DEACTIVATE atom to the window that holds the _SCREENSAVER_VERSION property.
// Limitations: the first screen only; without an X display (Wayland without
// Xwayland) it does nothing; xscreensaver's answer is not waited for.
#pragma once

namespace backend {

// Suspends (true) or resumes (false) the X server's own saver and DPMS.
void SuspendXScreenSaver(bool suspend);

// Tells a running xscreensaver that there was user activity. Returns false
// when no xscreensaver runs on the display.
bool DeactivateXScreenSaver();

}  // namespace backend
