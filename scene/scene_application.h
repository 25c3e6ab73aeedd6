// The program's one application: the scene shown in the GL window.
#pragma once

#include "app/gl_application.h"
#include "timing/timer.h"

class SceneApplication : public GLApplication {
public:
    // Called after CreateDisplay and before Init; the scene reads the flag
    // when it starts its sounds.
    void SetSound(bool enabled);

protected:
    PerformanceTimer timer;  // frame timing and scene time
    bool soundEnabled = false;
};
