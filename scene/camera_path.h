// The camera's closed-form path through the room, as a function of scene
// time: where the eye is, which way is up, and how far the field of view
// swings. The camera always looks at the origin once it is on the path.
#pragma once

struct CameraTargets {
    double eye[3];
    double up[3];
    double swing;  // degrees added to the field of view
};

// Targets at scene time `seconds`.
CameraTargets CameraPathAt(double seconds);
